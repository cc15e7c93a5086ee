// A picture that acts as a button.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMPictureButton : public KADMWidget {
 public:
  using KADMWidget::KADMWidget;
  void Notify(ADMNotifierRef notifier) override;
  ~KADMPictureButton() override = default;
};

}  // namespace tavrix

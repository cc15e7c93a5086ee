// A picture that acts as a button.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMPictureButton : public KADMWidget {
 public:
  using KADMWidget::KADMWidget;
  ~KADMPictureButton() override = default;

 protected:
  void ReportChange(ADMNotifierRef notifier) override;
};

}  // namespace tavrix

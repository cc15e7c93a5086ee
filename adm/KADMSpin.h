// Arrow buttons: the value the dialog manager steps is the signed step of the click.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMSpin : public KADMWidget {
 public:
  using KADMWidget::KADMWidget;
  ~KADMSpin() override = default;
  // Shows the arrows without the spin's own text part; the value lives in a field beside them.
  void ShowArrowsOnly();

 protected:
  // Reports user and intermediate changes alike, but only a non-zero step: the owner sets the
  // value back to 0 after applying it, and that reset is no click.
  void ReportChange(ADMNotifierRef notifier) override;
};

}  // namespace tavrix

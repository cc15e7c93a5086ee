// The triangle at the head of a section: points right while the section is hidden, down while
// it is shown, and flips when clicked.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMDisclosureTriangle : public KADMWidget {
 public:
  KADMDisclosureTriangle(ADMItemRef ref, KADMBaseDialog* ownerDialog)
      : KADMWidget(ref, ownerDialog), collapsed(true) {}
  void Draw(ADMDrawerRef drawer) override;
  ~KADMDisclosureTriangle() override = default;

  bool collapsed;  // true: points right, its section hidden

 protected:
  // The owner hears of the click while `collapsed` is still the old value; then it flips.
  void ReportChange(ADMNotifierRef notifier) override;
};

}  // namespace tavrix

// A numeric field: reports committed text, and command-clicks.
#pragma once

#include "adm/KADMWidget.h"

namespace tavrix {

class KADMTextEditField : public KADMWidget {
 public:
  using KADMWidget::KADMWidget;
  // A press with the command key tells the owner, then the click is handled as usual.
  ASBoolean Track(ADMTrackerRef tracker) override;
  ~KADMTextEditField() override = default;

 protected:
  // Only user changes reach the owner; a field's intermediate edits never do.
  void ReportChange(ADMNotifierRef notifier) override;
};

}  // namespace tavrix

#include "adm/KADMDisclosureTriangle.h"

#include "adm/KADMBaseDialog.h"
#include "core/SuiteTable.h"

namespace tavrix {

void KADMDisclosureTriangle::Draw(ADMDrawerRef drawer) {
  BaseADMItem::Draw(drawer);
  if (!ADMItem().IsVisible(item)) return;
  ADMRect bounds{};
  ADMDrawer().GetBoundsRect(drawer, &bounds);
  const int32_t l = bounds.left;
  const int32_t t = bounds.top;
  ADMDrawer().SetADMColor(drawer, kADMBackgroundColor);
  ADMDrawer().FillRect(drawer, &bounds);
  ADMDrawer().SetADMColor(drawer, kADMBlackColor);
  // Ten pixels each way, two in from the top left corner; the last point closes the shape.
  const ADMPoint right[4] = {{l + 2, t + 2}, {l + 12, t + 7}, {l + 2, t + 12}, {l + 2, t + 2}};
  const ADMPoint down[4] = {{l + 2, t + 2}, {l + 12, t + 2}, {l + 7, t + 12}, {l + 2, t + 2}};
  ADMDrawer().FillPolygon(drawer, collapsed ? right : down, 4);
}

void KADMDisclosureTriangle::ReportChange(ADMNotifierRef notifier) {
  if (!IsUserChange(notifier)) return;
  owner->ItemChanged(ItemId());
  collapsed = !collapsed;
  ADMItem().Invalidate(item);
}

}  // namespace tavrix

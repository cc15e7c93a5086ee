// A person at the palette: typing into fields, clicking arrows, boxes and pictures, choosing
// from the flyout menu, and showing, hiding, collapsing and expanding windows. Each action goes
// through the same callbacks a real dialog manager would call. An action that a person could
// not do (a hidden or disabled item, an entry that is not there) throws std::invalid_argument
// with a message saying why, and changes nothing.
#pragma once

#include <string>

#include "host/dialog/DialogManager.h"

namespace tavrix::host {

enum class SpinArrow { Up, Down };

class DialogUser {
 public:
  explicit DialogUser(DialogManager& manager) : manager_(manager) {}

  // Types the text and commits it. A numeric field parses it with its units, clamps it to its
  // limits, shows the result in its own format and reports the change; a text that does not
  // parse snaps back to the previous text, reports nothing and answers false.
  bool TypeText(HostItem& field, const std::string& text);
  // One click on an arrow: the value moves by the small step, then the change is reported.
  // Holding it for `repeats` steps reports each as an intermediate change, then a final one.
  void ClickSpin(HostItem& spin, SpinArrow arrow, int repeats = 0);
  // Check boxes flip, then report; pictures and buttons report.
  void Click(HostItem& item);
  // A click with the command key held; in an edit field it is also a normal click.
  void CommandClick(HostItem& item);
  void ChooseFlyoutEntry(HostDialog& dialog, int32_t menuNumber);

  void ShowWindow(HostDialog& dialog);
  void HideWindow(HostDialog& dialog);
  void CollapseWindow(HostDialog& dialog);
  void ExpandWindow(HostDialog& dialog);
  // Drags the window so that its top left corner is at (h, v) on the screen.
  void MoveWindow(HostDialog& dialog, int32_t h, int32_t v);
  // Drops the window into a docking group at a place the dialog manager codes.
  void DockWindow(HostDialog& dialog, const std::string& group, int32_t code);

 private:
  void RequireUsable(const HostItem& item, const char* action) const;
  void RequireOpen(const HostDialog& dialog, const char* action) const;

  DialogManager& manager_;
};

// "item 16", "the flyout menu"
std::string DescribeItem(const HostItem& item);

}  // namespace tavrix::host

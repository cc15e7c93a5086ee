// Script lines that check what the user and the document would see.
#include <cmath>
#include <sstream>

#include "host/dialog/UnitText.h"
#include "session/PaletteItemNames.h"
#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

[[noreturn]] void Found(const std::string& found) {
  throw ScriptError("found " + found);
}

// Digits after the decimal point of the first number in the text.
int DecimalsShown(const std::string& text) {
  const size_t point = text.find('.');
  if (point == std::string::npos) return 0;
  int decimals = 0;
  for (size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) ++decimals;
  return decimals;
}

std::string StateOf(const host::HostItem& item) {
  return std::string(item.visible ? "visible" : "hidden") + ", " +
         (item.enabled ? "enabled" : "disabled") + ", " +
         (item.booleanValue ? "checked" : "unchecked") + ", text " + Quoted(item.text);
}

// One check of `expect item ITEM CHECK ...`: how many words follow its name, and the check,
// which throws with what it found when the item is otherwise.
struct ItemCheck {
  const char* name;
  size_t values;
  void (*check)(const host::HostItem& item, const std::string& name,
                const std::vector<std::string>& values);
};

void CheckValue(const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
  // In the item's units; a unit written in the text counts; points where neither says.
  const int units = item.units != 0 ? item.units : host::kUnitPoints;
  const std::optional<double> shown = host::ParseValue(item.text, units);
  if (!shown) Found(Quoted(item.text) + ", which is not a value");
  const double per = host::BaseUnitsPer(units);
  const double expected = NumberWord(v[0], "a value") * per;
  const double tolerance = 0.5 * std::pow(10.0, -DecimalsShown(item.text)) * per + 1e-9;
  if (std::fabs(*shown - expected) > tolerance) Found(Quoted(item.text));
}

void CheckState(const host::HostItem& item, const std::string& name,
                const std::vector<std::string>&) {
  const bool wanted = name == "visible" || name == "enabled" || name == "checked";
  const bool has = name == "visible" || name == "hidden"     ? item.visible
                   : name == "enabled" || name == "disabled" ? item.enabled
                                                             : item.booleanValue;
  if (has != wanted) Found(StateOf(item));
}

const std::vector<ItemCheck>& ItemChecks() {
  static const std::vector<ItemCheck> checks = {
      {"text", 1,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (item.text != v[0]) Found(Quoted(item.text));
       }},
      {"contains", 1,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (item.text.find(v[0]) == std::string::npos) Found(Quoted(item.text));
       }},
      {"value", 1, CheckValue},
      {"tip", 1,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (item.tip != v[0]) Found(Quoted(item.tip));
       }},
      // The step of an arrow button or a field, in points (degrees for a direction).
      {"step", 1,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (std::fabs(item.smallStep - NumberWord(v[0], "a step")) > 1e-6)
           Found("step " + std::to_string(item.smallStep));
       }},
      {"range", 2,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (item.minValue != NumberWord(v[0], "a minimum") ||
             item.maxValue != NumberWord(v[1], "a maximum")) {
           Found("range " + std::to_string(item.minValue) + " to " + std::to_string(item.maxValue));
         }
       }},
      {"at", 2,
       [](const host::HostItem& item, const std::string&, const std::vector<std::string>& v) {
         if (item.bounds.left != NumberWord(v[0], "a left edge") ||
             item.bounds.top != NumberWord(v[1], "a top edge")) {
           Found("at " + std::to_string(item.bounds.left) + " " + std::to_string(item.bounds.top));
         }
       }},
      {"visible", 0, CheckState},
      {"hidden", 0, CheckState},
      {"enabled", 0, CheckState},
      {"disabled", 0, CheckState},
      {"checked", 0, CheckState},
      {"unchecked", 0, CheckState},
  };
  return checks;
}

// What `expect WHAT ...` checks, by WHAT.
struct Expectation {
  const char* what;
  void (Session::*check)(const std::vector<std::string>& words);
};

}  // namespace

void Session::Expect(const std::vector<std::string>& words) {
  if (words.empty()) throw ScriptError("expect what?");
  static const Expectation expectations[] = {
      {"item", &Session::ExpectItem},
      {"flyout", &Session::ExpectFlyout},
      {"palette", &Session::ExpectPalette},
      {"menu", &Session::ExpectMenu},
      {"anchor", &Session::ExpectPoint},
      {"in", &Session::ExpectPoint},
      {"out", &Session::ExpectPoint},
      {"corner", &Session::ExpectPoint},
      {"selected", &Session::ExpectPoint},
      {"annotator", &Session::ExpectRegistrations},
      {"notifiers", &Session::ExpectRegistrations},
      {"alerts", &Session::ExpectAlerts},
      {"alert", &Session::ExpectAlerts},
      {"undo", &Session::ExpectEditMenu},
      {"redo", &Session::ExpectEditMenu},
      {"pref", &Session::ExpectPreference},
      {"marks", &Session::ExpectMarks},
      {"mark", &Session::ExpectMarks},
  };
  for (const Expectation& expectation : expectations) {
    if (words[0] == expectation.what) return (this->*expectation.check)(words);
  }
  throw ScriptError("unknown expectation '" + words[0] + "'");
}

void Session::ExpectEditMenu(const std::vector<std::string>& w) {
  if (w.size() != 2) throw ScriptError("usage: expect " + w[0] + " \"TEXT\" (\"\" for none)");
  const std::string shown = w[0] == "undo" ? host_->UndoText() : host_->RedoText();
  if (shown != w[1]) Found(shown.empty() ? "nothing to " + w[0] : Quoted(shown));
}

void Session::ExpectItem(const std::vector<std::string>& w) {
  if (w.size() < 3) throw ScriptError("usage: expect item ITEM text|contains|value|visible|...");
  const host::HostItem& item = Item(w[1]);
  const std::string& name = w[2];
  for (const ItemCheck& check : ItemChecks()) {
    if (name != check.name) continue;
    if (w.size() != 3 + check.values) {
      throw ScriptError("usage: expect item ITEM " + name +
                        (check.values == 1 ? " VALUE" : " A B"));
    }
    check.check(item, name, std::vector<std::string>(w.begin() + 3, w.end()));
    return;
  }
  throw ScriptError("unknown item check '" + name + "'");
}

void Session::ExpectFlyout(const std::vector<std::string>& w) {
  if (w.size() != 3) throw ScriptError("usage: expect flyout N checked|unchecked|enabled|disabled");
  const int number = IntegerWord(w[1], "a flyout entry number");
  const host::HostItem* flyout = Palette().flyout.get();
  if (flyout == nullptr || !flyout->list) throw ScriptError("the palette has no flyout menu");
  for (const host::HostEntry& entry : flyout->list->entries) {
    if (entry.id != number) continue;
    const std::string state = std::string(entry.checked ? "checked" : "unchecked") + " and " +
                              (entry.enabled ? "enabled" : "disabled");
    if (w[2] == "checked" || w[2] == "unchecked") {
      if (entry.checked != (w[2] == "checked")) Found(state);
    } else if (w[2] == "enabled" || w[2] == "disabled") {
      if (entry.enabled != (w[2] == "enabled")) Found(state);
    } else {
      throw ScriptError("unknown flyout check '" + w[2] + "'");
    }
    return;
  }
  throw ScriptError("the flyout menu has no entry " + w[1]);
}

void Session::ExpectPalette(const std::vector<std::string>& w) {
  const host::HostDialog& palette = Palette();
  if (w.size() == 2 && (w[1] == "visible" || w[1] == "hidden")) {
    if (palette.visible != (w[1] == "visible")) Found(palette.visible ? "visible" : "hidden");
  } else if (w.size() == 3 && w[1] == "height") {
    const int height = palette.bounds.bottom - palette.bounds.top;
    if (height != IntegerWord(w[2], "a height")) Found("height " + std::to_string(height));
  } else if (w.size() == 4 && w[1] == "at") {
    const int h = IntegerWord(w[2], "a horizontal position");
    const int v = IntegerWord(w[3], "a vertical position");
    if (palette.bounds.left != h || palette.bounds.top != v)
      Found("at " + std::to_string(palette.bounds.left) + " " + std::to_string(palette.bounds.top));
  } else if (w.size() == 4 && w[1] == "docked") {
    const int code = IntegerWord(w[3], "a docking code");
    if (palette.groupName != w[2] || palette.groupPosition != code)
      Found("docked " + Quoted(palette.groupName) + " " + std::to_string(palette.groupPosition));
  } else {
    throw ScriptError(
        "usage: expect palette visible|hidden | height N | at H V | docked \"GROUP\" CODE");
  }
}

void Session::ExpectMenu(const std::vector<std::string>& w) {
  if (w.size() != 2 || (w[1] != "checked" && w[1] != "unchecked")) {
    throw ScriptError("usage: expect menu checked|unchecked");
  }
  const bool checked = PaletteMenuItem().checked;
  if (checked != (w[1] == "checked")) Found(checked ? "checked" : "unchecked");
}

void Session::ExpectPoint(const std::vector<std::string>& w) {
  const std::string& what = w[0];
  const size_t arguments = (what == "anchor" || what == "in" || what == "out") ? 5 : 4;
  if (w.size() != arguments) {
    throw ScriptError(arguments == 5 ? "usage: expect " + what + " P I X Y"
                                     : "usage: expect " + what + " P I VALUE");
  }
  const int path = IntegerWord(w[1], "a path number");
  const int anchor = IntegerWord(w[2], "an anchor number");
  if (path < 0) throw ScriptError("path numbers count from 0, found " + w[1]);
  host::DocumentPath& p = Doc().PathAt(static_cast<size_t>(path));
  if (anchor < 0 || static_cast<size_t>(anchor) >= p.segments.size()) {
    throw ScriptError("path " + w[1] + " has no anchor " + w[2]);
  }
  const PathSegment& s = p.segments[static_cast<size_t>(anchor)];
  if (what == "corner") {
    if (s.corner != IntegerWord(w[3], "0 or 1")) Found("corner " + std::to_string(s.corner));
  } else if (what == "selected") {
    const int state = p.selection[static_cast<size_t>(anchor)];
    if (state != IntegerWord(w[3], "a selection state")) Found("state " + std::to_string(state));
  } else {
    const RealPoint& point = what == "anchor" ? s.p : what == "in" ? s.in : s.out;
    const double x = NumberWord(w[3], "X");
    const double y = NumberWord(w[4], "Y");
    if (std::fabs(point.h - x) > 0.001 || std::fabs(point.v - y) > 0.001) {
      std::ostringstream found;
      found << "(" << point.h << ", " << point.v << ")";
      Found(found.str());
    }
  }
}

void Session::ExpectRegistrations(const std::vector<std::string>& w) {
  if (w.size() != 2 || (w[1] != "active" && w[1] != "inactive")) {
    throw ScriptError("usage: expect annotator|notifiers active|inactive");
  }
  const bool active = w[1] == "active";
  const host::Registrations& r = host_->registrations();
  if (w[0] == "annotator") {
    for (const host::AnnotatorRecord& annotator : r.annotators()) {
      if (annotator.plugin == plugin_->ref() && annotator.active != active) {
        Found(std::string("the annotator ") + (annotator.active ? "active" : "inactive"));
      }
    }
    return;
  }
  // The selection and preference notifiers, which follow the palette's visibility.
  for (const host::NotifierRecord& notifier : r.notifiers()) {
    const bool follows = notifier.type == kAIArtSelectionChangedNotifier ||
                         notifier.type == kAIPreferenceChangedNotifier;
    if (notifier.plugin == plugin_->ref() && follows && notifier.active != active) {
      Found("notifier \"" + notifier.name + "\" " + (notifier.active ? "active" : "inactive"));
    }
  }
}

void Session::ExpectAlerts(const std::vector<std::string>& w) {
  const auto& shown = host_->alerts().shown();
  if (w[0] == "alerts") {
    if (w.size() != 2) throw ScriptError("usage: expect alerts N");
    const size_t errors = host_->alerts().ErrorCount();
    if (errors != static_cast<size_t>(IntegerWord(w[1], "a number of alerts"))) {
      Found(std::to_string(errors) + " alerts");
    }
    return;
  }
  if (w.size() != 2) throw ScriptError("usage: expect alert \"TEXT\"");
  for (const host::Alert& alert : shown) {
    if (alert.kind == host::Alert::Kind::Error && alert.text == w[1]) return;
  }
  Found(shown.empty() ? "no alert" : "the last alert " + Quoted(shown.back().text));
}

}  // namespace tavrix::app

#include "workbench/StatusWords.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <utility>

#include "host/DirectSelection.h"
#include "session/PaletteItemNames.h"

namespace tavrix::workbench {
namespace {

constexpr char kMinus[] = "\xE2\x88\x92";       // U+2212
constexpr char kOpenQuote[] = "\xE2\x80\x9C";   // U+201C
constexpr char kCloseQuote[] = "\xE2\x80\x9D";  // U+201D

struct Unit {
  const char* name;
  double points;
};

Unit UnitOf(int16_t rulerUnits) {
  switch (rulerUnits) {
    case kAIInchRulerUnits:
      return {"in", 72};
    case kAICentimeterRulerUnits:
      return {"cm", 72 / 2.54};
    case kAIPicaRulerUnits:
      return {"pc", 12};
    case kAIMillimeterRulerUnits:
      return {"mm", 72 / 25.4};
    case kAIPixelRulerUnits:
      return {"px", 1};
    case kAIQRulerUnits:
      return {"Q", 72 / 25.4 / 4};
    default:
      return {"pt", 1};
  }
}

// Each field, arrow pair and check box with the labels a person reads it by: its row's and, for
// the handles, its column's.
const std::map<int, std::pair<int, int>>& Labels() {
  static const std::map<int, std::pair<int, int>> labels = {
      {6, {1, 0}},    {4, {1, 0}},    {5, {2, 0}},    {7, {2, 0}},    {38, {3, 0}},
      {8, {3, 0}},    {16, {13, 43}}, {14, {13, 43}}, {17, {13, 44}}, {15, {13, 44}},
      {21, {18, 43}}, {19, {18, 43}}, {22, {18, 44}}, {20, {18, 44}}, {41, {42, 0}},
      {24, {25, 0}},  {45, {46, 0}},  {11, {12, 0}},  {27, {28, 0}}};
  return labels;
}

// The field an arrow pair steps.
int FieldOf(int item) {
  static const std::map<int, int> fields = {{4, 6},   {7, 5},   {8, 38}, {14, 16},
                                            {15, 17}, {19, 21}, {20, 22}};
  const auto found = fields.find(item);
  return found == fields.end() ? item : found->second;
}

const host::HostItem* LiveItem(app::Session& session, int id) {
  host::HostDialog* palette = session.FindPalette();
  return palette == nullptr ? nullptr : session.host().dialogs().ItemWithId(*palette, id);
}

std::string TextOf(app::Session& session, int id) {
  const host::HostItem* item = LiveItem(session, id);
  return item == nullptr ? std::string() : item->text;
}

std::optional<int> ItemIdOf(const std::vector<std::string>& words) {
  return words.size() >= 2 ? app::PaletteItemId(words[1]) : std::nullopt;
}

std::string AnchorWords(const std::string& path, const std::string& anchor) {
  return "anchor " + anchor + " of path " + path;
}

std::string PartWords(const std::vector<std::string>& words) {
  // select-handle P I [in|out], drag handle P I in|out H V
  const bool drag = words[0] == "drag";
  const size_t first = drag ? 2 : 1;
  if (words.size() <= first + 1) return "";
  const std::string anchor = AnchorWords(words[first], words[first + 1]);
  const bool handle = drag ? words[1] == "handle" : words[0] == "select-handle";
  if (!handle) return anchor;
  const bool out = words.size() > first + 2 && words[first + 2] == "out";
  return std::string("the ") + (out ? "out" : "in") + " handle of " + anchor;
}

std::string PlaceWords(app::Session& session, const std::vector<std::string>& words) {
  const host::Document* document = session.host().document();
  if (document == nullptr || words.size() < 4) return "";
  const size_t path = std::stoul(words[2]);
  const size_t anchor = std::stoul(words[3]);
  if (path >= document->paths().size() || anchor >= document->paths()[path].segments.size())
    return "";
  const PathSegment& s = document->paths()[path].segments[anchor];
  const RealPoint& p = words[1] == "anchor" ? s.p : words[4] == "out" ? s.out : s.in;
  return LengthWords(p.h, document->rulerUnits()) + ", " + LengthWords(p.v, document->rulerUnits());
}

std::string NudgeWords(app::Session& session, const std::vector<std::string>& words) {
  const host::Document* document = session.host().document();
  const bool shift = words.size() > 2;
  const double step =
      host::KeyboardIncrement(session.host()) * (shift ? host::kShiftNudgeFactor : 1);
  const int16_t units = document != nullptr ? document->rulerUnits() : kAIPointRulerUnits;
  return "Moved the selection " + LengthWords(step, units) + " " + words[1];
}

std::string TypedWords(app::Session& session, const std::vector<std::string>& words,
                       const std::string& printed) {
  const std::optional<int> id = ItemIdOf(words);
  if (!id || words.size() < 3) return "";
  const std::string label = ItemLabel(session, *id);
  const std::string now = TextOf(session, *id);
  if (printed.find("did not take") != std::string::npos)
    return label + ": " + kOpenQuote + words[2] + kCloseQuote + " is not a number, kept " + now;
  return label + ": " + now;
}

std::string ClickWords(app::Session& session, const std::vector<std::string>& words) {
  const std::optional<int> id = ItemIdOf(words);
  if (!id) return "";
  const host::HostItem* item = LiveItem(session, *id);
  if (item != nullptr && item->kind == host::ItemKind::CheckBox)
    return ItemLabel(session, *id) + (item->booleanValue ? ": on" : ": off");
  const auto label = Labels().find(*id);
  if (label != Labels().end() && (*id == 45 || *id == 11 || *id == 27)) {
    // The section's label names what its next click does.
    const std::string text = TextOf(session, label->second.first);
    if (text.rfind("Hide ", 0) == 0) return "Showing " + text.substr(5);
    if (text.rfind("Show ", 0) == 0) return "Hid " + text.substr(5);
  }
  return "";
}

std::string FlyoutWords(app::Session& session, const std::vector<std::string>& words) {
  host::HostDialog* palette = session.FindPalette();
  if (palette == nullptr || !palette->flyout || !palette->flyout->list || words.size() < 2)
    return "";
  for (const host::HostEntry& entry : palette->flyout->list->entries) {
    if (std::to_string(entry.id) == words[1])
      return std::string("Palette menu: ") + entry.text + (entry.checked ? " (on)" : "");
  }
  return "";
}

std::string HistoryWords(app::Session& session, bool undo) {
  // What can now be redone is what was undone, and the other way round.
  const std::string text = undo ? session.host().RedoText() : session.host().UndoText();
  const size_t space = text.find(' ');
  const std::string what = space == std::string::npos ? std::string() : text.substr(space);
  return (undo ? "Undid" : "Redid") + what;
}

std::string LastLine(const std::string& printed) {
  size_t end = printed.find_last_not_of(" \t\r\n");
  if (end == std::string::npos) return "";
  const size_t begin = printed.rfind('\n', end);
  return printed.substr(begin == std::string::npos ? 0 : begin + 1,
                        end + 1 - (begin == std::string::npos ? 0 : begin + 1));
}

std::string SelectionWords(const std::vector<std::string>& words) {
  if (words[0] == "deselect") return "Nothing is selected";
  if (words[0] == "select-paths")
    return words.size() == 2 ? "Selected path " + words[1] : "Selected the paths";
  return "Selected " + PartWords(words);
}

std::string PaletteWords(app::Session& session, const std::vector<std::string>& words,
                         const std::string& printed) {
  const std::string& command = words[0];
  if (command == "type") return TypedWords(session, words, printed);
  const std::optional<int> id = ItemIdOf(words);
  if ((command == "spin" || command == "cmd-click") && id)
    return ItemLabel(session, FieldOf(*id)) + ": " + TextOf(session, FieldOf(*id));
  if (command == "click") return ClickWords(session, words);
  if (command == "flyout") return FlyoutWords(session, words);
  const host::HostDialog* palette = session.FindPalette();
  return palette != nullptr && palette->visible ? "The palette is open" : "The palette is closed";
}

}  // namespace

std::string LengthWords(double points, int16_t rulerUnits) {
  const Unit unit = UnitOf(rulerUnits);
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", std::fabs(points / unit.points));
  std::string number = text;
  number.erase(number.find_last_not_of('0') + 1);
  if (number.back() == '.') number.pop_back();
  const bool negative = points / unit.points <= -0.0005;
  return (negative ? kMinus : "") + number + " " + unit.name;
}

std::string ItemLabel(app::Session& session, int itemId) {
  const auto found = Labels().find(itemId);
  if (found == Labels().end()) return app::PaletteItemName(itemId);
  std::string label = TextOf(session, found->second.first);
  if (found->second.second != 0) label += " " + TextOf(session, found->second.second);
  return label.empty() ? app::PaletteItemName(itemId) : label;
}

std::string StatusWords(const std::vector<std::string>& words, app::Session& session,
                        const std::string& printed) {
  if (words.empty()) return "";
  const std::string& command = words[0];
  if (command == "select" || command == "select-handle" || command == "select-paths" ||
      command == "deselect")
    return SelectionWords(words);
  if (command == "drag") return "Moved " + PartWords(words) + " to " + PlaceWords(session, words);
  if (command == "nudge" && words.size() >= 2) return NudgeWords(session, words);
  if (command == "undo" || command == "redo") return HistoryWords(session, command == "undo");
  if (command == "document") return "A new drawing";
  if (command == "type" || command == "spin" || command == "click" || command == "cmd-click" ||
      command == "flyout" || command == "menu")
    return PaletteWords(session, words, printed);
  if (command == "zoom" || command == "scroll" || command == "window") return "";
  return LastLine(printed);
}

}  // namespace tavrix::workbench

#include "workbench/PaletteController.h"

#include <algorithm>
#include <vector>

#include "pictures/PaletteDrawing.h"
#include "session/PaletteItemNames.h"
#include "workbench/PaletteHits.h"

namespace tavrix::workbench {
namespace {

// At least this much of the title bar stays in the window, so a palette saved far away can be
// dragged back.
constexpr int kTitleBarKept = 48;

bool IsField(const host::HostItem& item) {
  return item.kind == host::ItemKind::EditField || item.kind == host::ItemKind::SpinText;
}

bool Usable(const host::HostItem& item) {
  return item.visible && item.enabled && !item.destroyed && item.dialog != nullptr &&
         item.dialog->visible && !item.dialog->collapsed && !item.dialog->destroyed;
}

std::string Id(int32_t id) {
  return std::to_string(id);
}

}  // namespace

std::vector<std::string> SpinWords(int32_t item, host::SpinArrow arrow, Modifiers modifiers,
                                   int repeats) {
  std::vector<std::string> words{"spin", Id(item), arrow == host::SpinArrow::Up ? "up" : "down"};
  if (modifiers.shift) words.push_back("shift");
  if (modifiers.ctrl) words.push_back("ctrl");
  if (repeats > 0) {
    words.push_back("hold");
    words.push_back(std::to_string(repeats));
  }
  return words;
}

int RepeatsFor(uint32_t held) {
  if (held < PaletteController::kRepeatDelay) return 0;
  const uint32_t repeats =
      1 + (held - PaletteController::kRepeatDelay) / PaletteController::kRepeatInterval;
  return static_cast<int>(std::min<uint32_t>(repeats, PaletteController::kMaxRepeats));
}

PaletteController::PaletteController(app::Session& session, Commands& commands)
    : session_(session), commands_(commands), measuring_(CAIRO_FORMAT_RGB24, 1, 1) {}

std::optional<PalettePlacement> PaletteController::Placement() {
  const host::HostDialog* palette = session_.FindPalette();
  if (palette == nullptr || !palette->visible || palette->destroyed) return std::nullopt;
  PalettePlacement place;
  try {
    place.geometry =
        pictures::MeasurePalette(measuring_.cr(), *palette, flyoutOpen_ && !palette->collapsed);
  } catch (const pictures::PictureError&) {
    return std::nullopt;  // a palette too large to draw is not there to click either
  }
  const int width = place.geometry.frameWidth;
  const WindowSize window = WindowAround(session_.host().view());
  place.left = std::clamp(kScreenLeft + palette->bounds.left, kTitleBarKept - width,
                          window.width - kTitleBarKept);
  place.top = std::clamp(kScreenTop + palette->bounds.top, kScreenTop,
                         window.height - kStatusBarHeight - pictures::kTitleBarHeight);
  return place;
}

host::HostItem* PaletteController::LiveItem(int32_t id) {
  host::HostDialog* palette = session_.FindPalette();
  if (palette == nullptr) return nullptr;
  return session_.host().dialogs().ItemWithId(*palette, id);
}

const host::HostItem* PaletteController::FocusedField() {
  return focused_ ? LiveItem(*focused_) : nullptr;
}

bool PaletteController::Focus(int32_t itemId) {
  host::HostItem* item = LiveItem(itemId);
  if (item == nullptr || !IsField(*item) || !Usable(*item)) return false;
  focused_ = itemId;
  editor_.Reset(item->text);
  return true;
}

void PaletteController::DropFocus() {
  focused_.reset();
}

void PaletteController::Sync() {
  const host::HostDialog* palette = session_.FindPalette();
  if (palette == nullptr || !palette->visible || palette->collapsed) flyoutOpen_ = false;
  if (!focused_) return;
  const host::HostItem* item = LiveItem(*focused_);
  if (item == nullptr || !Usable(*item)) {
    focused_.reset();
    return;
  }
  if (!editor_.edited() && editor_.text() != item->text) editor_.Reset(item->text);
}

bool PaletteController::Commit(bool force) {
  if (!focused_ || (!force && !editor_.edited())) return true;
  const int32_t id = *focused_;
  const bool done = commands_.Perform({"type", Id(id), editor_.text()});
  // The field shows what it took (or snapped back to), all selected for the next value.
  if (const host::HostItem* item = LiveItem(id); item != nullptr && Usable(*item)) {
    editor_.Reset(item->text);
  } else {
    focused_.reset();
  }
  return done;
}

bool PaletteController::Covers(int x, int y) {
  const std::optional<PalettePlacement> place = Placement();
  return place &&
         HitPalette(*session_.FindPalette(), place->geometry, x - place->left, y - place->top)
                 .kind != PaletteHit::Kind::None;
}

bool PaletteController::MouseDown(int x, int y, Modifiers modifiers, uint32_t time) {
  const std::optional<PalettePlacement> place = Placement();
  const bool onPalette = place && Covers(x, y);
  if (flyoutOpen_ && !onPalette) {
    // A click away from an open menu only closes it.
    flyoutOpen_ = false;
    return true;
  }
  if (!onPalette) {
    Commit(false);
    focused_.reset();
    return false;
  }
  return ClickOnPalette(*place, x, y, modifiers, time);
}

bool PaletteController::ClickOnPalette(PalettePlacement place, int x, int y, Modifiers modifiers,
                                       uint32_t time) {
  const host::HostDialog* palette = session_.FindPalette();
  PaletteHit hit = HitPalette(*palette, place.geometry, x - place.left, y - place.top);
  if (flyoutOpen_) {
    // Dividers and disabled entries leave the menu open; anything off it only closes it, as a
    // click away from a menu does.
    const bool chosen = hit.kind == PaletteHit::Kind::FlyoutEntry && hit.entry->enabled;
    if (chosen ||
        (hit.kind != PaletteHit::Kind::FlyoutEntry && hit.kind != PaletteHit::Kind::FlyoutMenu))
      flyoutOpen_ = false;
    if (chosen) commands_.Perform({"flyout", Id(hit.entry->id)});
    return true;
  }
  const bool onFocusedField = hit.kind == PaletteHit::Kind::Item && focused_ &&
                              hit.item->id == *focused_ && !modifiers.CommandHeld();
  if (onFocusedField) return true;  // the caret stays where it is
  if (focused_) {
    Commit(false);
    focused_.reset();
    // What was committed may have changed the palette under the mouse.
    const std::optional<PalettePlacement> now = Placement();
    palette = session_.FindPalette();
    if (!now || palette == nullptr) return true;
    place = *now;
    hit = HitPalette(*palette, place.geometry, x - place.left, y - place.top);
  }
  switch (hit.kind) {
    case PaletteHit::Kind::TitleBar:
      drag_ = Drag{x - place.left, y - place.top};
      break;
    case PaletteHit::Kind::CollapseBox:
      commands_.Perform({"window", palette->collapsed ? "expand" : "collapse"});
      break;
    case PaletteHit::Kind::FlyoutButton:
      flyoutOpen_ = !palette->collapsed;
      if (palette->collapsed) commands_.Tell("expand the palette to use its menu");
      break;
    case PaletteHit::Kind::Item:
      ClickItem(*hit.item, hit.arrow, modifiers, time);
      break;
    default:
      break;
  }
  return true;
}

void PaletteController::ClickItem(const host::HostItem& item, host::SpinArrow arrow,
                                  Modifiers modifiers, uint32_t time) {
  const int32_t id = item.id;
  const std::string name = app::PaletteItemName(id);
  if (!item.enabled) {
    commands_.Tell(name + " is disabled");
    return;
  }
  if (modifiers.CommandHeld()) {
    // A Command-click on a field also puts the caret in it.
    if (commands_.Perform({"cmd-click", Id(id)}) && IsField(item)) Focus(id);
    return;
  }
  switch (item.kind) {
    case host::ItemKind::EditField:
    case host::ItemKind::SpinText:
      Focus(id);
      break;
    case host::ItemKind::Spin:
      press_ = Press{id, arrow, modifiers, time};
      break;
    case host::ItemKind::CheckBox:
    case host::ItemKind::Picture:
    case host::ItemKind::Button:
      commands_.Perform({"click", Id(id)});
      break;
    default:
      break;  // labels and dividers do nothing
  }
}

void PaletteController::MouseMove(int x, int y) {
  if (!drag_) return;
  const host::HostDialog* palette = session_.FindPalette();
  if (palette == nullptr || !palette->visible) {
    drag_.reset();
    return;
  }
  const int h = x - drag_->dx - kScreenLeft;
  const int v = y - drag_->dy - kScreenTop;
  if (h == palette->bounds.left && v == palette->bounds.top) return;
  if (!commands_.Perform({"window", "move", std::to_string(h), std::to_string(v)})) drag_.reset();
}

void PaletteController::MouseUp(int x, int y, uint32_t time) {
  drag_.reset();
  if (!press_) return;
  const Press press = *press_;
  press_.reset();
  // An arrow let go of elsewhere is not clicked, as with any button.
  const std::optional<PalettePlacement> place = Placement();
  if (!place) return;
  const PaletteHit hit =
      HitPalette(*session_.FindPalette(), place->geometry, x - place->left, y - place->top);
  if (hit.kind != PaletteHit::Kind::Item || hit.item->id != press.item) return;
  commands_.Perform(
      SpinWords(press.item, press.arrow, press.modifiers, RepeatsFor(time - press.time)));
}

bool PaletteController::KeyDown(Key key, Modifiers modifiers) {
  if (flyoutOpen_ && key == Key::Escape) {
    flyoutOpen_ = false;
    return true;
  }
  if (!focused_) {
    if (key != Key::Tab) return false;
    FocusNext(modifiers.shift);
    return focused_.has_value();
  }
  switch (key) {
    case Key::Enter:
      Commit(true);
      break;
    case Key::Escape:
      focused_.reset();
      break;
    case Key::Tab:
      if (Commit(false)) FocusNext(modifiers.shift);
      break;
    case Key::Up:
    case Key::Down:
      if (Commit(false)) StepPairedSpin(key == Key::Up, modifiers);
      break;
    case Key::Backspace:
      editor_.Backspace();
      break;
    case Key::Delete:
      editor_.Delete();
      break;
    case Key::Left:
      editor_.Left();
      break;
    case Key::Right:
      editor_.Right();
      break;
    case Key::Home:
      editor_.Home();
      break;
    case Key::End:
      editor_.End();
      break;
    case Key::SelectAll:
      editor_.SelectAll();
      break;
  }
  return true;
}

bool PaletteController::TextInput(const std::string& text) {
  if (!focused_) return false;
  editor_.Insert(text);
  return true;
}

void PaletteController::FocusNext(bool backwards) {
  host::HostDialog* palette = session_.FindPalette();
  if (palette == nullptr) return;
  // Reading order: by rows, then left to right.
  std::vector<const host::HostItem*> fields;
  for (const auto& item : palette->items) {
    if (item && IsField(*item) && Usable(*item)) fields.push_back(item.get());
  }
  if (fields.empty()) return;
  std::sort(fields.begin(), fields.end(), [](const host::HostItem* a, const host::HostItem* b) {
    return std::make_pair(a->bounds.top, a->bounds.left) <
           std::make_pair(b->bounds.top, b->bounds.left);
  });
  size_t next = backwards ? fields.size() - 1 : 0;
  for (size_t i = 0; focused_ && i < fields.size(); ++i) {
    if (fields[i]->id != *focused_) continue;
    next = backwards ? (i + fields.size() - 1) % fields.size() : (i + 1) % fields.size();
  }
  Focus(fields[next]->id);
}

void PaletteController::StepPairedSpin(bool up, Modifiers modifiers) {
  if (!focused_) return;
  // Each field has its arrows under the same name: pointXField and pointXSpin.
  std::string name = app::PaletteItemName(*focused_);
  const size_t at = name.rfind("Field");
  if (at == std::string::npos) return;
  name.replace(at, 5, "Spin");
  const std::optional<int> spin = app::PaletteItemId(name);
  if (!spin) return;
  commands_.Perform(
      SpinWords(*spin, up ? host::SpinArrow::Up : host::SpinArrow::Down, modifiers, 0));
  if (const host::HostItem* item = LiveItem(*focused_); item != nullptr && Usable(*item)) {
    editor_.Reset(item->text);
  } else {
    focused_.reset();
  }
}

}  // namespace tavrix::workbench

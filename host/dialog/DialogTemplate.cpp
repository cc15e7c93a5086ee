#include "host/dialog/DialogTemplate.h"

#include <algorithm>

#include "host/Utf16.h"

namespace tavrix::host {
namespace {

constexpr uint32_t kSetFontStyle = 0x40;  // the template names a font
constexpr uint16_t kMenuEndFlag = 0x80;
constexpr uint16_t kMenuPopupFlag = 0x10;
constexpr uint16_t kMenuSeparatorFlag = 0x800;

class Reader {
 public:
  Reader(ByteView bytes, const char* what) : bytes_(bytes), what_(what) {}

  uint16_t U16() {
    uint16_t value = 0;
    if (!bytes_.Read16(at_, value)) Fail();
    at_ += 2;
    return value;
  }
  uint32_t U32() {
    uint32_t value = 0;
    if (!bytes_.Read32(at_, value)) Fail();
    at_ += 4;
    return value;
  }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  std::string Text() {
    std::u16string text;
    for (uint16_t unit = U16(); unit != 0; unit = U16()) text += static_cast<char16_t>(unit);
    return Utf16ToUtf8(text);
  }
  // A class, menu or title field: 0 (none), 0xFFFF and an ordinal, or a text.
  std::string NameOrOrdinal(uint16_t* ordinal) {
    uint16_t first = 0;
    if (!bytes_.Read16(at_, first)) Fail();
    if (first == 0) {
      at_ += 2;
      return "";
    }
    if (first == 0xFFFF) {
      at_ += 2;
      *ordinal = U16();
      return "";
    }
    return Text();
  }
  void AlignTo4() { at_ = host::AlignTo4(at_); }
  bool AtEnd() const { return at_ >= bytes_.size; }
  size_t at() const { return at_; }
  size_t left() const { return at_ < bytes_.size ? bytes_.size - at_ : 0; }

  [[noreturn]] void Fail() const {
    throw ResourceError(std::string(what_) + " resource is cut short at byte " +
                        std::to_string(at_));
  }
  [[noreturn]] void Fail(const std::string& why, size_t at) const {
    throw ResourceError("at byte " + std::to_string(at) + ", " + why);
  }

 private:
  ByteView bytes_;
  const char* what_;
  size_t at_ = 0;
};

std::string ClassOfOrdinal(uint16_t ordinal) {
  switch (ordinal) {
    case 0x80:
      return "BUTTON";
    case 0x81:
      return "EDIT";
    case 0x82:
      return "STATIC";
    case 0x83:
      return "LISTBOX";
    case 0x84:
      return "SCROLLBAR";
    case 0x85:
      return "COMBOBOX";
    default:
      return "#" + std::to_string(ordinal);
  }
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return text;
}

}  // namespace

DialogTemplate ParseDialogTemplate(ByteView bytes) {
  Reader in(bytes, "dialog");
  DialogTemplate dialog;
  dialog.style = in.U32();
  in.U32();  // extended style
  const uint16_t count = in.U16();
  dialog.x = in.I16();
  dialog.y = in.I16();
  dialog.width = in.I16();
  dialog.height = in.I16();
  // A palette has neither a menu bar nor a window class of its own; anything here means the
  // fields after it would be read from the wrong place.
  uint16_t ordinal = 0;
  size_t field = in.at();
  if (!in.NameOrOrdinal(&ordinal).empty() || ordinal != 0)
    in.Fail("the header names a menu bar, which a dialog here cannot have", field);
  field = in.at();
  if (!in.NameOrOrdinal(&ordinal).empty() || ordinal != 0)
    in.Fail("the header names a window class, which a dialog here cannot have", field);
  dialog.caption = in.Text();
  if (dialog.style & kSetFontStyle) {
    dialog.fontSize = in.U16();
    dialog.fontName = in.Text();
  }
  for (uint16_t i = 0; i < count; ++i) {
    in.AlignTo4();
    const size_t start = in.at();
    ItemTemplate item;
    item.style = in.U32();
    in.U32();  // extended style
    item.x = in.I16();
    item.y = in.I16();
    item.width = in.I16();
    item.height = in.I16();
    item.id = in.I16();
    uint16_t classOrdinal = 0;
    const std::string className = in.NameOrOrdinal(&classOrdinal);
    item.className = className.empty() ? ClassOfOrdinal(classOrdinal) : Upper(className);
    uint16_t titleOrdinal = 0;
    item.text = in.NameOrOrdinal(&titleOrdinal);
    const uint16_t extra = in.U16();
    for (uint16_t b = 0; b < extra; b += 2) in.U16();
    const std::string which = "item " + std::to_string(i + 1) + " of " + std::to_string(count);
    if (item.className.empty() || item.className[0] == '#')
      in.Fail(which + " has no window class the dialog manager knows", start);
    for (const ItemTemplate& earlier : dialog.items) {
      if (earlier.id == item.id)
        in.Fail(which + " repeats the id " + std::to_string(item.id), start);
    }
    dialog.items.push_back(std::move(item));
  }
  // The items end the resource, but for the padding to a four-byte boundary.
  if (in.left() >= 4) in.Fail(std::to_string(in.left()) + " bytes follow the last item", in.at());
  return dialog;
}

std::vector<MenuEntryTemplate> ParseMenuTemplate(ByteView bytes) {
  Reader in(bytes, "menu");
  in.U16();  // version
  const uint16_t headerSize = in.U16();
  for (uint16_t b = 0; b < headerSize; b += 2) in.U16();
  std::vector<MenuEntryTemplate> entries;
  // Entries of nested pop-ups are listed flat, in order; the depth only tells where each ends.
  int depth = 1;
  while (depth > 0) {
    const uint16_t flags = in.U16();
    MenuEntryTemplate entry;
    if (flags & kMenuPopupFlag) {
      entry.text = in.Text();
      ++depth;
    } else {
      entry.id = in.U16();
      entry.text = in.Text();
      entry.separator = (flags & kMenuSeparatorFlag) != 0 || (entry.id == 0 && entry.text.empty());
      entries.push_back(std::move(entry));
    }
    if (flags & kMenuEndFlag) --depth;
    if (depth > 0 && in.AtEnd()) in.Fail();
  }
  return entries;
}

DialogUnitScale ScaleForFont(uint16_t fontSize) {
  // A template may name any size; beyond these, rectangles would overflow their integers.
  const int pointSize = std::clamp<int>(fontSize, 1, 96);
  // At 96 pixels per inch: an 8-point font gives the familiar 6 by 13 pixel base units.
  const int height = (pointSize * 96 + 71) / 72 + 2;
  const int width = (height * 6 + 6) / 13;
  return DialogUnitScale{width > 0 ? width : 1, height > 0 ? height : 1};
}

}  // namespace tavrix::host

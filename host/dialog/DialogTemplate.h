// Dialog and menu resources as the resource compiler stores them: a dialog template with its
// items in dialog units, and a menu's entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ByteView.h"
#include "host/ResourceTable.h"

namespace tavrix::host {

struct ItemTemplate {
  uint32_t style = 0;
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  int32_t id = 0;
  std::string className;  // upper case; predefined classes by their names ("BUTTON", "EDIT")
  std::string text;
};

struct DialogTemplate {
  uint32_t style = 0;
  int16_t x = 0;
  int16_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  std::string caption;
  uint16_t fontSize = 0;
  std::string fontName;
  std::vector<ItemTemplate> items;
};

struct MenuEntryTemplate {
  int32_t id = 0;
  std::string text;
  bool separator = false;
};

// Both throw ResourceError naming what is malformed.
DialogTemplate ParseDialogTemplate(ByteView bytes);
std::vector<MenuEntryTemplate> ParseMenuTemplate(ByteView bytes);

// Dialog units to pixels for the template's font, as the window system converts them.
struct DialogUnitScale {
  int baseX;  // average character width in pixels
  int baseY;  // character height in pixels
  int32_t ToPixelsX(int32_t units) const { return units * baseX / 4; }
  int32_t ToPixelsY(int32_t units) const { return units * baseY / 8; }
};
DialogUnitScale ScaleForFont(uint16_t pointSize);

}  // namespace tavrix::host

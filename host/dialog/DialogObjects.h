// What the stand-in dialog manager keeps for each dialog, item, list and entry, and for the
// notifiers, trackers and drawers it hands to callbacks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/dialog/DialogTemplate.h"
#include "hostapi/ADMTypes.h"

namespace tavrix::host {

struct HostDialog;
struct HostItem;

enum class ItemKind {
  StaticText,
  EditField,
  CheckBox,
  Separator,
  Button,
  Spin,
  SpinText,
  Picture,
  List
};

struct HostEntry {
  int32_t id = 0;  // the menu number
  std::string text;
  bool enabled = true;
  bool checked = false;
  bool separator = false;
  uintptr_t serial = 0;  // what the plug-in holds for it, while the list keeps it
};

struct HostList {
  int32_t menuId = 0;
  std::vector<HostEntry> entries;  // stable addresses: filled once, never resized after
  int32_t activeIndex = -1;
};

struct DrawOperation {
  enum class Kind { Default, FillRect, FillPolygon, Line };
  Kind kind;
  int32_t color;
  int32_t mode;
  std::vector<ADMPoint> points;  // polygon points, or the line's two ends
  ADMRect rect;                  // the filled rectangle
};

struct HostDrawer {
  ADMRect bounds{};
  int32_t color = kADMBlackColor;
  int32_t mode = kADMNormalMode;
  AIPortRef port = 0;
  std::vector<DrawOperation> operations;
};

struct HostNotifier {
  std::string type;
  HostItem* item = nullptr;
};

struct HostTracker {
  int32_t action = 0;
  int32_t modifiers = 0;
  ADMPoint point{};
};

struct ItemCallbacks {
  ADMItemInitProc init = nullptr;
  ADMItemDrawProc draw = nullptr;
  ADMItemTrackProc track = nullptr;
  ADMItemNotifyProc notify = nullptr;
  ADMItemDestroyProc destroy = nullptr;
  ADMItemTextToFloatProc textToFloat = nullptr;
  ADMItemFloatToTextProc floatToText = nullptr;
};

struct HostItem {
  HostDialog* dialog = nullptr;
  HostItem* parent = nullptr;  // for a spin's text part
  int32_t id = 0;
  ItemKind kind = ItemKind::StaticText;
  std::string className;
  uint32_t style = 0;
  ADMRect bounds{};
  std::string text;
  std::string tip;
  int32_t justify = kADMLeftJustify;
  int32_t units = kADMNoUnits;
  int32_t precision = 0;
  bool numeric = false;  // an edit field that holds a number, not free text
  bool visible = true;
  bool enabled = true;
  bool booleanValue = false;
  float floatValue = 0.0f;
  float minValue = -1.0e9f;
  float maxValue = 1.0e9f;
  float smallStep = 1.0f;
  float largeStep = 10.0f;
  ADMUserData userData = nullptr;
  ItemCallbacks callbacks;
  std::unique_ptr<HostItem> textPart;  // a spin's own text part, child number 3
  std::unique_ptr<HostList> list;      // a list item's entries
  bool destroying = false;
  bool destroyed = false;
  int drawCount = 0;
  std::vector<DrawOperation> lastDrawing;
  ADMRect lastDrawingBounds{};  // where the item was when drawn: it may have moved since
};

struct DialogCallbacks {
  ADMDialogInitProc init = nullptr;
  ADMDialogDrawProc draw = nullptr;
  ADMDialogTrackProc track = nullptr;
  ADMDialogNotifyProc notify = nullptr;
  ADMDialogDestroyProc destroy = nullptr;
};

struct HostDialog {
  SPPluginRef plugin = 0;
  std::string name;
  int32_t resourceId = 0;
  int32_t style = 0;
  std::string caption;
  ADMRect bounds{};
  // The base units of the template's font, which its items' rectangles were converted with: a
  // picture sizes its text to them.
  DialogUnitScale units{6, 13};
  bool visible = false;
  bool collapsed = false;
  bool initializing = false;
  ASErr initResult = kNoErr;       // what the init callback answered
  bool pendingShowNotice = false;  // visibility changed during init; told once init is done
  ADMUserData userData = nullptr;
  DialogCallbacks callbacks;
  std::vector<std::unique_ptr<HostItem>> items;
  std::unique_ptr<HostItem> flyout;  // item -5 of a floating palette
  std::string groupName;
  int32_t groupPosition = 0;
  bool modal = false;
  bool modalEnded = false;
  int32_t modalResult = 0;
  bool destroying = false;
  bool destroyed = false;
};

inline bool IsFloatingStyle(int32_t style) {
  return style == kADMFloatingDialogStyle || style == kADMTabbedFloatingDialogStyle;
}

}  // namespace tavrix::host

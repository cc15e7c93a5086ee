// The palette's options, sections and window place, kept in the host's preference store: read
// once while the palette is set up, written once when the host shuts the plug-in down.
#include "core/SuiteTable.h"
#include "palette/PaletteItems.h"
#include "palette/VPointDBox.h"

namespace tavrix {
namespace {

constexpr char kPrefix[] = "Tavrix";
constexpr AIPoint kDefaultLocation{150, 300};

// A missing key leaves the value as it was: the default.
void ReadFlag(const char* key, int32_t& flag) {
  AIBoolean value = flag != 0;
  AIPreference().GetBooleanPreference(kPrefix, key, &value);
  flag = value != 0;
}

void WriteFlag(const char* key, int32_t flag) {
  AIPreference().PutBooleanPreference(kPrefix, key, flag != 0 ? 1 : 0);
}

}  // namespace

bool VPointDBox::ReadPreferences() {
  ReadFlag("ShowPointData", showPointData);
  ReadFlag("ShowInOutData", showInOutData);
  ReadFlag("ShowPathData", showPathData);
  int32_t mode = inOutMode;
  AIPreference().GetIntegerPreference(kPrefix, "InOutPath", &mode);
  // A mode the palette has no display for would leave every handle field unexplained.
  if (mode >= kAbsoluteMode && mode <= kPolarMode) inOutMode = mode;
  AIPreference().GetIntegerPreference(kPrefix, "Precision", &precision);
  ReadFlag("ShowCornerCBox", showCornerCheckbox);
  ReadFlag("AutoChangeCornerFlag", autoChangeCornerFlag);
  ReadFlag("AutoSetLockAngle", autoSetLockAngle);
  ReadFlag("ShowPathDirection", showPathDirection);

  int32_t visible = 0;
  ReadFlag("DialogVisible", visible);
  AIPoint location = kDefaultLocation;
  AIPreference().GetPointPreference(kPrefix, "DialogLocation", &location);
  ADMDialog().Move(dialog, location.h, location.v);
  if (visible) {
    char group[kAIPreferenceStringSize] = "";
    int32_t code = 0;
    AIPreference().GetStringPreference(kPrefix, "DialogDockingGroup", group);
    AIPreference().GetIntegerPreference(kPrefix, "DialogDockingCode", &code);
    ADMDialogGroup().SetDialogGroupInfo(dialog, group, code);
  }
  return visible != 0;
}

void VPointDBox::WritePreferences() {
  WriteFlag("ShowPointData", showPointData);
  WriteFlag("ShowPathData", showPathData);
  WriteFlag("ShowInOutData", showInOutData);
  AIPreference().PutIntegerPreference(kPrefix, "InOutPath", inOutMode);
  AIPreference().PutIntegerPreference(kPrefix, "Precision", precision);
  WriteFlag("ShowCornerCBox", showCornerCheckbox);
  WriteFlag("AutoChangeCornerFlag", autoChangeCornerFlag);
  WriteFlag("AutoSetLockAngle", autoSetLockAngle);
  WriteFlag("ShowPathDirection", showPathDirection);

  WriteFlag("DialogVisible", ADMDialog().IsVisible(dialog));
  ADMRect bounds{};
  ADMDialog().GetBoundsRect(dialog, &bounds);
  const AIPoint location{bounds.left, bounds.top};
  AIPreference().PutPointPreference(kPrefix, "DialogLocation", location);
  char group[kADMDialogGroupNameSize] = "";
  int32_t code = 0;
  ADMDialogGroup().GetDialogGroupInfo(dialog, group, &code);
  AIPreference().PutStringPreference(kPrefix, "DialogDockingGroup", group);
  AIPreference().PutIntegerPreference(kPrefix, "DialogDockingCode", code);
}

}  // namespace tavrix

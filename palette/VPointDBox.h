// The point palette: one floating dialog that shows and edits one anchor point of the selected
// path. Its code is split by concern: object and Init, layout and window, selection, value
// display, path data, item dispatch, point editing, arrow buttons, flyout menu.
#pragma once

#include "adm/KADMBaseDialog.h"
#include "adm/KADMDisclosureTriangle.h"
#include "adm/KADMPopup.h"
#include "adm/KADMSpin.h"
#include "adm/KADMTextEditField.h"
#include "adm/KADMWidget.h"
#include "geometry/VectorMath.h"
#include "palette/ArtHandleArray.h"

namespace tavrix {

class VPointDBox : public KADMBaseDialog {
 public:
  // Creates the palette's dialog; Init runs inside.
  explicit VPointDBox(SPPluginRef plugin);
  ~VPointDBox() override;

  // What the plug-in's shell and the dialog framework ask of the palette; the rest of its state
  // is its own.
  ASErr Init() override;
  // Whether the dialog exists and its Init ran to the end: a palette that is not must never be
  // shown.
  bool IsReady() const { return dialog != nullptr && initialised; }
  // Show, hide, expand and collapse of the palette window.
  void Notify(ADMNotifierRef notifier) override;
  void ItemChanged(int32_t itemId) override;
  void ItemCommandClicked(int32_t itemId) override;
  // The menu item: shows or hides the palette.
  void ToggleVisibility();
  // The selection notifier.
  ASErr UpdateFromSelection();
  // The preference notifier: units, keyboard increment, and the display in them.
  void ApplyModeAndUnits();
  // An annotation pass (show) or the marks' removal (not show).
  void UpdateDirectionMarks(bool show);
  // At shutdown.
  void WritePreferences();

 private:
  // Layout and window.
  void LayoutSections();
  void SetSelectionNotifiersActive(bool active);
  void ToggleSection(int32_t& sectionFlag);
  // Selection.
  void LoadCurrentPoint();
  void RefreshMenuState();
  // Shows no point: after a selection that cannot be read.
  void ForgetCurrentPoint();
  // The same, when reading failed part way: never throws, so that the first failure is reported.
  void DropCurrentPoint() noexcept;
  // The count, selection states, closed flag and current anchor of `currentPath`.
  void ReadCurrentPath();
  bool HasCurrentPoint() const { return currentPath != 0 && currentPointIndex != -1; }
  // Value display.
  ASErr RefreshDisplay();
  void RefreshToolTips();
  void ShowPointValues();
  void BlankPointValues();
  void ShowPolarHandle(bool isIn, KADMTextEditField* lengthField, KADMTextEditField* directionField,
                       KADMSpin* directionSpin);
  float RetractedHandleAngle(bool isIn);
  // Shows the Corner and Lock angle boxes where they apply; answers whether Corner is shown.
  bool ShowOptionBoxes();
  std::string ToolTip(int32_t entry) const;
  std::string ValueText(float value, int32_t units, bool appendUnit) const;
  std::string LoadPaletteString(int32_t index) const;
  // Path data.
  void RefreshPathData();
  // Item dispatch.
  void DispatchEdit(int32_t itemId);
  // The coordinate or handle arrow button with that id.
  KADMSpin* ArrowOf(int32_t itemId) const;
  void RecoverFromFailedEdit() noexcept;
  // Editing: writes the working copy back as one anchor and names the change for undo.
  void CommitCurrentPoint();
  void SetCurrentPoint(int32_t index);
  void ReadCurrentSegment();
  bool ReadFieldValue(const KADMTextEditField* field, int32_t units, float& value);
  void TypeCoordinate(int32_t itemId);
  void TypeHandleValue(int32_t itemId);
  void TypePolarLength(bool isIn, float length);
  void TypePolarAngle(bool isIn, float degrees);
  void CommandClickHandle(int32_t itemId);
  // The polar form of the In or Out handle; with the fallback, a retracted handle takes the
  // direction of the curve at the anchor.
  PolarForm HandlePolar(bool isIn, bool withFallback);
  RealPoint& Handle(bool isIn) { return isIn ? inOffset : outOffset; }
  // The handle at that length along its own direction; a negative length retracts it.
  void SetHandleLength(bool isIn, const PolarForm& handle, float length);
  // The handle to that angle, `delta` from where it was; with Lock angle on the opposite handle
  // turns by the same amount (the Out handle with its fallback, the In handle plain).
  void TurnHandle(bool isIn, const PolarForm& handle, float angle, float delta);
  // Arrow buttons: 10 with Shift held, 0.1 with Ctrl held, else 1.
  float ModifierFactor();
  void StepArrow(int32_t itemId, KADMSpin* spin);
  void StepPointArrow();
  void ResetArrows() noexcept;
  // Flyout menu.
  void ChooseFlyoutEntry(int32_t number);
  void ApplyPrecisionToFields();
  // The decimals a coordinate field keeps of typed text: never fewer than the default three.
  static constexpr int32_t kTypedPrecision = 3;
  int32_t FieldPrecision() const;
  // The path-direction marks.
  void EraseDirectionMarks();
  // Preferences: read in Init. Reading moves and docks the window and answers whether it was
  // visible.
  bool ReadPreferences();
  // Set-up.
  ADMItemRef NeededItem(int32_t itemId) const;
  void CreateCoordinatePair(KADMTextEditField*& field, int32_t fieldId, KADMSpin*& spin,
                            int32_t spinId);

  bool initialised = false;

  // Options, kept as preferences.
  int32_t showPointData;
  int32_t showInOutData;
  int32_t showPathData;
  int32_t inOutMode;
  int32_t precision;
  int32_t showCornerCheckbox;
  int32_t autoChangeCornerFlag;
  int32_t autoSetLockAngle;
  int32_t showPathDirection;
  int32_t lockAngle;

  // The shown point: where it is, and its working copy.
  ArtHandleArray selectedPaths;
  AIArtHandle currentPath;
  int32_t pathClosed;
  int16_t segmentCount;
  int32_t currentPointIndex;
  RealPoint anchor;
  RealPoint inOffset;
  RealPoint outOffset;
  int32_t cornerFlag;
  // The document's units and keyboard increment, as last read.
  int32_t rulerUnits;
  double keyboardIncrement;

  // The direction marks last drawn.
  RealPoint forwardMarkPoint;
  RealPoint backwardMarkPoint;
  // Whether marks drawn for an earlier current point may still be on the artwork.
  bool marksShown = false;

  // Item wrappers, owned by their items; section by section.
  KADMDisclosureTriangle* pointSectionTriangle = nullptr;
  KADMWidget* pointSectionLabel = nullptr;
  KADMWidget* pointXLabel = nullptr;
  KADMWidget* pointYLabel = nullptr;
  KADMWidget* pointIndexLabel = nullptr;
  KADMSpin* pointXSpin = nullptr;
  KADMTextEditField* pointXField = nullptr;
  KADMSpin* pointYSpin = nullptr;
  KADMTextEditField* pointYField = nullptr;
  KADMSpin* pointIndexSpin = nullptr;
  KADMTextEditField* pointIndexField = nullptr;

  KADMWidget* inOutDivider = nullptr;
  KADMDisclosureTriangle* inOutSectionTriangle = nullptr;
  KADMWidget* inOutSectionLabel = nullptr;
  KADMWidget* inOutXLabel = nullptr;
  KADMWidget* inOutYLabel = nullptr;
  KADMWidget* inLabel = nullptr;
  KADMWidget* outLabel = nullptr;
  KADMSpin* inXSpin = nullptr;
  KADMTextEditField* inXField = nullptr;
  KADMSpin* inYSpin = nullptr;
  KADMTextEditField* inYField = nullptr;
  KADMSpin* outXSpin = nullptr;
  KADMTextEditField* outXField = nullptr;
  KADMSpin* outYSpin = nullptr;
  KADMTextEditField* outYField = nullptr;
  KADMWidget* cornerCheckbox = nullptr;
  KADMWidget* cornerLabel = nullptr;
  KADMWidget* lockAngleCheckbox = nullptr;
  KADMWidget* lockAngleLabel = nullptr;

  KADMWidget* pathDivider = nullptr;
  KADMDisclosureTriangle* pathSectionTriangle = nullptr;
  KADMWidget* pathSectionLabel = nullptr;
  KADMWidget* pathPointsLabel = nullptr;
  KADMWidget* pathLengthLabel = nullptr;
  KADMWidget* pathAreaLabel = nullptr;
  KADMWidget* xBoundsLabel = nullptr;
  KADMWidget* yBoundsLabel = nullptr;
  KADMWidget* keyboardIncrementLabel = nullptr;
  KADMWidget* pathPointsValue = nullptr;
  KADMWidget* pathLengthValue = nullptr;
  KADMWidget* pathAreaValue = nullptr;
  KADMWidget* xBoundsValue = nullptr;
  KADMWidget* yBoundsValue = nullptr;
  KADMWidget* keyboardIncrementValue = nullptr;

  KADMPopup* flyoutMenu = nullptr;
};

}  // namespace tavrix

// The application's suites that serve the artwork: documents, art, paths, preferences, undo.
#pragma once

#include "HostTypes.h"

// The art types and attributes a matching-art query names.
inline constexpr int16_t kAIPathArtType = 2;
inline constexpr int32_t kAIArtSelectedAttribute = 1;

struct AIMatchingArtCriterion {
  int16_t type;
  int32_t whichAttributes;  // the attributes that must have the values below
  int32_t attributes;
};

// Rectangles of the artwork, in points, v growing upwards: top is the larger v.
struct AIRealRect {
  float left;
  float top;
  float right;
  float bottom;
};

// Bounds options.
inline constexpr int32_t kAIBoundsWithoutStroke = 2;

// Document ruler units, as the host numbers them.
inline constexpr int16_t kAIPointRulerUnits = 0;
inline constexpr int16_t kAIInchRulerUnits = 1;
inline constexpr int16_t kAICentimeterRulerUnits = 2;
inline constexpr int16_t kAIPicaRulerUnits = 4;
inline constexpr int16_t kAIMillimeterRulerUnits = 5;
inline constexpr int16_t kAIPixelRulerUnits = 6;
inline constexpr int16_t kAIQRulerUnits = 7;

// Selection state of one anchor: 0 none, 1 the anchor point itself; other values are given
// when only a direction handle of the anchor is selected.
inline constexpr int16_t kAINotSelected = 0;
inline constexpr int16_t kAIAnchorSelected = 1;
inline constexpr int16_t kAIInHandleSelected = 2;
inline constexpr int16_t kAIOutHandleSelected = 3;

struct AIArtSuite {
  // The bounds of the art's geometry; `transform` may be null (none). options
  // kAIBoundsWithoutStroke: the curves alone, without the stroke's width.
  ASErr (*GetArtBounds)(AIArtHandle art, const void* transform, int32_t options,
                        AIRealRect* bounds);
};
inline constexpr char kAIArtSuite[] = "AI Art Suite";
inline constexpr int32_t kAIArtSuiteVersion = 9;

struct AIDocumentSuite {
  // The current document's ruler units; an error when there is no document.
  ASErr (*GetDocumentRulerUnits)(int16_t* units);
};
inline constexpr char kAIDocumentSuite[] = "AI Document Suite";
inline constexpr int32_t kAIDocumentSuiteVersion = 7;

// Two 32-bit integers, horizontal then vertical: a view pixel, or a point preference.
struct AIPoint {
  int32_t h;
  int32_t v;
};

// A rectangle of view pixels: v grows downwards, so top is the smaller v.
struct AIRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct AIDocumentViewSuite {
  // The document's view number n (0: the one in front); an error when there is no document.
  ASErr (*GetNthDocumentView)(int32_t n, AIDocumentViewHandle* view);
  // The view pixel that shows an artwork point, rounded to the nearest pixel.
  ASErr (*ArtworkPointToViewPoint)(AIDocumentViewHandle view, const RealPoint* artworkPoint,
                                   AIPoint* viewPoint);
};
inline constexpr char kAIDocumentViewSuite[] = "AI Document View Suite";
inline constexpr int32_t kAIDocumentViewSuiteVersion = 7;

struct AIGroupSuite {};
inline constexpr char kAIGroupSuite[] = "AI Group Suite";
inline constexpr int32_t kAIGroupSuiteVersion = 2;

struct AILayerSuite {};
inline constexpr char kAILayerSuite[] = "AI Layer Suite";
inline constexpr int32_t kAILayerSuiteVersion = 9;

struct AIMatchingArtSuite {
  // Every art object of the current document that matches any of the criteria, in the
  // document's order. *matches is a host memory handle: the address of the host's pointer to
  // the array, so (**matches)[i] is the i-th art object. The caller releases it through MdMemory.
  ASErr (*GetMatchingArt)(const AIMatchingArtCriterion* criteria, int16_t numCriteria,
                          AIArtHandle*** matches, int32_t* numMatches);
};
inline constexpr char kAIMatchingArtSuite[] = "AI Matching Art Suite";
inline constexpr int32_t kAIMatchingArtSuiteVersion = 4;

struct AIMdMemorySuite {
  ASErr (*MdMemoryDisposeHandle)(void* handle);
};
inline constexpr char kAIMdMemorySuite[] = "AI MdMemory Suite";
inline constexpr int32_t kAIMdMemorySuiteVersion = 1;

struct AIPathSuite {
  ASErr (*GetPathSegmentCount)(AIArtHandle path, int16_t* count);
  ASErr (*GetPathSegments)(AIArtHandle path, int16_t index, int16_t count, PathSegment* segments);
  ASErr (*SetPathSegments)(AIArtHandle path, int16_t index, int16_t count,
                           const PathSegment* segments);
  ASErr (*GetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t* selected);
  ASErr (*SetPathSegmentSelected)(AIArtHandle path, int16_t index, int16_t selected);
  ASErr (*GetPathClosed)(AIArtHandle path, AIBoolean* closed);
  // The length of the flattened path; flatness is the largest distance allowed between the
  // curve and its flattening.
  ASErr (*GetPathLength)(AIArtHandle path, float* length, float flatness);
  // Signed: positive when the path runs counter-clockwise (v up). An open path is closed by a
  // straight line from its last anchor to its first.
  ASErr (*GetPathArea)(AIArtHandle path, float* area);
};
inline constexpr char kAIPathSuite[] = "AI Path Suite";
inline constexpr int32_t kAIPathSuiteVersion = 4;

struct AIPathStyleSuite {};
inline constexpr char kAIPathStyleSuite[] = "AI Path Style Suite";
inline constexpr int32_t kAIPathStyleSuiteVersion = 5;

struct AIPreferenceSuite {
  // A preference by prefix (null: the application's own) and suffix. A get answers an error and
  // leaves the value untouched when the preference is unset or was put as another type.
  ASErr (*GetRealPreference)(const char* prefix, const char* suffix, double* value);
  ASErr (*PutRealPreference)(const char* prefix, const char* suffix, double value);
  ASErr (*GetIntegerPreference)(const char* prefix, const char* suffix, int32_t* value);
  ASErr (*PutIntegerPreference)(const char* prefix, const char* suffix, int32_t value);
  ASErr (*GetBooleanPreference)(const char* prefix, const char* suffix, AIBoolean* value);
  ASErr (*PutBooleanPreference)(const char* prefix, const char* suffix, AIBoolean value);
  ASErr (*GetPointPreference)(const char* prefix, const char* suffix, AIPoint* value);
  ASErr (*PutPointPreference)(const char* prefix, const char* suffix, AIPoint value);
  // The text is copied into the caller's buffer of kAIPreferenceStringSize bytes, cut to fit it
  // with its NUL, never past a character.
  ASErr (*GetStringPreference)(const char* prefix, const char* suffix, char* value);
  ASErr (*PutStringPreference)(const char* prefix, const char* suffix, const char* value);
};

// The bytes a string preference is read into, its terminating NUL included.
inline constexpr int32_t kAIPreferenceStringSize = 32;
// The application's keyboard increment, in points.
inline constexpr char kAICursorKeyLengthPreference[] = "cursorKeyLength";
inline constexpr double kDefaultKeyboardIncrement = 1.0;
inline constexpr char kAIPreferenceSuite[] = "AI Preference Suite";
inline constexpr int32_t kAIPreferenceSuiteVersion = 2;

struct AIRandomSuite {};
inline constexpr char kAIRandomSuite[] = "AI Random Suite";
inline constexpr int32_t kAIRandomSuiteVersion = 3;

struct AIRealMathSuite {};
inline constexpr char kAIRealMathSuite[] = "AI Real Math Suite";
inline constexpr int32_t kAIRealMathSuiteVersion = 1;

struct AITagSuite {};
inline constexpr char kAITagSuite[] = "AI Tag Suite";
inline constexpr int32_t kAITagSuiteVersion = 2;

struct AITransformArtSuite {};
inline constexpr char kAITransformArtSuite[] = "AI Transform Art Suite";
inline constexpr int32_t kAITransformArtSuiteVersion = 1;

struct AIUndoSuite {
  // Names the change made during the current call into the plug-in in the Edit menu: the
  // texts of its Undo and Redo commands. Either may be null (the host's own word is kept).
  ASErr (*SetUndoText)(const char* undoText, const char* redoText);
};
inline constexpr char kAIUndoSuite[] = "AI Undo Suite";
inline constexpr int32_t kAIUndoSuiteVersion = 4;

// Every host operation the plug-in calls, pinned to its form: argument order, widths and arity,
// and the message records' offsets for a 32-bit and a 64-bit host. Compiled, never run: a
// change that drifts from the host's tables fails the build. Uses nothing beyond what a
// freestanding compiler provides, so that it compiles for every target the plug-in is built for.
#include "hostapi/HostApi.h"

namespace {

template <class A, class B>
struct Same {
  static constexpr bool value = false;
};
template <class A>
struct Same<A, A> {
  static constexpr bool value = true;
};

}  // namespace

#define PIN(Suite, Operation, ...)                                    \
  static_assert(Same<decltype(Suite::Operation), __VA_ARGS__>::value, \
                #Suite "::" #Operation " has the host's form")

// Widths the host's tables fix.
static_assert(sizeof(ASErr) == 4, "errors are 32-bit");
static_assert(sizeof(AIBoolean) == 4, "the path's closed flag and boolean preferences are 32-bit");
static_assert(sizeof(AIArtHandle) == 4 && sizeof(SPPluginRef) == 4, "references kept as 32 bits");
static_assert(sizeof(RealPoint) == 8 && sizeof(PathSegment) == 28,
              "two floats; three points and a word");
static_assert(sizeof(AIPoint) == 8 && sizeof(ADMRect) == 16, "two and four 32-bit integers");
static_assert(kADMValueTextLength == 63, "number to text writes into 63 characters");
static_assert(kAIPreferenceStringSize == 32 && kADMDialogGroupNameSize == 32,
              "the docking group is read into 32 bytes");

// SP Basic, carried by every message.
PIN(SPBasicSuite, AcquireSuite, ASErr (*)(const char*, int32_t, const void**));
PIN(SPBasicSuite, ReleaseSuite, ASErr (*)(const char*, int32_t));
PIN(SPBasicSuite, IsEqual, ASBoolean (*)(const char*, const char*));
PIN(SPAccessSuite, GetPluginAccess, ASErr (*)(SPPluginRef, SPAccessRef*));

// The plug-in shell.
PIN(AIBlockSuite, AllocateBlock, ASErr (*)(size_t, void**));
PIN(AIBlockSuite, DisposeBlock, ASErr (*)(void*));
PIN(AINotifierSuite, AddNotifier,
    ASErr (*)(SPPluginRef, const char*, const char*, AINotifierHandle*));
PIN(AINotifierSuite, SetNotifierActive, ASErr (*)(AINotifierHandle, ASBoolean));
PIN(AIAnnotatorSuite, AddAnnotator, ASErr (*)(SPPluginRef, const char*, AIAnnotatorHandle*));
PIN(AIAnnotatorSuite, SetAnnotatorActive, ASErr (*)(AIAnnotatorHandle, ASBoolean));
PIN(AIAnnotatorSuite, InvalAnnotationRect, ASErr (*)(AIDocumentViewHandle, const AIRect*));
PIN(AIMenuSuite, AddMenuItem,
    ASErr (*)(SPPluginRef, const char*, const AIAddMenuItemData*, int32_t, AIMenuItemHandle*));
PIN(AIMenuSuite, CheckItem, ASErr (*)(AIMenuItemHandle, ASBoolean));

// Preferences: gets take the address, puts the value; a boolean is a 32-bit flag.
PIN(AIPreferenceSuite, GetBooleanPreference, ASErr (*)(const char*, const char*, AIBoolean*));
PIN(AIPreferenceSuite, PutBooleanPreference, ASErr (*)(const char*, const char*, AIBoolean));
PIN(AIPreferenceSuite, GetIntegerPreference, ASErr (*)(const char*, const char*, int32_t*));
PIN(AIPreferenceSuite, PutIntegerPreference, ASErr (*)(const char*, const char*, int32_t));
PIN(AIPreferenceSuite, GetRealPreference, ASErr (*)(const char*, const char*, double*));
PIN(AIPreferenceSuite, GetPointPreference, ASErr (*)(const char*, const char*, AIPoint*));
PIN(AIPreferenceSuite, PutPointPreference, ASErr (*)(const char*, const char*, AIPoint));
PIN(AIPreferenceSuite, GetStringPreference, ASErr (*)(const char*, const char*, char*));
PIN(AIPreferenceSuite, PutStringPreference, ASErr (*)(const char*, const char*, const char*));

// The artwork.
PIN(AIMatchingArtSuite, GetMatchingArt,
    ASErr (*)(const AIMatchingArtCriterion*, int16_t, AIArtHandle***, int32_t*));
PIN(AIMdMemorySuite, MdMemoryDisposeHandle, ASErr (*)(void*));
PIN(AIPathSuite, GetPathSegmentCount, ASErr (*)(AIArtHandle, int16_t*));
PIN(AIPathSuite, GetPathSegments, ASErr (*)(AIArtHandle, int16_t, int16_t, PathSegment*));
PIN(AIPathSuite, SetPathSegments, ASErr (*)(AIArtHandle, int16_t, int16_t, const PathSegment*));
PIN(AIPathSuite, GetPathSegmentSelected, ASErr (*)(AIArtHandle, int16_t, int16_t*));
PIN(AIPathSuite, SetPathSegmentSelected, ASErr (*)(AIArtHandle, int16_t, int16_t));
PIN(AIPathSuite, GetPathClosed, ASErr (*)(AIArtHandle, AIBoolean*));
PIN(AIPathSuite, GetPathLength, ASErr (*)(AIArtHandle, float*, float));
PIN(AIPathSuite, GetPathArea, ASErr (*)(AIArtHandle, float*));
PIN(AIArtSuite, GetArtBounds, ASErr (*)(AIArtHandle, const void*, int32_t, AIRealRect*));
PIN(AIDocumentSuite, GetDocumentRulerUnits, ASErr (*)(int16_t*));
PIN(AIDocumentViewSuite, GetNthDocumentView, ASErr (*)(int32_t, AIDocumentViewHandle*));
PIN(AIDocumentViewSuite, ArtworkPointToViewPoint,
    ASErr (*)(AIDocumentViewHandle, const RealPoint*, AIPoint*));
PIN(AIUndoSuite, SetUndoText, ASErr (*)(const char*, const char*));

// The dialog manager.
PIN(ADMBasicSuite, GetIndexString, ASErr (*)(SPPluginRef, int32_t, int32_t, char*, int32_t));
PIN(ADMBasicSuite, ErrorAlert, void (*)(const char*));
PIN(ADMBasicSuite, AboutBox, void (*)(SPPluginRef, const char*, const char*));
PIN(ADMBasicSuite, ValueToText, void (*)(float, char*, int32_t, int32_t, ASBoolean));
PIN(ADMBasicSuite, TextToValue, ASBoolean (*)(const char*, float*, int32_t));
PIN(ADMBasicSuite, GetConcreteUnits, int32_t (*)(int32_t));

PIN(ADMDialogSuite, Create,
    ADMDialogRef (*)(SPPluginRef, const char*, int32_t, int32_t, ADMDialogInitProc, ADMUserData));
PIN(ADMDialogSuite, Modal,
    int32_t (*)(SPPluginRef, const char*, int32_t, int32_t, ADMDialogInitProc, ADMUserData));
PIN(ADMDialogSuite, Destroy, void (*)(ADMDialogRef));
PIN(ADMDialogSuite, SetDrawProc, void (*)(ADMDialogRef, ADMDialogDrawProc));
PIN(ADMDialogSuite, SetTrackProc, void (*)(ADMDialogRef, ADMDialogTrackProc));
PIN(ADMDialogSuite, SetNotifyProc, void (*)(ADMDialogRef, ADMDialogNotifyProc));
PIN(ADMDialogSuite, SetDestroyProc, void (*)(ADMDialogRef, ADMDialogDestroyProc));
PIN(ADMDialogSuite, DefaultDraw, void (*)(ADMDialogRef, ADMDrawerRef));
PIN(ADMDialogSuite, DefaultTrack, ASBoolean (*)(ADMDialogRef, ADMTrackerRef));
PIN(ADMDialogSuite, DefaultNotify, void (*)(ADMDialogRef, ADMNotifierRef));
PIN(ADMDialogSuite, SetUserData, void (*)(ADMDialogRef, ADMUserData));
PIN(ADMDialogSuite, GetUserData, ADMUserData (*)(ADMDialogRef));
PIN(ADMDialogSuite, GetPluginRef, SPPluginRef (*)(ADMDialogRef));
PIN(ADMDialogSuite, Show, void (*)(ADMDialogRef, ASBoolean));
PIN(ADMDialogSuite, IsVisible, ASBoolean (*)(ADMDialogRef));
PIN(ADMDialogSuite, GetBoundsRect, void (*)(ADMDialogRef, ADMRect*));
PIN(ADMDialogSuite, SetBoundsRect, void (*)(ADMDialogRef, const ADMRect*));
PIN(ADMDialogSuite, Move, void (*)(ADMDialogRef, int32_t, int32_t));
PIN(ADMDialogSuite, GetItem, ADMItemRef (*)(ADMDialogRef, int32_t));
PIN(ADMDialogGroupSuite, GetDialogGroupInfo, ASErr (*)(ADMDialogRef, char*, int32_t*));
PIN(ADMDialogGroupSuite, SetDialogGroupInfo, ASErr (*)(ADMDialogRef, const char*, int32_t));

PIN(ADMDrawerSuite, GetBoundsRect, void (*)(ADMDrawerRef, ADMRect*));
PIN(ADMDrawerSuite, SetADMColor, void (*)(ADMDrawerRef, int32_t));
PIN(ADMDrawerSuite, SetDrawMode, void (*)(ADMDrawerRef, int32_t));
PIN(ADMDrawerSuite, DrawLine, void (*)(ADMDrawerRef, const ADMPoint*, const ADMPoint*));
PIN(ADMDrawerSuite, FillPolygon, void (*)(ADMDrawerRef, const ADMPoint*, int32_t));
PIN(ADMDrawerSuite, FillRect, void (*)(ADMDrawerRef, const ADMRect*));
PIN(ADMDrawerSuite, Create, ADMDrawerRef (*)(AIPortRef, const ADMRect*, int32_t));
PIN(ADMDrawerSuite, Release, void (*)(ADMDrawerRef));

PIN(ADMEntrySuite, GetIndex, int32_t (*)(ADMEntryRef));
PIN(ADMEntrySuite, Enable, void (*)(ADMEntryRef, ASBoolean));
PIN(ADMEntrySuite, Check, void (*)(ADMEntryRef, ASBoolean));
PIN(ADMListSuite, SetMenuID, void (*)(ADMListRef, int32_t));
PIN(ADMListSuite, GetEntry, ADMEntryRef (*)(ADMListRef, int32_t));
PIN(ADMListSuite, GetActiveEntry, ADMEntryRef (*)(ADMListRef));
PIN(ADMNotifierSuite, IsNotifierType, ASBoolean (*)(ADMNotifierRef, const char*));
PIN(ADMTrackerSuite, TestAction, ASBoolean (*)(ADMTrackerRef, int32_t));
PIN(ADMTrackerSuite, TestModifier, ASBoolean (*)(ADMTrackerRef, int32_t));

PIN(ADMItemSuite, Create,
    ADMItemRef (*)(ADMDialogRef, int32_t, const char*, const ADMRect*, ADMItemInitProc,
                   ADMUserData));
PIN(ADMItemSuite, Destroy, void (*)(ADMItemRef));
PIN(ADMItemSuite, SetDrawProc, void (*)(ADMItemRef, ADMItemDrawProc));
PIN(ADMItemSuite, SetTrackProc, void (*)(ADMItemRef, ADMItemTrackProc));
PIN(ADMItemSuite, SetNotifyProc, void (*)(ADMItemRef, ADMItemNotifyProc));
PIN(ADMItemSuite, SetDestroyProc, void (*)(ADMItemRef, ADMItemDestroyProc));
PIN(ADMItemSuite, SetTextToFloatProc, void (*)(ADMItemRef, ADMItemTextToFloatProc));
PIN(ADMItemSuite, SetFloatToTextProc, void (*)(ADMItemRef, ADMItemFloatToTextProc));
PIN(ADMItemSuite, DefaultDraw, void (*)(ADMItemRef, ADMDrawerRef));
PIN(ADMItemSuite, DefaultTrack, ASBoolean (*)(ADMItemRef, ADMTrackerRef));
PIN(ADMItemSuite, DefaultNotify, void (*)(ADMItemRef, ADMNotifierRef));
PIN(ADMItemSuite, DefaultTextToFloat, ASBoolean (*)(ADMItemRef, const char*, float*));
PIN(ADMItemSuite, DefaultFloatToText, ASBoolean (*)(ADMItemRef, float, char*, int32_t));
PIN(ADMItemSuite, SetUserData, void (*)(ADMItemRef, ADMUserData));
PIN(ADMItemSuite, GetUserData, ADMUserData (*)(ADMItemRef));
PIN(ADMItemSuite, GetID, int32_t (*)(ADMItemRef));
PIN(ADMItemSuite, GetList, ADMListRef (*)(ADMItemRef));
PIN(ADMItemSuite, GetChildItem, ADMItemRef (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, Show, void (*)(ADMItemRef, ASBoolean));
PIN(ADMItemSuite, IsVisible, ASBoolean (*)(ADMItemRef));
PIN(ADMItemSuite, Enable, void (*)(ADMItemRef, ASBoolean));
PIN(ADMItemSuite, Move, void (*)(ADMItemRef, int32_t, int32_t));
PIN(ADMItemSuite, Invalidate, void (*)(ADMItemRef));
PIN(ADMItemSuite, SetTipString, void (*)(ADMItemRef, const char*));
PIN(ADMItemSuite, SetText, void (*)(ADMItemRef, const char*));
PIN(ADMItemSuite, GetText, void (*)(ADMItemRef, char*, int32_t));
PIN(ADMItemSuite, SetJustify, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, SetUnits, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, SetPrecision, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, SetBooleanValue, void (*)(ADMItemRef, ASBoolean));
PIN(ADMItemSuite, GetBooleanValue, ASBoolean (*)(ADMItemRef));
PIN(ADMItemSuite, SetIntValue, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, GetIntValue, int32_t (*)(ADMItemRef));
PIN(ADMItemSuite, SetFloatValue, void (*)(ADMItemRef, float));
PIN(ADMItemSuite, GetFloatValue, float (*)(ADMItemRef));
PIN(ADMItemSuite, SetMinIntValue, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, SetMaxIntValue, void (*)(ADMItemRef, int32_t));
PIN(ADMItemSuite, SetMinFloatValue, void (*)(ADMItemRef, float));
PIN(ADMItemSuite, SetSmallIncrement, void (*)(ADMItemRef, float));
PIN(ADMItemSuite, SetLargeIncrement, void (*)(ADMItemRef, float));

// The message records: the host's documented 32-bit layout, and the stand-in host's 64-bit one.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(SPMessageData, self) == 4 && offsetof(SPMessageData, globals) == 8 &&
                  offsetof(SPMessageData, basic) == 12 && sizeof(SPMessageData) == 16,
              "message header, 32-bit");
static_assert(offsetof(AIMenuMessage, menuItem) == 16 && sizeof(AIMenuMessage) == 20,
              "menu message, 32-bit");
static_assert(offsetof(AINotifierMessage, notifier) == 16 &&
                  offsetof(AINotifierMessage, type) == 20 &&
                  offsetof(AINotifierMessage, notifyData) == 24 && sizeof(AINotifierMessage) == 28,
              "notifier message, 32-bit");
static_assert(offsetof(AIAnnotatorMessage, annotator) == 16 &&
                  offsetof(AIAnnotatorMessage, view) == 20 &&
                  offsetof(AIAnnotatorMessage, drawState) == 24 &&
                  offsetof(AIAnnotatorMessage, invalidCount) == 28 &&
                  offsetof(AIAnnotatorMessage, invalidRects) == 32 &&
                  offsetof(AIAnnotatorMessage, port) == 36 && sizeof(AIAnnotatorMessage) == 40,
              "annotation message, 32-bit");
#else
static_assert(offsetof(SPMessageData, self) == 4 && offsetof(SPMessageData, globals) == 8 &&
                  offsetof(SPMessageData, basic) == 16 && sizeof(SPMessageData) == 24,
              "message header, 64-bit");
static_assert(offsetof(AIMenuMessage, menuItem) == 24 && sizeof(AIMenuMessage) == 32,
              "menu message, 64-bit");
static_assert(offsetof(AINotifierMessage, notifier) == 24 &&
                  offsetof(AINotifierMessage, type) == 32 &&
                  offsetof(AINotifierMessage, notifyData) == 40 && sizeof(AINotifierMessage) == 48,
              "notifier message, 64-bit");
static_assert(offsetof(AIAnnotatorMessage, annotator) == 24 &&
                  offsetof(AIAnnotatorMessage, view) == 28 &&
                  offsetof(AIAnnotatorMessage, drawState) == 32 &&
                  offsetof(AIAnnotatorMessage, invalidCount) == 36 &&
                  offsetof(AIAnnotatorMessage, invalidRects) == 40 &&
                  offsetof(AIAnnotatorMessage, port) == 48 && sizeof(AIAnnotatorMessage) == 56,
              "annotation message, 64-bit");
#endif

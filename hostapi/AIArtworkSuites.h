// The application's suites that serve the artwork: documents, art, paths, preferences, undo.
#pragma once

#include "HostTypes.h"

struct AIArtSuite {};
inline constexpr char kAIArtSuite[] = "AI Art Suite";
inline constexpr int32_t kAIArtSuiteVersion = 9;

struct AIDocumentSuite {};
inline constexpr char kAIDocumentSuite[] = "AI Document Suite";
inline constexpr int32_t kAIDocumentSuiteVersion = 7;

struct AIDocumentViewSuite {};
inline constexpr char kAIDocumentViewSuite[] = "AI Document View Suite";
inline constexpr int32_t kAIDocumentViewSuiteVersion = 7;

struct AIGroupSuite {};
inline constexpr char kAIGroupSuite[] = "AI Group Suite";
inline constexpr int32_t kAIGroupSuiteVersion = 2;

struct AILayerSuite {};
inline constexpr char kAILayerSuite[] = "AI Layer Suite";
inline constexpr int32_t kAILayerSuiteVersion = 9;

struct AIMatchingArtSuite {};
inline constexpr char kAIMatchingArtSuite[] = "AI Matching Art Suite";
inline constexpr int32_t kAIMatchingArtSuiteVersion = 4;

struct AIMdMemorySuite {};
inline constexpr char kAIMdMemorySuite[] = "AI MdMemory Suite";
inline constexpr int32_t kAIMdMemorySuiteVersion = 1;

struct AIPathSuite {};
inline constexpr char kAIPathSuite[] = "AI Path Suite";
inline constexpr int32_t kAIPathSuiteVersion = 4;

struct AIPathStyleSuite {};
inline constexpr char kAIPathStyleSuite[] = "AI Path Style Suite";
inline constexpr int32_t kAIPathStyleSuiteVersion = 5;

struct AIPreferenceSuite {};
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

struct AIUndoSuite {};
inline constexpr char kAIUndoSuite[] = "AI Undo Suite";
inline constexpr int32_t kAIUndoSuiteVersion = 4;

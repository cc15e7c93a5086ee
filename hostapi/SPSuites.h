// The plug-in machinery's suites ("SP").
#pragma once

#include "HostTypes.h"

// Carried by every message; serves the acquisition of every other suite.
struct SPBasicSuite {
  // Fills *suite with the suite's table; an unknown name or version answers a non-zero error.
  ASErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  ASErr (*ReleaseSuite)(const char* name, int32_t version);
  // Non-zero when the two C strings are equal.
  ASBoolean (*IsEqual)(const char* a, const char* b);
};
inline constexpr char kSPBasicSuite[] = "SP Basic Suite";
inline constexpr int32_t kSPBasicSuiteVersion = 4;

struct SPAccessSuite {
  // The access reference of a plug-in.
  ASErr (*GetPluginAccess)(SPPluginRef plugin, SPAccessRef* access);
};
inline constexpr char kSPAccessSuite[] = "SP Access Suite";
inline constexpr int32_t kSPAccessSuiteVersion = 3;

struct SPBlocksSuite {};
inline constexpr char kSPBlocksSuite[] = "SP Blocks Suite";
inline constexpr int32_t kSPBlocksSuiteVersion = 2;

struct SPSuitesSuite {};
inline constexpr char kSPSuitesSuite[] = "SP Suites Suite";
inline constexpr int32_t kSPSuitesSuiteVersion = 2;

struct SPRuntimeSuite {};
inline constexpr char kSPRuntimeSuite[] = "SP Runtime Suite";
inline constexpr int32_t kSPRuntimeSuiteVersion = 5;

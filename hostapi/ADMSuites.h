// The dialog manager's suites ("ADM").
#pragma once

#include "HostTypes.h"

struct ADMBasicSuite {
  // Entry `index` of the string list `base` of the plug-in's string table (string number
  // base + index), as UTF-8. bufferSize counts the terminating NUL: a longer text is cut at a
  // character boundary, never written past the buffer.
  ASErr (*GetIndexString)(SPPluginRef plugin, int32_t base, int32_t index, char* buffer,
                          int32_t bufferSize);
  void (*ErrorAlert)(const char* text);
  void (*AboutBox)(SPPluginRef plugin, const char* text1, const char* text2);
};
inline constexpr char kADMBasicSuite[] = "ADM Basic Suite";
inline constexpr int32_t kADMBasicSuiteVersion = 2;

struct ADMDialogSuite {};
inline constexpr char kADMDialogSuite[] = "ADM Dialog Suite";
inline constexpr int32_t kADMDialogSuiteVersion = 3;

struct ADMDialogGroupSuite {};
inline constexpr char kADMDialogGroupSuite[] = "ADM Dialog Group Suite";
inline constexpr int32_t kADMDialogGroupSuiteVersion = 1;

struct ADMDrawerSuite {};
inline constexpr char kADMDrawerSuite[] = "ADM Drawer Suite";
inline constexpr int32_t kADMDrawerSuiteVersion = 3;

struct ADMEntrySuite {};
inline constexpr char kADMEntrySuite[] = "ADM Entry Suite";
inline constexpr int32_t kADMEntrySuiteVersion = 2;

struct ADMIconSuite {};
inline constexpr char kADMIconSuite[] = "ADM Icon Suite";
inline constexpr int32_t kADMIconSuiteVersion = 1;

struct ADMItemSuite {};
inline constexpr char kADMItemSuite[] = "ADM Item Suite";
inline constexpr int32_t kADMItemSuiteVersion = 4;

struct ADMListSuite {};
inline constexpr char kADMListSuite[] = "ADM List Suite";
inline constexpr int32_t kADMListSuiteVersion = 1;

struct ADMNotifierSuite {};
inline constexpr char kADMNotifierSuite[] = "ADM Notifier Suite";
inline constexpr int32_t kADMNotifierSuiteVersion = 1;

struct ADMTrackerSuite {};
inline constexpr char kADMTrackerSuite[] = "ADM Tracker Suite";
inline constexpr int32_t kADMTrackerSuiteVersion = 1;

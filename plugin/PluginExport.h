// Marks the one function the plug-in file exports; everything else stays hidden.
#pragma once

#if defined(_WIN32)
#define TAVRIX_EXPORT __declspec(dllexport)
#else
#define TAVRIX_EXPORT __attribute__((visibility("default")))
#endif

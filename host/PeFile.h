// A Windows DLL (a PE file) as a loader would see it, read from its bytes without loading it:
// its headers and sections, its resource directory and the names it exports.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/ByteView.h"
#include "host/Fault.h"
#include "host/ResourceTable.h"

namespace tavrix::host {

inline constexpr uint16_t kPeMachineI386 = 0x014C;
inline constexpr uint16_t kPeMachineX64 = 0x8664;

// The processor of the program that is running: a DLL for another one does not load into it.
#if defined(__x86_64__) || defined(_M_X64)
inline constexpr uint16_t kPeHostMachine = kPeMachineX64;
#else
inline constexpr uint16_t kPeHostMachine = kPeMachineI386;
#endif

// Why the file is not a DLL for `machine` whose headers and sections all lie inside it, in
// words ("it is not a Windows DLL", "its section 2 (.data) lies past the end of the file ..."),
// or no fault when it is one.
Fault CheckPeImage(ByteView file, uint16_t machine = kPeHostMachine);

// The resources of the file's resource directory, with their type, name, language and bytes;
// none when it has no resource directory. The file must have passed CheckPeImage. Throws
// ResourceError naming what is malformed and where.
std::vector<Resource> ReadPeResources(ByteView file);

// The names in the file's export directory, in its order; none when it has no export directory
// or a malformed one. The file must have passed CheckPeImage.
std::vector<std::string> PeExportNames(ByteView file);

}  // namespace tavrix::host

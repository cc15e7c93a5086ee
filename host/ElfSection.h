// Finds a named section in the bytes of a 64-bit little-endian ELF file.
#pragma once

#include <string>

#include "host/ByteView.h"

namespace tavrix::host {

struct SectionLookup {
  bool found = false;
  ByteView bytes;       // the section's contents when found
  std::string problem;  // why not, in words, when not found
};

SectionLookup FindElfSection(ByteView file, const std::string& name);

// Whether the file's dynamic symbol table exports a defined, visible function or object of that
// name: what a loader would find, asked without loading anything.
bool ExportsSymbol(ByteView file, const std::string& name);

// Why the file's loadable segments cannot all be mapped from it (the program header table or a
// segment lies past its end), or empty when they can.
std::string CheckLoadableSegments(ByteView file);

}  // namespace tavrix::host

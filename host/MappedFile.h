// A regular file's bytes, mapped read-only rather than read: checking a plug-in file touches its
// headers and its resource section, not the gigabytes a wrong file may hold.
#pragma once

#include <string>

#include "host/ByteView.h"

namespace tavrix::host {

class MappedFile {
 public:
  // Throws std::runtime_error with the problem in words ("it is a directory", "it cannot be
  // opened: ...") for anything but a readable regular file; never blocks on a pipe.
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  ByteView bytes() const { return ByteView{static_cast<const uint8_t*>(data_), size_}; }

 private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

// Why a path is not a regular file ("it is a directory", "it does not exist"), or empty when it
// is one. Looks at the path without opening it.
std::string NotARegularFile(const std::string& path);

}  // namespace tavrix::host

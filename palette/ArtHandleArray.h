// A growable array of art handles: grows to 8 elements, then doubles up to 10000, then grows by
// 10000 at a time. Reading outside it throws the internal error 1010.
#pragma once

#include <cstddef>
#include <memory>

#include "hostapi/HostTypes.h"

namespace tavrix {

inline constexpr ASErr kIndexOutOfRangeErr = 1010;

class ArtHandleArray {
 public:
  void Append(AIArtHandle handle);
  // Appends a whole run, growing at most once and to exactly the room it needs: appending a
  // million handles one by one would copy the array about a hundred times.
  void AppendAll(const AIArtHandle* handles, size_t count);
  AIArtHandle At(size_t index) const;
  // Frees the storage: count and capacity 0.
  void Clear();

  size_t count() const { return count_; }
  size_t capacity() const { return capacity_; }
  static constexpr size_t elementSize = sizeof(AIArtHandle);

 private:
  std::unique_ptr<AIArtHandle[]> storage_;
  size_t count_ = 0;
  size_t capacity_ = 0;
};

}  // namespace tavrix

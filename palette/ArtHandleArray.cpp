#include "palette/ArtHandleArray.h"

#include <algorithm>

#include "core/ErrorReporting.h"

namespace tavrix {

void ArtHandleArray::Append(AIArtHandle handle) {
  if (count_ == capacity_) {
    const size_t grown = capacity_ < 8 ? 8 : capacity_ < 10000 ? capacity_ * 2 : capacity_ + 10000;
    std::unique_ptr<AIArtHandle[]> storage(new AIArtHandle[grown]);
    std::copy(storage_.get(), storage_.get() + count_, storage.get());
    storage_ = std::move(storage);
    capacity_ = grown;
  }
  storage_[count_++] = handle;
}

void ArtHandleArray::AppendAll(const AIArtHandle* handles, size_t count) {
  if (count == 0) return;
  if (capacity_ - count_ < count) {
    const size_t needed = count_ + count;
    std::unique_ptr<AIArtHandle[]> storage(new AIArtHandle[needed]);
    std::copy(storage_.get(), storage_.get() + count_, storage.get());
    storage_ = std::move(storage);
    capacity_ = needed;
  }
  std::copy(handles, handles + count, storage_.get() + count_);
  count_ += count;
}

AIArtHandle ArtHandleArray::At(size_t index) const {
  if (index >= count_) throw HostError(kIndexOutOfRangeErr);
  return storage_[index];
}

void ArtHandleArray::Clear() {
  storage_.reset();
  count_ = 0;
  capacity_ = 0;
}

}  // namespace tavrix

#include "host/BlockStore.h"

#include <cstdlib>

namespace tavrix::host {

BlockStore::~BlockStore() {
  for (auto& block : blocks_) std::free(block.first);
}

ASErr BlockStore::Allocate(size_t size, void** block) {
  if (block == nullptr) return kBadParameterErr;
  void* memory = std::calloc(size == 0 ? 1 : size, 1);
  if (memory == nullptr) return kOutOfMemoryErr;
  blocks_[memory] = size;
  *block = memory;
  return kNoErr;
}

ASErr BlockStore::Dispose(void* block) {
  const auto found = blocks_.find(block);
  if (found == blocks_.end()) return kBadHandleErr;
  std::free(found->first);
  blocks_.erase(found);
  return kNoErr;
}

}  // namespace tavrix::host

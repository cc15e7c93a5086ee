#include "host/BlockStore.h"

#include "host/GuardBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tavrix::host {
namespace {

constexpr size_t kGuardSize = 16;

bool BlockGuardIntact(const void* block, size_t size) {
  return GuardIntact(static_cast<const uint8_t*>(block) + size, kGuardSize);
}

}  // namespace

BlockStore::~BlockStore() {
  for (auto& block : blocks_) std::free(block.first);
}

ASErr BlockStore::Allocate(size_t size, void** block) {
  if (block == nullptr) return kBadParameterErr;
  if (size > SIZE_MAX - kGuardSize) return kOutOfMemoryErr;
  void* memory = std::calloc(size + kGuardSize, 1);
  if (memory == nullptr) return kOutOfMemoryErr;
  SetGuard(static_cast<uint8_t*>(memory) + size, kGuardSize);
  blocks_[memory] = size;
  *block = memory;
  return kNoErr;
}

ASErr BlockStore::Dispose(void* block) {
  const auto found = blocks_.find(block);
  if (found == blocks_.end()) return kBadHandleErr;
  if (!BlockGuardIntact(found->first, found->second)) ++overrunsAtDispose_;
  std::free(found->first);
  blocks_.erase(found);
  return kNoErr;
}

bool BlockStore::GuardsIntact() const {
  return std::all_of(blocks_.begin(), blocks_.end(),
                     [](const auto& block) { return BlockGuardIntact(block.first, block.second); });
}

}  // namespace tavrix::host

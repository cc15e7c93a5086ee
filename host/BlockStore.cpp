#include "host/BlockStore.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tavrix::host {
namespace {

constexpr size_t kGuardSize = 16;
constexpr uint8_t kGuardByte = 0xA5;

bool GuardIntact(const void* block, size_t size) {
  const auto* guard = static_cast<const uint8_t*>(block) + size;
  return std::all_of(guard, guard + kGuardSize, [](uint8_t b) { return b == kGuardByte; });
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
  std::memset(static_cast<uint8_t*>(memory) + size, kGuardByte, kGuardSize);
  blocks_[memory] = size;
  *block = memory;
  return kNoErr;
}

ASErr BlockStore::Dispose(void* block) {
  const auto found = blocks_.find(block);
  if (found == blocks_.end()) return kBadHandleErr;
  if (!GuardIntact(found->first, found->second)) ++overrunsAtDispose_;
  std::free(found->first);
  blocks_.erase(found);
  return kNoErr;
}

bool BlockStore::GuardsIntact() const {
  return std::all_of(blocks_.begin(), blocks_.end(),
                     [](const auto& block) { return GuardIntact(block.first, block.second); });
}

}  // namespace tavrix::host

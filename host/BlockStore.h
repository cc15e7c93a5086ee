// Memory blocks the host hands to plug-ins. They belong to the host, so they outlive an unload
// of the plug-in's code; whatever a plug-in forgets to dispose is freed with the host.
#pragma once

#include <cstddef>
#include <map>

#include "hostapi/HostTypes.h"

namespace tavrix::host {

class BlockStore {
 public:
  BlockStore() = default;
  BlockStore(const BlockStore&) = delete;
  BlockStore& operator=(const BlockStore&) = delete;
  ~BlockStore();

  // Zero-filled. kOutOfMemoryErr when the memory is not there.
  ASErr Allocate(size_t size, void** block);
  // kBadHandleErr for a pointer this store did not give out, or gave out and took back. A block
  // written past its end is freed all the same and counted in overrunsAtDispose().
  ASErr Dispose(void* block);
  size_t overrunsAtDispose() const { return overrunsAtDispose_; }

  bool Owns(const void* block) const { return blocks_.count(const_cast<void*>(block)) != 0; }
  // Whether every live block still ends in the guard bytes the store put after it: a plug-in
  // that writes past a block it was given breaks them.
  bool GuardsIntact() const;
  size_t LiveCount() const { return blocks_.size(); }

 private:
  std::map<void*, size_t> blocks_;
  size_t overrunsAtDispose_ = 0;
};

}  // namespace tavrix::host

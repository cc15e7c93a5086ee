// The drawing's paths as they were when it was last opened, made or saved, so that quitting or
// replacing it can tell whether work would be lost. The selection is not part of the work.
#pragma once

#include <vector>

#include "host/artwork/Document.h"

namespace tavrix::app {

class SavedArtwork {
 public:
  // Keeps the shape of the document's paths; no document is remembered as no paths.
  void Remember(const host::Document* document);
  // Whether the document's paths differ from what was remembered; never without a document.
  bool Differs(const host::Document* document) const;

 private:
  std::vector<host::DocumentPath> paths_;
};

}  // namespace tavrix::app

// A document of the stand-in host: paths of anchors with their selection, and ruler units.
// Every change is told to a listener, which is how the host knows to notify plug-ins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/artwork/UndoHistory.h"
#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

// The most anchors a path holds: plug-ins index them with 16 bits.
inline constexpr size_t kMaxAnchorsPerPath = 32767;

struct DocumentPath {
  AIArtHandle handle = 0;
  std::vector<PathSegment> segments;
  std::vector<int16_t> selection;  // per anchor
  bool closed = false;

  bool IsSelected() const;
};

class DocumentListener {
 public:
  virtual void ArtworkChanged() = 0;
  virtual void UnitsChanged() = 0;

 protected:
  ~DocumentListener() = default;
};

class Document {
 public:
  Document(int16_t rulerUnits, DocumentListener* listener, AIArtHandle firstHandle);
  // The history holds on to the paths: a document stays where it was made.
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  int16_t rulerUnits() const { return rulerUnits_; }
  void SetRulerUnits(int16_t units);

  // Throws std::invalid_argument for a path of more than kMaxAnchorsPerPath anchors (nothing is
  // added) or of none.
  AIArtHandle AddPath(std::vector<PathSegment> segments, bool closed);
  // Null for a handle that names no path of this document.
  DocumentPath* Path(AIArtHandle handle);
  const std::vector<DocumentPath>& paths() const { return paths_; }
  // The indexes of the selected paths in document order. Plug-ins ask on every notification, so
  // the answer is kept until the selection or the paths change; a new path is unselected.
  const std::vector<size_t>& SelectedPaths();
  // Their handles, in the same order: copying a million of them is cheaper than reading a
  // million paths.
  const std::vector<AIArtHandle>& SelectedHandles();
  // Throws std::out_of_range naming the path index.
  DocumentPath& PathAt(size_t index);

  // Each replaces the whole selection. Throw std::out_of_range for indexes that do not exist.
  void SelectAnchor(size_t path, size_t anchor);
  // Selects the anchor's in handle, or with `out` its out handle, and not the anchor itself.
  void SelectHandle(size_t path, size_t anchor, bool out = false);
  void SelectPaths(const std::vector<size_t>& paths);
  void Deselect();
  // What a person or another plug-in does to the artwork. Paths and anchors after the ones
  // removed or added are numbered again from 0. A path whose last anchor goes is deleted. Undo
  // steps that rewrote a path changed this way can no longer be applied and are forgotten.
  // Throw std::out_of_range for indexes that do not exist, std::invalid_argument for a path that
  // would grow past kMaxAnchorsPerPath.
  void DeletePath(size_t path);
  void DeleteAnchor(size_t path, size_t anchor);
  // `anchor` may be the path's anchor count: the new one goes at the end.
  void InsertAnchor(size_t path, size_t anchor, const PathSegment& segment);

  // The selection state of each anchor of one path, as a reopened document had it.
  void SetSelection(size_t path, const std::vector<int16_t>& states);

  // Plug-in writes, through the Path suite: each is one change of the artwork.
  void SetSegments(DocumentPath& path, size_t index, const std::vector<PathSegment>& segments);
  void SetAnchorSelection(DocumentPath& path, size_t index, int16_t state);
  // The plug-in names what it just changed, for the Edit menu.
  void NameChange(const char* undoText, const char* redoText);

  // A call into a plug-in ended: what it changed becomes one step of the Edit menu.
  void CloseUndoStep();
  // Edit > Undo and Edit > Redo; false when there is nothing to undo or redo. The artwork and
  // its selection change, which plug-ins hear of as a selection change.
  bool Undo();
  bool Redo();
  const UndoHistory& history() const { return history_; }

 private:
  void ClearSelection();
  DocumentPath& Checked(size_t path, size_t anchor);

  int16_t rulerUnits_;
  DocumentListener* listener_;
  AIArtHandle nextHandle_;
  std::vector<DocumentPath> paths_;
  std::vector<size_t> selectedPaths_;
  std::vector<AIArtHandle> selectedHandles_;
  bool selectedPathsKnown_ = true;
  UndoHistory history_{paths_};
};

}  // namespace tavrix::host

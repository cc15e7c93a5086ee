#include "host/artwork/Document.h"

#include <algorithm>
#include <stdexcept>

namespace tavrix::host {

bool DocumentPath::IsSelected() const {
  return std::any_of(selection.begin(), selection.end(), [](int16_t s) { return s != 0; });
}

Document::Document(int16_t rulerUnits, DocumentListener* listener, AIArtHandle firstHandle)
    : rulerUnits_(rulerUnits), listener_(listener), nextHandle_(firstHandle) {}

void Document::SetRulerUnits(int16_t units) {
  rulerUnits_ = units;
  if (listener_ != nullptr) listener_->UnitsChanged();
}

AIArtHandle Document::AddPath(std::vector<PathSegment> segments, bool closed) {
  if (segments.empty()) throw std::invalid_argument("a path needs at least one anchor");
  if (segments.size() > kMaxAnchorsPerPath) {
    throw std::invalid_argument("a path holds at most 32767 anchors; this one has " +
                                std::to_string(segments.size()));
  }
  DocumentPath path;
  path.handle = nextHandle_++;
  path.selection.assign(segments.size(), kAINotSelected);
  path.segments = std::move(segments);
  path.closed = closed;
  paths_.push_back(std::move(path));
  if (listener_ != nullptr) listener_->ArtworkChanged();
  return paths_.back().handle;
}

DocumentPath* Document::Path(AIArtHandle handle) {
  // Handles are handed out in increasing order and paths only ever join at the end, so the
  // paths stay sorted by handle.
  const auto found =
      std::lower_bound(paths_.begin(), paths_.end(), handle,
                       [](const DocumentPath& path, AIArtHandle h) { return path.handle < h; });
  return found != paths_.end() && found->handle == handle ? &*found : nullptr;
}

const std::vector<size_t>& Document::SelectedPaths() {
  if (!selectedPathsKnown_) {
    selectedPaths_.clear();
    selectedHandles_.clear();
    for (size_t i = 0; i < paths_.size(); ++i) {
      if (paths_[i].IsSelected()) {
        selectedPaths_.push_back(i);
        selectedHandles_.push_back(paths_[i].handle);
      }
    }
    selectedPathsKnown_ = true;
  }
  return selectedPaths_;
}

const std::vector<AIArtHandle>& Document::SelectedHandles() {
  SelectedPaths();
  return selectedHandles_;
}

DocumentPath& Document::PathAt(size_t index) {
  if (index >= paths_.size()) {
    throw std::out_of_range("there is no path " + std::to_string(index) + " (the document has " +
                            std::to_string(paths_.size()) + ")");
  }
  return paths_[index];
}

DocumentPath& Document::Checked(size_t path, size_t anchor) {
  DocumentPath& p = PathAt(path);
  if (anchor >= p.segments.size()) {
    throw std::out_of_range("path " + std::to_string(path) + " has no anchor " +
                            std::to_string(anchor) + " (it has " +
                            std::to_string(p.segments.size()) + ")");
  }
  return p;
}

void Document::ClearSelection() {
  selectedPathsKnown_ = false;
  for (DocumentPath& path : paths_)
    std::fill(path.selection.begin(), path.selection.end(), kAINotSelected);
}

void Document::SelectAnchor(size_t path, size_t anchor) {
  DocumentPath& p = Checked(path, anchor);
  ClearSelection();
  p.selection[anchor] = kAIAnchorSelected;
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::SelectHandle(size_t path, size_t anchor, bool out) {
  DocumentPath& p = Checked(path, anchor);
  ClearSelection();
  p.selection[anchor] = out ? kAIOutHandleSelected : kAIInHandleSelected;
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::SelectPaths(const std::vector<size_t>& paths) {
  for (size_t index : paths) PathAt(index);
  ClearSelection();
  for (size_t index : paths) {
    DocumentPath& p = paths_[index];
    std::fill(p.selection.begin(), p.selection.end(), kAIAnchorSelected);
  }
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::Deselect() {
  ClearSelection();
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::DeletePath(size_t path) {
  const AIArtHandle handle = PathAt(path).handle;
  paths_.erase(paths_.begin() + static_cast<long>(path));
  selectedPathsKnown_ = false;
  history_.Forget(handle);
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::DeleteAnchor(size_t path, size_t anchor) {
  DocumentPath& p = Checked(path, anchor);
  if (p.segments.size() == 1) {
    DeletePath(path);
    return;
  }
  p.segments.erase(p.segments.begin() + static_cast<long>(anchor));
  p.selection.erase(p.selection.begin() + static_cast<long>(anchor));
  selectedPathsKnown_ = false;
  history_.Forget(p.handle);
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::InsertAnchor(size_t path, size_t anchor, const PathSegment& segment) {
  DocumentPath& p = PathAt(path);
  if (anchor > p.segments.size()) {
    throw std::out_of_range(
        "path " + std::to_string(path) + " has " + std::to_string(p.segments.size()) +
        " anchors: a new one goes at 0 to " + std::to_string(p.segments.size()));
  }
  if (p.segments.size() >= kMaxAnchorsPerPath)
    throw std::invalid_argument("a path holds at most 32767 anchors; this one is full");
  p.segments.insert(p.segments.begin() + static_cast<long>(anchor), segment);
  p.selection.insert(p.selection.begin() + static_cast<long>(anchor), kAINotSelected);
  history_.Forget(p.handle);
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::SetSelection(size_t path, const std::vector<int16_t>& states) {
  DocumentPath& p = PathAt(path);
  if (states.size() != p.segments.size()) {
    throw std::invalid_argument("path " + std::to_string(path) + " has " +
                                std::to_string(p.segments.size()) + " anchors, not " +
                                std::to_string(states.size()));
  }
  p.selection = states;
  selectedPathsKnown_ = false;
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::SetSegments(DocumentPath& path, size_t index,
                           const std::vector<PathSegment>& segments) {
  for (size_t i = 0; i < segments.size(); ++i) history_.RecordSegment(path, index + i, segments[i]);
  std::copy(segments.begin(), segments.end(), path.segments.begin() + static_cast<long>(index));
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::SetAnchorSelection(DocumentPath& path, size_t index, int16_t state) {
  history_.RecordSelection();
  path.selection[index] = state;
  selectedPathsKnown_ = false;
  if (listener_ != nullptr) listener_->ArtworkChanged();
}

void Document::NameChange(const char* undoText, const char* redoText) {
  history_.NameOpenStep(undoText, redoText);
}

void Document::CloseUndoStep() {
  history_.CloseStep();
}

bool Document::Undo() {
  if (!history_.Undo()) return false;
  selectedPathsKnown_ = false;
  if (listener_ != nullptr) listener_->ArtworkChanged();
  return true;
}

bool Document::Redo() {
  if (!history_.Redo()) return false;
  selectedPathsKnown_ = false;
  if (listener_ != nullptr) listener_->ArtworkChanged();
  return true;
}

}  // namespace tavrix::host

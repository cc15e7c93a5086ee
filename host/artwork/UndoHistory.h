// The Edit menu's undo and redo. Every change a plug-in makes to the paths during one call into
// it (one message, one user action) becomes one step, named by the texts it set meanwhile. A
// step keeps, for each path it touched, the anchors it rewrote (as they were and as they
// became) and the path's selection before and after, so undo and redo restore both exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

struct DocumentPath;

class UndoHistory {
 public:
  // The host's own words, for a step whose plug-in named nothing.
  static constexpr const char* kDefaultUndoText = "Undo";
  static constexpr const char* kDefaultRedoText = "Redo";

  // Before a plug-in's write changes the path.
  void RecordSegment(const DocumentPath& path, size_t index, const PathSegment& after);
  void RecordSelection(const DocumentPath& path);
  void NameOpenStep(const char* undoText, const char* redoText);

  // Ends the call's step. A call that only changed the selection makes no step of its own, as
  // selecting is not undone in a drawing program; one that rewrote anchors does, and clears
  // what could be redone. `paths` is how the touched paths are found now.
  template <class FindPath>
  void CloseStep(FindPath&& findPath) {
    if (!open_) return;
    Step step = std::move(*open_);
    open_.reset();
    if (!step.rewritesAnchors) return;
    for (PathChange& change : step.paths) {
      if (const DocumentPath* path = findPath(change.handle))
        change.selectionAfter = Selection(*path);
    }
    undo_.push_back(std::move(step));
    redo_.clear();
  }

  // The path changed in a way no step can be applied to any more (anchors added or removed,
  // the path deleted): every step's record of it goes, and steps left with nothing go too.
  void Forget(AIArtHandle path);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The Edit menu's texts; empty when there is nothing to undo or redo.
  std::string UndoText() const { return undo_.empty() ? std::string() : undo_.back().undoText; }
  std::string RedoText() const { return redo_.empty() ? std::string() : redo_.back().redoText; }

  // Apply the last step backwards or forwards. A path that no longer exists is passed over.
  template <class FindPath>
  bool Undo(FindPath&& findPath) {
    if (undo_.empty()) return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    Apply(step, false, findPath);
    redo_.push_back(std::move(step));
    return true;
  }
  template <class FindPath>
  bool Redo(FindPath&& findPath) {
    if (redo_.empty()) return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    Apply(step, true, findPath);
    undo_.push_back(std::move(step));
    return true;
  }

 private:
  struct SegmentChange {
    PathSegment before;
    PathSegment after;
  };
  struct PathChange {
    AIArtHandle handle = 0;
    std::map<size_t, SegmentChange> segments;
    std::vector<int16_t> selectionBefore;
    std::vector<int16_t> selectionAfter;
  };
  struct Step {
    std::string undoText = kDefaultUndoText;
    std::string redoText = kDefaultRedoText;
    std::vector<PathChange> paths;
    bool rewritesAnchors = false;
  };

  static std::vector<int16_t> Selection(const DocumentPath& path);
  PathChange& Touch(const DocumentPath& path);
  template <class FindPath>
  static void Apply(const Step& step, bool forwards, FindPath& findPath) {
    for (const PathChange& change : step.paths) {
      if (DocumentPath* path = findPath(change.handle)) Restore(change, forwards, *path);
    }
  }
  static void Restore(const PathChange& change, bool forwards, DocumentPath& path);

  std::optional<Step> open_;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
};

}  // namespace tavrix::host

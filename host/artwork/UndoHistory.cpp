#include "host/artwork/UndoHistory.h"

#include <algorithm>

#include "host/artwork/Document.h"

namespace tavrix::host {

std::vector<int16_t> UndoHistory::Selection(const DocumentPath& path) {
  return path.selection;
}

UndoHistory::PathChange& UndoHistory::Touch(const DocumentPath& path) {
  if (!open_) open_.emplace();
  for (PathChange& change : open_->paths) {
    if (change.handle == path.handle) return change;
  }
  PathChange change;
  change.handle = path.handle;
  change.selectionBefore = Selection(path);
  open_->paths.push_back(std::move(change));
  return open_->paths.back();
}

void UndoHistory::RecordSegment(const DocumentPath& path, size_t index, const PathSegment& after) {
  PathChange& change = Touch(path);
  // Rewritten twice in one step: it was as it was before the first write.
  const auto [entry, inserted] =
      change.segments.try_emplace(index, SegmentChange{path.segments[index], after});
  if (!inserted) entry->second.after = after;
  open_->rewritesAnchors = true;
}

void UndoHistory::RecordSelection(const DocumentPath& path) {
  Touch(path);
}

void UndoHistory::NameOpenStep(const char* undoText, const char* redoText) {
  if (!open_) open_.emplace();
  if (undoText != nullptr) open_->undoText = undoText;
  if (redoText != nullptr) open_->redoText = redoText;
}

void UndoHistory::Forget(AIArtHandle path) {
  const auto forget = [path](Step& step) {
    auto& changes = step.paths;
    changes.erase(std::remove_if(changes.begin(), changes.end(),
                                 [path](const PathChange& c) { return c.handle == path; }),
                  changes.end());
    step.rewritesAnchors = std::any_of(changes.begin(), changes.end(),
                                       [](const PathChange& c) { return !c.segments.empty(); });
  };
  for (std::vector<Step>* steps : {&undo_, &redo_}) {
    for (Step& step : *steps) forget(step);
    steps->erase(std::remove_if(steps->begin(), steps->end(),
                                [](const Step& step) { return !step.rewritesAnchors; }),
                 steps->end());
  }
  if (open_) forget(*open_);
}

void UndoHistory::Restore(const PathChange& change, bool forwards, DocumentPath& path) {
  for (const auto& [index, segment] : change.segments) {
    if (index < path.segments.size())
      path.segments[index] = forwards ? segment.after : segment.before;
  }
  const std::vector<int16_t>& selection = forwards ? change.selectionAfter : change.selectionBefore;
  if (selection.size() == path.selection.size()) path.selection = selection;
}

}  // namespace tavrix::host

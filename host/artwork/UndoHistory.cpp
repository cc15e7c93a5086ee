#include "host/artwork/UndoHistory.h"

#include <algorithm>

#include "host/artwork/Document.h"

namespace tavrix::host {

UndoHistory::Step::Step() : undoText(kDefaultUndoText), redoText(kDefaultRedoText) {}

UndoHistory::Step& UndoHistory::Open() {
  if (!open_) {
    open_.emplace();
    // Before the call's first change: the selection the step goes back to.
    open_->selectionBefore = CurrentSelection();
  }
  return *open_;
}

UndoHistory::Selection UndoHistory::CurrentSelection() const {
  Selection selection;
  for (const DocumentPath& path : paths_) {
    if (path.IsSelected()) selection.emplace_back(path.handle, path.selection);
  }
  return selection;
}

DocumentPath* UndoHistory::Find(AIArtHandle handle) const {
  for (DocumentPath& path : paths_) {
    if (path.handle == handle) return &path;
  }
  return nullptr;
}

void UndoHistory::RecordSegment(const DocumentPath& path, size_t index, const PathSegment& after) {
  Step& step = Open();
  // Rewritten twice in one step: it was as it was before the first write.
  const auto [entry, inserted] = step.segments.try_emplace(
      std::make_pair(path.handle, index), SegmentChange{path.segments[index], after});
  if (!inserted) entry->second.after = after;
}

void UndoHistory::RecordSelection() {
  Open();
}

void UndoHistory::NameOpenStep(const char* undoText, const char* redoText) {
  Step& step = Open();
  if (undoText != nullptr) step.undoText = undoText;
  if (redoText != nullptr) step.redoText = redoText;
}

void UndoHistory::CloseStep() {
  if (!open_) return;
  Step step = std::move(*open_);
  open_.reset();
  if (step.segments.empty()) return;
  step.selectionAfter = CurrentSelection();
  undo_.push_back(std::move(step));
  redo_.clear();
}

void UndoHistory::Forget(AIArtHandle path) {
  const auto forget = [path](Step& step) {
    for (auto entry = step.segments.begin(); entry != step.segments.end();) {
      entry = entry->first.first == path ? step.segments.erase(entry) : std::next(entry);
    }
  };
  for (std::vector<Step>* steps : {&undo_, &redo_}) {
    for (Step& step : *steps) forget(step);
    steps->erase(std::remove_if(steps->begin(), steps->end(),
                                [](const Step& step) { return step.segments.empty(); }),
                 steps->end());
  }
  if (open_) forget(*open_);
}

bool UndoHistory::Undo() {
  CloseStep();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  Apply(step, false);
  redo_.push_back(std::move(step));
  return true;
}

bool UndoHistory::Redo() {
  CloseStep();
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  Apply(step, true);
  undo_.push_back(std::move(step));
  return true;
}

void UndoHistory::Apply(const Step& step, bool forwards) {
  for (const auto& [where, change] : step.segments) {
    DocumentPath* path = Find(where.first);
    if (path != nullptr && where.second < path->segments.size())
      path->segments[where.second] = forwards ? change.after : change.before;
  }
  // The selection of the whole document, as it was on that side of the step.
  for (DocumentPath& path : paths_) std::fill(path.selection.begin(), path.selection.end(), 0);
  for (const auto& [handle, states] : forwards ? step.selectionAfter : step.selectionBefore) {
    DocumentPath* path = Find(handle);
    if (path != nullptr && path->selection.size() == states.size()) path->selection = states;
  }
}

}  // namespace tavrix::host

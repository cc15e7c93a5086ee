// The Edit menu's undo and redo. Every change a plug-in makes to the paths during one call into
// it (one message, one user action) becomes one step, named by the texts it set meanwhile. A
// step keeps the anchors it rewrote (as they were and as they became) and the selection of the
// whole document before and after it, so undo and redo restore both exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hostapi/AIArtworkSuites.h"

namespace tavrix::host {

struct DocumentPath;

class UndoHistory {
 public:
  // The host's own words, for a step whose plug-in named nothing.
  static constexpr const char* kDefaultUndoText = "Undo";
  static constexpr const char* kDefaultRedoText = "Redo";

  // The history of these paths: the document's own, which outlive it.
  explicit UndoHistory(std::vector<DocumentPath>& paths) : paths_(paths) {}
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Before a plug-in's write changes the path.
  void RecordSegment(const DocumentPath& path, size_t index, const PathSegment& after);
  void RecordSelection();
  void NameOpenStep(const char* undoText, const char* redoText);

  // Ends the call's step. A call that only changed the selection makes no step of its own, as
  // selecting is not undone in a drawing program; one that rewrote anchors does, and clears
  // what could be redone.
  void CloseStep();

  // The path changed in a way no step can be applied to any more (anchors added or removed,
  // the path deleted): every step's record of it goes, and steps left with nothing go too.
  void Forget(AIArtHandle path);

  bool CanUndo() const { return !undo_.empty(); }
  size_t UndoCount() const { return undo_.size(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The Edit menu's texts; empty when there is nothing to undo or redo.
  std::string UndoText() const { return undo_.empty() ? std::string() : undo_.back().undoText; }
  std::string RedoText() const { return redo_.empty() ? std::string() : redo_.back().redoText; }

  // Apply the last step backwards or forwards; false when there is none.
  bool Undo();
  bool Redo();

 private:
  struct SegmentChange {
    PathSegment before;
    PathSegment after;
  };
  // The selected anchors of every path that has any, by path.
  using Selection = std::vector<std::pair<AIArtHandle, std::vector<int16_t>>>;
  struct Step {
    Step();  // out of line: a nested class's default members are not ready inside its outer one
    std::string undoText;
    std::string redoText;
    std::map<std::pair<AIArtHandle, size_t>, SegmentChange> segments;
    Selection selectionBefore;
    Selection selectionAfter;
  };

  Step& Open();
  Selection CurrentSelection() const;
  DocumentPath* Find(AIArtHandle handle) const;
  void Apply(const Step& step, bool forwards);

  std::vector<DocumentPath>& paths_;
  std::optional<Step> open_;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
};

}  // namespace tavrix::host

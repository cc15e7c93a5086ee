// Path data (the `d` attribute): every command, absolute and relative, into a PathBuilder.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "host/svg/ArcToBezier.h"  // Point
#include "host/svg/PathBuilder.h"

namespace tavrix::svg {

// Coordinates' texts are positions in `d`. Throws SvgError at the first fault, naming its
// character; nothing before it is taken either, since the file is refused.
void ReadPathData(std::string_view d, PathBuilder& builder);

// All that reading a command depends on besides its own text.
struct PenState {
  Point current{0, 0};
  char last = 'M';  // the command before, as C after S and Q after T: whose control S, T reflect
  Point lastControl{0, 0};
};

// Whether any command reads the same after either.
bool SameReading(const PenState& a, const PenState& b);

// One command of path data as read: where its text is and what it drew.
struct PathCommand {
  char letter;        // as it applies: a moveto's further pairs are 'L' or 'l'
  bool lettered;      // written with its letter, not repeating the command before
  size_t begin, end;  // its text, from its letter (or first number) to the end of its last number
  size_t firstNumber, numberCount;  // its coordinates' texts, in PathCommands::numbers
  PenState before, after;
  // The subpath it drew into, counted as they are handed over (for a closepath, the one it
  // closed), and the anchors it added there: a moveto adds the first, a command drawing on
  // after a closepath the first and its own. kNone: it drew into none (a closepath of nothing).
  size_t subpath;
  size_t firstAnchor, anchorCount;
  bool starts;  // it began the subpath
  static constexpr size_t kNone = static_cast<size_t>(-1);
};

struct NumberSpan {
  size_t start, length;
};

struct PathCommands {
  std::vector<PathCommand> list;
  std::vector<NumberSpan> numbers;  // the coordinates of each command (an arc's end point only)
};

// Reads `d` as ReadPathData does, listing its commands in `commands`.
void ReadPathData(std::string_view d, PathBuilder& builder, PathCommands& commands);

// What one command draws when read at `pen`: the anchors from the pen's on (the first is the pen
// with the outgoing handle the command gave it; for a moveto, the new point alone) and the pen
// after it. `text` starts with the command's letter. Nullopt when it is no command there.
struct CommandReading {
  std::vector<LocalSegment> anchors;
  PenState after;
};
std::optional<CommandReading> ReadCommandAt(std::string_view text, const PenState& pen,
                                            const Affine& toRoot);

}  // namespace tavrix::svg

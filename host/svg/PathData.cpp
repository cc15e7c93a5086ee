#include "host/svg/PathData.h"

#include <cctype>
#include <string>

#include "host/svg/ArcToBezier.h"
#include "host/svg/SvgError.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

Coordinate Computed(double value) {
  return Coordinate{value, 0, 0};
}

LocalPoint Computed(Point p) {
  return LocalPoint{Computed(p.x), Computed(p.y)};
}

Point Of(const LocalPoint& p) {
  return Point{p.x.value, p.y.value};
}

class PathDataReader {
 public:
  PathDataReader(std::string_view d, PathBuilder& builder, PathCommands* commands = nullptr)
      : scan_(d), builder_(builder), commands_(commands) {}

  void Read() {
    scan_.SkipSpace();
    if (scan_.AtEnd()) return;
    const char command = scan_.Peek();
    if (command != 'M' && command != 'm') scan_.Fail("expected 'M' or 'm'");
    Commands();
    builder_.Finish();
  }

  // Commands from `pen` on, the builder's pen being there.
  void ReadAt(const PenState& pen) {
    last_ = pen.last;
    lastControl_ = pen.lastControl;
    scan_.SkipSpace();
    if (!scan_.AtEnd()) Commands();
  }

  PenState Pen() const { return PenState{Of(builder_.current()), last_, lastControl_}; }

 private:
  void Commands() {
    char command = scan_.Peek();
    for (;;) {
      if (std::string_view("MmLlHhVvCcSsQqTtAaZz").find(command) == std::string_view::npos) {
        scan_.Fail(std::isalpha(static_cast<unsigned char>(command))
                       ? std::string("unexpected '") + command + "'"
                       : std::string("expected a command"));
      }
      const size_t letterAt = scan_.position();
      scan_.Advance();
      scan_.SkipSpace();
      Listed(command, true, letterAt);
      // More parameters repeat the command; a moveto's extra pairs are linetos.
      for (;;) {
        const bool comma = scan_.SkipCommaSpace();
        if (!comma && !scan_.AtNumber()) break;
        if (command == 'Z' || command == 'z') scan_.Fail("expected a command");
        if (command == 'M') command = 'L';
        if (command == 'm') command = 'l';
        Listed(command, false, scan_.position());
      }
      if (scan_.AtEnd()) break;
      command = scan_.Peek();
    }
  }

  // One command, listed with what it drew when a list is kept.
  void Listed(char command, bool lettered, size_t begin) {
    if (commands_ == nullptr) {
      Parameters(command);
      return;
    }
    PathCommand listed{};
    listed.letter = command;
    listed.lettered = lettered;
    listed.begin = begin;
    listed.firstNumber = commands_->numbers.size();
    listed.before = Pen();
    const bool wasDrawing = builder_.drawing();
    const size_t anchorsBefore = wasDrawing ? builder_.openSegments().size() : 0;
    const size_t subpathBefore = builder_.handedOver();
    Parameters(command);
    const bool closes = command == 'Z' || command == 'z';
    listed.end = closes ? begin + 1 : scan_.position();
    listed.numberCount = commands_->numbers.size() - listed.firstNumber;
    listed.after = Pen();
    const size_t anchorsAfter = builder_.drawing() ? builder_.openSegments().size() : 0;
    listed.subpath = builder_.handedOver();
    listed.firstAnchor = 0;
    listed.anchorCount = 0;
    if (command == 'M' || command == 'm') {
      listed.anchorCount = 1;
      listed.starts = true;
    } else if (closes || (!wasDrawing && !builder_.drawing())) {
      // A closepath closes the subpath drawn before it; after one, nothing is drawn into.
      listed.subpath = wasDrawing ? subpathBefore : PathCommand::kNone;
    } else if (wasDrawing) {
      listed.firstAnchor = anchorsBefore;
      listed.anchorCount = anchorsAfter - anchorsBefore;
    } else {
      listed.anchorCount = anchorsAfter;
      listed.starts = true;
    }
    commands_->list.push_back(listed);
  }

  // A coordinate along one axis: absolute, or relative to `base`. A relative one keeps its text
  // only from a zero base, where the sum is the number itself.
  Coordinate Along(bool relative, double base) {
    size_t start = 0, length = 0;
    const double number = scan_.Number(&start, &length);
    if (commands_ != nullptr) commands_->numbers.push_back(NumberSpan{start, length});
    if (relative && base != 0.0) return Computed(base + number);
    return Coordinate{relative ? base + number : number, start, length};
  }

  LocalPoint Pair(bool relative) {
    const LocalPoint& at = builder_.current();
    const Coordinate x = Along(relative, at.x.value);
    scan_.SkipCommaSpace();
    const Coordinate y = Along(relative, at.y.value);
    return LocalPoint{x, y};
  }

  void Separator() { scan_.SkipCommaSpace(); }

  void Parameters(char command) {
    const bool relative = std::islower(static_cast<unsigned char>(command)) != 0;
    const LocalPoint at = builder_.current();
    char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(command)));
    switch (kind) {
      case 'M':
        builder_.MoveTo(Pair(relative));
        break;
      case 'L':
        builder_.LineTo(Pair(relative));
        break;
      case 'H':
        builder_.LineTo(LocalPoint{Along(relative, at.x.value), at.y});
        break;
      case 'V':
        builder_.LineTo(LocalPoint{at.x, Along(relative, at.y.value)});
        break;
      case 'C': {
        const LocalPoint c1 = Pair(relative);
        Separator();
        const LocalPoint c2 = Pair(relative);
        Separator();
        const LocalPoint p = Pair(relative);
        builder_.CurveTo(c1, c2, p);
        lastControl_ = Of(c2);
        break;
      }
      case 'S': {
        const LocalPoint c1 = last_ == 'C' ? Computed(Reflected(lastControl_, Of(at))) : at;
        const LocalPoint c2 = Pair(relative);
        Separator();
        const LocalPoint p = Pair(relative);
        builder_.CurveTo(c1, c2, p);
        lastControl_ = Of(c2);
        kind = 'C';
        break;
      }
      case 'Q': {
        const LocalPoint q = Pair(relative);
        Separator();
        Quadratic(at, Of(q), Pair(relative));
        break;
      }
      case 'T': {
        const Point q = last_ == 'Q' ? Reflected(lastControl_, Of(at)) : Of(at);
        Quadratic(at, q, Pair(relative));
        kind = 'Q';
        break;
      }
      case 'A':
        Arc(at, relative);
        break;
      case 'Z':
        builder_.Close();
        break;
      default:  // every letter was checked before
        break;
    }
    last_ = kind;
  }

  static Point Reflected(Point control, Point about) {
    return Point{2 * about.x - control.x, 2 * about.y - control.y};
  }

  // Raised to a cubic: the same curve exactly.
  void Quadratic(const LocalPoint& from, Point q, const LocalPoint& to) {
    const Point a = Of(from), b = Of(to);
    const Point c1{a.x + 2.0 / 3.0 * (q.x - a.x), a.y + 2.0 / 3.0 * (q.y - a.y)};
    const Point c2{b.x + 2.0 / 3.0 * (q.x - b.x), b.y + 2.0 / 3.0 * (q.y - b.y)};
    builder_.CurveTo(Computed(c1), Computed(c2), to);
    lastControl_ = q;
  }

  void Arc(const LocalPoint& from, bool relative) {
    const double rx = scan_.Number();
    Separator();
    const double ry = scan_.Number();
    Separator();
    const double rotation = scan_.Number();
    Separator();
    const bool largeArc = scan_.Flag();
    Separator();
    const bool sweep = scan_.Flag();
    Separator();
    const LocalPoint to = Pair(relative);
    const EndpointArc arc = EndpointArcToBezier(Of(from), rx, ry, rotation, largeArc, sweep, Of(to),
                                                LargestScale(builder_.toRoot()));
    if (arc.kind == EndpointArc::Kind::Line) builder_.LineTo(to);
    for (size_t i = 0; i < arc.pieces.size(); ++i) {
      const BezierPiece& piece = arc.pieces[i];
      builder_.CurveTo(Computed(piece.c1), Computed(piece.c2),
                       i + 1 == arc.pieces.size() ? to : Computed(piece.end));
    }
  }

  NumberScanner scan_;
  PathBuilder& builder_;
  PathCommands* commands_;
  char last_ = 'M';  // the previous command, as C for S and Q for T: whose control S and T reflect
  Point lastControl_{0, 0};
};

}  // namespace

void ReadPathData(std::string_view d, PathBuilder& builder) {
  try {
    PathDataReader(d, builder).Read();
  } catch (const SyntaxError& error) {
    throw AttributeError("d", d, error);
  }
}

void ReadPathData(std::string_view d, PathBuilder& builder, PathCommands& commands) {
  commands = PathCommands{};
  try {
    PathDataReader(d, builder, &commands).Read();
  } catch (const SyntaxError& error) {
    throw AttributeError("d", d, error);
  }
}

bool SameReading(const PenState& a, const PenState& b) {
  auto same = [](Point p, Point q) { return p.x == q.x && p.y == q.y; };
  // The control before matters only to an S after a C, or a T after a Q.
  const bool reflects = a.last == 'C' || a.last == 'Q';
  return same(a.current, b.current) && (a.last == 'C') == (b.last == 'C') &&
         (a.last == 'Q') == (b.last == 'Q') && (!reflects || same(a.lastControl, b.lastControl));
}

std::optional<CommandReading> ReadCommandAt(std::string_view text, const PenState& pen,
                                            const Affine& toRoot) {
  std::optional<CommandReading> reading;
  try {
    PathBuilder builder(toRoot, static_cast<size_t>(-1) / 2, [](LocalSubpath&&) {});
    builder.MoveTo(LocalPoint{Computed(pen.current.x), Computed(pen.current.y)});
    PathDataReader reader(text, builder);
    reader.ReadAt(pen);
    if (!builder.drawing()) return std::nullopt;
    reading = CommandReading{builder.openSegments(), reader.Pen()};
  } catch (const SyntaxError&) {
    return std::nullopt;
  } catch (const SvgError&) {
    return std::nullopt;
  }
  return reading;
}

}  // namespace tavrix::svg

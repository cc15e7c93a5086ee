#include "host/svg/PathDataEdit.h"

#include <cctype>
#include <unordered_map>
#include <utility>

#include "host/svg/PathData.h"
#include "host/svg/PathDataWriter.h"
#include "host/svg/SvgError.h"
#include "host/svg/SvgNumbers.h"

namespace tavrix::svg {
namespace {

constexpr size_t kNone = PathCommand::kNone;

// Thrown inside the editor when a command it wrote does not read back as meant: the caller then
// writes the whole data anew.
struct NotKept {};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether text ending as `out` does needs a space before `next`, lest two numbers read as one:
// "5" and "3" do, and so do "5" and ".5"; "5.5" and ".5" do not, nor anything before a sign.
bool NeedsSpace(std::string_view out, char next) {
  if (!IsDigit(next) && next != '.') return false;
  size_t i = out.size();
  bool digits = false, point = false, exponent = false;
  while (i > 0) {
    const char c = out[i - 1];
    if (IsDigit(c)) {
      digits = true;
      --i;
    } else if (c == '.') {
      point = true;
      --i;
    } else if ((c == 'e' || c == 'E') && digits && !exponent && !point) {
      exponent = true;
      --i;
    } else if ((c == '-' || c == '+') && digits && !exponent && !point && i >= 2 &&
               (out[i - 2] == 'e' || out[i - 2] == 'E')) {
      exponent = true;
      i -= 2;
    } else {
      break;
    }
  }
  if (!digits) return false;
  return next != '.' || !(point || exponent);
}

void Join(std::string& out, std::string_view piece) {
  if (!piece.empty() && NeedsSpace(out, piece.front())) out += ' ';
  out.append(piece);
}

// A number written in place of `was`: without its leading zero when `was` had none (".5",
// "-.5"), or when it stands against the number before it ("-1-2", ".5.5") and so stays apart
// from it without a space.
std::string Styled(std::string text, std::string_view was, bool together, std::string_view before) {
  const size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.compare(sign, 2, "0.") != 0) return text;
  const size_t wasSign = !was.empty() && (was[0] == '-' || was[0] == '+') ? 1 : 0;
  const bool bare = was.size() > wasSign && was[wasSign] == '.';
  if (bare || (together && sign == 0 && NeedsSpace(before, '0') && !NeedsSpace(before, '.'))) {
    text.erase(sign, 1);
  }
  return text;
}

// The command that numbers after `letter` repeat; none after a closepath.
char Continuation(char letter) {
  switch (letter) {
    case 'M':
      return 'L';
    case 'm':
      return 'l';
    case 'Z':
    case 'z':
    case '\0':
      return '\0';
    default:
      return letter;
  }
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool IsLower(char c) {
  return std::islower(static_cast<unsigned char>(c)) != 0;
}

bool Retracted(const RealPoint& handle, const RealPoint& anchor) {
  return SamePoint(handle, anchor);
}

// Anchor i of a subpath, where n, the place of a closing point that merged, is the first.
const PathSegment& At(const std::vector<PathSegment>& s, size_t i) {
  return s[i == s.size() ? 0 : i];
}

bool Closed(const EditedPath& path) {
  return path.closed || path.segments.size() == 1;
}

// The closing segment of a closed path must be written out when it has handles, or when the
// last anchor is on the first: a point written there merges into the first on reading.
bool ClosingWritten(const std::vector<PathSegment>& s) {
  const PathSegment& last = s.back();
  if (!(Retracted(last.out, last.p) && Retracted(s[0].in, s[0].p))) return true;
  return s.size() > 1 && SamePoint(last.p, s[0].p);
}

// How the data writes its commands, taken from its first commands that show it.
struct Style {
  std::string afterLetter;            // "M 10 20": " "
  std::string withinPair = ",";       // between a point's x and y
  std::string betweenPairs = " ";     // between the points of one command
  std::string betweenCommands = " ";  // before a command's letter
};

class Editor {
 public:
  Editor(std::string_view d, const Affine& toRoot, size_t maxAnchors,
         const std::vector<const EditedPath*>& paths)
      : d_(d), toRoot_(toRoot), maxAnchors_(maxAnchors), paths_(paths), numbers_(toRoot) {}

  std::optional<std::string> Run() {
    PathBuilder builder(toRoot_, maxAnchors_,
                        [&](LocalSubpath&& subpath) { originals_.push_back(std::move(subpath)); });
    try {
      ReadPathData(d_, builder, commands_);
    } catch (const SvgError&) {
      return std::nullopt;
    }
    const std::vector<PathCommand>& list = commands_.list;
    if (originals_.size() != paths_.size() || list.empty()) return std::nullopt;
    for (const LocalSubpath& subpath : originals_) {
      read_.push_back(ToArtworkSegments(toRoot_, subpath));
    }
    dataStyle_ = FindStyle(0, list.size(), Style{});

    // Each subpath's commands, in order: a closepath of nothing goes with those before it.
    std::vector<std::pair<size_t, size_t>> groups(paths_.size(), {kNone, kNone});
    size_t owner = 0, tail = list.size();
    for (size_t i = 0; i < list.size(); ++i) {
      const size_t subpath = list[i].subpath == kNone ? owner : list[i].subpath;
      if (subpath < owner) return std::nullopt;
      owner = subpath;
      if (subpath >= paths_.size()) {
        tail = std::min(tail, i);
        continue;
      }
      if (groups[subpath].first == kNone) groups[subpath].first = i;
      groups[subpath].second = i + 1;
    }

    out_.assign(d_.substr(0, list[0].begin));
    try {
      for (size_t s = 0; s < paths_.size(); ++s) {
        if (paths_[s] == nullptr) continue;
        if (groups[s].first == kNone || !Subpath(s, groups[s].first, groups[s].second)) {
          return std::nullopt;
        }
      }
    } catch (const NotKept&) {
      return std::nullopt;
    }
    // Movetos after the last subpath draw nothing, and stay as they were.
    for (size_t i = tail; i < list.size(); ++i) EmitAsRead(i, Gap(i));
    out_.append(d_.substr(list.back().end));
    return ReadsBack() ? std::optional<std::string>(std::move(out_)) : std::nullopt;
  }

 private:
  const PathCommand& Command(size_t i) const { return commands_.list[i]; }

  // The text between command i and the one before it.
  std::string_view Gap(size_t i) const {
    if (i == 0) return {};
    return d_.substr(Command(i - 1).end, Command(i).begin - Command(i - 1).end);
  }
  // Command i's text after its letter; all of it for one that repeats the command before.
  std::string_view Body(size_t i) const {
    const PathCommand& c = Command(i);
    const size_t begin = c.lettered ? c.begin + 1 : c.begin;
    return d_.substr(begin, c.end - begin);
  }
  std::string Text(char letter, std::string_view body) const {
    return std::string(1, letter) + std::string(body);
  }
  std::string_view NumberAt(size_t index) const {
    const NumberSpan& span = commands_.numbers[index];
    return d_.substr(span.start, span.length);
  }

  // The separators of commands [begin, end), or of `otherwise` where those show none.
  Style FindStyle(size_t begin, size_t end, const Style& otherwise) const {
    Style style = otherwise;
    bool afterLetter = false, withinPair = false, betweenPairs = false, betweenCommands = false;
    for (size_t i = begin; i < end; ++i) {
      const PathCommand& c = Command(i);
      const NumberSpan* n = commands_.numbers.data() + c.firstNumber;
      const char kind = Upper(c.letter);
      // An arc's listed numbers are its end point only, after its radii and flags.
      if (!afterLetter && c.lettered && c.numberCount > 0 && kind != 'A') {
        style.afterLetter = d_.substr(c.begin + 1, n[0].start - c.begin - 1);
        afterLetter = true;
      }
      if (!withinPair && c.numberCount >= 2 && kind != 'H' && kind != 'V') {
        style.withinPair =
            d_.substr(n[0].start + n[0].length, n[1].start - n[0].start - n[0].length);
        withinPair = true;
      }
      if (!betweenPairs && c.numberCount >= 4) {
        style.betweenPairs =
            d_.substr(n[1].start + n[1].length, n[2].start - n[1].start - n[1].length);
        betweenPairs = true;
      }
      if (!betweenCommands && i > begin && c.lettered) {
        style.betweenCommands = Gap(i);
        betweenCommands = true;
      }
    }
    return style;
  }

  // Appends a command: its letter when it has one or when the command before is another, then
  // the rest of its text.
  void Emit(std::string_view gap, char letter, bool lettered, std::string_view body) {
    const bool withLetter = lettered || Continuation(lastLetter_) != letter;
    if (!firstEmitted_) {
      // A comma may stand between numbers only, never before a letter.
      for (const char c : gap) {
        if (c != ',' || !withLetter) out_ += c;
      }
    }
    firstEmitted_ = false;
    if (withLetter) {
      out_ += letter;
      if (!lettered) out_ += style_.afterLetter;
    }
    Join(out_, body);
    lastLetter_ = letter;
  }
  void EmitAsRead(size_t i, std::string_view gap) {
    Emit(gap, Command(i).letter, Command(i).lettered, Body(i));
  }

  // One subpath that is kept. False when its commands do not make the subpath as read.
  bool Subpath(size_t s, size_t begin, size_t end) {
    target_ = &paths_[s]->segments;
    original_ = &read_[s];
    // The last moveto begins it; those before it drew nothing.
    size_t start = kNone;
    for (size_t i = begin; i < end; ++i) {
      if (Command(i).starts) start = i;
    }
    if (start == kNone) return false;
    const size_t n = original_->size();
    size_t next = Command(start).firstAnchor + Command(start).anchorCount;
    if (Command(start).firstAnchor != 0) return false;
    for (size_t i = start + 1; i < end; ++i) {
      if (Command(i).anchorCount == 0) continue;
      if (Command(i).firstAnchor != next || Command(i).starts) return false;
      next += Command(i).anchorCount;
    }
    const bool closed = originals_[s].closed;
    const bool merged = closed && next == n + 1;
    if (next != n && !merged) return false;
    relative_ = Relative(start, end);
    style_ = FindStyle(begin, end, dataStyle_);

    if (target_->size() != n || Closed(*paths_[s]) != closed) {
      Anew(Gap(begin), Closed(*paths_[s]));
      return true;
    }
    for (size_t i = begin; i < end; ++i) KeepCommand(i, start, merged);
    return true;
  }

  // Command i of a kept subpath that begins at command `start`: as read where it still draws
  // what is there, its numbers changed or written anew where not.
  void KeepCommand(size_t i, size_t start, bool merged) {
    const PathCommand& c = Command(i);
    const char kind = Upper(c.letter);
    if (i < start) {
      // A moveto that drew nothing: as it was, the pen going where it goes.
      EmitAsRead(i, Gap(i));
      if (auto reading = ReadCommandAt(Text(c.letter, Body(i)), pen_, toRoot_)) {
        pen_ = reading->after;
      }
    } else if (i == start && kind == 'M') {
      Move(i, Gap(i));
    } else if (i == start) {
      // Drawing on after a closepath starts where the last subpath closed; when that is
      // somewhere else now, a moveto says where this one starts.
      std::string_view gap = Gap(i);
      if (!((lastLetter_ == 'Z' || lastLetter_ == 'z') &&
            SamePoint(ToArtwork(toRoot_, start_.x, start_.y), (*target_)[0].p))) {
        WriteMove(gap, IsLower(c.letter), nullptr);
        gap = style_.betweenCommands;
      }
      Draw(i, gap, 1, c.anchorCount - 1);
    } else if (kind == 'Z') {
      if (c.subpath != kNone && !merged && ClosingWritten(*target_)) {
        WriteSegment(style_.betweenCommands, relative_, target_->back(), (*target_)[0], {});
      }
      EmitAsRead(i, Gap(i));
      if (c.subpath != kNone) pen_.current = start_;
      pen_.last = 'Z';
    } else if (c.anchorCount == 0) {
      // An arc to where it starts draws nothing: kept while it still does not.
      const auto reading = ReadCommandAt(Text(c.letter, Body(i)), pen_, toRoot_);
      if (reading && reading->anchors.size() == 1) {
        EmitAsRead(i, Gap(i));
        pen_ = reading->after;
      }
    } else {
      Draw(i, Gap(i), c.firstAnchor, c.anchorCount);
    }
  }

  // Whether the subpath is written in relative commands: as most of its commands are.
  bool Relative(size_t start, size_t end) const {
    int lower = 0, upper = 0;
    for (size_t i = start + 1; i < end; ++i) {
      const char letter = Command(i).letter;
      if (Upper(letter) == 'Z') continue;
      (IsLower(letter) ? lower : upper) += 1;
    }
    if (lower != upper) return lower > upper;
    return IsLower(Command(start).letter);
  }

  // The subpath's moveto.
  void Move(size_t i, std::string_view gap) {
    const PathCommand& c = Command(i);
    const RealPoint& target = (*target_)[0].p;
    std::optional<PenState> after;
    if (SameReading(pen_, c.before) && SamePoint(target, (*original_)[0].p)) {
      after = c.after;
    } else {
      after = MoveReads(Text(c.letter, Body(i)), target);
    }
    if (after) {
      EmitAsRead(i, gap);
      pen_ = *after;
    } else if (const auto body = Patched(i, 0, 0);
               body && (after = MoveReads(Text(c.letter, *body), target))) {
      Emit(gap, c.letter, c.lettered, *body);
      pen_ = *after;
    } else {
      WriteMove(gap, IsLower(c.letter), &c);
    }
    start_ = pen_.current;
  }

  std::optional<PenState> MoveReads(const std::string& text, const RealPoint& target) const {
    const auto reading = ReadCommandAt(text, pen_, toRoot_);
    if (!reading || reading->anchors.size() != 1) return std::nullopt;
    const LocalPoint& p = reading->anchors[0].p;
    if (!SamePoint(ToArtwork(toRoot_, p.x.value, p.y.value), target)) return std::nullopt;
    return reading->after;
  }

  // A command drawing anchors [first, first + count) of the subpath.
  void Draw(size_t i, std::string_view gap, size_t first, size_t count) {
    const PathCommand& c = Command(i);
    if (SameReading(pen_, c.before) && Unchanged(first, count)) {
      EmitAsRead(i, gap);
      pen_ = c.after;
      return;
    }
    if (auto after = DrawReads(Text(c.letter, Body(i)), first, count)) {
      EmitAsRead(i, gap);
      pen_ = *after;
      return;
    }
    if (count == 1) {
      if (auto body = Patched(i, first, count)) {
        if (auto after = DrawReads(Text(c.letter, *body), first, count)) {
          Emit(gap, c.letter, c.lettered, *body);
          pen_ = *after;
          return;
        }
      }
    }
    // Written anew, a segment at a time; the last keeps the end point's numbers if they land.
    const bool relative = IsLower(c.letter);
    for (size_t k = 0; k < count; ++k) {
      const size_t anchor = first + k;
      WriteSegment(k == 0 ? gap : std::string_view(style_.betweenCommands), relative,
                   At(*target_, anchor - 1), At(*target_, anchor),
                   k + 1 == count ? EndKeeps(c) : std::vector<std::string_view>{});
    }
  }

  // The numbers of a command's end point, to be tried first when it is written anew.
  std::vector<std::string_view> EndKeeps(const PathCommand& c) const {
    const char kind = Upper(c.letter);
    if (kind == 'H' || kind == 'V' || c.numberCount < 2) return {};
    const size_t last = c.firstNumber + c.numberCount;
    return {NumberAt(last - 2), NumberAt(last - 1)};
  }

  bool Unchanged(size_t first, size_t count) const {
    const std::vector<PathSegment>& t = *target_;
    const std::vector<PathSegment>& o = *original_;
    if (!SamePoint(At(t, first - 1).out, At(o, first - 1).out)) return false;
    for (size_t k = 0; k < count; ++k) {
      const PathSegment &a = At(t, first + k), &b = At(o, first + k);
      if (!SamePoint(a.in, b.in) || !SamePoint(a.p, b.p)) return false;
      if (k + 1 < count && !SamePoint(a.out, b.out)) return false;
    }
    return true;
  }

  // The pen after `text`, when it draws anchors [first, first + count) as they are now.
  std::optional<PenState> DrawReads(const std::string& text, size_t first, size_t count) const {
    const auto reading = ReadCommandAt(text, pen_, toRoot_);
    if (!reading || reading->anchors.size() != count + 1) return std::nullopt;
    auto art = [&](const LocalPoint& p) { return ToArtwork(toRoot_, p.x.value, p.y.value); };
    const std::vector<PathSegment>& t = *target_;
    if (!SamePoint(art(reading->anchors[0].out), At(t, first - 1).out)) return std::nullopt;
    for (size_t k = 1; k <= count; ++k) {
      const LocalSegment& read = reading->anchors[k];
      const PathSegment& meant = At(t, first + k - 1);
      if (!SamePoint(art(read.in), meant.in) || !SamePoint(art(read.p), meant.p)) {
        return std::nullopt;
      }
      if (k < count && !SamePoint(art(read.out), meant.out)) return std::nullopt;
    }
    return reading->after;
  }

  // Command i's text after its letter with the numbers that changed changed, its letter and
  // separators kept. Only commands whose numbers are all points: the moveto, L, H, V, C and S.
  std::optional<std::string> Patched(size_t i, size_t first, size_t count) const {
    const PathCommand& c = Command(i);
    const char kind = Upper(c.letter);
    const std::vector<PathSegment>& t = *target_;
    std::vector<std::string> texts;
    bool written = false;
    if (kind == 'M' && c.numberCount == 2) {
      written = PatchPair(c, 0, t[0].p, texts);
    } else if (count != 1) {
      return std::nullopt;
    } else {
      const PathSegment &from = At(t, first - 1), &to = At(t, first);
      const bool straight = Retracted(from.out, from.p) && Retracted(to.in, to.p);
      if (kind == 'L' && straight && c.numberCount == 2) {
        written = PatchPair(c, 0, to.p, texts);
      } else if ((kind == 'H' || kind == 'V') && straight && c.numberCount == 1) {
        written = PatchOne(c, kind == 'H', to.p, texts);
      } else if (kind == 'C' && c.numberCount == 6) {
        written = PatchPair(c, 0, from.out, texts) && PatchPair(c, 2, to.in, texts) &&
                  PatchPair(c, 4, to.p, texts);
      } else if (kind == 'S' && c.numberCount == 4) {
        written = PatchPair(c, 0, to.in, texts) && PatchPair(c, 2, to.p, texts);
      }
    }
    if (!written) return std::nullopt;
    return WithNumbers(c, texts);
  }

  // Number k of command c as it was read: its value (from `origin` when relative) and its text.
  NumberText KeptNumber(const PathCommand& c, size_t k, double origin) const {
    const std::string_view text = NumberAt(c.firstNumber + k);
    return NumberText{(IsLower(c.letter) ? origin : 0) + NumberValue(text), std::string(text)};
  }

  // Appends the texts of numbers k and k + 1 of command c for a point at `target`: as they were
  // when they still land there, else the shortest that do.
  bool PatchPair(const PathCommand& c, size_t k, const RealPoint& target,
                 std::vector<std::string>& texts) const {
    const Point base = pen_.current;
    PointNumbers::Keeps keeps;
    keeps.x.push_back(KeptNumber(c, k, base.x));
    keeps.y.push_back(KeptNumber(c, k + 1, base.y));
    for (const int digits : {kFloatDigits, 17}) {
      if (auto chosen =
              numbers_.Choose(target, IsLower(c.letter) ? &base : nullptr, keeps, digits)) {
        texts.push_back(chosen->first.text);
        texts.push_back(chosen->second.text);
        return true;
      }
    }
    return false;
  }

  // The same for the one number of an H (isX) or a V.
  bool PatchOne(const PathCommand& c, bool isX, const RealPoint& target,
                std::vector<std::string>& texts) const {
    const Point base = pen_.current;
    const double other = isX ? base.y : base.x;
    const double origin = isX ? base.x : base.y;
    for (const int digits : {kFloatDigits, 17}) {
      if (auto chosen =
              numbers_.ChooseOne(isX, target, other, IsLower(c.letter) ? &origin : nullptr,
                                 {KeptNumber(c, 0, origin)}, digits)) {
        texts.push_back(chosen->text);
        return true;
      }
    }
    return false;
  }

  // Command c's text after its letter with its numbers replaced by `texts`, its separators kept.
  std::string WithNumbers(const PathCommand& c, const std::vector<std::string>& texts) const {
    std::string body;
    size_t at = c.lettered ? c.begin + 1 : c.begin;
    for (size_t k = 0; k < c.numberCount; ++k) {
      const NumberSpan& span = commands_.numbers[c.firstNumber + k];
      Join(body, d_.substr(at, span.start - at));
      Join(body, Styled(texts[k], d_.substr(span.start, span.length), at == span.start, body));
      at = span.start + span.length;
    }
    Join(body, d_.substr(at, c.end - at));
    return body;
  }

  // The numbers of points written anew: relative to the pen or absolute, at most a float's
  // digits when that will do, both kinds tried before more digits. `keeps` are the texts of the
  // last point's numbers, tried first.
  std::pair<bool, std::vector<std::string>> Points(const std::vector<RealPoint>& targets,
                                                   bool relative,
                                                   const std::vector<std::string_view>& keeps) {
    for (const int digits : {kFloatDigits, 17}) {
      for (const bool asRelative : {relative, !relative}) {
        std::vector<std::string> texts = PointsAs(targets, asRelative, digits, keeps);
        if (texts.size() == 2 * targets.size()) return {asRelative, texts};
      }
    }
    // No numbers land there: what the writer of whole paths says of such a transform.
    for (const RealPoint& target : targets) numbers_.Absolute(target, {});
    throw NotKept{};
  }

  // The numbers of the points in one kind and at most `digits` digits; fewer than two a point
  // when some point cannot be written so.
  std::vector<std::string> PointsAs(const std::vector<RealPoint>& targets, bool asRelative,
                                    int digits, const std::vector<std::string_view>& keeps) {
    std::vector<std::string> texts;
    for (size_t k = 0; k < targets.size(); ++k) {
      const Point* base = asRelative ? &pen_.current : nullptr;
      PointNumbers::Keeps candidates = AbsoluteKeeps(asRelative, targets[k]);
      if (k + 1 == targets.size() && keeps.size() == 2) {
        auto value = [&](std::string_view text, double origin) {
          return NumberText{(asRelative ? origin : 0) + NumberValue(text), std::string(text)};
        };
        candidates.x.insert(candidates.x.begin(), value(keeps[0], pen_.current.x));
        candidates.y.insert(candidates.y.begin(), value(keeps[1], pen_.current.y));
      }
      const auto chosen = numbers_.Choose(targets[k], base, candidates, digits);
      if (!chosen) break;
      texts.push_back(chosen->first.text);
      texts.push_back(chosen->second.text);
    }
    return texts;
  }

  // For absolute numbers, the texts a point was read from when it is where one was read.
  PointNumbers::Keeps AbsoluteKeeps(bool relative, const RealPoint& target) {
    PointNumbers::Keeps keeps;
    if (relative) return keeps;
    if (points_.empty()) {
      for (const LocalSubpath& subpath : originals_) {
        for (const LocalSegment& segment : subpath.segments) {
          for (const LocalPoint* p : {&segment.p, &segment.in, &segment.out}) {
            if (p->x.textLength == 0 || p->y.textLength == 0) continue;
            points_.emplace(KeyOf(ToArtwork(toRoot_, p->x.value, p->y.value)), *p);
          }
        }
      }
    }
    if (const auto found = points_.find(KeyOf(target)); found != points_.end()) {
      const Coordinate &x = found->second.x, &y = found->second.y;
      keeps.pair =
          std::pair{NumberText{x.value, std::string(d_.substr(x.textStart, x.textLength))},
                    NumberText{y.value, std::string(d_.substr(y.textStart, y.textLength))}};
    }
    return keeps;
  }

  std::string Numbers(const std::vector<std::string>& texts) const {
    std::string body = style_.afterLetter;
    for (size_t k = 0; k < texts.size(); ++k) {
      if (k > 0) Join(body, k % 2 == 1 ? style_.withinPair : style_.betweenPairs);
      Join(body, texts[k]);
    }
    return body;
  }

  // A moveto to the subpath's first anchor, written anew.
  void WriteMove(std::string_view gap, bool relative, const PathCommand* command) {
    const RealPoint& target = (*target_)[0].p;
    std::vector<std::string_view> keeps;
    if (command != nullptr && command->numberCount == 2) {
      keeps = {NumberAt(command->firstNumber), NumberAt(command->firstNumber + 1)};
    }
    const auto [asRelative, texts] = Points({target}, relative, keeps);
    const char letter = asRelative ? 'm' : 'M';
    const std::string body = Numbers(texts);
    const auto after = MoveReads(Text(letter, body), target);
    if (!after) throw NotKept{};
    Emit(gap, letter, true, body);
    pen_ = *after;
    start_ = pen_.current;
  }

  // One segment written anew: a line when its handles are retracted, a curve otherwise.
  void WriteSegment(std::string_view gap, bool relative, const PathSegment& from,
                    const PathSegment& to, const std::vector<std::string_view>& keeps) {
    const bool straight = Retracted(from.out, from.p) && Retracted(to.in, to.p);
    const auto [asRelative, texts] = Points(
        straight ? std::vector<RealPoint>{to.p} : std::vector<RealPoint>{from.out, to.in, to.p},
        relative, keeps);
    const char letter = static_cast<char>((straight ? 'L' : 'C') + (asRelative ? 'a' - 'A' : 0));
    const std::string body = Numbers(texts);
    const auto reading = ReadCommandAt(Text(letter, body), pen_, toRoot_);
    auto art = [&](const LocalPoint& p) { return ToArtwork(toRoot_, p.x.value, p.y.value); };
    if (!reading || reading->anchors.size() != 2 ||
        !SamePoint(art(reading->anchors[0].out), from.out) ||
        !SamePoint(art(reading->anchors[1].in), to.in) ||
        !SamePoint(art(reading->anchors[1].p), to.p)) {
      throw NotKept{};
    }
    Emit(gap, letter, true, body);
    pen_ = reading->after;
  }

  // A subpath whose anchors were added or taken away, or that was opened or closed: written
  // anew in its own kind of commands.
  void Anew(std::string_view gap, bool closed) {
    const std::vector<PathSegment>& t = *target_;
    WriteMove(gap, relative_, nullptr);
    for (size_t i = 1; i < t.size(); ++i) {
      WriteSegment(style_.betweenCommands, relative_, t[i - 1], t[i], {});
    }
    if (!closed) return;
    if (ClosingWritten(t)) WriteSegment(style_.betweenCommands, relative_, t.back(), t[0], {});
    Emit(style_.betweenCommands, relative_ ? 'z' : 'Z', true, "");
    pen_.current = start_;
    pen_.last = 'Z';
  }

  bool ReadsBack() const {
    std::vector<LocalSubpath> read;
    try {
      PathBuilder builder(toRoot_, maxAnchors_,
                          [&](LocalSubpath&& subpath) { read.push_back(std::move(subpath)); });
      ReadPathData(out_, builder);
    } catch (const SvgError&) {
      return false;
    }
    std::vector<const EditedPath*> kept;
    for (const EditedPath* path : paths_) {
      if (path != nullptr) kept.push_back(path);
    }
    return ReadsBackAs(read, toRoot_, kept);
  }

  std::string_view d_;
  Affine toRoot_;
  size_t maxAnchors_;
  const std::vector<const EditedPath*>& paths_;
  PointNumbers numbers_;
  PathCommands commands_;
  std::vector<LocalSubpath> originals_;
  std::vector<std::vector<PathSegment>> read_;
  std::unordered_map<uint64_t, LocalPoint> points_;
  Style dataStyle_;

  // The subpath being written.
  Style style_;
  const std::vector<PathSegment>* target_ = nullptr;
  const std::vector<PathSegment>* original_ = nullptr;
  bool relative_ = false;

  // What is written so far, and where it leaves the pen.
  std::string out_;
  bool firstEmitted_ = true;
  char lastLetter_ = '\0';
  PenState pen_;
  Point start_{0, 0};
};

}  // namespace

std::optional<std::string> EditPathData(std::string_view d, const Affine& toRoot, size_t maxAnchors,
                                        const std::vector<const EditedPath*>& paths) {
  return Editor(d, toRoot, maxAnchors, paths).Run();
}

bool ReadsBackAs(const std::vector<LocalSubpath>& read, const Affine& toRoot,
                 const std::vector<const EditedPath*>& paths) {
  if (read.size() != paths.size()) return false;
  for (size_t i = 0; i < read.size(); ++i) {
    const std::vector<PathSegment> back = ToArtworkSegments(toRoot, read[i]);
    const std::vector<PathSegment>& meant = paths[i]->segments;
    const bool closed = Closed(*paths[i]);
    if (read[i].closed != closed || back.size() != meant.size()) return false;
    for (size_t k = 0; k < back.size(); ++k) {
      if (!SamePoint(back[k].p, meant[k].p)) return false;
      if ((closed || k > 0) && !SamePoint(back[k].in, meant[k].in)) return false;
      if ((closed || k + 1 < back.size()) && !SamePoint(back[k].out, meant[k].out)) return false;
    }
  }
  return true;
}

}  // namespace tavrix::svg

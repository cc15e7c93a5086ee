// How much of a drawing's text an edit changes. For every path of every drawing, one anchor at a
// time (up to eight per path) is moved as the palette moves one, with its handles, and the
// drawing saved: the edited element's text is then compared with what it was. An edit is
// "numbers only" when its element reads the same with every number taken out (the last column
// is the worst growth among those); its growth is the element's length after over before. Every
// saved drawing is opened again and must give the paths that were saved.
//
// The drawings are those of the repository (examples/, tests/svg/fixtures/, the SVG fuzzing
// corpus) and drawings made here with relative commands, arcs, shapes and transforms.
//
//   svg_edit_measure            the figures, for a move along x and a move along both axes
//   svg_edit_measure --worst N  also the N edits of the second that grew most
//   svg_edit_measure --mixed N  also N edits of paths of the second that changed more than
//                               numbers
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "host/svg/SourceText.h"
#include "host/svg/SvgDocument.h"

namespace {

using namespace tavrix::svg;

struct Drawing {
  std::string name, text;
  bool made = false;
};

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void AddFolder(std::vector<Drawing>& drawings, const std::filesystem::path& folder, bool svgOnly) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && (!svgOnly || entry.path().extension() == ".svg")) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) drawings.push_back({file.string(), ReadFile(file)});
}

// Numbers as people and programs write them: whole, with a few decimals, now and then negative.
class Maker {
 public:
  explicit Maker(unsigned seed) : random_(seed) {}

  int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

  std::string Number(double low, double high) {
    const double value = std::uniform_real_distribution<double>(low, high)(random_);
    const int decimals = Int(0, 3);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s = text;
    if (s == "-0" || s.rfind("-0.", 0) == 0) s = s.substr(1);
    return s;
  }
  std::string Pair(double low, double high, const std::string& within) {
    return Number(low, high) + within + Number(low, high);
  }

  // Path data of `subpaths` subpaths, relative or absolute, with every kind of command.
  std::string PathData(int subpaths, bool relative, const std::string& within,
                       const std::string& between) {
    std::string d;
    for (int s = 0; s < subpaths; ++s) {
      const bool rel = relative ? !Chance(0.1) : Chance(0.1);
      auto letter = [&](char c) { return std::string(1, rel ? static_cast<char>(c + 32) : c); };
      const double lo = rel ? -20 : 0, hi = rel ? 20 : 200;
      if (!d.empty()) d += between;
      d += (s == 0 || !rel ? "M" : "m") + Pair(0, 200, within);
      const int commands = Int(2, 9);
      for (int c = 0; c < commands; ++c) {
        d += between;
        // Lines and curves mostly, as drawing programs write them; the rest now and then.
        const int kind = Int(0, 99);
        if (kind < 28) {
          d += letter('L') + Pair(lo, hi, within);
          if (Chance(0.3)) d += " " + Pair(lo, hi, within);  // an implicit repeat
        } else if (kind < 56) {
          d += letter('C') + Pair(lo, hi, within) + " " + Pair(lo, hi, within) + " " +
               Pair(lo, hi, within);
        } else if (kind < 62) {
          d += letter('H') + Number(lo, hi);
        } else if (kind < 68) {
          d += letter('V') + Number(lo, hi);
        } else if (kind < 78) {
          d += letter('S') + Pair(lo, hi, within) + " " + Pair(lo, hi, within);
        } else if (kind < 84) {
          d += letter('Q') + Pair(lo, hi, within) + " " + Pair(lo, hi, within);
        } else if (kind < 88) {
          d += letter('T') + Pair(lo, hi, within);
        } else {
          d += letter('A') + std::to_string(Int(5, 40)) + " " + std::to_string(Int(5, 40)) + " " +
               std::to_string(Int(0, 45)) + " " + std::to_string(Int(0, 1)) + " " +
               std::to_string(Int(0, 1)) + " " + Pair(lo, hi, within);
        }
      }
      if (Chance(0.6)) d += between + letter('Z');
    }
    return d;
  }

  std::string Transform() {
    switch (Int(0, 6)) {
      case 0:
        return "translate(" + Pair(-50, 50, " ") + ")";
      case 1:
        return "scale(" + Number(0.5, 3) + ")";
      case 2:
        return "rotate(" + std::to_string(Int(1, 359)) + ")";
      case 3:
        return "rotate(90 " + Pair(0, 100, " ") + ")";
      case 4:
        return "matrix(1 0 0 -1 " + Pair(0, 100, " ") + ")";
      case 5:
        return "skewX(" + std::to_string(Int(5, 30)) + ")";
      default:
        return "";
    }
  }

  std::string Shape() {
    const std::string transform = Chance(0.3) ? Transform() : "";
    const std::string t = transform.empty() ? "" : " transform=\"" + transform + "\"";
    switch (Int(0, 6)) {
      case 0:
        return "<rect x=\"" + Number(0, 100) + "\" y=\"" + Number(0, 100) + "\" width=\"" +
               Number(1, 80) + "\" height=\"" + Number(1, 80) + "\"" + t + "/>";
      case 1:
        return "<rect x=\"" + Number(0, 100) + "\" y=\"" + Number(0, 100) + "\" width=\"" +
               Number(20, 80) + "\" height=\"" + Number(20, 80) + "\" rx=\"" + Number(1, 8) + "\"" +
               t + "/>";
      case 2:
        return "<circle cx=\"" + Number(0, 100) + "\" cy=\"" + Number(0, 100) + "\" r=\"" +
               Number(1, 50) + "\"" + t + "/>";
      case 3:
        return "<ellipse cx=\"" + Number(0, 100) + "\" cy=\"" + Number(0, 100) + "\" rx=\"" +
               Number(1, 50) + "\" ry=\"" + Number(1, 50) + "\"" + t + "/>";
      case 4:
        return "<line x1=\"" + Number(0, 100) + "\" y1=\"" + Number(0, 100) + "\" x2=\"" +
               Number(0, 100) + "\" y2=\"" + Number(0, 100) + "\"" + t + "/>";
      default: {
        std::string points;
        const int count = Int(3, 12);
        const std::string within = Chance(0.5) ? "," : " ";
        for (int i = 0; i < count; ++i) points += (i ? " " : "") + Pair(0, 200, within);
        return std::string(Chance(0.5) ? "<polygon" : "<polyline") + " points=\"" + points + "\"" +
               t + "/>";
      }
    }
  }

  std::string Drawing() {
    std::string text = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 300 300\">\n";
    const int groups = Int(1, 3);
    for (int g = 0; g < groups; ++g) {
      const std::string transform = Chance(0.6) ? Transform() : "";
      text += transform.empty() ? "  <g>\n" : "  <g transform=\"" + transform + "\">\n";
      const int elements = Int(2, 6);
      for (int e = 0; e < elements; ++e) {
        text += "    ";
        if (Chance(0.55)) {
          const bool relative = Chance(0.5);
          const std::string within = Chance(0.5) ? "," : " ";
          const std::string between = Chance(0.15) ? "\n      " : " ";
          text += "<path d=\"" + PathData(Int(1, 3), relative, within, between) + "\"";
          if (Chance(0.2)) text += " transform=\"" + Transform() + "\"";
          text += " fill=\"none\"/>";
        } else {
          text += Shape();
        }
        text += "\n";
      }
      text += "  </g>\n";
    }
    return text + "</svg>\n";
  }

 private:
  std::mt19937 random_;
};

bool NumberStart(const std::string& s, size_t i) {
  auto digit = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  if (digit(i)) return true;
  if (s[i] == '.') return digit(i + 1);
  if (s[i] == '-' || s[i] == '+') return digit(i + 1) || (s[i + 1] == '.' && digit(i + 2));
  return false;
}

// The text with every number a '#', and the numbers.
std::string Skeleton(const std::string& s, std::vector<std::string>& numbers) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (!NumberStart(s, i)) {
      out += s[i++];
      continue;
    }
    const size_t begin = i;
    if (s[i] == '-' || s[i] == '+') ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i < s.size() && s[i] == '.') {
      ++i;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    }
    if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E') &&
        ((s[i + 1] >= '0' && s[i + 1] <= '9') ||
         ((s[i + 1] == '-' || s[i + 1] == '+') && i + 2 < s.size() && s[i + 2] >= '0' &&
          s[i + 2] <= '9'))) {
      i += 2;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    }
    numbers.push_back(s.substr(begin, i - begin));
    out += '#';
  }
  return out;
}

struct Edit {
  std::string drawing, kind, before, after;
  double growth;
  bool numbersOnly;
  int changedNumbers;
  bool made;
};

// Whether the saved text opens with the paths saved: the anchors and the handles that a path
// can store (an open one neither its first anchor's In nor its last one's Out).
bool OpensAs(const std::string& saved, const std::vector<EditedPath>& current) {
  try {
    const SvgDocument again = SvgDocument::Parse(saved, "saved.svg");
    if (again.paths().size() != current.size()) return false;
    auto equal = [](const RealPoint& u, const RealPoint& v) { return u.h == v.h && u.v == v.v; };
    for (size_t k = 0; k < current.size(); ++k) {
      const auto& a = again.paths()[k].segments;
      const auto& b = current[k].segments;
      const bool closed = current[k].closed || b.size() == 1;
      if (a.size() != b.size()) return false;
      for (size_t j = 0; j < a.size(); ++j) {
        if (!equal(a[j].p, b[j].p)) return false;
        if ((closed || j > 0) && !equal(a[j].in, b[j].in)) return false;
        if ((closed || j + 1 < a.size()) && !equal(a[j].out, b[j].out)) return false;
      }
    }
    return true;
  } catch (const SvgError&) {
    return false;
  }
}

std::string KindOf(const std::string& tag) {
  if (tag == "path") return "path";
  if (tag == "polygon" || tag == "polyline" || tag == "line") return "polygon, polyline, line";
  return "rect, circle, ellipse";
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Move {
  const char* name;
  float dx, dy;
};

// Every edit of one kind of move, with what it changed.
std::vector<Edit> Measure(const std::vector<Drawing>& drawings, const Move& move, int& refused,
                          int& wrong) {
  std::vector<Edit> edits;
  for (const Drawing& drawing : drawings) {
    std::optional<SvgDocument> document;
    try {
      document.emplace(SvgDocument::Parse(drawing.text, drawing.name));
    } catch (const SvgError&) {
      continue;  // bad on purpose
    }
    std::vector<EditedPath> read;
    for (size_t i = 0; i < document->paths().size(); ++i) {
      read.push_back({i, document->paths()[i].segments, document->paths()[i].closed});
    }
    for (size_t p = 0; p < read.size(); ++p) {
      const size_t count = read[p].segments.size();
      const size_t tries = std::min<size_t>(count, 8);
      for (size_t t = 0; t < tries; ++t) {
        // As the palette moves an anchor: its handles keep their offsets, in floats.
        std::vector<EditedPath> current = read;
        PathSegment& s = current[p].segments[t * count / tries];
        const RealPoint in{s.in.h - s.p.h, s.in.v - s.p.v}, out{s.out.h - s.p.h, s.out.v - s.p.v};
        s.p = {s.p.h + move.dx, s.p.v + move.dy};
        s.in = {s.p.h + in.h, s.p.v + in.v};
        s.out = {s.p.h + out.h, s.p.v + out.v};
        std::string saved;
        try {
          saved = document->SavedText(current);
        } catch (const SvgError&) {
          ++refused;  // a transform that cannot carry the point back
          continue;
        }
        if (!OpensAs(saved, current)) {
          ++wrong;
          continue;
        }
        // The element the edit changed, before and after.
        const std::string& text = drawing.text;
        size_t prefix = 0;
        while (prefix < text.size() && prefix < saved.size() && text[prefix] == saved[prefix]) {
          ++prefix;
        }
        const size_t begin = text.rfind('<', prefix);
        const std::string before = text.substr(begin, ScanElement(text, begin).end() - begin);
        const std::string after = saved.substr(begin, ScanElement(saved, begin).end() - begin);
        std::vector<std::string> numbersBefore, numbersAfter;
        const bool numbersOnly = Skeleton(before, numbersBefore) == Skeleton(after, numbersAfter);
        int changed = 0;
        if (numbersOnly) {
          for (size_t k = 0; k < numbersBefore.size(); ++k) {
            changed += numbersBefore[k] != numbersAfter[k];
          }
        }
        const SvgElement& element = document->elements()[document->paths()[p].element];
        edits.push_back({drawing.name, KindOf(element.tag), before, after,
                         static_cast<double>(after.size()) / static_cast<double>(before.size()),
                         numbersOnly, changed, drawing.made});
      }
    }
  }
  return edits;
}

void Report(const std::vector<Edit>& edits) {
  std::map<std::string, std::vector<const Edit*>> rows;
  for (const Edit& edit : edits) {
    rows["all"].push_back(&edit);
    rows[edit.kind].push_back(&edit);
    rows[edit.made ? "  of drawings made here" : "  of the repository's"].push_back(&edit);
  }
  std::printf("%-26s %6s %13s %13s %8s %8s %13s\n", "elements", "edits", "numbers only",
              "numbers each", "median", "worst", "worst of these");
  for (const char* row : {"all", "  of the repository's", "  of drawings made here", "path",
                          "polygon, polyline, line", "rect, circle, ellipse"}) {
    const std::vector<const Edit*>& list = rows[row];
    if (list.empty()) continue;
    int only = 0;
    double changed = 0, largest = 0, largestOnly = 0;
    std::vector<double> growth;
    for (const Edit* edit : list) {
      only += edit->numbersOnly;
      if (edit->numbersOnly) {
        changed += edit->changedNumbers;
        largestOnly = std::max(largestOnly, edit->growth);
      }
      growth.push_back(edit->growth);
      largest = std::max(largest, edit->growth);
    }
    std::printf("%-26s %6zu %12.1f%% %13.2f %7.3fx %7.3fx", row, list.size(),
                100.0 * only / static_cast<double>(list.size()), only ? changed / only : 0.0,
                Median(growth), largest);
    if (only > 0) {
      std::printf(" %12.3fx\n", largestOnly);
    } else {
      std::printf(" %13s\n", "-");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  int worst = 0, mixed = 0;
  if (argc == 3 && std::string(argv[1]) == "--worst") worst = std::atoi(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "--mixed") mixed = std::atoi(argv[2]);

  std::vector<Drawing> drawings;
  AddFolder(drawings, TAVRIX_EXAMPLES_DIR, true);
  AddFolder(drawings, TAVRIX_SVG_FIXTURES_DIR, true);
  AddFolder(drawings, TAVRIX_SVG_FUZZ_CORPUS_DIR, false);
  const size_t repository = drawings.size();
  Maker maker(2024);
  for (int i = 0; i < 40; ++i) {
    drawings.push_back({"made-" + std::to_string(i), maker.Drawing(), true});
  }
  std::printf("%zu drawings: %zu of the repository, %zu made here\n", drawings.size(), repository,
              drawings.size() - repository);

  int wrong = 0;
  const Move moves[] = {{"one arrow step along x", 1, 0},
                        {"dragged by (1.25, -0.5)", 1.25f, -0.5f}};
  for (const Move& move : moves) {
    int refused = 0;
    const std::vector<Edit> edits = Measure(drawings, move, refused, wrong);
    std::printf("\nOne anchor %s: %zu edits, %d refused by a transform, %d read back wrong\n",
                move.name, edits.size(), refused, wrong);
    Report(edits);
    if (&move != &moves[1]) continue;
    std::vector<const Edit*> sorted;
    for (const Edit& edit : edits) sorted.push_back(&edit);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Edit* a, const Edit* b) { return a->growth > b->growth; });
    for (int i = 0; i < worst && i < static_cast<int>(sorted.size()); ++i) {
      std::printf("\n%s, %.3fx:\n  %s\n  %s\n", sorted[i]->drawing.c_str(), sorted[i]->growth,
                  sorted[i]->before.c_str(), sorted[i]->after.c_str());
    }
    for (const Edit& edit : edits) {
      if (mixed <= 0) break;
      if (edit.numbersOnly || edit.kind != "path") continue;
      std::printf("\n%s:\n  %s\n  %s\n", edit.drawing.c_str(), edit.before.c_str(),
                  edit.after.c_str());
      --mixed;
    }
  }
  return wrong == 0 ? 0 : 1;
}

// The document window in a session: zoom, scroll, redraw passes, and the arrowheads an
// annotator has drawn into the view.
#include <algorithm>

#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

std::string PointText(const AIPoint& p) {
  return "(" + std::to_string(p.h) + ", " + std::to_string(p.v) + ")";
}

// An arrowhead is the strokes that meet at one tip, in the order they were drawn.
std::vector<std::pair<AIPoint, std::vector<AIPoint>>> Arrowheads(const host::DocumentView& view) {
  std::vector<std::pair<AIPoint, std::vector<AIPoint>>> heads;
  for (const host::ViewStroke& stroke : view.strokes()) {
    auto head = std::find_if(heads.begin(), heads.end(), [&](const auto& h) {
      return h.first.h == stroke.to.h && h.first.v == stroke.to.v;
    });
    if (head == heads.end()) {
      heads.push_back({stroke.to, {}});
      head = std::prev(heads.end());
    }
    head->second.push_back(stroke.from);
  }
  return heads;
}

// `expect mark at H V [from H1 V1 H2 V2]`: the tip, and the strokes' starts in the order drawn
// (strokes drawn twice count once).
std::pair<AIPoint, std::vector<AIPoint>> ReadExpectedMark(const std::vector<std::string>& w) {
  static const char kUsage[] = "usage: expect mark at H V [from H1 V1 H2 V2]";
  if (w.size() < 4 || w[1] != "at") throw ScriptError(kUsage);
  if (w.size() > 4 && (w[4] != "from" || w.size() < 7 || (w.size() - 5) % 2 != 0))
    throw ScriptError(kUsage);
  const AIPoint tip{IntegerWord(w[2], "a view position"), IntegerWord(w[3], "a view position")};
  std::vector<AIPoint> starts;
  for (size_t i = 5; i + 1 < w.size(); i += 2)
    starts.push_back(
        {IntegerWord(w[i], "a view position"), IntegerWord(w[i + 1], "a view position")});
  return {tip, starts};
}

}  // namespace

void Session::Zoom(const std::vector<std::string>& words) {
  if (words.size() != 1) throw Usage("zoom");
  try {
    host_->view().SetZoom(NumberWord(words[0], "a zoom factor"));
  } catch (const std::invalid_argument& error) {
    throw ScriptError(error.what());
  }
}

void Session::Scroll(const std::vector<std::string>& words) {
  if (words.size() != 2) throw Usage("scroll");
  try {
    host_->view().ScrollTo(static_cast<float>(NumberWord(words[0], "the artwork's left edge")),
                           static_cast<float>(NumberWord(words[1], "the artwork's top edge")));
  } catch (const std::invalid_argument& error) {
    throw ScriptError(error.what());
  }
}

void Session::Redraw(const std::vector<std::string>& words) {
  if (!words.empty()) throw Usage("redraw");
  host_->RedrawView();
}

void Session::ExpectMarks(const std::vector<std::string>& w) {
  const auto heads = Arrowheads(host_->view());
  std::string shown;
  for (const auto& head : heads) {
    shown += (shown.empty() ? " " : "; ") + PointText(head.first) + " from";
    for (const AIPoint& from : head.second) shown += " " + PointText(from);
  }
  if (shown.empty()) shown = " none";
  if (w[0] == "marks") {
    if (w.size() != 2) throw ScriptError("usage: expect marks N");
    if (static_cast<int>(heads.size()) != IntegerWord(w[1], "a number of marks"))
      throw ScriptError("found " + std::to_string(heads.size()) + " marks:" + shown);
    return;
  }
  const auto [tip, starts] = ReadExpectedMark(w);
  for (const auto& head : heads) {
    if (head.first.h != tip.h || head.first.v != tip.v) continue;
    if (w.size() == 4) return;
    const bool same =
        std::equal(head.second.begin(), head.second.end(), starts.begin(), starts.end(),
                   [](const AIPoint& a, const AIPoint& b) { return a.h == b.h && a.v == b.v; });
    if (!same) throw ScriptError("found marks:" + shown);
    return;
  }
  throw ScriptError("found no mark at " + PointText(tip) + "; marks:" + shown);
}

}  // namespace tavrix::app

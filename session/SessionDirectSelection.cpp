// The host's Direct Selection tool in a session: dragging an anchor or a handle's end, and the
// arrow keys. Each line is one step of the Edit menu, "Undo Move".
#include "host/DirectSelection.h"
#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {
namespace {

size_t Index(const std::string& word, const char* what) {
  const int value = IntegerWord(word, what);
  if (value < 0) throw ScriptError(std::string(what) + " counts from 0, found " + word);
  return static_cast<size_t>(value);
}

host::DragTarget TargetOf(const std::vector<std::string>& words) {
  host::DragTarget target;
  target.path = Index(words[1], "a path number");
  target.anchor = Index(words[2], "an anchor number");
  if (words[0] == "handle") {
    target.part = words[3] == "in" ? host::DragPart::InHandle : host::DragPart::OutHandle;
  }
  return target;
}

}  // namespace

void Session::DirectSelect(const std::vector<std::string>& words) {
  Doc();
  if (words[0] == "drag") {
    Drag(std::vector<std::string>(words.begin() + 1, words.end()));
  } else {
    Nudge(std::vector<std::string>(words.begin() + 1, words.end()));
  }
}

void Session::Drag(const std::vector<std::string>& words) {
  const bool anchor = words.size() == 5 && words[0] == "anchor";
  const bool handle = words.size() == 6 && words[0] == "handle";
  if ((!anchor && !handle) || (handle && words[3] != "in" && words[3] != "out"))
    throw Usage("drag");
  const host::DragTarget target = TargetOf(words);
  const size_t at = anchor ? 3 : 4;
  const RealPoint to{FloatWord(words[at], "the horizontal place in points"),
                     FloatWord(words[at + 1], "the vertical place in points")};
  try {
    host::Drag(*host_, target, to);
  } catch (const std::logic_error& error) {  // out of range, or not finite
    throw ScriptError(error.what());
  }
}

void Session::Nudge(const std::vector<std::string>& words) {
  if (words.empty() || words.size() > 2 || (words.size() == 2 && words[1] != "shift"))
    throw Usage("nudge");
  double dh = 0, dv = 0;
  if (words[0] == "left") {
    dh = -1;
  } else if (words[0] == "right") {
    dh = 1;
  } else if (words[0] == "up") {
    dv = 1;  // v grows upwards
  } else if (words[0] == "down") {
    dv = -1;
  } else {
    throw Usage("nudge");
  }
  const double step =
      host::KeyboardIncrement(*host_) * (words.size() == 2 ? host::kShiftNudgeFactor : 1);
  if (host::Nudge(*host_, dh * step, dv * step) == 0)
    throw ScriptError("nothing is selected: the arrow keys move the selected anchors");
}

}  // namespace tavrix::app

// `render` in a build without cairo (the Windows build): the line fails with the reason.
#include "session/ScriptWords.h"
#include "session/Session.h"

namespace tavrix::app {

void Session::Render(const std::vector<std::string>&) {
  throw ScriptError(
      "render: this build of the host draws no pictures (it was built without cairo)");
}

}  // namespace tavrix::app

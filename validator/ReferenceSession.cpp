#include "validator/ReferenceSession.h"

#include <cmath>
#include <cstring>

#include "session/ScriptWords.h"

namespace tavrix::validator {

std::vector<std::string> ReferenceSessionLines(bool withRestart) {
  std::vector<std::string> lines = {
      "document",
      "path 0 0 ; 100 200 in 90 200 out 130 200 ; 200 300 corner ; 250 0",
      "path closed 0 0 in 0 -10 out 0 10 ; 50 50 ; 100 0",
      "menu",
      "click inOutSectionTriangle",
      "click pathSectionTriangle",
      "select 0 1",
      "type pointXField 110",
      "type pointYField \"200 + 5\"",
      "type pointXField abc",
      "spin pointXSpin up",
      "spin pointYSpin down shift",
      "spin inXSpin up ctrl",
      "spin pointIndexSpin up",
      "spin pointIndexSpin down hold 2",
      "type pointIndexField 1",
      "flyout 4",
      "type inXField 80",
      "flyout 6",
      "type inXField 15",
      "type inYField 170",
      "spin inYSpin up",
      "click lockAngleCheckbox",
      "spin outYSpin down",
      "click lockAngleCheckbox",
      "cmd-click inXField",
      "cmd-click outYField",
      "click cornerCheckbox",
      "flyout 9",
      "flyout 10",
      "select 1 0",
      "flyout 12",
      "redraw",
      "zoom 2",
      "flyout 1",
      "flyout 2",
      "flyout 8",
      "flyout 5",
      "undo",
      "redo",
      "undo",
      "units mm",
      "increment 2",
      "insert-anchor 1 0 -50 0",
      "delete-anchor 1 0",
      "window collapse",
      "window expand",
      "window move 300 400",
      "window dock \"Tools\" 1",
      "window hide",
      "menu",
      "select 0 2",
      "delete 1",
      "close-document",
      "document",
      "path 0 0 ; 10 0",
      "select 0 0",
      "spin pointXSpin up",
  };
  if (withRestart) {
    lines.push_back("restart");
    lines.push_back("select 0 1");
    lines.push_back("spin pointXSpin up");
  }
  return lines;
}

std::unique_ptr<SessionRun> PlaySession(const std::string& pluginPath,
                                        const std::vector<std::string>& lines,
                                        std::function<void(host::Host&)> beforeStart) {
  auto run = std::make_unique<SessionRun>();
  app::SessionOptions options{pluginPath, "", nullptr, std::move(beforeStart)};
  try {
    run->session = std::make_unique<app::Session>(options, run->output);
  } catch (const std::exception& error) {
    run->startFailure = error.what();
    return run;
  }
  for (const std::string& line : lines) {
    try {
      run->session->Execute(app::SplitScriptLine(line));
    } catch (const std::exception&) {
      // An action the palette no longer offers after a failure: a person would move on.
      ++run->linesFailed;
    }
  }
  return run;
}

bool SameDocument(const std::vector<host::DocumentPath>& a,
                  const std::vector<host::DocumentPath>& b, bool selection) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].segments.size() != b[i].segments.size() ||
        (selection && a[i].selection != b[i].selection) ||
        std::memcmp(a[i].segments.data(), b[i].segments.data(),
                    a[i].segments.size() * sizeof(PathSegment)) != 0)
      return false;
  }
  return true;
}

std::string UnsoundArtwork(const host::Host& host) {
  const host::Document* document = const_cast<host::Host&>(host).document();
  if (document == nullptr) return "";
  for (size_t p = 0; p < document->paths().size(); ++p) {
    const host::DocumentPath& path = document->paths()[p];
    for (size_t i = 0; i < path.segments.size(); ++i) {
      const PathSegment& s = path.segments[i];
      for (float f : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
        if (!std::isfinite(f))
          return "path " + std::to_string(p) + " anchor " + std::to_string(i) +
                 " holds a coordinate that is not a finite number";
      }
    }
  }
  return "";
}

}  // namespace tavrix::validator

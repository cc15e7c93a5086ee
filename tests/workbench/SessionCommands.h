// A session of the plug-in with the commands the window's controllers give it recorded, and
// what they told the person, for tests that drive the controllers without a window.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "session/Session.h"
#include "support/PluginBytes.h"
#include "workbench/Commands.h"

namespace tavrix::workbench::test {

class SessionCommands : public Commands {
 public:
  explicit SessionCommands(const std::string& script) {
    std::istringstream in(script);
    if (session.Run(in, "start.tavrix") != 0) throw std::runtime_error(out.str());
    out.str("");
  }

  bool Perform(const std::vector<std::string>& words) override {
    performed.push_back(words);
    try {
      session.Execute(words);
    } catch (const std::exception& error) {
      told.push_back(error.what());
      return false;
    }
    return true;
  }
  void Tell(const std::string& text) override { told.push_back(text); }

  std::string Last() const {
    std::string line;
    if (performed.empty()) return line;
    for (const std::string& word : performed.back()) line += (line.empty() ? "" : " ") + word;
    return line;
  }
  RealPoint AnchorAt(size_t path, size_t anchor) {
    return session.host().document()->paths().at(path).segments.at(anchor).p;
  }

  std::ostringstream out;
  app::Session session{{tavrix::test::PluginPath(), ""}, out};
  std::vector<std::vector<std::string>> performed;
  std::vector<std::string> told;
};

// A curve whose middle anchor (300, -300) is selected, shown at pixel (300, 300) of the view;
// the palette open and dragged right of the document window.
inline constexpr char kStartScript[] =
    "document pt\n"
    "path 100 -100 ; 300 -300 in 250 -300 out 350 -300 ; 500 -100\n"
    "menu\n"
    "select 0 1\n"
    "window move 1040 20\n";

}  // namespace tavrix::workbench::test

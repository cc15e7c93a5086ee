#include "tavrix-host/InteractiveSession.h"

#ifndef _WIN32
#include <editline/readline.h>
#endif

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>
#include <string>

#include "tavrix-host/ScriptWords.h"

namespace tavrix::app {
namespace {

#ifdef _WIN32
// Windows' console keeps its own line editing and history; the Windows build has no libedit.
char* readline(const char* prompt) {
  std::cout << prompt << std::flush;
  std::string line;
  return std::getline(std::cin, line) ? strdup(line.c_str()) : nullptr;
}

void add_history(const char*) {}
#endif

// One line from the prompt; empty when the input ended (Ctrl-D).
std::unique_ptr<char, decltype(&std::free)> ReadLine() {
  return {readline("tavrix> "), &std::free};
}

}  // namespace

bool IsAction(const std::string& command) {
  static const std::set<std::string> kLooksOnly = {"print", "expect", "help", "render", "save"};
  return kLooksOnly.count(command) == 0;
}

int RunInteractive(Session& session, std::ostream& out) {
  out << "Tavrix in the stand-in host. 'help' lists the commands; 'quit' or Ctrl-D ends.\n";
  session.ShowPalette(out);
  for (;;) {
    out.flush();
    const auto line = ReadLine();
    if (!line) {
      out << "\n";
      break;
    }
    const std::string text = line.get();
    try {
      const std::vector<std::string> words = SplitScriptLine(text);
      if (words.empty()) continue;
      add_history(text.c_str());
      if (words[0] == "quit" || words[0] == "exit") break;
      session.Execute(words);
      if (IsAction(words[0])) session.ShowPalette(out);
    } catch (const std::exception& error) {
      out << Excerpt(error.what(), 1000) << "\n";
    }
  }
  return 0;
}

}  // namespace tavrix::app

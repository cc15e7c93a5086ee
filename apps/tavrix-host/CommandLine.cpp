#include "tavrix-host/CommandLine.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace tavrix::app {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool commandSeen = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "-h" || argument == "--help") {
      line.help = true;
    } else if (argument == "--plugin") {
      if (i + 1 == arguments.size()) {
        line.error = "--plugin needs a file name";
        return line;
      }
      line.pluginPath = arguments[++i];
    } else if (argument == "--prefs") {
      if (i + 1 == arguments.size()) {
        line.error = "--prefs needs a file name";
        return line;
      }
      line.preferencesPath = arguments[++i];
    } else if (!commandSeen && argument == "validate") {
      line.command = argument;
      commandSeen = true;
    } else if (line.command == "validate" && (argument == "--seed" || argument == "--level" ||
                                              argument == "--junit" || argument == "--skip")) {
      if (i + 1 == arguments.size()) {
        line.error = argument + " needs a value";
        return line;
      }
      const std::string& value = arguments[++i];
      if (value.rfind("--", 0) == 0) {
        line.error = argument + " needs a value, not the option " + value;
        return line;
      }
      char* end = nullptr;
      const unsigned long number = std::strtoul(value.c_str(), &end, 10);
      const bool isNumber = !value.empty() && *end == '\0';
      if (argument == "--seed") {
        if (!isNumber || number == 0 || number > UINT32_MAX) {
          line.error = "--seed needs a whole number from 1 to 4294967295";
          return line;
        }
        line.seed = static_cast<uint32_t>(number);
      } else if (argument == "--level") {
        if (!isNumber || number < 1 || number > 10) {
          line.error = "--level needs a whole number from 1 to 10";
          return line;
        }
        line.level = static_cast<int>(number);
      } else if (argument == "--junit") {
        line.junitPath = value;
      } else {
        line.skip.push_back(value);
        // Further names until the next option.
        while (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0)
          line.skip.push_back(arguments[++i]);
      }
    } else if (!commandSeen && (argument == "report" || argument == "about")) {
      line.command = argument;
      commandSeen = true;
    } else if (!commandSeen && argument == "run") {
      if (i + 1 == arguments.size()) {
        line.error = "run needs a script file (or - for standard input)";
        return line;
      }
      line.command = argument;
      line.scriptPath = arguments[++i];
      commandSeen = true;
    } else {
      line.error = "unknown argument '" + argument + "'";
      return line;
    }
  }
  return line;
}

std::string UsageText() {
  return "usage: tavrix-host [--plugin FILE] [--prefs FILE] [report | about | run SCRIPT |\n"
         "                   validate [--seed N] [--level 1-10] [--junit FILE] [--skip NAME...]]\n"
         "\n"
         "Loads the Tavrix plug-in into the stand-in host and starts it as the application\n"
         "would at launch.\n"
         "  report       print what the plug-in registered (menu item, notifiers, annotator),\n"
         "               then quit (the default)\n"
         "  about        show the plug-in's about box, then quit\n"
         "  run SCRIPT   run a session script (- for standard input): one action or\n"
         "               expectation per line; stops at the first one that fails\n"
         "  validate     check the plug-in as a validator does: lifecycle, messages, faults on\n"
         "               every host call, bad input, random sessions; exits 1 if any fails\n"
         "  --plugin FILE   the plug-in file (default: the one built beside this command)\n"
         "  --prefs FILE    keep the preferences in this file between runs\n";
}

std::string DefaultPluginPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path base = error ? std::filesystem::current_path() : self.parent_path();
  return (base.parent_path() / "plug-ins" / "Tavrix 2.0.aip").string();
}

}  // namespace tavrix::app

#include "workbench/WorkbenchCommandLine.h"

#include <CLI/CLI.hpp>
#include <sstream>

#include "workbench/Screenshot.h"

namespace tavrix::workbench {
namespace {

// An empty name, from a variable that was never set, must not quietly mean no file.
const CLI::Validator kNamesAFile(
    [](const std::string& name) {
      return name.empty() ? std::string("an empty name names no file") : "";
    },
    "FILE");

const CLI::Validator kNamesAPng(
    [](const std::string& name) {
      return NamesPng(name) ? std::string()
                            : "a screenshot is a PNG picture: name the file FILE.png";
    },
    "FILE.png");

}  // namespace

WorkbenchCommandLine ParseWorkbenchCommandLine(const std::vector<std::string>& arguments) {
  WorkbenchCommandLine line;
  CLI::App app(
      "A window with the host's menus, the drawing and the Tavrix palette, driven by mouse and "
      "keyboard.",
      "tavrix-workbench");
  app.add_option("FILE", line.options.documentPath, "an SVG drawing to open (default: a new one)")
      ->check(kNamesAFile);
  app.add_option("--play", line.playPath,
                 "play a session script into the window once it is open (as tavrix-host run)")
      ->check(kNamesAFile);
  app.add_option("--screenshot", line.screenshotPath,
                 "write the window as PNG after the script, then quit (for headless runs)")
      ->check(kNamesAFile & kNamesAPng);
  app.add_option("--plugin", line.options.pluginPath,
                 "the plug-in file (default: the one beside this program, in ../plug-ins/ as built "
                 "or ../lib/tavrix/ as installed)")
      ->check(kNamesAFile);
  app.add_option("--prefs", line.options.preferencesPath,
                 "keep the preferences in this file between runs (default: "
                 "$XDG_CONFIG_HOME/tavrix/preferences.json, or ~/.config/tavrix/)")
      ->check(kNamesAFile);
  app.set_version_flag("--version", std::string("tavrix-workbench ") + TAVRIX_VERSION);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::Success& helpOrVersion) {
    std::ostringstream out, errors;
    app.exit(helpOrVersion, out, errors);
    line.help = true;
    line.helpText = out.str();
  } catch (const CLI::ParseError& error) {
    line.error = error.what();
  }
  return line;
}

}  // namespace tavrix::workbench

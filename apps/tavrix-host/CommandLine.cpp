#include "tavrix-host/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <climits>
#include <memory>
#include <sstream>

namespace tavrix::app {
namespace {

// An empty name, from a variable that was never set, must not quietly mean the default file.
const CLI::Validator kNamesAFile(
    [](const std::string& name) {
      return name.empty() ? std::string("an empty name names no file") : "";
    },
    "FILE");

std::unique_ptr<CLI::App> CommandLineGrammar(CommandLine& line) {
  auto app = std::make_unique<CLI::App>(
      "Loads the Tavrix plug-in into the stand-in host and starts it as the application would "
      "at launch.",
      "tavrix-host");
  app->fallthrough();  // the common options may come after the command too
  // A path such as /tmp/x.tavrix is a path on Windows too, never an option.
  app->allow_windows_style_options(false);
  app->require_subcommand(0, 1);
  app->add_option(
         "--plugin", line.pluginPath,
         "the plug-in file (default: the one beside this program, in ../plug-ins/ as built "
         "or ../lib/tavrix/ as installed)")
      ->check(kNamesAFile);
  app->add_option("--prefs", line.preferencesPath,
                  "keep the preferences in this file between runs (default at the prompt: "
                  "$XDG_CONFIG_HOME/tavrix/preferences.json; elsewhere none)")
      ->check(kNamesAFile);
  app->set_version_flag("--version", std::string("tavrix-host ") + TAVRIX_VERSION);

  app->add_subcommand("report",
                      "print what the plug-in registered (menu item, notifiers, annotator), then "
                      "quit (the default)");
  app->add_subcommand("about", "show the plug-in's about box, then quit");
  CLI::App* run = app->add_subcommand(
      "run",
      "run a session script: one action or expectation per line; stops at the first one that "
      "fails");
  run->add_option("SCRIPT", line.scriptPath, "the script file, or - for standard input")
      ->required()
      ->check(kNamesAFile);
  CLI::App* open = app->add_subcommand(
      "open",
      "open an SVG drawing: on a terminal, a prompt that takes the session language line by "
      "line; otherwise the session is read from standard input");
  open->add_option("FILE", line.documentPath, "the SVG file")->required()->check(kNamesAFile);
  CLI::App* validate = app->add_subcommand(
      "validate",
      "check the plug-in as a validator does: lifecycle, messages, faults on every host call, "
      "bad input, random sessions; exits 1 if any check fails");
  validate->add_option("--seed", line.seed, "the random sessions' seed (default: a new one)")
      ->check(CLI::Range(1u, UINT32_MAX));
  validate->add_option("--level", line.level, "how thorough, 1 to 10 (default 5)")
      ->check(CLI::Range(1, 10));
  validate->add_option("--junit", line.junitPath, "also write the results as JUnit XML")
      ->check(kNamesAFile);
  validate->add_option("--skip", line.skip, "checks to leave out, by name");
#ifdef _WIN32
  // How the validator starts each check in a process of its own where there is no fork.
  validate->add_option("--in-child", line.childCheck)->group("");
#endif
  return app;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  const std::unique_ptr<CLI::App> app = CommandLineGrammar(line);
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app->parse(reversed);
  } catch (const CLI::Success& helpOrVersion) {
    std::ostringstream out, errors;
    app->exit(helpOrVersion, out, errors);
    line.help = true;
    line.helpText = out.str();
    return line;
  } catch (const CLI::ParseError& error) {
    line.error = error.what();
    return line;
  }
  for (const CLI::App* command : app->get_subcommands()) line.command = command->get_name();
  return line;
}

std::string UsageText() {
  CommandLine unused;
  return CommandLineGrammar(unused)->help();
}

}  // namespace tavrix::app

// tavrix-host: loads the Tavrix plug-in into the stand-in host, as the application would.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/MappedFile.h"
#include "host/Pipl.h"
#include "session/ConfigLocation.h"
#include "session/PluginLocation.h"
#include "session/Session.h"
#include "tavrix-host/CommandLine.h"
#include "tavrix-host/InteractiveSession.h"
#include "tavrix-host/RegistrationReport.h"
#include "validator/Validator.h"

namespace {

int Fail(const std::string& text) {
  std::cerr << "tavrix-host: " << text << "\n";
  return 1;
}

std::string ErrorText(ASErr error) {
  return std::to_string(error) + " ('" + tavrix::host::FourCharText(static_cast<uint32_t>(error)) +
         "')";
}

int Report(const tavrix::app::CommandLine& line, const std::string& path) {
  tavrix::host::Host host(&std::cout);
  tavrix::host::HostedPlugin& plugin = host.LoadPlugin(path);
  std::cout << "Loaded " << plugin.file().path() << " (entry point " << plugin.file().entryPoint()
            << ")\n";
  const ASErr started = plugin.Start();
  if (started != kNoErr) return Fail("the plug-in failed to start: error " + ErrorText(started));
  std::cout << "Started.\n";
  if (line.command == "about") {
    plugin.About();
  } else {
    tavrix::app::PrintRegistrations(host.registrations(), std::cout);
  }
  const ASErr stopped = plugin.Stop();
  if (stopped != kNoErr) return Fail("the plug-in failed to stop: error " + ErrorText(stopped));
  std::cout << "Shut down and unloaded.\n";
  return 0;
}

int RunScript(const tavrix::app::CommandLine& line, const std::string& path) {
  std::ifstream script;
  if (line.scriptPath != "-") {
    // A pipe or a device may well hold a script; a folder never does.
    const std::string problem = tavrix::host::NotARegularFile(line.scriptPath);
    if (problem == "it is a directory")
      return Fail("cannot read the script " + line.scriptPath + ": " + problem);
    script.open(line.scriptPath);
    if (!script) return Fail("cannot read the script " + line.scriptPath);
  }
  tavrix::app::Session session({path, line.preferencesPath, &std::cerr}, std::cout);
  int result = line.scriptPath == "-" ? session.Run(std::cin, "(standard input)")
                                      : session.Run(script, line.scriptPath);
  // Standard input reports a read error (a folder given as input) as its end.
  if (line.scriptPath == "-" && std::ferror(stdin)) {
    std::cerr << "tavrix-host: standard input cannot be read to its end\n";
    result = 1;
  }
  // Preferences that could not be kept are a failure of the run, whatever the script did.
  return session.Finish() ? result : 1;
}

// The drawing in a session: a prompt on a terminal, otherwise the session read from standard
// input, as a script is.
int OpenDocument(const tavrix::app::CommandLine& line, const std::string& path) {
  const bool atTerminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  // A person at the prompt keeps their settings, as programs here do; a script keeps none
  // unless it asks with --prefs.
  std::string preferences = line.preferencesPath;
  if (preferences.empty() && atTerminal) {
    preferences = tavrix::app::DefaultPreferencesFile();
    const std::string problem = tavrix::app::MakePreferencesFolder(preferences);
    if (!problem.empty()) {
      std::cerr << "tavrix-host: " << problem << "; the preferences will not be kept\n";
      preferences.clear();
    }
  }
  tavrix::app::Session session({path, preferences, &std::cerr}, std::cout);
  int result = 0;
  try {
    session.Execute({"open", line.documentPath});
  } catch (const std::exception& error) {
    std::cerr << "tavrix-host: " << error.what() << "\n";
    result = 1;
  }
  if (result == 0) {
    result = atTerminal ? tavrix::app::RunInteractive(session, std::cout)
                        : session.Run(std::cin, "(standard input)");
  }
  return session.Finish() ? result : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const tavrix::app::CommandLine line =
      tavrix::app::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.help) {
    std::cout << line.helpText;
    return 0;
  }
  if (!line.error.empty()) return Fail(line.error + "\n(tavrix-host --help says what it takes)");
  const std::string path =
      line.pluginPath.empty() ? tavrix::app::DefaultPluginPath() : line.pluginPath;
  try {
    if (line.command == "validate") {
      tavrix::validator::ValidatorOptions options;
      options.pluginPath = path;
      options.seed = line.seed;
      options.level = line.level;
      options.junitPath = line.junitPath;
      options.skip = line.skip;
#ifdef _WIN32
      if (!line.childCheck.empty())
        return tavrix::validator::RunCheckInThisProcess(options, line.childCheck, std::cout);
#endif
      return tavrix::validator::RunValidator(options, std::cout);
    }
    if (line.command == "open") return OpenDocument(line, path);
    return line.command == "run" ? RunScript(line, path) : Report(line, path);
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
}

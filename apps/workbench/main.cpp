// tavrix-workbench: the palette and the drawing in a desktop window.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "session/ConfigLocation.h"
#include "workbench/Workbench.h"
#include "workbench/WorkbenchCommandLine.h"

namespace {

int Fail(const std::string& text) {
  std::cerr << "tavrix-workbench: " << text << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavrix::workbench;
  WorkbenchCommandLine line =
      ParseWorkbenchCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.help) {
    std::cout << line.helpText;
    return 0;
  }
  if (!line.error.empty())
    return Fail(line.error + "\n(tavrix-workbench --help says what it takes)");
  // A person's preferences are kept where desktop programs keep theirs, unless --prefs says.
  if (line.options.preferencesPath.empty()) {
    line.options.preferencesPath = tavrix::app::DefaultPreferencesFile();
    const std::string problem =
        line.options.preferencesPath.empty()
            ? std::string()
            : tavrix::app::MakePreferencesFolder(line.options.preferencesPath);
    if (!problem.empty()) {
      std::cerr << "tavrix-workbench: " << problem << " (nothing will be kept)\n";
      line.options.preferencesPath.clear();
    }
  }
  std::error_code ignored;
  // A script played into the window says for itself where the palette goes.
  line.options.firstStart = line.playPath.empty() && !line.options.preferencesPath.empty() &&
                            !std::filesystem::exists(line.options.preferencesPath, ignored);
  std::ifstream script;
  if (!line.playPath.empty()) {
    script.open(line.playPath);
    if (!script) return Fail("cannot read the script " + line.playPath);
  }
  try {
    Workbench workbench(line.options, std::cout);
    workbench.Frame();
    int result = 0;
    if (!line.playPath.empty()) {
      result = workbench.Play(script, line.playPath);
      if (result != 0) std::cerr << "tavrix-workbench: " << workbench.status() << "\n";
    }
    if (!line.screenshotPath.empty()) {
      // The window as a person would see it once the script's changes are drawn.
      workbench.Frame();
      workbench.Screenshot(line.screenshotPath);
      std::cout << "wrote " << line.screenshotPath << "\n";
    } else {
      workbench.Run();
    }
    if (!workbench.Finish()) result = 1;
    return result;
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
}

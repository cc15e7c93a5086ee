// A session of the stand-in host with the Tavrix plug-in, driven by a script of one action per
// line, so that any session can be replayed and tests read like what a user does.
#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/dialog/DialogUser.h"

namespace tavrix::app {

struct SessionOptions {
  std::string pluginPath;
  std::string preferencesPath;  // empty: start fresh, keep nothing
};

class Session {
 public:
  // Loads and starts the plug-in as the application does at launch. Throws on failure.
  Session(const SessionOptions& options, std::ostream& out);
  // Quits the host, keeping the preferences when a file was given.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the script to its end or to the first line that fails; answers 0 or 1. A failure is
  // reported with the script's name, the line number, the line and what was found.
  int Run(std::istream& script, const std::string& scriptName);
  // One command; throws ScriptError with the reason when it fails.
  void Execute(const std::vector<std::string>& words);
  host::Host& host() { return *host_; }

 private:
  // Actions on the artwork and the host.
  void NewDocument(const std::vector<std::string>& words);
  void AddPath(const std::vector<std::string>& words);
  void Select(const std::vector<std::string>& words);
  void SetUnits(const std::vector<std::string>& words);
  void SetIncrement(const std::vector<std::string>& words);
  void ChooseMenuItem();
  // A person at the palette.
  void Window(const std::vector<std::string>& words);
  void Type(const std::vector<std::string>& words);
  void Click(const std::vector<std::string>& words);
  void Flyout(const std::vector<std::string>& words);
  void CommandClick(const std::vector<std::string>& words);
  void Spin(const std::vector<std::string>& words);
  // The Edit menu.
  void UndoOrRedo(const std::string& command);
  // Expectations.
  void Expect(const std::vector<std::string>& words);
  void ExpectItem(const std::vector<std::string>& words);
  void ExpectFlyout(const std::vector<std::string>& words);
  void ExpectPalette(const std::vector<std::string>& words);
  void ExpectMenu(const std::vector<std::string>& words);
  void ExpectPoint(const std::vector<std::string>& words);
  void ExpectRegistrations(const std::vector<std::string>& words);
  void ExpectAlerts(const std::vector<std::string>& words);
  void ExpectEditMenu(const std::vector<std::string>& words);

  host::HostDialog& Palette();
  host::HostItem& Item(const std::string& word);
  host::Document& Doc();
  const host::MenuItemRecord& PaletteMenuItem();

  std::ostream& out_;
  std::string preferencesPath_;
  std::unique_ptr<host::Host> host_;
  host::HostedPlugin* plugin_ = nullptr;
  std::unique_ptr<host::DialogUser> user_;
};

// What a person sees of the palette: each visible item in reading order with its text and
// state, and the flyout menu's entries.
void PrintPalette(const host::HostDialog& palette, std::ostream& out);

}  // namespace tavrix::app

// The stand-in host: the application side of the plug-in interface, in-process. It offers every
// suite a plug-in asks for, loads plug-in files through their property lists and sends them
// messages in the host's order. One Host exists at a time; the suites' C functions reach it
// through Host::Current().
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "host/AlertLog.h"
#include "host/BlockStore.h"
#include "host/FaultPlan.h"
#include "host/HostedPlugin.h"
#include "host/Registrations.h"
#include "host/SuiteRegistry.h"
#include "host/dialog/DialogManager.h"
#include "hostapi/SPSuites.h"

namespace tavrix::host {

class Host {
 public:
  // `console`, when given, is where a person watching sees alerts and about boxes.
  explicit Host(std::ostream* console = nullptr);
  // Quits: every started plug-in is shut down, the windows go, then the plug-ins are unloaded.
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The host in charge; throws std::logic_error when there is none.
  static Host& Current();

  // Reads the file's property list and maps its code. Throws PluginLoadError with a message
  // naming the file and what is wrong.
  HostedPlugin& LoadPlugin(const std::string& path);
  // Null for a reference the host never gave out.
  HostedPlugin* Plugin(SPPluginRef ref);

  const SPBasicSuite* basic() const;
  SuiteRegistry& suites() { return suites_; }
  FaultPlan& faults() { return faults_; }
  Registrations& registrations() { return registrations_; }
  BlockStore& blocks() { return blocks_; }
  AlertLog& alerts() { return alerts_; }
  DialogManager& dialogs() { return dialogs_; }
  std::ostream* console() const { return console_; }

 private:
  std::ostream* console_;
  SuiteRegistry suites_;
  FaultPlan faults_;
  Registrations registrations_;
  BlockStore blocks_;
  AlertLog alerts_;
  std::vector<std::unique_ptr<HostedPlugin>> plugins_;
  // Declared last: its dialogs go first, while the plug-ins they call back are still there.
  DialogManager dialogs_{*this};
};

}  // namespace tavrix::host

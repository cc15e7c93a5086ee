#include "host/Host.h"

#include <stdexcept>

#include "host/suites/HostSuites.h"

namespace tavrix::host {
namespace {

Host* current = nullptr;

}  // namespace

Host::Host(std::ostream* console) : console_(console) {
  if (current != nullptr) throw std::logic_error("only one stand-in host runs at a time");
  alerts_.SetConsole(console);
  InstallHostSuites(suites_, faults_);
  current = this;
}

Host::~Host() {
  // The host quits: plug-ins shut down, the windows go (each dialog still open is destroyed,
  // with its callbacks, while the plug-ins still hold their suites), then the code is unloaded.
  for (auto& plugin : plugins_) {
    try {
      if (plugin->started()) plugin->Shutdown();
    } catch (...) {
    }
  }
  dialogs_.DestroyAll();
  for (auto& plugin : plugins_) {
    try {
      plugin->Unload();
    } catch (...) {
    }
  }
  plugins_.clear();
  current = nullptr;
}

Host& Host::Current() {
  if (current == nullptr) throw std::logic_error("no stand-in host is running");
  return *current;
}

HostedPlugin& Host::LoadPlugin(const std::string& path) {
  PluginFile file = PluginFile::Read(path);
  const SPPluginRef ref = static_cast<SPPluginRef>(plugins_.size() + 1);
  auto plugin = std::make_unique<HostedPlugin>(*this, ref, std::move(file));
  plugin->library().Map();
  plugins_.push_back(std::move(plugin));
  return *plugins_.back();
}

HostedPlugin* Host::Plugin(SPPluginRef ref) {
  if (ref == 0 || ref > plugins_.size()) return nullptr;
  return plugins_[ref - 1].get();
}

const SPBasicSuite* Host::basic() const {
  return BasicSuiteTable();
}

}  // namespace tavrix::host

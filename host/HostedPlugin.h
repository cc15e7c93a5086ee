// One plug-in inside the host: its file, its code, its globals slot, and the messages the host
// sends it, in the host's order.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/PluginFile.h"
#include "host/PluginLibrary.h"
#include "hostapi/AIArtworkSuites.h"
#include "hostapi/PluginMessages.h"

namespace tavrix::host {

class Host;

class HostedPlugin {
 public:
  enum class State { CodeUnloaded, CodeLoaded, Started, ShutDown };

  HostedPlugin(Host& host, SPPluginRef ref, PluginFile file);
  ~HostedPlugin();
  HostedPlugin(const HostedPlugin&) = delete;
  HostedPlugin& operator=(const HostedPlugin&) = delete;

  SPPluginRef ref() const { return ref_; }
  const PluginFile& file() const { return file_; }
  PluginLibrary& library() { return library_; }
  State state() const { return state_; }
  bool started() const { return started_; }
  // What the host keeps for the plug-in between Unload and Reload.
  void* globalsSlot() const { return globalsSlot_; }

  // Reload, Startup, then the application-started notification: what the host does at launch.
  ASErr Start();
  // Shutdown, then Unload: what the host does when it quits.
  ASErr Stop();

  // Maps the code when needed, then sends "SP Access"/"Reload". Throws PluginLoadError when
  // the code cannot be mapped.
  ASErr Reload();
  // "SP Access"/"Unload", then unmaps the code unless the host still holds something of it.
  ASErr Unload();
  ASErr Startup();
  ASErr Shutdown();
  ASErr About();

  // "AI Notifier" with `type` to each of the plug-in's active notifiers of that type.
  ASErr Notify(const std::string& type, void* data = nullptr);
  ASErr ChooseMenuItem(AIMenuItemHandle item);
  ASErr UpdateMenuItem(AIMenuItemHandle item);
  // "AI Annotation" to each of the plug-in's active annotators.
  ASErr Annotate(AIDocumentViewHandle view, int32_t drawState, AIPortRef port,
                 const std::vector<AIRect>& areas = {});

  // Before a callback into the plug-in's code: the code and its suites are loaded again if the
  // host unloaded them meanwhile.
  void EnsureLoaded();

  // Fills the common part of `message` and calls the entry point, reloading the code first if
  // it was unloaded. Answers the plug-in's result.
  ASErr Send(const char* caller, const char* selector, SPMessageData& message);

 private:
  ASErr Call(const char* caller, const char* selector, SPMessageData& message);

  Host& host_;
  SPPluginRef ref_;
  PluginFile file_;
  PluginLibrary library_;
  State state_ = State::CodeUnloaded;
  bool started_ = false;
  void* globalsSlot_ = nullptr;
};

}  // namespace tavrix::host

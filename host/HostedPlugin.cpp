#include "host/HostedPlugin.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "host/GuardBytes.h"
#include "host/Host.h"

namespace tavrix::host {
namespace {

// A message record with guard bytes right after it: a plug-in that writes past the record it
// was given breaks them, and the host says so when the record goes.
template <class Message>
struct Guarded {
  Message message{};
  uint8_t guard[32];

  explicit Guarded(Host& host) : host_(host) { SetGuard(guard, sizeof guard); }
  ~Guarded() {
    if (!GuardIntact(guard, sizeof guard))
      host_.misuse().Record("the plug-in wrote past the end of a message record");
  }
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;

 private:
  Host& host_;
};

}  // namespace

HostedPlugin::HostedPlugin(Host& host, SPPluginRef ref, PluginFile file)
    : host_(host), ref_(ref), file_(std::move(file)), library_(file_.path(), file_.entryPoint()) {}

HostedPlugin::~HostedPlugin() = default;

ASErr HostedPlugin::Call(const char* caller, const char* selector, SPMessageData& message) {
  message.check = kSPValidMessageCheck;
  message.self = ref_;
  message.globals = globalsSlot_;
  message.basic = host_.basic();
  Host::PluginCall call(host_);
  const size_t alertsBefore = host_.alerts().ErrorCount();
  ASErr result = kNoErr;
  try {
    result = library_.entry()(caller, selector, &message);
  } catch (...) {
    // A plug-in may not let an exception out; this host survives it and says so.
    host_.misuse().Record(std::string("an exception left PluginMain for \"") + caller + "\"/\"" +
                          selector + "\"");
    result = kBadParameterErr;
  }
  globalsSlot_ = message.globals;
  // A menu or notifier handler that tells the user of a failure says so to the host, and the
  // other way round.
  if (std::strcmp(caller, kCallerAIMenu) == 0 || std::strcmp(caller, kCallerAINotifier) == 0) {
    const bool told = host_.alerts().ErrorCount() > alertsBefore;
    if (told && result != kExTrErr)
      host_.misuse().Record(std::string("a \"") + caller +
                            "\" message showed an alert but did not answer ExTr");
    if (!told && result == kExTrErr)
      host_.misuse().Record(std::string("a \"") + caller +
                            "\" message answered ExTr without an alert");
  }
  return result;
}

ASErr HostedPlugin::Send(const char* caller, const char* selector, SPMessageData& message) {
  if (state_ == State::CodeUnloaded) {
    const ASErr error = Reload();
    if (error != kNoErr) return error;
  }
  return Call(caller, selector, message);
}

void HostedPlugin::EnsureLoaded() {
  if (state_ == State::CodeUnloaded) Reload();
}

ASErr HostedPlugin::Start() {
  ASErr error = Reload();
  if (error == kNoErr) error = Startup();
  if (error == kNoErr) error = Notify(kAIApplicationStartedNotifier);
  return error;
}

ASErr HostedPlugin::Stop() {
  ASErr error = kNoErr;
  if (started_) error = Shutdown();
  if (state_ != State::CodeUnloaded) {
    const ASErr unload = Unload();
    if (error == kNoErr) error = unload;
  }
  return error;
}

ASErr HostedPlugin::Reload() {
  library_.Map();
  // The code is loaded from here on: the Reload message acquires its suites.
  state_ = started_ ? State::Started : State::CodeLoaded;
  Guarded<SPAccessMessage> guarded(host_);
  SPAccessMessage& message = guarded.message;
  const ASErr error = Call(kSPAccessCaller, kSPAccessReloadSelector, message.d);
  if (error != kNoErr) {
    // A plug-in that cannot take its suites gets no further messages until the next Reload.
    library_.UnmapIfFree();
    state_ = State::CodeUnloaded;
  }
  return error;
}

ASErr HostedPlugin::Unload() {
  if (state_ == State::CodeUnloaded) return kNoErr;
  Guarded<SPAccessMessage> guarded(host_);
  SPAccessMessage& message = guarded.message;
  const ASErr error = Call(kSPAccessCaller, kSPAccessUnloadSelector, message.d);
  library_.UnmapIfFree();
  state_ = State::CodeUnloaded;
  return error;
}

ASErr HostedPlugin::Startup() {
  Guarded<SPInterfaceMessage> guarded(host_);
  SPInterfaceMessage& message = guarded.message;
  const ASErr error = Send(kSPInterfaceCaller, kSPInterfaceStartupSelector, message.d);
  if (error == kNoErr) {
    started_ = true;
    state_ = State::Started;
  } else {
    // A plug-in that failed to start gets no notifications and has no menu item.
    host_.registrations().RemovePlugin(ref_);
  }
  return error;
}

ASErr HostedPlugin::Shutdown() {
  Guarded<SPInterfaceMessage> guarded(host_);
  SPInterfaceMessage& message = guarded.message;
  const ASErr error = Send(kSPInterfaceCaller, kSPInterfaceShutdownSelector, message.d);
  started_ = false;
  state_ = State::ShutDown;
  host_.registrations().RemovePlugin(ref_);
  return error;
}

ASErr HostedPlugin::About() {
  Guarded<SPInterfaceMessage> guarded(host_);
  SPInterfaceMessage& message = guarded.message;
  return Send(kSPInterfaceCaller, kSPInterfaceAboutSelector, message.d);
}

ASErr HostedPlugin::Notify(const std::string& type, void* data) {
  // Collect first: a notifier added or removed while messages go out does not disturb the walk.
  std::vector<AINotifierHandle> targets;
  for (const NotifierRecord& notifier : host_.registrations().notifiers()) {
    if (notifier.plugin == ref_ && notifier.active && notifier.type == type) {
      targets.push_back(notifier.handle);
    }
  }
  ASErr first = kNoErr;
  for (AINotifierHandle handle : targets) {
    const NotifierRecord* notifier = host_.registrations().Notifier(handle);
    if (notifier == nullptr || !notifier->active) continue;
    Guarded<AINotifierMessage> guarded(host_);
    AINotifierMessage& message = guarded.message;
    message.notifier = handle;
    message.type = type.c_str();
    message.notifyData = data;
    const ASErr error = Send(kCallerAINotifier, type.c_str(), message.d);
    if (first == kNoErr) first = error;
  }
  return first;
}

ASErr HostedPlugin::ChooseMenuItem(AIMenuItemHandle item) {
  Guarded<AIMenuMessage> guarded(host_);
  AIMenuMessage& message = guarded.message;
  message.menuItem = item;
  return Send(kCallerAIMenu, kSelectorAIGoMenuItem, message.d);
}

ASErr HostedPlugin::UpdateMenuItem(AIMenuItemHandle item) {
  Guarded<AIMenuMessage> guarded(host_);
  AIMenuMessage& message = guarded.message;
  message.menuItem = item;
  return Send(kCallerAIMenu, kSelectorAIUpdateMenuItem, message.d);
}

ASErr HostedPlugin::Annotate(AIDocumentViewHandle view, int32_t drawState, AIPortRef port,
                             const std::vector<AIRect>& areas) {
  std::vector<AIAnnotatorHandle> targets;
  for (const AnnotatorRecord& annotator : host_.registrations().annotators()) {
    if (annotator.plugin == ref_ && annotator.active) targets.push_back(annotator.handle);
  }
  ASErr first = kNoErr;
  for (AIAnnotatorHandle handle : targets) {
    Guarded<AIAnnotatorMessage> guarded(host_);
    AIAnnotatorMessage& message = guarded.message;
    message.annotator = handle;
    message.view = view;
    message.drawState = drawState;
    message.port = port;
    message.invalidCount = static_cast<int32_t>(areas.size());
    message.invalidRects = areas.empty() ? nullptr : areas.data();
    const ASErr error = Send(kCallerAIAnnotation, kSelectorAIDrawAnnotation, message.d);
    if (first == kNoErr) first = error;
  }
  return first;
}

}  // namespace tavrix::host

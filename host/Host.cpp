#include "host/Host.h"

#include <algorithm>
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
  // The keyboard increment of a fresh installation: one point.
  preferences_.SetReal(kAICursorKeyLengthPreference, kDefaultKeyboardIncrement);
  preferences_.SetListener([this](const std::string& key) {
    // The application's own preferences have no prefix; a plug-in's are its own business.
    if (key.find('/') == std::string::npos) QueueNotification(kAIPreferenceChangedNotifier);
  });
  current = this;
}

Host::~Host() {
  Quit();
  current = nullptr;
}

void Host::Quit() {
  if (quit_) return;
  quit_ = true;
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

Document& Host::NewDocument(int16_t rulerUnits) {
  DocumentListener* listener = this;
  document_ = std::make_unique<Document>(rulerUnits, listener, nextArtHandle_);
  // Handles stay unique across documents, so a stale one never names a new path.
  nextArtHandle_ += 0x100000;
  view_.Reset();
  QueueNotification(kAIArtSelectionChangedNotifier);
  QueueNotification(kAIPreferenceChangedNotifier);
  return *document_;
}

bool Host::AnyPluginCodeLoaded() const {
  return std::any_of(plugins_.begin(), plugins_.end(), [](const auto& plugin) {
    return plugin->state() != HostedPlugin::State::CodeUnloaded;
  });
}

void Host::CheckAfterCall() {
  if (dialogs_.ReleaseLeftoverDrawers() > 0)
    misuse_.Record("a drawer was still held when the call into the plug-in returned");
  const size_t overruns = blocks_.overrunsAtDispose() + memoryHandles_.overrunsAtDispose();
  if (!blocks_.GuardsIntact() || !memoryHandles_.GuardsIntact() || overruns != overrunsSeen_) {
    overrunsSeen_ = overruns;
    misuse_.Record("the plug-in wrote past the end of a memory block the host gave it");
  }
}

bool Host::RedrawView() {
  if (document_ == nullptr || !view_.NeedsRedraw()) return false;
  const std::vector<AIRect> areas = view_.BeginRedraw();
  for (auto& plugin : plugins_) {
    if (plugin->started()) plugin->Annotate(DocumentView::kHandle, 1, DocumentView::kPort, areas);
  }
  DeliverNotifications();
  return true;
}

bool Host::Undo() {
  if (document_ == nullptr || !document_->Undo()) return false;
  DeliverNotifications();
  return true;
}

bool Host::Redo() {
  if (document_ == nullptr || !document_->Redo()) return false;
  DeliverNotifications();
  return true;
}

std::string Host::UndoText() const {
  return document_ ? document_->history().UndoText() : std::string();
}

std::string Host::RedoText() const {
  return document_ ? document_->history().RedoText() : std::string();
}

bool Host::CloseDocument() {
  if (document_ == nullptr) return false;
  document_.reset();
  view_.Reset();
  QueueNotification(kAIArtSelectionChangedNotifier);
  return true;
}

void Host::ArtworkChanged() {
  QueueNotification(kAIArtSelectionChangedNotifier);
}

void Host::UnitsChanged() {
  QueueNotification(kAIPreferenceChangedNotifier);
}

void Host::QueueNotification(const char* type) {
  // Every anchor a plug-in writes queues the same notification again: no string is made then.
  const auto same = [type](const std::string& queued) { return queued == type; };
  if (std::find_if(pending_.begin(), pending_.end(), same) == pending_.end())
    pending_.push_back(type);
}

void Host::DeliverNotifications() {
  if (delivering_) return;  // the delivery already running sends what comes up meanwhile
  delivering_ = true;
  // A notification whose handling changes the artwork again is sent again, a few times at most:
  // a plug-in that answers every change with another must not hang the host.
  for (int round = 0; round < 8 && callDepth_ == 0 && !pending_.empty(); ++round) {
    const std::vector<std::string> sending = std::move(pending_);
    pending_.clear();
    for (const std::string& type : sending) {
      for (auto& plugin : plugins_) {
        if (plugin->started()) plugin->Notify(type);
      }
    }
  }
  delivering_ = false;
}

Host::PluginCall::~PluginCall() {
  if (--host_.callDepth_ == 0) {
    // Whatever the call changed is one step of the Edit menu.
    if (host_.document_) host_.document_->CloseUndoStep();
    host_.CheckAfterCall();
    try {
      host_.DeliverNotifications();
    } catch (...) {
      // A plug-in that cannot be reloaded misses the notification; the host goes on.
      host_.delivering_ = false;
    }
  }
}

}  // namespace tavrix::host

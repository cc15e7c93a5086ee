// What the host hands the plug-in comes back intact, and the plug-in uses the host correctly:
// guard bytes after message records and memory blocks, references of live objects only,
// drawers released, suites released as often as acquired, no call while its code is unloaded.
#include "host/Host.h"
#include "validator/ReferenceSession.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

void ReferenceSessionLeavesTheHostIntact(const CheckContext& context) {
  const auto run = PlaySession(context.pluginPath, ReferenceSessionLines(true));
  Require(run->session != nullptr, "the plug-in did not start: " + run->startFailure);
  Require(run->linesFailed == 0, "the reference session failed on " +
                                     std::to_string(run->linesFailed) + " lines:\n" +
                                     run->output.str());
  host::Host& host = run->session->host();
  Require(host.alerts().ErrorCount() == 0, "an alert was shown");
  Require(host.misuse().empty(), host.misuse().Describe());
  Require(UnsoundArtwork(host).empty(), UnsoundArtwork(host));
}

void SuitesComeBackAtEveryUnload(const CheckContext& context) {
  host::Host host;
  host::HostedPlugin& plugin = host.LoadPlugin(context.pluginPath);
  Require(plugin.Start() == kNoErr, "the plug-in did not start");
  for (int i = 0; i < 5; ++i) {
    Require(plugin.Unload() == kNoErr, "Unload failed");
    Require(host.suites().OutstandingTotal() == 0,
            std::to_string(host.suites().OutstandingTotal()) +
                " suite acquisitions were not released at Unload");
    Require(plugin.Reload() == kNoErr, "Reload failed");
  }
  host.Quit();
  Require(host.suites().OutstandingTotal() == 0, "suites were still held after the host quit");
  Require(host.misuse().empty(), host.misuse().Describe());
}

// Messages the plug-in answers again and again (its menu items, its notifiers, the annotation
// pass) leave no more dialogs behind than it had after starting.
void NoDialogPilesUp(const CheckContext& context) {
  host::Host host;
  host::HostedPlugin& plugin = host.LoadPlugin(context.pluginPath);
  Require(plugin.Start() == kNoErr, "the plug-in did not start");
  host.NewDocument(kAIPointRulerUnits).AddPath({PathSegment{{0, 0}, {0, 0}, {0, 0}, 0}}, false);
  host.DeliverNotifications();
  const size_t started = host.dialogs().LiveDialogCount();
  for (int round = 0; round < 10; ++round) {
    for (const host::MenuItemRecord& item : host.registrations().menuItems())
      plugin.ChooseMenuItem(item.handle);
    for (const host::NotifierRecord& notifier : host.registrations().notifiers()) {
      AINotifierMessage message{};
      message.notifier = notifier.handle;
      message.type = notifier.type.c_str();
      plugin.Send(kCallerAINotifier, notifier.type.c_str(), message.d);
    }
    plugin.Annotate(host::DocumentView::kHandle, 1, host::DocumentView::kPort);
  }
  const size_t now = host.dialogs().LiveDialogCount();
  Require(now <= started, "the plug-in had " + std::to_string(started) +
                              " dialogs after starting and " + std::to_string(now) +
                              " after 10 rounds of its messages");
}

}  // namespace

std::vector<ValidatorCheck> IntegrityChecks() {
  return {
      {"integrity.reference-session",
       "A session with every kind of user action and artwork change, and a restart: no alert, "
       "no message record or memory block written past its end, no stale reference, no drawer "
       "left unreleased, no suite call while the code is unloaded, finite artwork",
       1, &ReferenceSessionLeavesTheHostIntact},
      {"integrity.suites-released",
       "Every suite acquired at Reload is released at Unload, never more often, across "
       "unload and reload",
       1, &SuitesComeBackAtEveryUnload},
      {"integrity.no-dialog-piles-up",
       "Its menu items, notifiers and annotation pass answered ten times over leave no more "
       "dialogs than the plug-in had after starting",
       1, &NoDialogPilesUp},
  };
}

}  // namespace tavrix::validator

// The plug-in's life as the host drives it: many cycles of loading and unloading, and every
// message in and out of its order.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/Host.h"
#include "host/Pipl.h"
#include "validator/ProcessInfo.h"
#include "validator/ValidatorCheck.h"

namespace tavrix::validator {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

void LoadUnloadCycles(const CheckContext& context) {
  const int cycles = context.level >= 5 ? 1000 : 100;
  long settled = 0;
  for (int cycle = 1; cycle <= cycles; ++cycle) {
    {
      host::Host host;
      host::HostedPlugin& plugin = host.LoadPlugin(context.pluginPath);
      Require(plugin.Start() == kNoErr,
              "the plug-in did not start in cycle " + std::to_string(cycle));
      host.Quit();  // Shutdown, the windows go, Unload
      Require(host.alerts().ErrorCount() == 0,
              "cycle " + std::to_string(cycle) + " showed an alert");
      Require(host.misuse().empty(),
              "cycle " + std::to_string(cycle) + ": " + host.misuse().Describe());
    }
    Require(!IsMapped(context.pluginPath),
            "the plug-in's code stayed mapped after cycle " + std::to_string(cycle));
    if (cycle == 20) settled = ResidentKilobytes();
  }
  // The address sanitizer keeps freed memory aside on purpose; elsewhere it must come back.
  const long grown = ResidentKilobytes() - settled;
  Require(kSanitized || grown < 8L * 1024, "memory grew by " + std::to_string(grown) + " KB over " +
                                               std::to_string(cycles - 20) + " cycles");
}

// Every caller and selector, unknown ones, and messages out of their order as a faulty host
// might send them: each is answered with 0 and nothing is misused or shown.
void MessagesInAndOutOfOrder(const CheckContext& context) {
  host::Host host;
  host::HostedPlugin& plugin = host.LoadPlugin(context.pluginPath);
  const auto expect = [&](ASErr result, const std::string& what) {
    Require(result == kNoErr && host.misuse().empty(),
            what + " was answered with '" + host::FourCharText(static_cast<uint32_t>(result)) +
                "'" + (host.misuse().empty() ? "" : ": " + host.misuse().Describe()));
  };
  AINotifierMessage notifier{};
  notifier.notifier = 0x7777;
  notifier.type = kAIArtSelectionChangedNotifier;
  expect(plugin.Send(kCallerAINotifier, kAIArtSelectionChangedNotifier, notifier.d),
         "a notifier message before Startup");
  AIAnnotatorMessage annotation{};
  annotation.drawState = 1;
  expect(plugin.Send(kCallerAIAnnotation, kSelectorAIDrawAnnotation, annotation.d),
         "an annotation message before Startup");
  AIMenuMessage menu{};
  menu.menuItem = 0x7777;
  expect(plugin.Send(kCallerAIMenu, kSelectorAIGoMenuItem, menu.d),
         "a menu command before Startup");
  SPInterfaceMessage message{};
  expect(plugin.Send(kSPInterfaceCaller, kSPInterfaceShutdownSelector, message.d),
         "Shutdown before Startup");
  expect(plugin.Send("Unknown Caller", "Unknown Selector", message.d), "an unknown caller");
  expect(plugin.Send(kSPInterfaceCaller, "Unknown Selector", message.d), "an unknown selector");
  expect(plugin.Startup(), "Startup");
  // Before the application has started there is no palette.
  expect(plugin.Send(kCallerAIAnnotation, kSelectorAIDrawAnnotation, annotation.d),
         "an annotation message before the palette exists");
  expect(plugin.Send(kCallerAIMenu, kSelectorAIGoMenuItem, menu.d),
         "a menu command for another plug-in's item");
  expect(plugin.Send(kCallerAIMenu, kSelectorAIUpdateMenuItem, menu.d), "a menu update");
  expect(plugin.Notify(kAIApplicationStartedNotifier), "the application started");
  expect(plugin.Notify(kAIApplicationStartedNotifier), "the application started a second time");
  expect(plugin.About(), "the about box");
  expect(plugin.Send(kCallerAINotifier, kAIArtSelectionChangedNotifier, notifier.d),
         "a notifier message for another plug-in's notifier");
  expect(plugin.Unload(), "Unload");
  expect(plugin.Reload(), "Reload");
  expect(plugin.Shutdown(), "Shutdown");
  SPInterfaceMessage again{};
  expect(plugin.Send(kSPInterfaceCaller, kSPInterfaceShutdownSelector, again.d), "Shutdown twice");
  expect(plugin.Unload(), "Unload after Shutdown");
  expect(plugin.Unload(), "Unload twice");
  Require(host.alerts().ErrorCount() == 0, "an alert was shown");
  Require(host.misuse().empty(), host.misuse().Describe());
}

}  // namespace

std::vector<ValidatorCheck> LifecycleChecks() {
  return {
      {"lifecycle.load-unload-cycles",
       "Load, Reload, Startup, application started, Shutdown and Unload, again and again: the "
       "code is really unmapped each time, nothing is shown or misused, and memory comes back",
       1, &LoadUnloadCycles},
      {"lifecycle.messages-in-and-out-of-order",
       "Every caller and selector, unknown ones, and messages out of order (a notifier before "
       "Startup, Shutdown twice, an annotation before the palette exists, a menu command for "
       "another plug-in's item): no crash, each answered with 0",
       1, &MessagesInAndOutOfOrder},
  };
}

}  // namespace tavrix::validator

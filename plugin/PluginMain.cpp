// The plug-in's only exported function: every message from the host arrives here and is
// dispatched by caller, then selector.
#include "core/ErrorReporting.h"
#include "hostapi/HostApi.h"
#include "plugin/Lifecycle.h"
#include "plugin/MessageRouting.h"
#include "plugin/PluginExport.h"

namespace tavrix {
namespace {

using Handler = ASErr (*)(void* message);

template <class Message, ASErr (*Handle)(Message&)>
ASErr Call(void* message) {
  return Handle(*static_cast<Message*>(message));
}

ASErr Nothing(void*) {
  return kNoErr;
}

struct Route {
  const char* caller;
  const char* selector;  // null: any selector
  Handler handler;
};

// Tested in this order; the first match handles the message.
const Route kRoutes[] = {
    {kSPAccessCaller, kSPAccessUnloadSelector, &Call<SPAccessMessage, Unload>},
    {kSPAccessCaller, kSPAccessReloadSelector, &Call<SPAccessMessage, Reload>},
    {kSPInterfaceCaller, kSPInterfaceStartupSelector, &Call<SPInterfaceMessage, StartUp>},
    {kSPInterfaceCaller, kSPInterfaceShutdownSelector, &Call<SPInterfaceMessage, ShutDown>},
    {kSPInterfaceCaller, kSPInterfaceAboutSelector, &Call<SPInterfaceMessage, ShowAboutBox>},
    {kCallerAIMenu, kSelectorAIGoMenuItem, &Call<AIMenuMessage, RouteMenuCommand>},
    {kCallerAIMenu, kSelectorAIUpdateMenuItem, &Nothing},
    {kCallerAINotifier, nullptr, &Call<AINotifierMessage, RouteNotifier>},
    {kCallerAIAnnotation, nullptr, &Call<AIAnnotatorMessage, RouteAnnotation>},
};

ASErr Dispatch(const char* caller, const char* selector, void* message) {
  if (caller == nullptr || selector == nullptr || message == nullptr) return kBadParameterErr;
  const SPBasicSuite* basic = static_cast<SPMessageData*>(message)->basic;
  if (basic == nullptr) return kBadParameterErr;
  for (const Route& route : kRoutes) {
    if (!basic->IsEqual(caller, route.caller)) continue;
    if (route.selector != nullptr && !basic->IsEqual(selector, route.selector)) continue;
    return route.handler(message);
  }
  return kNoErr;
}

}  // namespace
}  // namespace tavrix

extern "C" TAVRIX_EXPORT ASErr PluginMain(const char* caller, const char* selector,
                                          void* message) noexcept {
  // No exception may reach the host: a failed host call returns its own code.
  try {
    return tavrix::Dispatch(caller, selector, message);
  } catch (const tavrix::HostError& error) {
    return error.code();
  } catch (...) {
    return kExTrErr;
  }
}

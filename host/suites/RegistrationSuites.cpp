// AI Notifier, AI Menu and AI Annotator: what a plug-in adds to the application.
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "hostapi/AIPluginSuites.h"

namespace tavrix::host {
namespace {

bool IsPlugin(Host& host, SPPluginRef plugin) {
  return host.Plugin(plugin) != nullptr;
}

ASErr AddNotifier(SPPluginRef plugin, const char* name, const char* type,
                  AINotifierHandle* notifier) {
  return HostCall("AINotifier.AddNotifier", [&](Host& host) {
    if (!IsPlugin(host, plugin) || name == nullptr || type == nullptr || notifier == nullptr) {
      return kBadParameterErr;
    }
    *notifier = host.registrations().AddNotifier(plugin, name, type);
    return kNoErr;
  });
}

ASErr SetNotifierActive(AINotifierHandle notifier, ASBoolean active) {
  return HostCall("AINotifier.SetNotifierActive", [&](Host& host) {
    NotifierRecord* record = host.registrations().Notifier(notifier);
    if (record == nullptr) return kBadHandleErr;
    record->active = active != 0;
    return kNoErr;
  });
}

ASErr IsNotifierActive(AINotifierHandle notifier, AIBoolean* active) {
  return HostCall("AINotifier.IsNotifierActive", [&](Host& host) {
    const NotifierRecord* record = host.registrations().Notifier(notifier);
    if (record == nullptr) return kBadHandleErr;
    if (active == nullptr) return kBadParameterErr;
    *active = record->active;
    return kNoErr;
  });
}

ASErr AddMenuItem(SPPluginRef plugin, const char* name, const AIAddMenuItemData* data,
                  int32_t /*options*/, AIMenuItemHandle* menuItem) {
  return HostCall("AIMenu.AddMenuItem", [&](Host& host) {
    if (!IsPlugin(host, plugin) || name == nullptr || data == nullptr ||
        data->groupName == nullptr || data->itemText == nullptr || menuItem == nullptr) {
      return kBadParameterErr;
    }
    const std::string text(reinterpret_cast<const char*>(data->itemText + 1), data->itemText[0]);
    *menuItem = host.registrations().AddMenuItem(plugin, name, data->groupName, text);
    return kNoErr;
  });
}

ASErr CheckItem(AIMenuItemHandle menuItem, ASBoolean checked) {
  return HostCall("AIMenu.CheckItem", [&](Host& host) {
    MenuItemRecord* record = host.registrations().MenuItem(menuItem);
    if (record == nullptr) return kBadHandleErr;
    record->checked = checked != 0;
    return kNoErr;
  });
}

ASErr AddAnnotator(SPPluginRef plugin, const char* name, AIAnnotatorHandle* annotator) {
  return HostCall("AIAnnotator.AddAnnotator", [&](Host& host) {
    if (!IsPlugin(host, plugin) || name == nullptr || annotator == nullptr) {
      return kBadParameterErr;
    }
    *annotator = host.registrations().AddAnnotator(plugin, name);
    return kNoErr;
  });
}

ASErr SetAnnotatorActive(AIAnnotatorHandle annotator, ASBoolean active) {
  return HostCall("AIAnnotator.SetAnnotatorActive", [&](Host& host) {
    AnnotatorRecord* record = host.registrations().Annotator(annotator);
    if (record == nullptr) return kBadHandleErr;
    record->active = active != 0;
    return kNoErr;
  });
}

ASErr InvalAnnotationRect(AIDocumentViewHandle view, const AIRect* rect) {
  return HostCall("AIAnnotator.InvalAnnotationRect", [&](Host& host) {
    if (view != DocumentView::kHandle || rect == nullptr) return kBadParameterErr;
    if (host.document() == nullptr) return kNoDocumentErr;
    host.view().Invalidate(*rect);
    return kNoErr;
  });
}

const AINotifierSuite kNotifier = {&AddNotifier, &SetNotifierActive, &IsNotifierActive};
const AIMenuSuite kMenu = {&AddMenuItem, &CheckItem};
const AIAnnotatorSuite kAnnotator = {&AddAnnotator, &SetAnnotatorActive, &InvalAnnotationRect};

}  // namespace

void InstallRegistrationSuites(SuiteRegistry& suites, FaultPlan& faults) {
  suites.Offer(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifier);
  suites.Offer(kAIMenuSuite, kAIMenuSuiteVersion, &kMenu);
  suites.Offer(kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &kAnnotator);
  for (const char* operation :
       {"AINotifier.AddNotifier", "AINotifier.SetNotifierActive", "AINotifier.IsNotifierActive",
        "AIMenu.AddMenuItem", "AIMenu.CheckItem", "AIAnnotator.AddAnnotator",
        "AIAnnotator.SetAnnotatorActive", "AIAnnotator.InvalAnnotationRect"}) {
    faults.Register(operation);
  }
}

}  // namespace tavrix::host

// The dialog framework, linked directly, running against the stand-in dialog manager with the
// resources of the built plug-in (dialog 18000, menu 700, the string table).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "adm/KADMBaseDialog.h"
#include "core/SuiteTable.h"
#include "host/Host.h"
#include "host/dialog/DialogUser.h"
#include "support/PluginBytes.h"

namespace tavrix::test {

inline constexpr int32_t kPaletteDialog = 18000;

// A dialog that records what reaches it. Init builds whatever `build` makes.
class RecordingDialog : public KADMBaseDialog {
 public:
  ASErr Init() override {
    initSawDialog = dialog != nullptr;
    const ASErr error = BaseADMDialog::Init();
    if (build) build(*this);
    return error;
  }
  void ItemChanged(int32_t itemId) override {
    changes.push_back(itemId);
    if (onChange) onChange(itemId);
  }
  void ItemCommandClicked(int32_t itemId) override { commandClicks.push_back(itemId); }
  void Destroy() override { ++destroyHooks; }
  ~RecordingDialog() override {
    if (deleted != nullptr) ++*deleted;
  }

  std::function<void(RecordingDialog&)> build;
  std::function<void(int32_t)> onChange;
  std::vector<int32_t> changes;
  std::vector<int32_t> commandClicks;
  bool initSawDialog = false;
  int destroyHooks = 0;
  int* deleted = nullptr;
};

class AdmTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(AcquireSuites(*host.basic()), kNoErr); }
  void TearDown() override {
    // The windows go while the suites are still held, as when the host quits.
    host.dialogs().DestroyAll();
    ReleaseSuites(*host.basic());
  }

  // A palette-style dialog on dialog 18000 owned by its dialog, as the palette is.
  RecordingDialog* OpenDialog(std::function<void(RecordingDialog&)> build = {},
                              int32_t style = kADMTabbedFloatingDialogStyle) {
    auto* object = new RecordingDialog;
    object->build = std::move(build);
    object->Create(plugin.ref(), "Test", kPaletteDialog, style, 0);
    return object;
  }
  host::HostDialog& HostSide(const RecordingDialog& object) {
    return *host.dialogs().Dialog(object.dialog);
  }
  host::HostItem& HostItem(const RecordingDialog& object, int32_t id) {
    return *host.dialogs().ItemWithId(HostSide(object), id);
  }
  // Shows the dialog as a person would find it, so its items can be used.
  void ShowDialog(const RecordingDialog& object) { user.ShowWindow(HostSide(object)); }

  host::Host host;
  host::HostedPlugin& plugin = host.LoadPlugin(PluginPath());
  host::DialogUser user{host.dialogs()};
};

}  // namespace tavrix::test

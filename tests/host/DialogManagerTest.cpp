// The stand-in dialog manager on its own: what it does when a caller errs, and what a person's
// action sets off.
#include "host/dialog/DialogManager.h"

#include <gtest/gtest.h>

#include <cstring>

#include <cmath>

#include "host/Host.h"
#include "host/dialog/DialogTemplate.h"
#include "host/dialog/DialogUser.h"
#include "hostapi/ADMSuites.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

class DialogManagerTest : public ::testing::Test {
 protected:
  HostDialog& Open(int32_t style = kADMTabbedFloatingDialogStyle) {
    HostDialog* dialog = dm.CreateDialog(plugin.ref(), "Test", 18000, style, nullptr, nullptr);
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }
  template <class Suite>
  const Suite& Acquire(const char* name, int32_t version) {
    const void* table = nullptr;
    EXPECT_EQ(host.basic()->AcquireSuite(name, version, &table), kNoErr);
    return *static_cast<const Suite*>(table);
  }

  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  DialogManager& dm = host.dialogs();
  DialogUser user{dm};
};

TEST_F(DialogManagerTest, AModalRunThatEndsInAnErrorStillDestroysItsDialog) {
  dm.SetModalDriver([](HostDialog&) { throw std::invalid_argument("refused"); });
  EXPECT_THROW(dm.RunModal(plugin.ref(), "Modal", 18000, kADMModalDialogStyle, nullptr, nullptr),
               std::invalid_argument);
  EXPECT_TRUE(dm.OpenDialogs().empty());
  EXPECT_EQ(plugin.library().holds(), 0);
}

TEST_F(DialogManagerTest, NoItemIsAddedToADialogThatIsGoing) {
  HostDialog& dialog = Open();
  dialog.destroying = true;
  EXPECT_EQ(dm.CreateItem(dialog, 99, "STATIC", ADMRect{0, 0, 10, 10}, nullptr, nullptr), nullptr);
  dialog.destroying = false;
  EXPECT_NE(dm.CreateItem(dialog, 99, "STATIC", ADMRect{0, 0, 10, 10}, nullptr, nullptr), nullptr);
}

TEST_F(DialogManagerTest, LimitsSetInTheWrongOrderStillBoundTheValue) {
  HostDialog& dialog = Open();
  user.ShowWindow(dialog);
  HostItem& field = *dm.ItemWithId(dialog, 6);
  dm.SetItemFloat(field, 0.0f);
  field.minValue = 50.0f;
  field.maxValue = 10.0f;
  EXPECT_TRUE(user.TypeText(field, "30"));
  EXPECT_GE(field.floatValue, 10.0f);
  EXPECT_LE(field.floatValue, 50.0f);
}

TEST_F(DialogManagerTest, TheApplicationUnitIsTheOneTheApplicationUses) {
  const auto& basic = Acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  dm.SetApplicationUnits(kADMMillimeterUnits);
  EXPECT_EQ(basic.GetConcreteUnits(kADMAppUnits), kADMMillimeterUnits);
  EXPECT_EQ(basic.GetConcreteUnits(kADMInchUnits), kADMInchUnits);
  char text[kADMValueTextLength + 1];
  basic.ValueToText(72.0f, text, kADMAppUnits, 1, true);
  EXPECT_STREQ(text, "25.4 mm");
  float value = 0.0f;
  ASSERT_TRUE(basic.TextToValue("10", &value, kADMAppUnits));
  EXPECT_NEAR(value, 10 * 72 / 25.4, 1e-4);
}

TEST_F(DialogManagerTest, TextToValueRefusesAndLeavesTheTargetAlone) {
  const auto& basic = Acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  float value = 7.0f;
  for (const char* text : {"", "abc", "1/0", "1e999", "10 mm", "(("}) {
    EXPECT_FALSE(basic.TextToValue(text, &value, kADMDegreeUnits)) << text;
    EXPECT_EQ(value, 7.0f);
  }
}

TEST_F(DialogManagerTest, ValueTextNeverPassesItsSixtyThreeCharacters) {
  const auto& basic = Acquire<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  // The largest float with the most decimals, behind guard bytes.
  char text[kADMValueTextLength + 1 + 16];
  std::memset(text, '#', sizeof text);
  basic.ValueToText(-3.4e38f, text, kADMQUnits, 12, true);
  const std::string written(text);
  EXPECT_LE(written.size(), static_cast<size_t>(kADMValueTextLength));
  EXPECT_EQ(written.substr(0, 3), "-47");
  for (size_t i = kADMValueTextLength + 1; i < sizeof text; ++i) EXPECT_EQ(text[i], '#') << i;
}

TEST_F(DialogManagerTest, HugeFontSizesDoNotOverflowTheLayout) {
  const DialogUnitScale scale = ScaleForFont(65535);
  EXPECT_GT(scale.ToPixelsY(INT16_MAX), 0);
  EXPECT_GT(scale.ToPixelsX(INT16_MAX), 0);
}

TEST_F(DialogManagerTest, AStaleReferenceFindsNothing) {
  HostDialog& dialog = Open();
  const ADMItemRef item = DialogManager::Ref(dm.ItemWithId(dialog, 6));
  const ADMDialogRef ref = DialogManager::Ref(&dialog);
  dm.DestroyDialog(dialog);
  EXPECT_EQ(dm.Dialog(ref), nullptr);
  EXPECT_EQ(dm.Item(item), nullptr);
  const auto& items = Acquire<ADMItemSuite>(kADMItemSuite, kADMItemSuiteVersion);
  items.SetText(item, "late");  // nothing happens, nothing breaks
  EXPECT_EQ(items.GetID(item), 0);
}

TEST_F(DialogManagerTest, ANulTypedIntoAFieldReachesItWholeAndIsNoNumber) {
  HostDialog& dialog = Open();
  user.ShowWindow(dialog);
  const std::string typed{'1', '\0', '2'};
  HostItem& field = *dm.ItemWithId(dialog, 6);
  ASSERT_FALSE(field.numeric);  // free text until it is given a number
  EXPECT_TRUE(user.TypeText(field, typed));
  EXPECT_EQ(field.text, typed);
  // A plug-in reads it as a C string: up to the NUL, inside its buffer.
  const auto& items = Acquire<ADMItemSuite>(kADMItemSuite, kADMItemSuiteVersion);
  char text[8];
  std::memset(text, '#', sizeof text);
  items.GetText(DialogManager::Ref(&field), text, sizeof text);
  EXPECT_STREQ(text, "1");

  // A field of numbers takes neither the 1 before the NUL nor anything else, whoever converts.
  dm.SetItemFloat(field, 5.0f);
  EXPECT_FALSE(user.TypeText(field, typed));
  EXPECT_EQ(field.floatValue, 5.0f);
  field.callbacks.textToFloat = [](ADMItemRef, const char*, float* value) -> ASBoolean {
    *value = 1.0f;
    return true;
  };
  EXPECT_FALSE(user.TypeText(field, typed));
  EXPECT_EQ(field.floatValue, 5.0f);
  EXPECT_EQ(field.text, "5");
}

TEST_F(DialogManagerTest, SpinArrowsMoveByTheStepWithinTheLimits) {
  HostDialog& dialog = Open();
  user.ShowWindow(dialog);
  HostItem& spin = *dm.ItemWithId(dialog, 4);
  spin.smallStep = 2.5f;
  spin.maxValue = 6.0f;
  user.ClickSpin(spin, SpinArrow::Up);
  EXPECT_EQ(spin.floatValue, 2.5f);
  user.ClickSpin(spin, SpinArrow::Up, 3);  // held: three steps, stopped by the maximum
  EXPECT_EQ(spin.floatValue, 6.0f);
  user.ClickSpin(spin, SpinArrow::Down);
  EXPECT_EQ(spin.floatValue, 3.5f);
  EXPECT_THROW(user.ClickSpin(*dm.ItemWithId(dialog, 6), SpinArrow::Up), std::invalid_argument);
}

TEST_F(DialogManagerTest, ADialogStartsAsItsResourceSays) {
  HostDialog& palette = Open();
  EXPECT_TRUE(palette.visible);  // dialog 18000 carries the visible style
  HostDialog& modal = Open(kADMModalDialogStyle);
  EXPECT_TRUE(modal.visible);  // the resource's own visibility
  EXPECT_EQ(palette.bounds.right - palette.bounds.left, 402);
  EXPECT_EQ(palette.bounds.bottom - palette.bounds.top, 464);
}

}  // namespace
}  // namespace tavrix::host

// The plug-in's dialog and menu resources as the dialog manager reads them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "host/Host.h"
#include "host/PluginFile.h"
#include "host/dialog/DialogTemplate.h"
#include "host/dialog/DialogUser.h"
#include "hostapi/ADMSuites.h"
#include "support/PluginBytes.h"

namespace tavrix::host {
namespace {

const Resource& ResourceOf(const PluginFile& file, uint16_t type, uint16_t id) {
  const Resource* resource = file.resources().Find(type, id);
  if (resource == nullptr) throw std::runtime_error("missing resource");
  return *resource;
}

TEST(DialogResources, ThePaletteDialogHasItsFortySixItems) {
  const PluginFile file = PluginFile::Read(test::PluginPath());
  const Resource& resource = ResourceOf(file, kDialogResourceType, 18000);
  const DialogTemplate t =
      ParseDialogTemplate(ByteView{resource.data.data(), resource.data.size()});
  EXPECT_EQ(t.style, 0x90c000c0u);
  EXPECT_EQ(t.caption, "Tavrix");
  EXPECT_EQ(t.fontName, "MS Sans Serif");
  EXPECT_EQ(t.fontSize, 8);
  EXPECT_EQ(t.width, 268);
  EXPECT_EQ(t.height, 286);
  ASSERT_EQ(t.items.size(), 46u);
  std::set<int32_t> ids;
  for (const ItemTemplate& item : t.items) ids.insert(item.id);
  EXPECT_EQ(ids.size(), 46u);
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 46);

  const ItemTemplate& triangle = t.items[0];
  EXPECT_EQ(triangle.id, 45);
  EXPECT_EQ(triangle.className, "ADM PICTURE STATIC TYPE");
  EXPECT_EQ(triangle.style, 0x50010000u);
  EXPECT_EQ(triangle.text, "Custom1");
  EXPECT_EQ(triangle.x, 4);
  EXPECT_EQ(triangle.height, 14);
  for (const ItemTemplate& item : t.items) {
    if (item.id == 41) {
      EXPECT_EQ(item.className, "BUTTON");
    } else if (item.id == 16) {
      EXPECT_EQ(item.x, 146);
    } else if (item.id == 9) {
      EXPECT_EQ(item.text, "");
    }
  }
}

TEST(DialogResources, TheFlyoutMenuHasTwelveEntriesNumberedInOrder) {
  const PluginFile file = PluginFile::Read(test::PluginPath());
  const Resource& resource = ResourceOf(file, kMenuResourceType, 700);
  const auto entries = ParseMenuTemplate(ByteView{resource.data.data(), resource.data.size()});
  ASSERT_EQ(entries.size(), 12u);
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i].id, static_cast<int32_t>(i + 1));
  EXPECT_EQ(entries[0].text, "Increase precision");
  EXPECT_EQ(entries[6].text, "(In/Out behaviour)");
  EXPECT_EQ(entries[11].text, "Show path direction");
}

TEST(DialogResources, DialogUnitsBecomePixelsForTheTemplatesFont) {
  const DialogUnitScale scale = ScaleForFont(8);
  EXPECT_EQ(scale.baseX, 6);
  EXPECT_EQ(scale.baseY, 13);
  EXPECT_EQ(scale.ToPixelsX(268), 402);
  EXPECT_EQ(scale.ToPixelsY(286), 464);
}

TEST(DialogResources, TruncatedTemplatesAreRefusedNotOverrun) {
  const PluginFile file = PluginFile::Read(test::PluginPath());
  for (uint16_t type : {kDialogResourceType, kMenuResourceType}) {
    const Resource& resource = ResourceOf(file, type, type == kDialogResourceType ? 18000 : 700);
    for (size_t length = 0; length < resource.data.size(); ++length) {
      const ByteView cut{resource.data.data(), length};
      if (type == kDialogResourceType) {
        EXPECT_THROW(ParseDialogTemplate(cut), ResourceError) << length;
      } else {
        EXPECT_THROW(ParseMenuTemplate(cut), ResourceError) << length;
      }
    }
  }
}

TEST(DialogUser, RefusesWhatAPersonCouldNotDo) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  DialogManager& dm = host.dialogs();
  HostDialog* dialog = dm.CreateDialog(plugin.ref(), "Palette", 18000,
                                       kADMTabbedFloatingDialogStyle, nullptr, nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(plugin.library().holds(), 1);  // the code stays while the dialog lives
  DialogUser user(dm);
  HostItem& field = *dm.ItemWithId(*dialog, 6);
  user.HideWindow(*dialog);
  EXPECT_THROW(user.TypeText(field, "1"), std::invalid_argument);  // the palette is hidden
  user.ShowWindow(*dialog);
  field.enabled = false;
  try {
    user.TypeText(field, "1");
    FAIL();
  } catch (const std::invalid_argument& error) {
    EXPECT_STREQ(error.what(), "cannot type: item 6 is disabled");
  }
  EXPECT_THROW(user.TypeText(*dm.ItemWithId(*dialog, 41), "1"), std::invalid_argument);
  EXPECT_THROW(user.ChooseFlyoutEntry(*dialog, 13), std::invalid_argument);
  dm.DestroyDialog(*dialog);
  EXPECT_EQ(plugin.library().holds(), 0);
  dm.DestroyDialog(*dialog);  // a second request has no further effect
}

TEST(DialogUser, GetTextCutsALongTextToTheBuffer) {
  Host host;
  HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
  HostDialog* dialog = host.dialogs().CreateDialog(plugin.ref(), "P", 18000, 3, nullptr, nullptr);
  const void* table = nullptr;
  ASSERT_EQ(host.basic()->AcquireSuite(kADMItemSuite, kADMItemSuiteVersion, &table), kNoErr);
  const auto* items = static_cast<const ADMItemSuite*>(table);
  ADMItemRef label = DialogManager::Ref(host.dialogs().ItemWithId(*dialog, 40));
  char small[8];
  std::memset(small, 'x', sizeof small);
  items->GetText(label, small, sizeof small);
  EXPECT_STREQ(small, "Keyboar");
  items->GetText(label, small, 1);
  EXPECT_STREQ(small, "");
  // A stale reference finds nothing and changes nothing.
  items->SetText(reinterpret_cast<ADMItemRef>(&table), "boom");
}

}  // namespace
}  // namespace tavrix::host

// What the validator asks the system about its own process must see the plug-in's code come and
// go, or "the code is really unmapped each time" would pass without looking.
#include "validator/ProcessInfo.h"

#include <gtest/gtest.h>

#include "host/Host.h"
#include "support/PluginBytes.h"

namespace tavrix::validator {
namespace {

TEST(ProcessInfo, SeesThePluginMappedOnlyWhileItsCodeIsLoaded) {
  EXPECT_FALSE(IsMapped(test::PluginPath()));
  {
    host::Host host;
    host::HostedPlugin& plugin = host.LoadPlugin(test::PluginPath());
    ASSERT_EQ(plugin.Start(), kNoErr);
    EXPECT_TRUE(IsMapped(test::PluginPath()));
    host.Quit();
  }
  EXPECT_FALSE(IsMapped(test::PluginPath()));
  EXPECT_GT(ResidentKilobytes(), 0);
}

}  // namespace
}  // namespace tavrix::validator

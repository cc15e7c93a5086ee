// The palette's state as JSON: what a program driving the host command reads back.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "session/Session.h"
#include "support/PluginBytes.h"

namespace tavrix::app {
namespace {

using nlohmann::json;

// Runs the script and reads every JSON document it printed.
std::vector<json> PrintedStates(const std::string& script) {
  std::ostringstream out;
  {
    Session session({test::PluginPath()}, out);
    std::istringstream in(script);
    EXPECT_EQ(session.Run(in, "json.tavrix"), 0) << out.str();
  }
  std::vector<json> states;
  const std::string text = out.str();
  for (size_t start = text.find("{\n"); start != std::string::npos;
       start = text.find("{\n", start)) {
    const size_t end = text.find("\n}\n", start);
    states.push_back(json::parse(text.substr(start, end + 2 - start)));
    start = end;
  }
  return states;
}

const json& ItemNamed(const json& state, const std::string& name) {
  for (const json& item : state["items"]) {
    if (item["name"] == name) return item;
  }
  throw std::runtime_error("no item " + name);
}

TEST(PaletteJson, ShowsItemsFlyoutAndTheCurrentPointAsTheyChange) {
  const std::vector<json> states = PrintedStates(
      "document\n"
      "path closed 0 0 ; 10 0 in 5 5 ; 10 10\n"
      "menu\n"
      "print json\n"
      "select 0 1\n"
      "flyout 6\n"
      "click inOutSectionTriangle\n"
      "click lockAngleCheckbox\n"
      "print json\n");
  ASSERT_EQ(states.size(), 2u);
  const json& before = states[0];
  EXPECT_TRUE(before["currentPoint"].is_null());
  EXPECT_FALSE(ItemNamed(before, "pointXField")["enabled"].get<bool>());
  EXPECT_EQ(before["palette"]["caption"], "Tavrix");

  const json& after = states[1];
  const json& point = after["currentPoint"];
  EXPECT_EQ(point["path"], 0);
  EXPECT_EQ(point["anchor"], 1);
  EXPECT_EQ(point["in"], json::array({5.0, 5.0}));
  EXPECT_TRUE(point["closed"].get<bool>());
  const json& x = ItemNamed(after, "pointXField");
  EXPECT_TRUE(x["enabled"].get<bool>());
  EXPECT_EQ(x["value"], 10.0);
  EXPECT_NE(x["text"].get<std::string>().find("10"), std::string::npos);
  EXPECT_NE(ItemNamed(after, "lockAngleCheckbox")["checked"],
            ItemNamed(before, "lockAngleCheckbox")["checked"]);
  bool polarChecked = false;
  for (const json& entry : after["flyout"]) {
    if (entry["text"] == "Polar") polarChecked = entry["checked"].get<bool>();
  }
  EXPECT_TRUE(polarChecked);
}

TEST(PaletteJson, OnlyJsonIsAPrintForm) {
  std::ostringstream out;
  Session session({test::PluginPath()}, out);
  std::istringstream in("document\nmenu\nprint yaml\n");
  EXPECT_EQ(session.Run(in, "json.tavrix"), 1);
  EXPECT_NE(out.str().find("usage: print [json]"), std::string::npos);
}

}  // namespace
}  // namespace tavrix::app

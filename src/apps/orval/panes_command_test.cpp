// `orval panes`, run in this process against the build tree's bundle.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "apps/orval/cli_test_support.h"

namespace orval::cli {
namespace {

using testing::runOrval;

TEST(PanesCommandTest, JsonShowsEveryPaneOfTheBundleWithItsControls) {
  const testing::RunResult result = runOrval({"panes", "--bundle", ORVAL_BUNDLE_DIR, "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json document = nlohmann::json::parse(result.out);
  EXPECT_EQ(document["window"], "Detailed Settings");
  // One for each tab of the window (the detailed settings' tests name them in order).
  ASSERT_EQ(document["panes"].size(), 14u);
  for (const auto& pane : document["panes"]) {
    std::size_t controls = 0;
    for (const auto& tab : pane["tabs"]) controls += tab["controls"].size();
    EXPECT_GT(controls, 0u) << pane["bundle"];
  }
  EXPECT_EQ(document["panes"][0]["bundle"], "Page");
  const auto& duplex = document["panes"][0]["tabs"][1]["controls"][0];
  EXPECT_EQ(nlohmann::json::array({duplex["key"], duplex["value"], duplex["choices"].size(), duplex["enabled"]}),
            nlohmann::json::array({"DuplexMode", "None", 3, true}));
}

TEST(PanesCommandTest, TreeMarksTheSettingsChangedFromTheirDefaults) {
  const testing::RunResult result =
      runOrval({"panes", "--bundle", ORVAL_BUNDLE_DIR, "--tree", "--set", "DuplexMode=DuplexTumble"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out.find("[Paper]"), std::string::npos) << "the tree alone";
  EXPECT_NE(result.out.find("\n    * 2-Sided Printing\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("\n      Output Paper Size\n"), std::string::npos) << result.out;

  EXPECT_THAT(runOrval({"panes", "--bundle", ORVAL_BUNDLE_DIR, "--set", "Nonsense=1"}),
              testing::RefusedWith("no pane shows the setting \"Nonsense\""));
}

}  // namespace
}  // namespace orval::cli

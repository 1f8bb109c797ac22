// `orval info` against the build tree's bundle.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "apps/orval/cli_test_support.h"
#include "panes/pane_plugin_mgr.h"

namespace orval::cli {
namespace {

using testing::runOrval;

TEST(InfoCommandTest, ShowsThePanelThePanesTheListsAndTheDefaults) {
  const testing::RunResult result = runOrval({"info", "--bundle", ORVAL_BUNDLE_DIR});
  ASSERT_EQ(result.status, 0) << result.err;
  // The panel's line is orval_cli_info's (CMakeLists.txt).
  EXPECT_NE(result.out.find("identifier com.quillant.p.orval.pde.r1_plugin.main"), std::string::npos);
  EXPECT_NE(result.out.find("Finishing+Punch: Punch (role Punch of Finishing.bundle)\n"
                            "    controls: Punch_PunchHoles\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("  StackerInfoList ("), std::string::npos);
  EXPECT_NE(result.out.find("Print server host: -"), std::string::npos);
  EXPECT_NE(result.out.find("  StapleMode = "), std::string::npos);
  // The session let the plug-in's shared manager go when it ended.
  EXPECT_EQ(PanePlugInMgr::sharedInstanceIfExists(), nullptr);
}

// Run as a program: its standard output holds the document and nothing else (the plug-in's own diagnostics on
// the standard output are kept out of it).
TEST(InfoCommandTest, JsonDocumentWithHostNameFromTheDeviceAddress) {
  const testing::RunResult result =
      testing::runShell(std::string(ORVAL_CLI_PATH) + " info --json --bundle " + ORVAL_BUNDLE_DIR +
                        " --device-uri 'ipp://[v1.fe80::1+en0]:631/printers/tz' 2>/dev/null");
  ASSERT_EQ(result.status, 0);
  const nlohmann::json info = nlohmann::json::parse(result.out);
  EXPECT_EQ(info["panel"],
            (nlohmann::json{{"name", "TZ Print Server"}, {"kind", "com.quillant.p.orval.pde.r1_plugin.main"}}));
  EXPECT_EQ(info["bundle"]["identifier"], "com.quillant.p.orval.pde.r1_plugin.main");
  EXPECT_EQ(info["bundle"]["version"], "1.0.0");
  EXPECT_EQ(info["deviceURI"], "ipp://[v1.fe80::1+en0]:631/printers/tz");
  EXPECT_EQ(info["hostName"], "fe80::1%en0");
  EXPECT_TRUE(info["printerDescription"]["product"].is_string());

  ASSERT_EQ(info["panes"].size(), 14u);
  std::map<std::string, nlohmann::json> panes;
  for (const auto& pane : info["panes"]) panes[pane["name"]] = pane;
  EXPECT_EQ(panes["Finishing+Staple"],
            nlohmann::json::parse(R"({"name": "Finishing+Staple", "bundle": "Finishing.bundle",
                                      "role": "Staple", "title": "Staple", "controls": ["StapleMode"]})"));
  EXPECT_TRUE(panes["Page"]["role"].is_null());
  // A control's children follow it.
  const auto& controls = panes["Page"]["controls"];
  const auto size = std::find(controls.begin(), controls.end(), "ChgPrintPaperSizeType");
  ASSERT_NE(size, controls.end());
  EXPECT_EQ(*(size + 1), "ChgPrintPaperSizeWidth");

  // A row for every list the panel asks for (the panel's tests see the bundle's description publish each).
  ASSERT_EQ(info["serverLists"].size(), 26u);
  EXPECT_EQ(info["serverLists"][0]["published"], true);
  EXPECT_GT(info["serverLists"][0]["entries"], 2);
  EXPECT_TRUE(info["defaults"].contains("MailAddress"));
}

TEST(InfoCommandTest, AnotherPrinterDescriptionIsReadWithItsListsAndAnUnreadableOneOrBundleFails) {
  const testing::RunResult plain = runOrval(
      {"info", "--bundle", ORVAL_BUNDLE_DIR, "--json", "--ppd",
       std::string(ORVAL_SOURCE_DIR) + "/src/platform/print/testdata/test_printer.ppd"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  const nlohmann::json info = nlohmann::json::parse(plain.out);
  EXPECT_NE(info["printerDescription"]["path"].get<std::string>().find("test_printer.ppd"), std::string::npos);
  for (const auto& list : info["serverLists"]) EXPECT_EQ(list["published"], false) << list["name"];

  const testing::RunResult result = runOrval({"info", "--bundle", ORVAL_BUNDLE_DIR, "--ppd", "/nonexistent/x.ppd"});
  EXPECT_THAT(result, testing::RefusedWith("x.ppd"));
  EXPECT_TRUE(result.out.empty());
  EXPECT_THAT(runOrval({"info", "--bundle", "/nonexistent/OrvalPDE.plugin"}),
              testing::RefusedWith("is not a plug-in bundle"));
}

}  // namespace
}  // namespace orval::cli

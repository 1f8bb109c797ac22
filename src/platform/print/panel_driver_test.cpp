#include "platform/print/panel_driver.h"

#include <gtest/gtest.h>

#include "platform/print/memory_print_host.h"
#include "platform/print/recording_plugin_test_support.h"

namespace orval {
namespace {

using testing::Journal;
using testing::RecordingPanel;
using testing::RecordingPlugIn;

class PanelDriverTest : public ::testing::Test {
 protected:
  std::unique_ptr<RecordingPlugIn> plugIn(std::vector<std::string> names) {
    return std::make_unique<RecordingPlugIn>(std::move(names), journal_);
  }
  void load(std::vector<std::string> names) {
    std::string error;
    ASSERT_TRUE(driver_.loadPlugIn(plugIn(std::move(names)), nullptr, &error)) << error;
    journal_->clear();
  }
  RecordingPanel& panel(std::size_t i) { return static_cast<RecordingPanel&>(*driver_.panels().at(i)); }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  MemoryPrintHost host_;
  PanelDriver driver_{host_};
};

TEST_F(PanelDriverTest, AsksThePlugInForThePrintDialogsPanelsWithTheHostsCallback) {
  std::string error;
  ASSERT_TRUE(driver_.loadPlugIn(plugIn({"Main", "Extra"}), nullptr, &error)) << error;
  EXPECT_EQ(*journal_, (Journal{"plugin.initWithBundle",
                                "plugin.PDEPanelsForType BDB091F4-E57F-11D3-B5CC-0050E4603277"}));
  ASSERT_EQ(driver_.panels().size(), 2u);
  EXPECT_EQ(panel(0).callback(), &host_);
  EXPECT_EQ(driver_.panelNamed("Extra"), &panel(1));
}

TEST_F(PanelDriverTest, AnythingThatMakesNoPanelIsRefused) {
  std::string error;
  auto refusing = plugIn({"Main"});
  refusing->acceptBundle = false;
  EXPECT_FALSE(driver_.loadPlugIn(std::move(refusing), nullptr, &error));
  EXPECT_NE(error.find("refused"), std::string::npos) << error;
  auto none = plugIn({"Main"});
  none->makePanels = false;
  EXPECT_FALSE(driver_.loadPlugIn(std::move(none), nullptr, &error));
  EXPECT_NE(error.find("no panel"), std::string::npos) << error;
  EXPECT_FALSE(driver_.loadPlugIn(plugIn({}), nullptr, &error));
  struct NotAPlugIn : BundlePrincipal {};
  EXPECT_FALSE(driver_.loadPlugIn(std::make_unique<NotAPlugIn>(), nullptr, &error));
  EXPECT_NE(error.find("not a print dialog plug-in"), std::string::npos) << error;
  // A folder that is no bundle: the bundle's own reason follows the driver's.
  EXPECT_FALSE(driver_.loadPlugIn(Bundle::bundleWithPath(ORVAL_SOURCE_DIR "/src/platform/print/testdata"), &error));
  EXPECT_NE(error.find("cannot load the plug-in"), std::string::npos) << error;
  EXPECT_TRUE(driver_.panels().empty());
}

TEST_F(PanelDriverTest, ShowingAsksTheShownPanelToHideAndGivesTheViewBeforeWillShow) {
  load({"Main", "Extra"});
  ASSERT_TRUE(driver_.show(panel(0)));
  EXPECT_TRUE(driver_.show(panel(0)));  // already shown: nothing more
  panel(0).allowHide = false;
  EXPECT_FALSE(driver_.show(panel(1)));
  panel(0).allowHide = true;
  ASSERT_TRUE(driver_.show(panel(1)));
  EXPECT_EQ(driver_.shownPanel(), &panel(1));
  EXPECT_EQ(*journal_, (Journal{"Main.panelView", "Main.willShow", "Main.shouldHide", "Main.shouldHide",
                                "Extra.panelView", "Extra.willShow"}));
  RecordingPanel stranger("Stranger", journal_, nullptr);
  EXPECT_FALSE(driver_.show(stranger));
}

TEST_F(PanelDriverTest, SaveRestoreChangesAndSummariesReachThePanels) {
  load({"Main", "Extra"});
  std::string error;
  EXPECT_TRUE(driver_.restoreValues(&error));
  panel(0).failure = "disk full";
  EXPECT_FALSE(driver_.saveValues(&error));
  EXPECT_EQ(error, "Main: disk full");
  panel(1).failure = "";
  EXPECT_FALSE(driver_.restoreValues(&error));
  EXPECT_EQ(error, "Main: disk full; Extra: failed");
  panel(0).supportedKeys = Array{"Duplex", "StapleMode"};
  driver_.PPDOptionKeyValueDidChange("Duplex", "DuplexTumble");
  driver_.PPDOptionKeyValueDidChange("PageSize", "A4");  // listed by no panel
  EXPECT_EQ(*journal_, (Journal{"Main.restore", "Extra.restore", "Main.save", "Extra.save", "Main.restore",
                                "Extra.restore", "Main.didChange Duplex=DuplexTumble"}));
  EXPECT_EQ(driver_.summaries(), (std::vector<std::pair<std::string, Dict>>{{"Main", Dict{{"Panel", "Main"}}},
                                                                            {"Extra", Dict{{"Panel", "Extra"}}}}));

  journal_->clear();
  driver_.unloadPlugIn();  // the panels go before the plug-in that made them
  EXPECT_EQ(*journal_, (Journal{"Main.released", "Extra.released", "plugin.released"}));
  EXPECT_EQ(driver_.shownPanel(), nullptr);
}

}  // namespace
}  // namespace orval

#include <gtest/gtest.h>

#include "panes/pane_plugin_mgr.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using panes_testing::eventCount;
using panes_testing::PanePlugInMgrTestBase;
using panes_testing::probe;
using panes_testing::TestPlugIn;

class PanePlugInLoadingTest : public PanePlugInMgrTestBase {
 protected:
  PanePlugInMgr& loadedManager() {
    plugIn_.registerBundle();
    PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
    EXPECT_TRUE(manager.loadPlugIns());
    return manager;
  }

  static std::vector<std::string> tableNames(const PanePlugInMgr& manager) {
    std::vector<std::string> names;
    for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) names.push_back(entry.name);
    return names;
  }

  static std::size_t controlsOf(PanePlugInMgr& manager, const std::string& keyword) {
    const std::vector<KORAUI*>* controls = manager.koraMgr().getControlsDictionary().find(keyword);
    return controls != nullptr ? controls->size() : 0;
  }

  TestPlugIn plugIn_;
};

TEST_F(PanePlugInLoadingTest, ABundleIsLoadedOncePerRoleAndAnUnnamedOneOnce) {
  PanePlugInMgr& manager = loadedManager();
  EXPECT_EQ(tableNames(manager), (std::vector<std::string>{"Extra", "Finishing+Staple", "Finishing+Punch", "Nested",
                                                           "Page", "Trays"}));

  PanePlugInInterface* staple = manager.paneControllerNamed("Finishing+Staple");
  PanePlugInInterface* punch = manager.paneControllerNamed("Finishing+Punch");
  EXPECT_NE(staple, punch);
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) {
    SCOPED_TRACE(entry.name);
    ASSERT_NE(probe(entry.paneConroller), nullptr);
    EXPECT_EQ(probe(entry.paneConroller)->initializedCallback(), &manager);
    EXPECT_EQ(eventCount(entry.paneConroller, "initializePanel"), 1);
  }
  EXPECT_EQ(manager.plugInTable()[1].bundle->bundlePath(), plugIn_.plugIns() / "Finishing.bundle");
  EXPECT_EQ(manager.paneControllerNamed("Finishing"), nullptr);
  EXPECT_EQ(manager.paneControllerNamed("Finishing+Skipped"), nullptr);
  EXPECT_EQ(controlsOf(manager, "StapleMode"), 2u);
  EXPECT_EQ(controlsOf(manager, "StapleCount"), 2u);
}

TEST_F(PanePlugInLoadingTest, PlugInsThatCannotServeAsPanesAreSkippedWithTheirControls) {
  PanePlugInMgr& manager = loadedManager();
  for (const char* name : {"Refusing", "Exploding", "NotAPane", "Missing"})
    EXPECT_EQ(manager.paneControllerNamed(name), nullptr) << name;
  EXPECT_EQ(controlsOf(manager, "RefusedKey"), 0u);
  EXPECT_FALSE(manager.defaultSettings().contains("RefusedKey"));
}

TEST_F(PanePlugInLoadingTest, LoadingAgainLoadsNoNameTwice) {
  PanePlugInMgr& manager = loadedManager();
  const std::vector<std::string> before = tableNames(manager);
  EXPECT_TRUE(manager.loadPlugIns());
  EXPECT_EQ(tableNames(manager), before);
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable())
    EXPECT_EQ(eventCount(entry.paneConroller, "initializePanel"), 1) << entry.name;
  EXPECT_EQ(controlsOf(manager, "PaperSize"), 1u);

  EXPECT_EQ(manager._loadPaneControllerWithName("Refusing"), nullptr);
}

TEST_F(PanePlugInLoadingTest, APaneIsLoadedByNameOnce) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  PanePlugInInterface* page = manager._loadPaneControllerWithName("Page");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(manager.paneControllerNamed("Page"), page);
  EXPECT_EQ(manager._loadPaneControllerWithName("Page"), nullptr);
  EXPECT_EQ(controlsOf(manager, "ColorModel"), 1u);
}

TEST_F(PanePlugInLoadingTest, WithoutAPanesTreeEveryBundleIsLoadedOnceAndTheTreeIsAskedForAgain) {
  const fs::path tree = plugIn_.resources() / "PanesTree.plist";
  const fs::path kept = plugIn_.path().parent_path() / "PanesTree.plist";
  fs::rename(tree, kept);
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  {
    LogCapture log;
    EXPECT_TRUE(manager.loadPlugIns());
    EXPECT_TRUE(log.contains("###Error: panesTreeDictionary does not loaded."));
  }
  EXPECT_EQ(tableNames(manager), (std::vector<std::string>{"Extra", "Finishing", "Nested", "Page", "Trays"}));
  {
    LogCapture log;
    EXPECT_EQ(manager.panesTreeDictionary(), nullptr);
    EXPECT_TRUE(log.contains("###Error: panesTreeDictionary does not loaded."));
  }
  fs::rename(kept, tree);
  const Dict* loaded = manager.panesTreeDictionary();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->get("itemName"), Value("All"));
}

TEST_F(PanePlugInLoadingTest, AnEmptyOrMissingPlugInFolderLoadsNothing) {
  fs::remove_all(plugIn_.plugIns());
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_FALSE(manager.loadPlugIns());
  fs::create_directory(plugIn_.plugIns());
  EXPECT_FALSE(manager.loadPlugIns());
  EXPECT_TRUE(manager.plugInTable().empty());
  EXPECT_TRUE(manager.defaultSettings().empty());
}

TEST_F(PanePlugInLoadingTest, EveryPaneIsToldItWillShowThenTheNetworkDataAreInitialized) {
  PanePlugInMgr& manager = loadedManager();
  EXPECT_FALSE(manager.isInitializedNetworkData());
  manager.willShowAllBundle();
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable())
    EXPECT_EQ(probe(entry.paneConroller)->events().back(), "willShow") << entry.name;
  EXPECT_TRUE(manager.isInitializedNetworkData());
}

TEST_F(PanePlugInLoadingTest, RestoringPutsTheValuesIntoTheEngineAndMakesEveryView) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const PrintOption options{{"PaperSize", Value("Letter")}, {"ColorModel", Value("Gray")}};
  EXPECT_TRUE(manager.restorePrintOptionValues(&options));  // nothing loaded yet: nothing to do

  ASSERT_TRUE(manager.loadPlugIns());
  EXPECT_TRUE(manager.restorePrintOptionValues(nullptr));
  EXPECT_EQ(manager.getStringValueFromKey("PaperSize"), "A4");

  EXPECT_TRUE(manager.restorePrintOptionValues(&options));
  EXPECT_EQ(manager.getStringValueFromKey("PaperSize"), "Letter");
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) {
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(eventCount(entry.paneConroller, "panelView"), 1);
    EXPECT_EQ(eventCount(entry.paneConroller, "writeAutomaticPapaerTraySelection"), entry.name == "Page" ? 1 : 0);
  }
}

TEST_F(PanePlugInLoadingTest, AnExceptionWhileRestoringStopsTheWalkAndIsShown) {
  plugIn_.makePaneThrow("Page", "writeAutomaticPapaerTraySelection");
  PanePlugInMgr& manager = loadedManager();
  auto person = std::make_shared<tk::ScriptedOperator>();
  person->answerAlert(0);
  tk::Application::shared().setOperator(person);

  const PrintOption options{{"PaperSize", Value("Letter")}};
  EXPECT_TRUE(manager.restorePrintOptionValues(&options));
  ASSERT_EQ(person->alertsShown().size(), 1u);
  EXPECT_EQ(person->alertsShown()[0].messageText, "Exception: fixture pane refuses writeAutomaticPapaerTraySelection");
  EXPECT_EQ(eventCount(manager.paneControllerNamed("Nested"), "panelView"), 1);
  EXPECT_EQ(eventCount(manager.paneControllerNamed("Page"), "panelView"), 0);
}

TEST_F(PanePlugInLoadingTest, AViewThatThrowsIsSwallowedAndAnswersNone) {
  plugIn_.makePaneThrow("Extra", "panelView");
  PanePlugInMgr& manager = loadedManager();
  LogCapture log;
  EXPECT_EQ(manager.safeInvokePanelViewFor(manager.paneControllerNamed("Extra")), nullptr);
  EXPECT_TRUE(log.contains("fixture pane refuses panelView"));
  EXPECT_NE(manager.safeInvokePanelViewFor(manager.paneControllerNamed("Page")), nullptr);
}

TEST_F(PanePlugInLoadingTest, ViewsAreMadeOnePerCallInTableOrder) {
  PanePlugInMgr& manager = loadedManager();
  const std::size_t count = manager.plugInTable().size();
  for (std::size_t made = 0; made < count; ++made) {
    for (std::size_t i = 0; i < count; ++i)
      EXPECT_EQ(eventCount(manager.plugInTable()[i].paneConroller, "panelView"), i < made ? 1 : 0);
    EXPECT_TRUE(manager.loadPanelView());
  }
  EXPECT_FALSE(manager.loadPanelView());
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable())
    EXPECT_EQ(eventCount(entry.paneConroller, "panelView"), 1) << entry.name;
}

}  // namespace
}  // namespace orval

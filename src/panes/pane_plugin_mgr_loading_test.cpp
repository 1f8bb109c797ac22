#include <gtest/gtest.h>

#include "panes/pane_plugin_mgr.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/scripted_operator.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using namespace panes_testing;

std::size_t controlsOf(PanePlugInMgr& manager, const std::string& keyword) {
  const std::vector<KORAUI*>* controls = manager.koraMgr().getControlsDictionary().find(keyword);
  return controls != nullptr ? controls->size() : 0;
}

TEST_F(PanePlugInMgrTest, ABundleIsLoadedOncePerRoleAnUnnamedOneOnceAndRefusedOnesWithoutTheirControls) {
  PanePlugInMgr& manager = plugIn_.manager();
  ASSERT_TRUE(manager.loadPlugIns());
  const std::vector<std::string> names{"Extra", "Finishing+Staple", "Finishing+Punch", "Nested", "Page", "Trays"};
  EXPECT_EQ(tableNames(manager), names);
  EXPECT_NE(manager.paneControllerNamed("Finishing+Staple"), manager.paneControllerNamed("Finishing+Punch"));
  EXPECT_EQ(controlsOf(manager, "StapleMode"), 2u);
  EXPECT_EQ(controlsOf(manager, "RefusedKey"), 0u);  // the Refusing pane's, gone with it

  // Loading again, or by name, loads no name twice.
  EXPECT_TRUE(manager.loadPlugIns());
  EXPECT_EQ(tableNames(manager), names);
  EXPECT_EQ(manager._loadPaneControllerWithName("Page"), nullptr);
  EXPECT_EQ(manager._loadPaneControllerWithName("Refusing"), nullptr);
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable())
    EXPECT_EQ(eventCount(entry.paneConroller, "initializePanel"), 1) << entry.name;

  manager.willShowAllBundle();
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable())
    EXPECT_EQ(eventCount(entry.paneConroller, "willShow"), 1) << entry.name;
}

TEST_F(PanePlugInMgrTest, WithoutAPanesTreeEveryBundleIsLoadedOnceAndTheTreeIsAskedForAgain) {
  const fs::path tree = plugIn_.resources() / "PanesTree.plist";
  const fs::path kept = plugIn_.path().parent_path() / "PanesTree.plist";
  fs::rename(tree, kept);
  PanePlugInMgr& manager = plugIn_.manager();
  LogCapture log;
  EXPECT_TRUE(manager.loadPlugIns());
  EXPECT_TRUE(log.contains("###Error: panesTreeDictionary does not loaded."));
  EXPECT_EQ(tableNames(manager), (std::vector<std::string>{"Extra", "Finishing", "Nested", "Page", "Trays"}));
  fs::rename(kept, tree);
  ASSERT_NE(manager.panesTreeDictionary(), nullptr);
  EXPECT_EQ(manager.panesTreeDictionary()->get("itemName"), Value("All"));

  fs::remove_all(plugIn_.plugIns());
  PanePlugInMgr::resetSharedInstanceForTesting();
  EXPECT_FALSE(plugIn_.manager().loadPlugIns());
  EXPECT_TRUE(PanePlugInMgr::sharedInstance().defaultSettings().empty());
}

TEST_F(PanePlugInMgrTest, RestoringPutsTheValuesIntoTheEngineAndMakesEveryViewOnce) {
  PanePlugInMgr& manager = plugIn_.manager();
  const PrintOption options{{"PaperSize", Value("Letter")}, {"ColorModel", Value("Gray")}};
  EXPECT_TRUE(manager.restorePrintOptionValues(&options));  // nothing loaded yet: nothing to do
  ASSERT_TRUE(manager.loadPlugIns());
  EXPECT_TRUE(manager.restorePrintOptionValues(nullptr));
  EXPECT_EQ(manager.getStringValueFromKey("PaperSize"), "A4");
  EXPECT_TRUE(manager.restorePrintOptionValues(&options));
  EXPECT_EQ(manager.getStringValueFromKey("PaperSize"), "Letter");
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) {
    EXPECT_EQ(eventCount(entry.paneConroller, "panelView"), 1) << entry.name;
    EXPECT_EQ(eventCount(entry.paneConroller, "writeAutomaticPapaerTraySelection"), entry.name == "Page" ? 1 : 0)
        << entry.name;
  }
}

TEST_F(PanePlugInMgrTest, ViewsAreMadeOnePerCallInTableOrder) {
  PanePlugInMgr& manager = plugIn_.manager();
  ASSERT_TRUE(manager.loadPlugIns());
  const std::size_t count = manager.plugInTable().size();
  for (std::size_t made = 0; made <= count; ++made) {
    for (std::size_t i = 0; i < count; ++i)
      EXPECT_EQ(eventCount(manager.plugInTable()[i].paneConroller, "panelView"), i < made ? 1 : 0);
    EXPECT_EQ(manager.loadPanelView(), made < count);
  }
}

TEST_F(PanePlugInMgrTest, AnExceptionWhileRestoringStopsTheWalkAndIsShownAndAViewThatThrowsAnswersNone) {
  plugIn_.makePaneThrow("Page", "writeAutomaticPapaerTraySelection");
  plugIn_.makePaneThrow("Extra", "panelView");
  PanePlugInMgr& manager = plugIn_.manager();
  ASSERT_TRUE(manager.loadPlugIns());
  auto person = std::make_shared<tk::ScriptedOperator>();
  person->answerAlert(0);
  tk::Application::shared().setOperator(person);
  LogCapture log;
  const PrintOption options{{"PaperSize", Value("Letter")}};
  EXPECT_TRUE(manager.restorePrintOptionValues(&options));
  ASSERT_EQ(person->alertsShown().size(), 1u);
  EXPECT_EQ(person->alertsShown()[0].messageText, "Exception: fixture pane refuses writeAutomaticPapaerTraySelection");
  EXPECT_EQ(eventCount(manager.paneControllerNamed("Nested"), "panelView"), 1);
  EXPECT_EQ(eventCount(manager.paneControllerNamed("Page"), "panelView"), 0);
  EXPECT_TRUE(log.contains("fixture pane refuses panelView"));
  EXPECT_EQ(manager.safeInvokePanelViewFor(manager.paneControllerNamed("Extra")), nullptr);
  EXPECT_NE(manager.safeInvokePanelViewFor(manager.paneControllerNamed("Page")), nullptr);
}

}  // namespace
}  // namespace orval

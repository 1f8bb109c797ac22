#include "detailed_settings/detailed_settings_win_controller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pane_state_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/toolkit.h"
#include "settings_ui/no_empty_text_field.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

// The window of the real bundle of the build tree, registered as the principal bundle.
class DetailedSettingsTest : public panes_testing::PanePlugInMgrTestBase {
 protected:
  void SetUp() override {
    reset();
    useBundle(ORVAL_BUNDLE_DIR);
    tk::Application::shared().setOperator(person);
  }
  void TearDown() override { reset(); }
  static void reset() {
    DetailedSettingsWinController::resetSharedInstanceForTesting();
    DataSource::resetForTesting();
    resetAll();
  }
  static void useBundle(const fs::path& path) {
    SetBSPrincipalBundle(Bundle::bundleWithPath(path));
    SetNSBundleForLocalizedString(Bundle::bundleWithPath(path));
  }
  // Registers a copy of the build tree's bundle with from replaced by to in one of its resources.
  void useCopyReplacing(const std::string& resource, const std::string& from, const std::string& to) {
    const fs::path copy = scratch.copy(ORVAL_BUNDLE_DIR, "OrvalPDE.plugin");
    scratch.replaceInFile("OrvalPDE.plugin/Contents/Resources/" + resource, from, to);
    useBundle(copy);
  }
  static std::vector<std::string> tabIdentifiers(const tk::TabView& tabs) {
    std::vector<std::string> ids;
    for (const tk::TabViewItem* item : tabs.tabViewItems()) ids.push_back(item->identifier().text());
    return ids;
  }

  const foundation_testing::TemporaryFolder scratch;  // removed once TearDown has let go of a copy in it
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
};

// Every pane's tab in the tree's order is the panes command's test (apps/orval), on this window.
TEST_F(DetailedSettingsTest, APaneIsATabAndTheViewStylesMoveTheTabsAndTheTree) {
  DetailedSettingsWinController& controller = DetailedSettingsWinController::sharedInstance();
  tk::Window* window = controller.window();
  ASSERT_NE(window, nullptr);
  tk::TabView& tabs = *controller.tabView();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const tk::TabViewItem& punch = *tabs.tabViewItemAtIndex(3);
  EXPECT_EQ(punch.view()->subviews().front(), manager.panelViewOfBundleName("Finishing+Punch"));

  EXPECT_TRUE(controller.outlineview()->clickRow(3));
  EXPECT_EQ(tabs.selectedTabViewItem(), &punch);
  // A renderer asks every shown row whether it expands, which builds the rows' children.
  tk::OutlineView& outline = *controller.outlineview();
  const auto askEveryRow = [&outline] {
    for (int row = 0; outline.itemAtRow(row) != nullptr; ++row) outline.isExpandable(outline.itemAtRow(row));
  };
  askEveryRow();
  auto* page = dynamic_cast<tk::TabView*>(manager.panelViewOfBundleName("Page"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->tabViewType(), tk::TabViewType::NoTabsNoBorder);  // the tree lists its tabs

  tk::Button& fake = window->contentView().add(std::make_unique<tk::Button>(tk::Rect{600, 600, 60, 20}));
  fake.setAction("clickedFakeTabButton:", nullptr);
  tk::View* styleGroup = tk::viewWithIdentifier(*window, "viewStyleGroup");
  // The tree, the tabs' place and kind, the Page pane's own tabs, the fake tab button, the other views' place.
  const auto layout = [&] {
    return std::tuple(controller.treeContainer()->isHidden(), tabs.frame().x, tabs.tabViewType(), page->tabViewType(),
                      fake.isHidden(), styleGroup->frame().x);
  };
  const tk::TabViewType top = tk::TabViewType::TopTabsBezelBorder, none = tk::TabViewType::NoTabsNoBorder;
  controller.viewStyle()->selectItemWithTag(DetailedSettingsWinController::kTabStyle);
  controller.setupViewStylePopupButton(controller.viewStyle());
  EXPECT_EQ(layout(), std::tuple(true, 0.0, top, top, false, 187.0));
  outline.expandItem(outline.itemAtRow(0));
  askEveryRow();  // builds the Page pane's nested tab views' rows while tabs are shown
  const std::vector<tk::TabView*> nestedInPage = page->descendantsOfType<tk::TabView>();
  ASSERT_FALSE(nestedInPage.empty());
  for (const tk::TabView* nested : nestedInPage) EXPECT_EQ(nested->tabViewType(), top);
  controller.viewStyle()->selectItemWithTag(DetailedSettingsWinController::kTreeStyle);
  controller.setupViewStylePopupButton(controller.viewStyle());
  EXPECT_EQ(layout(), std::tuple(false, 200.0, none, none, true, 0.0));

  NoEmptyTextField& required = window->contentView().add(std::make_unique<NoEmptyTextField>());
  tk::TextField& plain = window->contentView().add(std::make_unique<tk::TextField>());
  plain.setCustomFieldEditor(std::make_unique<tk::FieldEditor>());
  EXPECT_EQ(controller.fieldEditorForField(*window, required), required.fieldEditor());
  EXPECT_EQ(controller.fieldEditorForField(*window, plain), &window->fieldEditor());
}

TEST_F(DetailedSettingsTest, AnInconsistentSetKeepsTheWindowOpenAndReformattingLaysASetOverThePanes) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  DetailedSettingsWinController& controller = DetailedSettingsWinController::sharedInstance();
  ASSERT_NE(controller.window(), nullptr);
  const PrintOption defaults = manager.defaultSettings();  // taken once the panes are loaded, as the panel does
  PrintOption options = defaults;
  // An inconsistent set keeps the window open (the panel's tests apply consistent ones); Cancel keeps the set.
  person->act([&manager](tk::Window& window) {
          manager.setStringValue(std::string("Appoint"), "PhysicalPageRangeMode");
          tk::clickButton(window, "Apply");  // "Setting" in English
        })
      .answerAlert(0)
      .act([](tk::Window& window) { tk::clickButton(window, "Cancel"); });
  EXPECT_EQ(controller.showAsModalDialog(options), 0);
  EXPECT_EQ(options, defaults);

  manager.setStringValue(std::string("DuplexTumble"), "DuplexMode");
  PrintOption partial{{"DuplexMode", "None"}, {"NotAPaneKey", "kept"}};
  controller.reformatPrintOption(partial);
  EXPECT_EQ((std::vector{partial.get("DuplexMode"), partial.get("NotAPaneKey"), partial.get("QZMediaType")}),
            (std::vector{Value("None"), Value("kept"), defaults.get("QZMediaType")}));
  tk::Button dummy;
  controller.clickedRevertToDefault(dummy);
  EXPECT_EQ(manager.getStringValueFromKey("DuplexMode"), "None");
}

TEST_F(DetailedSettingsTest, PanesThatCannotBeBuiltAreLeftOutAndTheWindowStillOpens) {
  // A role the Finishing pane's layout lacks: that role's pane alone is not built.
  useCopyReplacing("PanesTree.plist", "Finishing+Staple", "Finishing+Stitch");

  LogCapture log;
  DetailedSettingsWinController& controller = DetailedSettingsWinController::sharedInstance();
  ASSERT_NE(controller.window(), nullptr);
  EXPECT_EQ(tabIdentifiers(*controller.tabView()),
            (std::vector<std::string>{"Page", "Layout", "Finishing+Punch", "Finishing+Fold", "Finishing+Crease",
                                      "Finishing+Trim", "Output", "Sheets", "Color", "Stamps", "Security",
                                      "Notification", "Advanced"}));
  EXPECT_TRUE(log.contains("###Error: pane plug-in Finishing+Stitch: ")) << "the bad role is named";
  EXPECT_TRUE(log.contains("the panes tree names the pane Finishing+Stitch, which is not loaded"));
}

TEST_F(DetailedSettingsTest, AWindowThatFailsItsSetUpIsNotKeptHalfBuilt) {
  useCopyReplacing("DetailedSettings.plist", "<string>tabView</string>", "<string>tabViews</string>");

  DetailedSettingsWinController& controller = DetailedSettingsWinController::sharedInstance();
  person->answerAlert(0).answerAlert(0);
  // Every opening reports the damage again instead of handing out a window whose buttons do nothing.
  EXPECT_THROW(controller.window(), PlatformException);
  EXPECT_THROW(controller.window(), PlatformException);
  EXPECT_EQ(person->alertsShown().size(), 2u);
}

}  // namespace
}  // namespace orval

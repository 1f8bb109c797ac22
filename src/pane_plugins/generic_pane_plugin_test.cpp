#include "pane_plugins/generic_pane_plugin.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pane_state_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/toolkit.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

using foundation_testing::ScopedEnvironment;

std::vector<std::string> mainKeywords(const std::vector<KORAUI*>& controls) {
  std::vector<std::string> keys;
  for (const KORAUI* control : controls) keys.push_back(control->mainKeyword());
  return keys;
}

// The pane runs in this process against the real bundle of the build tree,
// registered as the principal bundle, as panel creation registers it.
class GenericPanePlugInTest : public panes_testing::PanePlugInMgrTestBase {
 protected:
  void SetUp() override {
    PanePlugInMgrTestBase::SetUp();
    mainBundle = Bundle::bundleWithPath(ORVAL_BUNDLE_DIR);
    ASSERT_TRUE(mainBundle);
    SetBSPrincipalBundle(mainBundle);
    SetNSBundleForLocalizedString(mainBundle);
  }
  void TearDown() override {
    PanePlugInMgrTestBase::TearDown();
    panes.clear();
  }

  std::shared_ptr<Bundle> paneBundle(const std::string& name) {
    return Bundle::bundleWithPath(fs::path(ORVAL_BUNDLE_DIR) / "Contents/PlugIns" / (name + ".bundle"));
  }
  static std::shared_ptr<Bundle> fixtureBundle(const std::string& name) {
    return Bundle::bundleWithPath(fs::path(ORVAL_SOURCE_DIR) / "src/pane_plugins/testdata" / (name + ".bundle"));
  }
  GenericPanePlugIn& makePane() {
    panes.push_back(std::make_unique<GenericPanePlugIn>());
    return *panes.back();
  }

  std::shared_ptr<Bundle> mainBundle;
  std::vector<std::unique_ptr<GenericPanePlugIn>> panes;
};

// The view tree of every tab, each view inside its holder and below the one before it.
void expectStackedInside(const tk::View& content, double top) {
  double previousBottom = top;
  for (const tk::View* view : content.subviews()) {
    EXPECT_LE(view->frame().maxY(), previousBottom) << view->identifier() << " overlaps the view above";
    EXPECT_GE(view->frame().y, 0) << view->identifier() << " lies below its tab";
    previousBottom = view->frame().y;
    if (const auto* tabs = dynamic_cast<const tk::TabView*>(view))
      for (const tk::TabViewItem* item : tabs->tabViewItems())
        expectStackedInside(*item->view(), item->view()->frame().height - GenericPanePlugIn::kTabRowHeight);
  }
}

TEST_F(GenericPanePlugInTest, ControlsAreStackedTopDownInsideTheirTabAndNamesAreLocalized) {
  GenericPanePlugIn& pane = makePane();
  ASSERT_TRUE(pane.initializePanel(paneBundle("Page"), PanePlugInMgr::sharedInstance()));
  ASSERT_NE(pane.panelView(), nullptr);
  EXPECT_EQ(pane.panelView()->frame().width, GenericPanePlugIn::kPaneWidth);
  for (tk::TabViewItem* item : pane.tabView()->tabViewItems()) {
    expectStackedInside(*item->view(), item->view()->frame().height);
    for (const tk::View* control : item->view()->subviews()) {
      EXPECT_GT(control->frame().height, 0) << control->identifier();
      for (const tk::View* widget : control->subviews()) EXPECT_GE(widget->frame().y, 0) << control->identifier();
    }
  }
  // Pane and tab names follow the preferred language.
  ScopedEnvironment language("LANGUAGE", "ja");
  GenericPanePlugIn& japanese = makePane();
  ASSERT_TRUE(japanese.initializePanel(paneBundle("Page"), PanePlugInMgr::sharedInstance()));
  EXPECT_EQ(japanese.panelName(), "用紙");
  EXPECT_EQ(japanese.tabView()->tabViewItemAtIndex(1)->label(), "印刷");
}

TEST_F(GenericPanePlugInTest, NestedTabsAndClassicControlsStandInsideTheirTabs) {
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  GenericPanePlugIn& pane = makePane();
  ASSERT_TRUE(pane.initializePanel(fixtureBundle("Classic"), manager));
  EXPECT_EQ(mainKeywords(pane.getListKORAUI().value()), (std::vector<std::string>{"PagePrintOnCenter", "Fold"}));
  tk::View& main = *pane.tabView()->tabViewItemAtIndex(0)->view();
  expectStackedInside(main, main.frame().height - GenericPanePlugIn::kTabRowHeight);
  auto* nested = dynamic_cast<tk::TabView*>(main.subviews().back());
  ASSERT_NE(nested, nullptr);
  EXPECT_EQ(nested->tabViewItemAtIndex(1)->identifier(), Value("TabNotSupport"));

  auto* profiles = dynamic_cast<tk::PopUpButton*>(main.subviews()[1]);
  ASSERT_NE(profiles, nullptr);
  EXPECT_EQ(profiles->itemTitles(), (std::vector<std::string>{"Profile No.1", "Profile No.2", "Profile No.3"}));
  auto* model = dynamic_cast<tk::PopUpButton*>(main.subviews()[2]);
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(manager.getValueFromControl(model), Value(manager.ppdInformation()->optionKeywords("ColorModel")->front()));

  tk::View* inner = nested->tabViewItemAtIndex(1)->view()->subviews().back();
  auto* flat = dynamic_cast<tk::TabView*>(inner);
  ASSERT_NE(flat, nullptr);
  auto* centre = dynamic_cast<tk::Button*>(flat->tabViewItemAtIndex(0)->view()->findSubview(
      [](const tk::View& v) { return v.identifier() == "PagePrintOnCenter"; }));
  ASSERT_NE(centre, nullptr);
  EXPECT_EQ(centre->title(), "Centre the page");
  manager.setStringValue(std::string("True"), "PagePrintOnCenter");
  pane.panelView();
  EXPECT_EQ(centre->state(), tk::ControlState::On);
  EXPECT_TRUE(centre->performClick());
  EXPECT_EQ(manager.getStringValueFromKey("PagePrintOnCenter"), "False");

  auto* secret = dynamic_cast<tk::SecureTextField*>(flat->tabViewItemAtIndex(0)->view()->subviews().back());
  ASSERT_NE(secret, nullptr);
  secret->setStringValue("pin");
  secret->sendAction();
  EXPECT_EQ(manager.getStringValueFromKey("LocalSecret"), std::nullopt);
}

TEST_F(GenericPanePlugInTest, AControlWithoutDescriptionIsLeftOutAndAPaneWithoutLayoutRefused) {
  LogCapture log;
  GenericPanePlugIn& pane = makePane();
  ASSERT_TRUE(pane.initializePanel(fixtureBundle("Unknown"), PanePlugInMgr::sharedInstance()));
  EXPECT_EQ(mainKeywords(pane.getListKORAUI().value()), std::vector<std::string>{"Fold"});

  PanePlugInMgr::resetSharedInstanceForTesting();
  EXPECT_FALSE(makePane().initializePanel(fixtureBundle("NoLayout"), PanePlugInMgr::sharedInstance()));
  EXPECT_TRUE(log.contains("has no PaneLayout.plist"));
  EXPECT_TRUE(PanePlugInMgr::sharedInstance().koraMgr().getControlsDictionary().empty());
  EXPECT_FALSE(makePane().initializePanel(nullptr, PanePlugInMgr::sharedInstance()));
}

}  // namespace
}  // namespace orval

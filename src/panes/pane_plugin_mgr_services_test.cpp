#include <gtest/gtest.h>

#include <cstdint>

#include "conversion/field_scrambler.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/toolkit.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_test_support.h"
#include "settings_ui/max_bytes_formatter.h"
#include "settings_ui/ui_description.h"

namespace orval {
namespace {

using panes_testing::PanePlugInMgrTest;
using Items = std::vector<std::pair<std::string, std::string>>;

Items itemsOf(const tk::PopUpButton& popup) {
  Items items;
  for (const tk::MenuItem* item : popup.itemArray())
    items.emplace_back(PanePlugInMgr::representedObjectOfMenuItem(item, "optionKeyword").text(), item->title());
  return items;
}

// (An empty pop-up numbered by the pattern and its localized title: the generic pane's profile pop-up.)
TEST_F(PanePlugInMgrTest, NumberedProfileItemsFollowTheLastItemOrThePattern) {
  PanePlugInMgr& mgr = plugIn_.manager();
  const std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(plugIn_.path());
  tk::PopUpButton numbered, plain, renamed, many;
  PanePlugInMgr::addMenuItem(&numbered, "OutputProfile", "Profile 3", "Profile3");
  mgr._addProfileItem("OutputProfile", &numbered, 5, "Profile%d", bundle);
  EXPECT_EQ(itemsOf(numbered),
            (Items{{"Profile3", "Profile 3"}, {"Profile4", "Profile 4"}, {"Profile5", "Profile 5"}}));
  PanePlugInMgr::addMenuItem(&plain, "K", "Automatic", "Auto");
  mgr._addProfileItem("K", &plain, 1, "P%d", bundle);
  EXPECT_EQ(itemsOf(plain).back(), (std::pair<std::string, std::string>{"1", "1"}));
  PanePlugInMgr::addMenuItem(&renamed, "K", "Third", "Slot3");
  mgr._addProfileItem("K", &renamed, 4, "Slot%d", bundle);
  EXPECT_EQ(itemsOf(renamed).back(), (std::pair<std::string, std::string>{"Slot4", "4"}));
  LogCapture log;
  mgr._addProfileItem("K", &many, 1'000'000'000, "P%d", bundle);
  EXPECT_EQ(many.numberOfItems(), 1000);
  EXPECT_TRUE(log.contains("asks for 1000000000 profile items"));
  mgr._addProfileItem("K", nullptr, 3, "P%d", bundle);
  // Numbers at the top of the range: nothing past the largest, and no overflow on the way.
  tk::PopUpButton huge, top;
  PanePlugInMgr::addMenuItem(&huge, "K", "P", "P99999999999999999999");
  mgr._addProfileItem("K", &huge, 5, "P%d", bundle);
  EXPECT_EQ(huge.numberOfItems(), 1);
  PanePlugInMgr::addMenuItem(&top, "K", "P", "P9223372036854775806");
  mgr._addProfileItem("K", &top, INT64_MAX, "P%d", bundle);
  EXPECT_EQ(itemsOf(top), (Items{{"P9223372036854775806", "P"}, {"P9223372036854775807", "9223372036854775807"}}));
}

TEST_F(PanePlugInMgrTest, ControlsAreBoundByTheirToolTipsAndFoundOutsideTabs) {
  PanePlugInMgr& mgr = plugIn_.manager();
  const Dict* descriptions = mgr.controlDictionary();
  ASSERT_NE(descriptions, nullptr);
  tk::View pane;
  std::vector<KORAUI*> controls;
  using Tip = std::optional<std::string>;
  for (const Tip& tip : {Tip(), Tip("(null)"), Tip(""), Tip("PaperSize")}) {
    controls.push_back(&pane.add(std::make_unique<KORAUI>(tk::Rect{0, 0, 300, 60})));
    controls.back()->setToolTip(tip);
  }
  KORAUIControlTable bound;
  EXPECT_TRUE(mgr.setupKORAUIControls(&controls, descriptions, &bound, nullptr));
  EXPECT_EQ(bound, (KORAUIControlTable{{"PaperSize", controls[3]}, {"", controls[2]}}));
  EXPECT_EQ(controls[3]->mainKeyword(), "PaperSize");
  EXPECT_NE(controls[3]->popupButton(), nullptr);
  EXPECT_TRUE(controls[0]->controlDictionary().empty());
  EXPECT_FALSE(mgr.setupKORAUIControls(nullptr, descriptions, &bound, nullptr));
  EXPECT_FALSE(mgr.setupKORAUIControls(&controls, descriptions, nullptr, nullptr));

  tk::View root;
  root.add(std::make_unique<KORAUI>()).setMainKeyword("Top");
  tk::TabView& tabs = root.add(std::make_unique<tk::TabView>());
  auto tab = std::make_unique<tk::TabViewItem>(Value("t"));
  tab->view()->add(std::make_unique<KORAUI>()).setMainKeyword("InTab");
  tabs.addTabViewItem(std::move(tab));
  root.add(std::make_unique<tk::View>()).add(std::make_unique<KORAUI>()).setMainKeyword("Boxed");
  const std::vector<KORAUI*> found = PanePlugInMgr::getKORAUIControls(&root);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(PanePlugInMgr::getKORAUIOneControl(found, "InTab"), found[1]);
  EXPECT_EQ(PanePlugInMgr::getKORAUIOneControl(found, "Boxed"), nullptr);
}

TEST_F(PanePlugInMgrTest, ClassicControlsReadAndWriteTheirChoices) {
  PanePlugInMgr& mgr = plugIn_.manager();
  tk::Slider slider;
  slider.setMaxValue(2);
  slider.setRepresentedObject(Value(Dict{{"optionKeywords", Array{Value("A"), Value("B"), Value("C")}}}));
  EXPECT_EQ(mgr.getValueFromControl(&slider), Value("C"));  // position 0 reads the last choice
  mgr._setValueToControl(&slider, Value("A"));
  mgr._setValueToControl(&slider, Value("D"));
  EXPECT_EQ(slider.intValue(), 2);

  tk::Button box({}, tk::ButtonType::Switch);
  box.setRepresentedObject(Value(Dict{{"optionKeywords", Array{Value("Off"), Value("On")}}}));
  box.setState(tk::ControlState::On);  // (its reading: the generic pane's check box)
  mgr._setValueToControl(&box, Value("Maybe"));
  EXPECT_EQ(box.state(), tk::ControlState::Off);
  mgr._setValueToControl(&box, Value("On"));
  mgr._setValueToControl(&box, Value("Off"));  // the first choice is off, though it is a choice
  EXPECT_EQ(box.state(), tk::ControlState::Off);
  tk::Button bare({}, tk::ButtonType::Switch);
  EXPECT_EQ(mgr.getValueFromControl(&bare), Value(false));
  mgr._setValueToControl(&bare, Value("true"));
  EXPECT_EQ(bare.state(), tk::ControlState::On);

  tk::PopUpButton popup;
  PanePlugInMgr::addMenuItem(&popup, "Staple", "No", "False");
  PanePlugInMgr::addMenuItem(&popup, "Staple", "Yes", "True");
  mgr._setValueToControl(&popup, Value(true));  // a non-string value is written as text
  mgr._setValueToControl(&popup, Value("Sometimes"));
  EXPECT_EQ(mgr.getValueFromControl(&popup), Value("True"));

  tk::PopUpButton model;
  PanePlugInMgr::addMenuItem(&model, "ColorModel", "stale", "stale");
  tk::TextField title;
  EXPECT_TRUE(mgr._buildControl(&model, "ColorModel", &title));
  EXPECT_EQ(itemsOf(model), (Items{{"CMYK1", "CMYK"}, {"CMYK2", "CMYK (High Quality)"}, {"Gray", "Gray"}}));
  EXPECT_EQ(title.stringValue(), "Color Model:");
  EXPECT_FALSE(mgr._buildControl(&model, "NoSuchOption", &title));

  tk::SecureTextField secret, other;
  secret.setStringValue("s3cret");
  const Value scrambled = mgr.getValueFromControl(&secret);
  EXPECT_EQ(decryptString(kFieldScramblerKey, scrambled.text()), "s3cret");
  mgr._setValueToControl(&other, scrambled);
  EXPECT_EQ(other.stringValue(), "s3cret");
  tk::TextField escaped;
  MaxBytesFormatterWithEscape::setMaxBytesFormatter(&escaped, 64)->replace("\\", "\\\\");
  mgr._setValueToControl(&escaped, Value("a\\\\b"));  // stored escaped, not escaped again
  EXPECT_EQ(escaped.objectValue().text() + " " + escaped.stringValue(), "a\\\\b a\\b");

  tk::Matrix radios({}, 3, 1);
  for (int row = 0; row < 3; ++row) radios.cellAtRow(row, 0)->setRepresentedObject(Value(std::string(1, 'x' + row)));
  mgr._setValueToControl(&radios, Value("z"));
  EXPECT_EQ(radios.selectedRow(), 2);
  EXPECT_EQ(mgr.getValueFromControl(&radios), Value("z"));
}

// (A pane's role and panel names: the generic pane's, Detailed Settings' and the `orval` commands' tests.)
TEST_F(PanePlugInMgrTest, PanesAreFoundByNameServedAsLoadedAndRebuiltFromTheTree) {
  PanePlugInMgr& mgr = plugIn_.manager();
  EXPECT_THROW(mgr.updateEnabledStates(std::nullopt, false, false, false), PlatformException);
  ASSERT_TRUE(mgr.loadPlugIns());
  EXPECT_EQ(panes_testing::eventCount(mgr.paneControllerNamed("Trays"), "panelView"), 0);
  EXPECT_EQ(mgr.paneControllerOfBundleName("Trays"), mgr.paneControllerNamed("Trays"));
  EXPECT_EQ(panes_testing::eventCount(mgr.paneControllerNamed("Trays"), "panelView"), 1);
  mgr._setProfilePath(std::string("/nowhere/profile.txt"));
  EXPECT_EQ(mgr.dictionaryOfCurrentProfile(), std::nullopt);
  mgr.updateProfileByBundleName("Absent", std::string("/elsewhere"));
  EXPECT_EQ(mgr.currentProfilePath(), "/nowhere/profile.txt");
  EXPECT_EQ(mgr.gatherPrintOptionValues(std::nullopt, false, false, false)->get("PaperSize"), Value("A4"));
  EXPECT_EQ(mgr.gatherPrintOptionValues(std::nullopt, false, false, true), std::nullopt);

  // Rebuilding reloads the tree and reopens the printer description that is open.
  ASSERT_NE(mgr.ppdInformation(), nullptr);
  const PrintOption before = mgr.defaultSettings();
  plugIn_.edit("PanesTree.plist", "Finishing+Punch", "Finishing+Fold");
  LogCapture log;
  EXPECT_FALSE(mgr.rebuildPanes(Value(), std::string("Absent.ppd")));
  EXPECT_NE(mgr.paneControllerNamed("Finishing+Fold"), nullptr);
  EXPECT_NE(mgr.ppdInformation(), nullptr);  // it stays
  EXPECT_TRUE(log.contains("cannot open the printer description Absent.ppd"));
  EXPECT_TRUE(mgr.rebuildPanes(Value(), std::string("Test.ppd")));
  EXPECT_EQ(mgr.defaultSettings(), before);
}

TEST_F(PanePlugInMgrTest, ADelayedActionRunsOnceOnTheNextModalTurnWhileItsControlLives) {
  tk::RunLoop& loop = tk::Application::shared().runLoop();
  int sent = 0;
  auto button = std::make_unique<tk::Button>();
  button->setAction("go:", [&sent](tk::Control&) { ++sent; });
  PanePlugInMgr::delayedAction(button.get());
  EXPECT_EQ(loop.runPendingTurns(tk::RunLoopMode::Default), 0);
  EXPECT_EQ(loop.runPendingTurns(tk::RunLoopMode::ModalPanel), 1);
  EXPECT_EQ(loop.runPendingTurns(tk::RunLoopMode::ModalPanel), 0);
  EXPECT_EQ(sent, 1);
  PanePlugInMgr::delayedAction(button.get());
  button.reset();
  loop.runPendingTurns(tk::RunLoopMode::ModalPanel);
  EXPECT_EQ(sent, 1);
}

class ScriptedPane : public PanePlugInInterface {
 public:
  bool initializePanel(std::shared_ptr<Bundle>, PanePlugInMgr&) override { return true; }
  std::string panelName() override { return "Scripted"; }
  tk::View* panelView() override { return nullptr; }
  std::optional<std::vector<KORAUI*>> getListKORAUI() override {
    if (throws) throw PlatformException("NSGenericException", "no controls today");
    return controls;
  }
  std::vector<KORAUI*> controls;
  bool throws = false;
};

// (A pane's profile items are added as it is built: the generic pane's tests see them.)
TEST_F(PanePlugInMgrTest, BuildingAPaneRegistersAndAnnouncesEachControl) {
  PanePlugInMgr& mgr = plugIn_.manager();
  ScriptedPane pane;
  tk::View view;
  for (const char* key : {"PaperSize", "StapleMode"}) {
    KORAUI& control = view.add(std::make_unique<KORAUI>(tk::Rect{0, 0, 300, 60}));
    control.setControlDictionary(*controlDescriptionNamed(*mgr.controlDictionary(), key), BSPrincipalBundle());
    control.updateControl();
    pane.controls.push_back(&control);
  }
  const kora_ui_testing::NotificationRecorder recorder;
  mgr.buildPaneUi(&pane, nullptr);
  const std::vector<std::string> posted = recorder.names();
  // Each control is announced, then each of its children, in order.
  const auto paper = std::find(posted.begin(), posted.end(), "PaperSize");
  const auto staple = std::find(paper, posted.end(), "StapleMode");
  EXPECT_NE(std::find(staple, posted.end(), "StapleCount"), posted.end());

  ScriptedPane failing;
  failing.throws = true;
  LogCapture log;
  mgr.buildPaneUi(&failing, nullptr);
  EXPECT_TRUE(log.contains("no controls today"));
  mgr.buildPaneUi(nullptr, nullptr);
}

}  // namespace
}  // namespace orval

// The automatic and bypass tray dialogs, built from the shipped window description and a fixture UI
// description, opened and closed by a scripted person.
#include "panes/pde_automatic_paper_tray_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/principal_bundle.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/toolkit.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
namespace keys = tray_selection_keys;
using Strings = std::vector<std::string>;
using Dialog = PdeAutomaticPaperTraySelection;

const fs::path kSource(ORVAL_SOURCE_DIR);

class TrayDialogTest : public panes_testing::PanePlugInMgrTestBase {
 protected:
  void SetUp() override {
    PanePlugInMgrTestBase::SetUp();
    folder = std::make_unique<foundation_testing::TemporaryFolder>();
    tk::Application::shared().setOperator(script);
  }

  fs::path resources() const { return folder->path() / "Trays.plugin/Contents/Resources"; }

  void makeBundle(const Strings& without = {}) {
    fs::create_directories(resources());
    ASSERT_TRUE(writePlistFile(folder->path() / "Trays.plugin/Contents/Info.plist",
                               Dict{{"CFBundleName", "Trays"}, {"QZPOD", "TrayUI"}}));
    std::optional<Dict> ui = dictFromFile(kSource / "src/panes/testdata/trays/TrayUI.plist");
    ASSERT_TRUE(ui);
    for (const std::string& name : without) ui->remove(name);
    ASSERT_TRUE(writePlistFile(resources() / "TrayUI.plist", Value(*ui)));
    fs::copy_file(kSource / "resources/AutomaticPaperTraySelection.plist",
                  resources() / "AutomaticPaperTraySelection.plist");
    fs::copy(kSource / "resources/en.lproj", resources() / "en.lproj", fs::copy_options::recursive);
    fs::copy_file(PANES_ENCRYPTION_LIBRARY, resources() / "libencryption.so");
    bundle = Bundle::bundleWithPath(folder->path() / "Trays.plugin");
    SetBSPrincipalBundle(bundle);
  }

  PanePlugInMgr& manager() { return PanePlugInMgr::sharedInstance(); }

  std::unique_ptr<Dialog> dialog(bool bypass) {
    auto made = std::make_unique<Dialog>();
    EXPECT_TRUE(made->initializePanel(bundle, bypass, manager()));
    made->registerControls(manager());
    return made;
  }

  static KORAUI* control(const Dialog& dialog, std::string_view name) {
    for (const auto& [key, control] : dialog.getListKORAUI())
      if (key == name) return control;
    return nullptr;
  }

  std::unique_ptr<foundation_testing::TemporaryFolder> folder;
  std::shared_ptr<Bundle> bundle;
  std::shared_ptr<tk::ScriptedOperator> script = std::make_shared<tk::ScriptedOperator>();
};

// Everything each dialog can build, in build order.
const Strings kAutomatic{"PaperType_MediaTypeTabbed", "PaperTypeCustomName", "MediaTypeSequence", "PaperColor",
                         "PaperColorCustomName", "MediaTypeWeightValue", "MediaTypeCoatingMaterial",
                         "MediaTypeDrilled", "MediaTypeGlossFine", "MediaTypePreprinted"};
const Strings kBypass{std::string(keys::kPaperTypeBypass), "MediaTypeSequenceBypass", "PaperColorBypass",
                      "MediaTypeWeightBypass"};

Strings minus(const Strings& all, const Strings& without) {
  Strings out;
  for (const std::string& name : all)
    if (std::find(without.begin(), without.end(), name) == without.end()) out.push_back(name);
  return out;
}

TEST_F(TrayDialogTest, BuildsTheControlsItsDescriptionHasAndNarrowsWithoutMediaAttributes) {
  const Strings fivePartForms{std::string(keys::kPaperType), "MediaTypeSequence", "PaperColor", "MediaTypeWeight"};
  const struct {
    bool bypass;
    Strings without;
    Strings built;  // empty: all of the dialog's controls but those without
    double width, separatorWidth;
  } rows[] = {
      {false, {}, {}, 640, 608},
      {false, minus(kAutomatic, {"MediaTypeSequence", "PaperColor"}), fivePartForms, 352, 320},
      {false, {"MediaTypeCoatingMaterial", "MediaTypeDrilled", "MediaTypePreprinted"}, {}, 640, 608},  // gloss keeps it
      {true, {}, {}, 352, 320},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.without));
    TearDown();
    SetUp();
    makeBundle(row.without);
    std::unique_ptr<Dialog> made = dialog(row.bypass);
    const Strings built = row.built.empty() ? minus(row.bypass ? kBypass : kAutomatic, row.without) : row.built;
    Strings names;
    for (const auto& [key, control] : made->getListKORAUI()) names.push_back(key);
    EXPECT_EQ(names, built);
    ASSERT_NE(made->window(), nullptr);
    EXPECT_EQ(made->window()->frame().width, row.width);
    EXPECT_EQ(made->separator()->frame().width, row.separatorWidth);
    EXPECT_EQ(made->window()->title(), row.bypass ? "Bypass Tray Settings" : "Automatic Tray Selection");
    EXPECT_EQ(manager().koraMgr().getAllValueDictionary().keys(), built);
  }
}

TEST_F(TrayDialogTest, MissingOrDamagedResourcesGiveAnHonestDialog) {
  makeBundle();
  fs::remove(resources() / "TrayUI.plist");
  std::unique_ptr<Dialog> bare = dialog(false);
  EXPECT_TRUE(bare->getListKORAUI().empty());
  EXPECT_TRUE(bare->getTextFieldStringDictionary().empty());

  const struct {
    const char* name;
    const char* content;  // nullptr: no window description at all
    const char* reason;
  } rows[] = {
      {"missing", nullptr, "the bundle has no such resource"},
      {"not a property list", "<plist><dict>", "AutomaticPaperTraySelection not loaded: "},
      {"no close button",
       "<plist version=\"1.0\"><dict><key>frame</key><array><integer>0</integer><integer>0</integer>"
       "<integer>10</integer><integer>10</integer></array></dict></plist>",
       "not loaded: no close button"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove(resources() / "AutomaticPaperTraySelection.plist");
    if (row.content != nullptr) std::ofstream(resources() / "AutomaticPaperTraySelection.plist") << row.content;
    LogCapture log;
    Dialog broken;
    EXPECT_FALSE(broken.initializePanel(bundle, false, manager()));
    EXPECT_TRUE(log.contains(row.reason)) << (log.lines().empty() ? "" : log.lines().back());
    EXPECT_TRUE(broken.getListKORAUI().empty());
    broken.modalWindow(this, [] {});  // no window, no run: the script has no step for one
    broken.setPaperTypeCustomList(Array{Array{"Custom", "Custom1"}});
    broken.clickButtonClose();
  }
}

// (That opening follows the paper type, tab paper enabling the sequence: the job command's tray tests.)
TEST_F(TrayDialogTest, OpeningFollowsThePaperColour) {
  makeBundle();
  std::unique_ptr<Dialog> automatic = dialog(false);
  KORAUI* customColor = control(*automatic, keys::kPaperColorCustomName);
  for (const std::string colour : {"StockCustom", "White", "Ivory"}) {
    SCOPED_TRACE(colour);
    manager().setStringValue(colour, std::string(keys::kPaperColor));
    bool customEnabled = false;
    script->act([&](tk::Window& window) {
      customEnabled = customColor->isEnabled();
      tk::clickButton(window, "Close");
    });
    int ended = 0;
    automatic->modalWindow(this, [&] { ++ended; });
    EXPECT_EQ(customEnabled, colour == "StockCustom");
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(automatic->window()->isVisible());
  }
}

TEST_F(TrayDialogTest, ClosingCommitsTheTypingBeforeTheParentReadsTheValues) {
  makeBundle();
  std::unique_ptr<Dialog> automatic = dialog(false);
  tk::TextField* field = control(*automatic, keys::kMediaTypeSequence)->text();
  manager().setStringValue("Plain_True", std::string(keys::kPaperTypeTabbed));  // tab paper: a sequence to type
  script->act([&](tk::Window& window) {
    ASSERT_TRUE(field->selectText());
    ASSERT_TRUE(field->currentEditor()->typeText("12"));
    tk::clickButton(window, "Close");
  });
  Dict texts;
  std::optional<std::string> engineValue;
  bool stillEditing = true;
  automatic->modalWindow(this, [&] {
    stillEditing = field->currentEditor() != nullptr;
    texts = automatic->getTextFieldStringDictionary();
    engineValue = manager().getStringValueFromKey(std::string(keys::kMediaTypeSequence));
  });
  EXPECT_FALSE(stillEditing);
  EXPECT_EQ(engineValue, "12");
  EXPECT_EQ(texts, (Dict{{"PaperTypeCustomName", ""}, {"MediaTypeSequence", "12"}, {"PaperColorCustomName", ""},
                         {"MediaTypeWeightValue", "80"}}));

  std::unique_ptr<Dialog> bypass = dialog(true);
  script->act([](tk::Window& window) { tk::clickButton(window, "Close"); });
  bool called = false;
  bypass->modalWindow(nullptr, [&] { called = true; });
  EXPECT_FALSE(called);
  EXPECT_EQ(bypass->getTextFieldStringDictionary(), (Dict{{"MediaTypeSequenceBypass", "1"}}));

  tk::Window outer;
  script->act([&](tk::Window&) { automatic->clickButtonClose(); });
  script->act([](tk::Window& window) { tk::endModalWindow(window, tk::ModalResponse::OK); });
  EXPECT_EQ(tk::Application::shared().runModalForWindow(outer), tk::ModalResponse::OK);
}

TEST_F(TrayDialogTest, CustomPaperTypesJoinThePaperTypeChoicesKeepingTheValue) {
  makeBundle();
  const Value custom(Array{Array{"Coated Gloss 128", "Custom1"}, Array{"Coated Matte 157", "Custom2"},
                           Array{"Recycled 70", "Custom3"}});
  // A pane's control of the same keyword, registered first, is the one the engine reads.
  std::unique_ptr<Dialog> pane = dialog(false);
  std::unique_ptr<Dialog> automatic = dialog(false);
  KORAUI* paperType = control(*automatic, keys::kPaperTypeTabbed);
  const Strings withCustom{"Plain", "Coated", "Tab Paper", "Coated Gloss 128", "Coated Matte 157", "Recycled 70"};

  manager().setStringValue("Coated_False", std::string(keys::kPaperTypeTabbed));
  automatic->setPaperTypeCustomList(custom);
  automatic->setPaperTypeCustomList(custom, &manager().koraMgr());  // a second list replaces the first
  EXPECT_EQ(paperType->popupButton()->itemTitles(), withCustom);
  EXPECT_EQ(control(*pane, keys::kPaperTypeTabbed)->popupButton()->itemTitles(), withCustom);
  EXPECT_EQ(paperType->getStringValue(), "Coated_False");
  automatic->setPaperTypeCustomList(Array{});
  automatic->setPaperTypeCustomList(Value("junk"));
  EXPECT_EQ(paperType->popupButton()->itemTitles(), withCustom);
  ASSERT_TRUE(paperType->popupButton()->selectItemWithTitle("Coated Gloss 128"));
  paperType->popupButtonAction(*paperType->popupButton());
  EXPECT_EQ(manager().getStringValueFromKey(std::string(keys::kPaperTypeTabbed)), "Custom1");

  std::unique_ptr<Dialog> bypass = dialog(true);
  KORAUI* bypassType = control(*bypass, keys::kPaperTypeBypass);
  manager().setStringValue("Custom3", std::string(keys::kPaperTypeBypass));
  ASSERT_EQ(bypassType->getUnsportValue(), "Custom3");
  bypass->setPaperTypeCustomList(custom);
  EXPECT_EQ(bypassType->popupButton()->titleOfSelectedItem(), "Recycled 70");
  EXPECT_FALSE(bypassType->getUnsportValue());
  EXPECT_EQ(manager().getStringValueFromKey(std::string(keys::kPaperTypeBypass)), "Custom3");
}

}  // namespace
}  // namespace orval

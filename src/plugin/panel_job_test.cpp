// The panel doing its job as a print dialog drives it: the settings go into
// the job (marked choices and escaped private entries), through a ticket
// file, and come back; the main pane and the panes share their settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "panel/print_settings_ticket.h"
#include "panes/pde_automatic_paper_tray_selection.h"
#include "plugin/plugin_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/toolkit.h"
#include "settings_ui/ui_description.h"
#include "settings_ui/kora_mgr.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using plugin_testing::PlugInTest;

// The texts a value may hold that the job's store must carry exactly.
const std::vector<std::string> kAwkwardTexts = {"100%", "it's", "a,b", "%x2C", "日本語", "", "%x25%x2C,'%"};

class PanelJobTest : public PlugInTest {
 protected:
  void SetUp() override {
    PlugInTest::SetUp();
    panel = openDialog();
    ASSERT_NE(panel, nullptr);
  }
  // The panel of bundle in fresh process state, restored from the job and shown, with a person answering.
  WexoPDEByCocoa* openDialog(const std::optional<fs::path>& ticket = std::nullopt,
                             const fs::path& bundle = plugin_testing::bundlePath()) {
    host.reset();
    resetProcessState();
    WexoPDEByCocoa* opened = loadPanel(std::nullopt, {}, bundle);
    if (opened == nullptr) return nullptr;
    if (ticket) { EXPECT_EQ(host->loadTicketFile(*ticket), TicketFile::Status::Loaded); }
    tk::Application::shared().setOperator(person);
    EXPECT_TRUE(host->panels().restoreValues());
    EXPECT_TRUE(host->panels().show(*opened));
    return opened;
  }
  // Runs the detailed-settings window, where change() is made before "Apply" ("Setting" in English).
  void applyInDetailedSettings(std::function<void()> change) {
    person->act([change](tk::Window& window) {
      change();
      tk::clickButton(window, "Apply");
    });
    ASSERT_EQ(panel->clickedShowDetailedSettingsButton(), 1);
  }
  // Picks another colour mode on the main pane, as a person does; answers the mode picked.
  Value pickAnotherColourMode() {
    tk::PopUpButton* popup = panel->shortcutControl("ColorMode")->popupButton();
    const int other = popup->indexOfSelectedItem() == 0 ? 1 : 0;
    popup->selectItemAtIndex(other);
    popup->sendAction();
    return popup->itemAtIndex(other)->representedObject();
  }

  // The panel of the build tree's bundle, opened for every test.
  WexoPDEByCocoa* panel = nullptr;
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
  fs::path ticket = fs::path(::testing::TempDir()) / ("panel_job_" + std::to_string(::getpid()) + ".ticket");
};

TEST_F(PanelJobTest, EveryOptionComesBackThroughATicketFile) {
  PanePlugInMgr& manager = *panel->panePlugInMgr();
  const std::optional<Dict> ui = loadUIDescription(panel->plugInBundle().get());
  std::vector<std::string> texts;  // the keys of the plain text controls
  for (const auto& [key, value] : *panel->defaultPrintOption()) {
    const Dict* description = ui ? controlDescriptionNamed(*ui, key) : nullptr;
    if (description != nullptr && description->get("control_type").text() == "TextField_text") texts.push_back(key);
  }
  ASSERT_GE(texts.size(), 10u);
  const auto awkward = [](std::size_t i) { return kAwkwardTexts[i % kAwkwardTexts.size()]; };
  applyInDetailedSettings([&] {
    for (std::size_t i = 0; i < texts.size(); ++i) manager.setStringValue(awkward(i), texts[i]);
  });
  ASSERT_TRUE(host->panels().saveValues());
  const PrintOption saved = *panel->printOption();
  std::size_t taken = 0;  // a few fields fill themselves in when left empty
  for (std::size_t i = 0; i < texts.size(); ++i) taken += saved.get(texts[i]).text() == awkward(i);
  EXPECT_GE(taken + 3, texts.size());
  ASSERT_TRUE(host->saveTicketFile(ticket));

  // A fresh dialog on the ticket file gives back every option.
  panel = openDialog(ticket);
  ASSERT_NE(panel, nullptr);
  // (Copies and collate are the dialog's own settings: they come back through its controls.)
  for (const auto& [key, value] : saved)
    if (key != "NumCopies" && key != "Collate") {
      EXPECT_EQ(panel->printOption()->get(key).text(), value.text()) << key;
    }
  EXPECT_EQ(panel->printOption()->size() + 2, saved.size());
  fs::remove(ticket);
}

TEST_F(PanelJobTest, ACustomValueIsAPrivateEntryWithTheDefaultMarked) {
  const std::string byDefault = panel->defaultPrintOption()->get("StapleMode").text();
  const std::string other = otherChoice("StapleMode", byDefault);
  PpdFile ppd(host->ppdFile());

  host->printSettings()->setValue(privateEntryKey("StapleMode"), Value("stale"));
  panel->_setValueToPpdDictionary(nullptr, nullptr, "StapleMode", other);
  EXPECT_EQ(host->printSettings()->value(privateEntryKey("StapleMode")), nullptr);  // a choice removes an older entry
  EXPECT_EQ(ppd.findMarkedChoice("StapleMode")->text(), other);
  panel->_setValueToPpdDictionary(nullptr, nullptr, "StapleMode", "Custom,1");
  EXPECT_EQ(host->printSettings()->value(privateEntryKey("StapleMode"))->text(), "Custom%x2C1");
  EXPECT_EQ(ppd.findMarkedChoice("StapleMode")->text(), byDefault);
  // A pane plug-in that drops the option while gathering takes its entry out of the job.
  panel->removedObjectByGatheringPrintOption("StapleMode");
  EXPECT_EQ(host->printSettings()->value(privateEntryKey("StapleMode")), nullptr);

  // An entry that was not escaped is reported and leaves the option's default.
  host->printSettings()->setValue(privateEntryKey("WaterMarkName"), Value("a,b"));
  LogCapture log;
  EXPECT_TRUE(host->panels().restoreValues());
  EXPECT_EQ(panel->printOption()->get("WaterMarkName"), panel->defaultPrintOption()->get("WaterMarkName"));
  EXPECT_TRUE(log.contains("WaterMarkName"));
}

TEST_F(PanelJobTest, TheMainPaneAndThePanesShareTheirSettings) {
  PanePlugInMgr& manager = *panel->panePlugInMgr();
  for (const std::string& key : WexoPDEByCocoa::shortcutKeys()) {
    KORAUI* control = panel->shortcutControl(key);
    ASSERT_NE(control, nullptr) << key;
    EXPECT_TRUE(control->isDescendantOf(*panel->panelView())) << key;
    const std::vector<KORAUI*>* registered = manager.koraMgr().getControlsDictionary().find(key);
    ASSERT_NE(registered, nullptr) << key;
    EXPECT_NE(std::find(registered->begin(), registered->end(), control), registered->end()) << key;
  }

  // A person picks a colour mode on the main pane (a registered control: the engine shows it on the panes): a
  // choice another panel made before stays the job's.
  const std::string quality = otherChoice("ImageQuality", panel->printOption()->get("ImageQuality").text());
  ASSERT_TRUE(host->changePPDOption("ImageQuality", quality));
  KORAUI* colour = panel->shortcutControl("ColorMode");
  const std::string before = colour->getStringValue().value();
  pickAnotherColourMode();
  EXPECT_EQ(panel->printOption()->get("ImageQuality").text(), quality);
  EXPECT_EQ(manager.getStringValueFromKey("ImageQuality"), quality);

  // A change made in the detailed-settings window shows on the main pane, and Apply stores the job at
  // once: the choice is marked and the paper source reaches the dialog's settings.
  const std::string slot = otherChoice("QZInputSlot", panel->printOption()->get("QZInputSlot").text());
  applyInDetailedSettings([&] {
    manager.setStringValue(before, "ColorMode");
    manager.setStringValue(slot, "QZInputSlot");
  });
  EXPECT_EQ(colour->getStringValue(), before);
  EXPECT_EQ(PpdFile(host->ppdFile()).findMarkedChoice("ColorMode")->text(), before);
  EXPECT_EQ(host->printSettings()->value("QZInputSlot")->text(), slot);
}

// Types text into the control's field and ends the editing with Return, as a person does.
void typeInto(KORAUI& control, const std::string& text) {
  tk::TextField* field = control.text();
  ASSERT_TRUE(field != nullptr && field->window()->makeFirstResponder(field)) << control.mainKeyword();
  field->currentEditor()->selectAll();
  ASSERT_TRUE(field->currentEditor()->typeText(text)) << control.mainKeyword();
  field->currentEditor()->insertNewline();
  field->window()->makeFirstResponder(nullptr);
}

class TrayDialogTest : public PanelJobTest {
 protected:
  // Opens the automatic tray dialog with its button, types each text into its field and closes it,
  // answering the engine's question, if one is expected, with the button of that index.
  void typeInTrayDialog(const std::vector<std::pair<std::string, std::string>>& texts,
                        std::optional<std::size_t> answer = std::nullopt) {
    PdeAutomaticPaperTraySelection& dialog = *panel->automaticPaperTraySelection();
    person->act([&dialog, texts](tk::Window&) {
      for (const auto& typed : texts) {
        const auto& controls = dialog.getListKORAUI();
        const auto found =
            std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.first == typed.first; });
        ASSERT_NE(found, controls.end()) << typed.first;
        typeInto(*found->second, typed.second);
      }
      dialog.closeButton()->performClick();
    });
    if (answer) person->answerAlert(*answer);
    ASSERT_TRUE(panel->automaticPaperTraySelectionButton()->performClick());
  }
  std::string held(const std::string& key) const { return panel->printOption()->get(key).text(); }
};

// The tray dialog shares the sequence and weight keys with Detailed Settings fields, through
// which the engine reads them: what was typed in the dialog is still the job's after a later
// change on the main pane (`orval trays`' tests save and restore what was typed).
TEST_F(TrayDialogTest, NumbersTypedInTheDialogAreTheJobsAndStay) {
  panel->panePlugInMgr()->setStringValue("Plain_True", "PaperType_MediaTypeTabbed");  // tab paper: a sequence
  typeInTrayDialog({{"MediaTypeSequence", "2"}, {"MediaTypeWeightValue", "90"}});
  pickAnotherColourMode();
  EXPECT_EQ(held("MediaTypeSequence") + " " + held("MediaTypeWeightValue"), "2 90");
}

// A weight typed in the dialog meets the engine's tables as one typed in Detailed Settings does,
// and a name changed in Detailed Settings is the one the job keeps, not the dialog's older one.
TEST_F(TrayDialogTest, TextsMeetTheEnginesTablesAndDetailedSettingsChangesReachTheDialog) {
  PanePlugInMgr& manager = *panel->panePlugInMgr();
  manager.setStringValue("Bifold", "Fold");
  typeInTrayDialog({{"MediaTypeWeightValue", "230"}}, 0);  // folding needs paper of 220 g/m² or less: refused
  EXPECT_EQ(held("MediaTypeWeightValue") + " " + held("Fold"), "80 Bifold");
  EXPECT_EQ(person->remainingSteps(), 0u);

  manager.setStringValue("Alpha", "PaperTypeCustomName");
  applyInDetailedSettings([&] {
    manager.koraMgr().getControlsDictionary().find("PaperTypeCustomName")->front()->setStringValue("Beta");
  });
  ASSERT_TRUE(host->panels().saveValues());
  EXPECT_EQ(held("PaperTypeCustomName"), "Beta");
}

TEST_F(PanelJobTest, ADetailedSettingsWindowThatCannotBeSetUpLeavesThePanelListening) {
  const foundation_testing::TemporaryFolder folder;
  const fs::path copy = folder.copy(plugin_testing::bundlePath(), "OrvalPDE.plugin");
  folder.replaceInFile("OrvalPDE.plugin/Contents/Resources/DetailedSettings.plist", "<string>tabView</string>",
                       "<string>tabViews</string>");
  panel = openDialog(std::nullopt, copy);
  ASSERT_NE(panel, nullptr);

  person->answerAlert(0);
  EXPECT_THROW(panel->clickedShowDetailedSettingsButton(), PlatformException);
  // The main pane's changes still reach the job's settings.
  EXPECT_EQ(panel->printOption()->get("ColorMode"), pickAnotherColourMode());
  EXPECT_EQ(person->remainingSteps(), 0u);
}

TEST_F(PanelJobTest, TheMainPaneShowsTheJobNameHidesTheFavoritesAndBridgesTheDialogsControls) {
  // The name set shows at once, an empty one as "Auto" (the job command's tests run the job name button).
  panel->setJobName("Input", "Flyer, v2");
  EXPECT_EQ(panel->jobNameLabel()->stringValue(), "Flyer, v2");
  panel->setJobName("Input", "");
  EXPECT_EQ(panel->jobNameLabel()->stringValue(), "Auto");

  // The favorites row takes no room.
  const tk::View* save = tk::viewWithIdentifier(host->panels().window(), "_saveFavoriteButton");
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->isHidden());
  EXPECT_EQ(save->superview()->frame().height, save->frame().y);

  // Pushed values reach the dialog's copies field; a set without "PagePrintOnCenter" turns it off.
  PrintOption options = *panel->printOption();
  options.set("NumCopies", Value("4"));
  options.set("PagePrintOnCenter", Value(true));
  panel->_restoreValuesToPane(options);
  EXPECT_EQ(panel->shortcutControl("PagePrintOnCenter")->getStringValue(), "True");
  options.remove("PagePrintOnCenter");
  panel->_restoreValuesToPane(options);
  EXPECT_EQ(panel->shortcutControl("PagePrintOnCenter")->getStringValue(), "False");
  EXPECT_EQ(host->printSettings()->copies(), 4);

  // A pop-up of the printer description's choices.
  tk::PopUpButton popup;
  tk::TextField title;
  ASSERT_TRUE(panel->_buildPopupByPpd(&popup, &title, "StapleMode"));
  EXPECT_EQ(title.stringValue().back(), ':');
  EXPECT_EQ(panel->_restoreValueToControl(&popup, "StapleMode", Dict{{"StapleMode", "TopLeftCorner"}}), 0);
  EXPECT_EQ(popup.selectedItem()->representedObject(), Value("TopLeftCorner"));
  EXPECT_EQ(panel->_restoreValueToControl(&popup, "StapleMode", Dict{{"StapleMode", "Bogus"}}), -30870);
}

}  // namespace
}  // namespace orval

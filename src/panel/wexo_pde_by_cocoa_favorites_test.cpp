// The favorites row of the panel loaded from the real bundle, worked as a person would.
#include <gtest/gtest.h>

#include "conversion/field_scrambler.h"
#include "favorite_dialogs/favorite_dialogs_test_support.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/print/memory_print_host.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/pop_up_button.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

class PanelFavoritesTest : public FavoriteDialogsTest {
 protected:
  void TearDown() override {
    host.reset();  // the panel first: it refers to the shared manager
    FavoriteDialogsTest::TearDown();
  }
  // The bundle's panel in a new host, restored from ticket (when given) and shown.
  WexoPDEByCocoa& open(const std::optional<fs::path>& ticket = std::nullopt) {
    host.reset();
    host = std::make_unique<MemoryPrintHost>("tz");
    EXPECT_TRUE(host->openPrinterDescription(fs::path(ORVAL_BUNDLE_DIR) / "Contents/Resources/TZPrintServer.ppd"));
    EXPECT_TRUE(host->panels().loadPlugIn(Bundle::bundleWithPath(ORVAL_BUNDLE_DIR)));
    if (ticket) {
      EXPECT_EQ(host->loadTicketFile(*ticket), TicketFile::Status::Loaded);
    }
    auto* panel = dynamic_cast<WexoPDEByCocoa*>(host->panels().panels().front().get());
    EXPECT_TRUE(host->panels().restoreValues());
    EXPECT_TRUE(host->panels().show(*panel));
    return *panel;
  }
  // The person picks value in the main pane's pop-up of key.
  static void pick(WexoPDEByCocoa& panel, const std::string& key, const std::string& value) {
    tk::PopUpButton* popup = panel.shortcutControl(key)->popupButton();
    popup->selectItemAtIndex(popup->indexOfItemWithRepresentedObject(Value(value)));
    popup->sendAction();
  }
  static std::string value(WexoPDEByCocoa& panel, const std::string& key) {
    return panel.printOption()->get(key).text();
  }
  static std::vector<std::string> titles(WexoPDEByCocoa& panel) {
    std::vector<std::string> shown = panel.favoritePopUp()->itemTitles();
    shown.insert(shown.begin(), panel.favoritePopUp()->titleOfSelectedItem() + " <-");
    return shown;
  }
  // The person chooses the pop-up's item titled title.
  static void choose(WexoPDEByCocoa& panel, const std::string& title) {
    panel.favoritePopUp()->selectItemWithTitle(title);
    panel.selectFavorite(panel.favoritePopUp());
  }

  std::unique_ptr<MemoryPrintHost> host;
};

TEST_F(PanelFavoritesTest, SaveChangeApplyDeleteAndImportAFavorite) {
  WexoPDEByCocoa& panel = open();
  pick(panel, "StapleMode", "TopLeftCorner");
  // The default favorite is compared with the defaults: a change away from them is marked too.
  EXPECT_EQ(titles(panel), (std::vector<std::string>{"Modified: Default Settings <-", "Modified: Default Settings",
                                                     "Default Settings"}));
  person->act([&](tk::Window& window) {
    EXPECT_EQ(SaveFavoriteWindowController::sharedInstance().name(), "");  // the default favorite's name is not offered
    EXPECT_TRUE(type(tk::viewWithIdentifier<tk::TextField>(window, "favoriteName"), "proof"));
    tk::clickButton(window, "Save");
  });
  ASSERT_EQ(panel.clickedSaveFavoriteButton(), 1);
  EXPECT_EQ(titles(panel), (std::vector<std::string>{"proof <-", "Default Settings", "", "proof"}));
  EXPECT_TRUE(panel.deleteFavoriteButton()->isEnabled());

  // One marker above its favorite, however many changes; gone when the values come back.
  const std::string color = value(panel, "ColorMode");
  pick(panel, "StapleMode", "BottomRightCorner");
  pick(panel, "ColorMode", color == "Grayscale" ? "Color" : "Grayscale");
  EXPECT_EQ(titles(panel),
            (std::vector<std::string>{"Modified: proof <-", "Default Settings", "", "Modified: proof", "proof"}));
  EXPECT_FALSE(panel.deleteFavoriteButton()->isEnabled());
  pick(panel, "ColorMode", color);
  choose(panel, "Modified: proof");  // choosing the marker itself changes nothing
  EXPECT_EQ(value(panel, "StapleMode"), "BottomRightCorner");
  EXPECT_FALSE(panel.deleteFavoriteButton()->isEnabled());
  pick(panel, "StapleMode", "TopLeftCorner");
  EXPECT_EQ(titles(panel), (std::vector<std::string>{"proof <-", "Default Settings", "", "proof"}));

  // Delete (into the trash: `orval favorites`' tests look there), then import through the favorite manager.
  person->answerAlert("Yes");
  ASSERT_TRUE(panel.clickedDeleteFavoriteButton());
  EXPECT_EQ(person->alertsShown().back().informativeText, "Do you want to delete the selected favorite?");
  EXPECT_EQ(titles(panel), (std::vector<std::string>{"Default Settings <-", "Default Settings"}));
  const fs::path exported =
      favorite("exported", "", PrintOption{{"StapleMode", "TopLeftCorner"}}, favorites.parent_path());
  person->act([](tk::Window& window) { tk::clickButton(window, "Import"); })
      .chooseFile(exported.string())
      .act([](tk::Window& window) { tk::clickButton(window, "OK"); });
  EXPECT_EQ(panel.clickedBrowseFavoriteButton(), 1);
  EXPECT_EQ(panel.favoritePopUp()->itemTitles(), (std::vector<std::string>{"Default Settings", "", "exported"}));
  EXPECT_EQ(person->remainingSteps(), 0u);
}

// A job's text that reads as the same number as the favorite's ("2024.10" and "2024.1") does not
// mark the job as changed, and stays as the person wrote it when the favorite is reflected.
TEST_F(PanelFavoritesTest, AJobTextThatReadsAsTheFavoritesNumberStaysAsWritten) {
  WexoPDEByCocoa& panel = open();
  PanePlugInMgr& manager = *panel.panePlugInMgr();
  const auto folderInDetailedSettings = [&](const std::string& folder) {
    person->act([&](tk::Window& window) {
      manager.setStringValue("True", "StoreInJobFolder");
      manager.setStringValue(folder, "JobFolderName");
      tk::clickButton(window, "Apply");
    });
    ASSERT_EQ(panel.clickedShowDetailedSettingsButton(), 1);
  };
  folderInDetailedSettings("2024.1");
  person->act([&](tk::Window& window) {
    EXPECT_TRUE(type(tk::viewWithIdentifier<tk::TextField>(window, "favoriteName"), "monthly"));
    tk::clickButton(window, "Save");
  });
  ASSERT_EQ(panel.clickedSaveFavoriteButton(), 1);
  folderInDetailedSettings("2024.10");
  EXPECT_EQ(value(panel, "JobFolderName"), "2024.10");
  EXPECT_EQ(manager.getStringValueFromKey("JobFolderName"), "2024.10");
  EXPECT_EQ(titles(panel).front(), "monthly <-");
}

// A favorite saved under another login is the job's when chosen: with the login as the job's
// owner, the owner stored in the favorite (its saver's login) is not a difference.
TEST_F(PanelFavoritesTest, TheOwnerAFavoriteWasSavedWithIsNoDifferenceWhileTheLoginIsTheOwner) {
  favorite("bob", "", PrintOption{{"AuthJobUserId", "bob"}});
  WexoPDEByCocoa& panel = open();
  choose(panel, "bob");
  ASSERT_TRUE(host->panels().saveValues());  // the job's owner is now this process's login
  ASSERT_TRUE(host->panels().restoreValues());
  EXPECT_EQ(titles(panel).front(), "bob <-");
  PrintOption byName = *panel.printOption();
  byName.set("AuthJobUserIdType", "Name");
  byName.set("AuthJobUserId", "alice");
  EXPECT_TRUE(panel._isDifferFromCurrentFavorite(&byName));  // an owner given by name is compared
}

// The copies typed stay through the favorite manager; a favorite without collate leaves the dialog's.
TEST_F(PanelFavoritesTest, TheDialogsCopiesAndCollateOutlastTheFavoriteManagerAndAFavoriteWithoutThem) {
  WexoPDEByCocoa& panel = open();
  panel.clickedRevertToDefaultSettings();  // gathers copies = 1 and collate on into the job's settings
  panel.setCopies("5");
  person->act([](tk::Window& window) { tk::clickButton(window, "OK"); });
  EXPECT_EQ(panel.clickedBrowseFavoriteButton(), 1);  // unchanged default favorite: applied again
  EXPECT_EQ(panel.getCopies(), "5");
  EXPECT_EQ(value(panel, "NumCopies"), "5");
  panel.setCollate(false);
  choose(panel, "Default Settings");
  EXPECT_EQ(panel.getCollate(), "False");
  EXPECT_EQ(person->remainingSteps(), 0u);
}

TEST(FavoriteDifferenceTest, ValuesAgreeAsNumbersAndPasswordsAsClearText) {
  const auto scrambled = [](const char* clear, unsigned seed) {
    char out[64];
    EXPECT_TRUE(Encryption(kFieldScramblerKey, clear, out, seed));
    return std::string(out);
  };
  struct Row {
    std::string key, mine, theirs;
    bool same;
  };
  for (const Row& row : std::vector<Row>{{"MailAddress", "5mm", "5", false},
                                         {"MailAddress", scrambled("a", 1), scrambled("a", 2), false},
                                         {"QZFormPassword", scrambled("secret", 1), scrambled("secret", 2), true},
                                         {"QZSecurityPassword", scrambled("secret", 1), scrambled("other", 1), false}})
    EXPECT_EQ(WexoPDEByCocoa::_isSameFavoriteValue(row.key, row.mine, row.theirs), row.same)
        << row.key << " " << row.mine;
}

}  // namespace
}  // namespace orval

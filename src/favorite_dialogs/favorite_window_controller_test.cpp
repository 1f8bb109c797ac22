// The favorite manager driven as a person would (bad files and OK are worked by `orval favorites`).
#include "favorite_dialogs/favorite_window_controller.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/message_format.h"
#include "favorite_dialogs/favorite_dialogs_test_support.h"
#include "platform/toolkit/event.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

class FavoriteWindowTest : public FavoriteDialogsTest {
 protected:
  void SetUp() override {
    FavoriteDialogsTest::SetUp();
    PanePlugInMgr::sharedInstance().loadPlugIns();
    a = favorite("a", "first", {{"DuplexMode", "DuplexTumble"}});
    b = favorite("b", "second", {{"DuplexMode", "None"}});
  }
  FavoriteWindowController& manager() { return FavoriteWindowController::sharedInstance(); }
  tk::TableView& list() { return *manager().favoriteListView(); }
  std::vector<std::string> names() {
    std::vector<std::string> shown;
    for (int row = 0; row < list().numberOfRows(); ++row) shown.push_back(list().objectValueAt("name", row).text());
    return shown;
  }
  fs::path a, b;
};

// The last favorite's name is one the rules refuse now (given under another system encoding: 30 bytes
// in UTF-8, 20 in CP932): while it is not edited, it holds the person neither in its row nor in the manager.
TEST_F(FavoriteWindowTest, ThePseudoRowsHeadTheListOnlyFavoritesTakeEditsAndUneditedNamesAreNotChecked) {
  std::string name;
  for (int i = 0; i < 10; ++i) name += "\xE3\x81\x8B";
  favorite(name, "", {{"DuplexMode", "None"}});
  person->act([&](tk::Window& window) {
    EXPECT_EQ(names(), (std::vector<std::string>{"<Current Settings>", "Default Settings", "a", "b", name}));
    const auto editable = [&] {
      return manager().nameEditField()->isEnabled() &&
             tk::viewWithIdentifier<tk::Control>(window, "deleteButton")->isEnabled() &&
             tk::viewWithIdentifier<tk::Control>(window, "exportButton")->isEnabled();
    };
    // Row 0 shows the settings handed in, laid over the defaults; only favorites can be edited.
    EXPECT_EQ(manager().dataSource().currentPrintOption()->get("DuplexMode"), Value("DuplexTumble"));
    for (const auto& [row, canEdit] : {std::pair{0, false}, std::pair{1, false}, std::pair{2, true}}) {
      EXPECT_TRUE(row == 0 || list().clickRow(row));
      EXPECT_EQ(editable(), canEdit) << row;
    }
    EXPECT_EQ(manager().commentEditField()->stringValue(), "first");
    EXPECT_EQ(manager().iconOfRow(2).name(), manager().iconOfRow(0).name());  // kept in the home folder
    // The fixed rows never take an edit, whatever the fields hold.
    EXPECT_TRUE(list().clickRow(1));
    manager().nameEditField()->setStringValue("x/y");
    EXPECT_TRUE(list().clickRow(0));
    EXPECT_EQ(names()[1], "Default Settings");
    EXPECT_TRUE(list().clickRow(4));
    EXPECT_TRUE(list().clickRow(2));
    EXPECT_TRUE(list().clickRow(4));
    tk::clickButton(window, "OK");
  });
  EXPECT_EQ(manager().showAsModalDialog(std::string(), PrintOption{{"DuplexMode", "DuplexTumble"}}), 1);
}

TEST_F(FavoriteWindowTest, MouseAndReturnValidateKeyboardDropsTheEditAndCancelLosesNothing) {
  // Outside the home folder, and after the favorite folder in the list's order.
  const fs::path outside = fs::temp_directory_path() / ("zz-orval-favorites-" + std::to_string(::getpid()));
  const fs::path mine = favorite("mine", "mine", {{"DuplexMode", "None"}}, outside);
  person->act([&](tk::Window& window) {
        EXPECT_TRUE(list().clickRow(2));
        EXPECT_TRUE(type(manager().nameEditField(), "b"));
        EXPECT_FALSE(list().clickRow(3));  // the duplicate keeps the row and the focus
        EXPECT_EQ(window.firstResponder(), manager().nameEditField()->currentEditor());
        EXPECT_TRUE(type(manager().nameEditField(), "a2"));
        EXPECT_TRUE(manager().nameEditField()->currentEditor()->insertNewline());
        EXPECT_EQ(names()[2], "a2");  // validated, the dialog still open
        EXPECT_TRUE(type(manager().commentEditField(), "new"));
        EXPECT_TRUE(list().clickRow(3));
        EXPECT_EQ(manager().favoriteItemArray()[2].comment(), "new");
        EXPECT_TRUE(type(manager().nameEditField(), "x/y"));
        EXPECT_TRUE(list().keyDown(tk::Event{tk::EventType::KeyDown, tk::kUpArrowCharacters}));
        EXPECT_EQ(names()[3], "b");  // by keyboard: no validation, and the edit is gone
        // Deleting asks; the favorite waits in the removed list.
        EXPECT_TRUE(tk::clickButton(window, "Delete"));
        EXPECT_EQ(names(), (std::vector<std::string>{"<Current Settings>", "Default Settings", "b"}));
        EXPECT_EQ(manager().removedItemArray().size(), 1u);
        tk::clickButton(window, "Import");
      })
      .answerAlert("OK")  // the duplicate
      .answerAlert("OK")  // delete "a2"?
      .chooseFile(mine.string())
      .act([&](tk::Window& window) {
        EXPECT_EQ(names()[3], "mine");
        EXPECT_NE(manager().iconOfRow(3).name(), manager().iconOfRow(2).name());  // outside the favorite folder
        // An import lands in the favorite folder: a listed name is taken.
        EXPECT_TRUE(type(manager().nameEditField(), "b"));
        EXPECT_TRUE(manager().nameEditField()->currentEditor()->insertNewline());
        tk::clickButton(window, "Cancel");
      })
      .answerAlert("OK");
  EXPECT_EQ(manager().showAsModalDialog(std::nullopt, PrintOption()), 0);
  std::vector<std::string> messages;
  for (const auto& alert : person->alertsShown()) messages.push_back(alert.messageText);
  const std::string sameB = stringWithFormat(BSLocalizedString("There is same favorite name"), "b");
  EXPECT_EQ(messages, (std::vector<std::string>{
                          sameB, stringWithFormat(BSLocalizedString("fmtConfirmationOfDeleteFavorite"), "a2"), sameB}));
  EXPECT_TRUE(fs::exists(a) && fs::exists(b));
  EXPECT_FALSE(fs::exists(favorites / "a2.pfj") || fs::exists(favorites / "mine.pfj"));
  fs::remove_all(outside);
}

}  // namespace
}  // namespace orval

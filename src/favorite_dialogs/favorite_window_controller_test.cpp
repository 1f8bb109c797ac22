// The favorite manager driven as a person would, on favorite files in a scratch folder.
#include "favorite_dialogs/favorite_window_controller.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "common/localized_string.h"
#include "common/message_format.h"
#include "favorite_dialogs/favorite_dialogs_test_support.h"
#include "platform/toolkit/event.h"
#include "platform/toolkit/outline_view.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

[[maybe_unused]] ::testing::Environment* const homeEnvironment =
    ::testing::AddGlobalTestEnvironment(new HomeInTemporaryFolder);

const tk::Event kUp{tk::EventType::KeyDown, tk::kUpArrowCharacters};

class FavoriteWindowTest : public FavoriteDialogsTest {
 protected:
  void SetUp() override {
    FavoriteDialogsTest::SetUp();
    PanePlugInMgr::sharedInstance().loadPlugIns();
    a = favorite("a", "first", {{"DuplexMode", "DuplexTumble"}});
    b = favorite("b", "second", {{"DuplexMode", "None"}});
  }

  // Made after the reset of SetUp.
  FavoriteWindowController& manager() { return FavoriteWindowController::sharedInstance(); }
  tk::TableView& list() { return *manager().favoriteListView(); }
  std::vector<std::string> names() {
    std::vector<std::string> shown;
    for (int row = 0; row < list().numberOfRows(); ++row) shown.push_back(list().objectValueAt("name", row).text());
    return shown;
  }
  // The flag of the tree's setting node of key.
  bool differs(const std::string& key) {
    std::function<std::optional<bool>(const Dict&)> find = [&](const Dict& node) -> std::optional<bool> {
      if (node.get("mainKeyword") == Value(key)) return node.get("differedWithDefault").truth();
      if (const Array* items = node.get("items").asArray())
        for (const Value& item : *items)
          if (item.isDict())
            if (std::optional<bool> found = find(*item.asDict())) return found;
      return std::nullopt;
    };
    const std::optional<Dict>& tree = manager().dataSource().treeDictionary();
    const std::optional<bool> found = tree ? find(*tree) : std::nullopt;
    EXPECT_TRUE(found) << key << " is not in the tree";
    return found.value_or(false);
  }
  static std::string sameName(const std::string& name) {
    return stringWithFormat(BSLocalizedString("There is same favorite name"), name);
  }

  fs::path a, b;
};

TEST_F(FavoriteWindowTest, ThePseudoRowsHeadTheListAndOnlyFavoritesCanBeEditedExportedOrDeleted) {
  person->act([&](tk::Window&) {
    EXPECT_EQ(names(), (std::vector<std::string>{"<Current Settings>", "Default Settings", "a", "b"}));
    EXPECT_EQ(list().objectValueAt("comment", 2), Value("first"));
    const auto editable = [&] {
      return manager().nameEditField()->isEnabled() && manager().commentEditField()->isEnabled() &&
             tk::viewWithIdentifier<tk::Control>(*manager().window(), "deleteButton")->isEnabled() &&
             tk::viewWithIdentifier<tk::Control>(*manager().window(), "exportButton")->isEnabled();
    };
    // Row 0: the settings handed in, laid over the defaults, marked where they differ.
    EXPECT_EQ(list().selectedRow(), 0);
    EXPECT_FALSE(editable());
    EXPECT_EQ(manager().dataSource().currentPrintOption()->get("DuplexMode"), Value("DuplexTumble"));
    EXPECT_TRUE(differs("DuplexMode"));
    EXPECT_TRUE(list().clickRow(1));
    EXPECT_FALSE(editable());
    EXPECT_FALSE(differs("DuplexMode"));
    EXPECT_EQ(manager().nameEditField()->stringValue(), "Default Settings");
    // A favorite row shows its file's settings, read back to the panes' form.
    EXPECT_TRUE(list().clickRow(2));
    EXPECT_TRUE(editable());
    EXPECT_EQ(manager().commentEditField()->stringValue(), "first");
    EXPECT_TRUE(differs("DuplexMode"));
    EXPECT_EQ(manager().iconOfRow(2).name(), manager().iconOfRow(0).name());  // kept in the home folder
    // The fixed rows never take an edit, whatever the fields hold.
    EXPECT_TRUE(list().clickRow(1));
    manager().nameEditField()->setStringValue("x/y");
    EXPECT_TRUE(list().clickRow(0));
    EXPECT_EQ(names()[1], "Default Settings");
    tk::clickButton(*manager().window(), "Cancel");
  });
  EXPECT_EQ(manager().showAsModalDialog(std::string(), PrintOption{{"DuplexMode", "DuplexTumble"}}), 0);
  EXPECT_TRUE(person->alertsShown().empty());
}

TEST_F(FavoriteWindowTest, LeavingARowByMouseValidatesItByKeyboardDropsTheEditAndCancelLosesNothing) {
  const std::string aBytes = fileContents(a);
  person->act([&](tk::Window& window) {
        EXPECT_TRUE(list().clickRow(2));
        EXPECT_TRUE(type(manager().nameEditField(), "b"));
        EXPECT_FALSE(list().clickRow(3));  // the duplicate keeps the row
        EXPECT_EQ(list().selectedRow(), 2);
        EXPECT_EQ(focusedField(window), manager().nameEditField());
        EXPECT_TRUE(type(manager().nameEditField(), "a2"));
        EXPECT_TRUE(type(manager().commentEditField(), "new"));
        EXPECT_TRUE(list().clickRow(3));
        EXPECT_EQ(names()[2], "a2");
        EXPECT_EQ(manager().favoriteItemArray()[2].comment(), "new");
        // By keyboard: no validation, and the edit is gone.
        EXPECT_TRUE(type(manager().nameEditField(), "x/y"));
        EXPECT_TRUE(list().keyDown(kUp));
        EXPECT_EQ(names()[3], "b");
        EXPECT_EQ(manager().nameEditField()->stringValue(), "a2");
        // Deleting asks; the favorite waits in the removed list.
        EXPECT_TRUE(tk::clickButton(window, "Delete"));
        EXPECT_EQ(names(), (std::vector<std::string>{"<Current Settings>", "Default Settings", "b"}));
        EXPECT_EQ(manager().removedItemArray().size(), 1u);
        EXPECT_EQ(list().selectedRow(), 0);
        tk::clickButton(window, "Cancel");
      })
      .answerAlert("OK")   // the duplicate
      .answerAlert("OK");  // delete "a2"?
  EXPECT_EQ(manager().showAsModalDialog(std::nullopt, PrintOption()), 0);
  ASSERT_EQ(person->alertsShown().size(), 2u);
  EXPECT_EQ(person->alertsShown()[0].messageText, sameName("b"));
  EXPECT_TRUE(person->alertsShown()[0].asSheet);
  EXPECT_EQ(person->alertsShown()[1].messageText,
            stringWithFormat(BSLocalizedString("fmtConfirmationOfDeleteFavorite"), "a2"));
  EXPECT_EQ(fileContents(a), aBytes);
  EXPECT_TRUE(fs::exists(b));
  EXPECT_FALSE(fs::exists(favorites / "a2.pfj"));
}

TEST_F(FavoriteWindowTest, ReturnInTheNameFieldValidatesWithoutClosingAndOkAppliesTheEditedList) {
  const std::string bytesOfB = fileContents(b);
  fs::create_directory(favorites / "taken.pfj");  // not listed, but its name is taken on disk
  const fs::path c = favorite("c", "", {{"DuplexMode", "None"}});
  person->act([&](tk::Window& window) {
        EXPECT_TRUE(list().clickRow(2));
        EXPECT_TRUE(type(manager().nameEditField(), "renamed"));
        EXPECT_TRUE(manager().nameEditField()->currentEditor()->insertNewline());
        EXPECT_EQ(names()[2], "renamed");  // validated and shown, the dialog still open
        EXPECT_TRUE(type(manager().commentEditField(), "edited"));
        EXPECT_TRUE(list().clickRow(3));
        EXPECT_TRUE(tk::clickButton(window, "Delete"));
        EXPECT_TRUE(list().clickRow(3));  // c
        EXPECT_TRUE(type(manager().nameEditField(), "taken"));
        EXPECT_TRUE(manager().nameEditField()->currentEditor()->insertNewline());
      })
      .answerAlert("OK")  // delete "b"?
      .act([](tk::Window& window) { tk::clickButton(window, "OK"); })
      .answerAlert("OK");  // what could not be done
  EXPECT_EQ(manager().showAsModalDialog(std::nullopt, std::nullopt), 1);
  EXPECT_EQ(person->windowsWorked().size(), 2u);
  EXPECT_FALSE(fs::exists(a));
  EXPECT_EQ(FavoriteFile(favorites / "renamed.pfj").comment(), "edited");
  EXPECT_EQ(fileContents(fs::path(std::getenv("XDG_DATA_HOME")) / "Trash/files/b.pfj"), bytesOfB);
  // The rename onto a name taken on disk is said, and the favorite stays as it was.
  ASSERT_EQ(person->alertsShown().size(), 2u);
  EXPECT_EQ(person->alertsShown()[1].messageText,
            stringWithFormat(BSLocalizedString("Fail to rename favorite file"), "c", "taken"));
  EXPECT_TRUE(fs::exists(c));
  EXPECT_TRUE(manager().favoriteItemArray().empty());  // released with the dialog
}

TEST_F(FavoriteWindowTest, ImportRefusesWhatItCannotReadOrAlreadyHasAndExportNeverReplaces) {
  // Outside the home folder, and after the favorite folder in the list's order.
  struct Outside {
    fs::path path = fs::temp_directory_path() / ("zz-orval-favorites-" + std::to_string(::getpid()));
    ~Outside() { fs::remove_all(path); }
    fs::path write(const std::string& name, const std::string& bytes) const {
      fs::create_directories(path);
      std::ofstream(path / name, std::ios::binary) << bytes;
      return path / name;
    }
  } outside;
  const fs::path foreign = outside.write("foreign.pfj", "2\n5\n3\nComment=x\nA=1\t\t");
  const fs::path truncated = outside.write("truncated.pfj", "2\n7\n3\nComment=x\n");
  const fs::path crlf = outside.write("crlf.pfj", "2\r\n7\r\n3\r\nComment=x\r\nA=1\t\t");
  const fs::path sameAsA = favorite("a", "elsewhere", {{"DuplexMode", "None"}}, outside.path);
  const fs::path mine = favorite("mine", "mine", {{"DuplexMode", "None"}}, outside.path);
  const std::string bytesOfB = fileContents(b);
  const std::string unreadable = BSLocalizedString("Fail to loading favorite file");
  for (const fs::path& file : {foreign, truncated, crlf, sameAsA}) {
    person->act([](tk::Window& window) { tk::clickButton(window, "Import"); }).chooseFile(file.string()).answerAlert(0);
  }
  person
      ->act([&](tk::Window& window) {
        EXPECT_EQ(names().size(), 4u);  // nothing was added
        tk::clickButton(window, "Import");
      })
      .chooseFile(mine.string())
      .act([&](tk::Window& window) {
        EXPECT_EQ(names()[4], "mine");
        EXPECT_EQ(list().selectedRow(), 4);
        EXPECT_NE(manager().iconOfRow(4).name(), manager().iconOfRow(2).name());  // outside the home folder
        // An import lands in the favorite folder: a listed name there is taken.
        EXPECT_TRUE(type(manager().nameEditField(), "b"));
        EXPECT_TRUE(manager().nameEditField()->currentEditor()->insertNewline());  // refused: the sheet below
        EXPECT_TRUE(list().keyDown(kUp));  // the refused edit is dropped
        EXPECT_TRUE(list().clickRow(2));
        EXPECT_TRUE(type(manager().commentEditField(), "for export"));
        EXPECT_TRUE(list().clickRow(2));
        tk::clickButton(window, "Export");
      })
      .answerAlert(0)
      .chooseFile("b.pfj")  // proposed in the favorite folder: an existing favorite
      .answerAlert(0)
      .act([](tk::Window& window) { tk::clickButton(window, "Export"); })
      .chooseFile((outside.path / "exported.pfj").string())
      .act([](tk::Window& window) { tk::clickButton(window, "Cancel"); });
  EXPECT_EQ(manager().showAsModalDialog(std::nullopt, PrintOption()), 0);
  EXPECT_EQ(person->remainingSteps(), 0u);
  std::vector<std::string> messages;
  for (const auto& alert : person->alertsShown()) messages.push_back(alert.messageText);
  EXPECT_EQ(messages, (std::vector<std::string>{
                          unreadable, unreadable, unreadable, sameName("a"), sameName("b"),
                          stringWithFormat(BSLocalizedString("Favorite export target exists"),
                                           (favorites / "b.pfj").string())}));
  EXPECT_EQ(fileContents(b), bytesOfB);
  EXPECT_EQ(FavoriteFile(outside.path / "exported.pfj").comment(), "for export");
  EXPECT_EQ(FavoriteFile(a).comment(), "first");  // cancelled: the edit never reached the favorite
  EXPECT_FALSE(fs::exists(favorites / "mine.pfj"));
  EXPECT_TRUE(fs::exists(mine));
}

}  // namespace
}  // namespace orval

// The favorite store: name and comment rules, list order, the folder listing
// and pop-up, saving, import, export and applying an edited list.
#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "common/localized_string.h"
#include "common/message_format.h"
#include "common/principal_bundle.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_list.h"
#include "favorites/favorites_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using foundation_testing::fileContents;
using favorites_testing::TemporaryFolder;
using foundation_testing::ScopedEnvironment;

const fs::path kResources = fs::path(ORVAL_SOURCE_DIR) / "resources";

[[maybe_unused]] ::testing::Environment* const trashEnvironment =
    ::testing::AddGlobalTestEnvironment(new foundation_testing::HomeInTemporaryFolder);

class FavoriteStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
    const Dict entry{{"productFolderName", "TZPrintServer"}, {"subFolderName", "PDE"}};
    SetBSPrincipalBundle(
        favorites_testing::writePlugInBundle(folder_.path(), "OrvalTest", {{"OrvalTest", entry}}, {"en"}));
    fs::copy_file(kResources / "en.lproj/Localizable.strings",
                  BSPrincipalBundle()->resourcePath() / "en.lproj/Localizable.strings");  // the shipped texts
    SetNSBundleForLocalizedString(BSPrincipalBundle());
  }
  void TearDown() override {
    resetCommonStateForTesting();
    AppPreference::resetSharedInstanceForTesting();
    resetDefaultCStringEncoding();
  }

  // A favorite file in folder (the favorite folder by default).
  fs::path favorite(const std::string& name, const std::string& comment, const fs::path& folder = {}) {
    return folder_.write((folder.empty() ? favorites_ : folder) / (name + ".pfj"),
                         "2\n7\n3\nComment=" + comment + "\nName=" + name + "\t\t");
  }
  static FavoriteItem item(const std::string& name, const std::optional<fs::path>& path = {},
                           const std::optional<std::string>& comment = {}) {
    FavoriteItem result(name);
    if (path) result.setPath(path->string());
    result.setComment(comment);
    return result;
  }
  // A message of the shipped English texts (a key without a text fails the test).
  static std::string message(const char* key, const std::string& argument = {}) {
    EXPECT_NE(BSLocalizedString(key), key);
    return stringWithFormat(BSLocalizedString(key), argument);
  }

  ScopedEnvironment language_{"LANGUAGE", std::string("en")};
  ScopedEnvironment locale_{"LC_ALL", std::string("C.UTF-8")};
  TemporaryFolder folder_;
  ScopedEnvironment config_{"XDG_CONFIG_HOME", (folder_.path() / "config").string()};
  const fs::path favorites_ = folder_.path() / "config/QUILLANT/TZPrintServer/PDE/favorite";
};

// The texts the tests do not compare through message(); the plug-in catalogue's test finds each in Japanese too.
TEST_F(FavoriteStoreTest, EveryMessageOfTheStoreHasAText) {
  for (const char* key : {"characterSet_InvalidCharsForFavorite", "No favorite encoding for locale",
                          "Fail to rename favorite file", "Fail to delete favorite file",
                          "Fail to export favorite file"})
    EXPECT_NE(BSLocalizedString(key), key);
}

TEST_F(FavoriteStoreTest, NamesAndCommentsFollowTheRules) {
  const std::string invalid = message("Invalid favorite name");
  const std::optional<std::string> pass;
  const std::pair<std::optional<std::string>, std::optional<std::string>> names[] = {
      {std::nullopt, pass}, {std::string(27, 'n'), pass}, {"", invalid}, {std::string(28, 'n'), invalid},
      {"a/b", invalid}, {"a:b", invalid}, {" \t ", invalid}, {"\xE3\x80\x80", invalid},  // IDEOGRAPHIC SPACE alone
      {".proof", invalid},  // its file would be hidden, never listed
      {"Default Settings", message("Invalid favorite name2")}};
  for (const auto& [name, expected] : names)
    EXPECT_EQ(FavoriteItem::checkName(name), expected) << name.value_or("<none>");

  // Bytes count in the default byte encoding: 14 Japanese characters are 28 bytes in CP932.
  setDefaultCStringEncoding(TextEncoding::CP932);
  std::string fourteen;
  for (int i = 0; i < 14; ++i) fourteen += "日";
  EXPECT_EQ(FavoriteItem::checkName(fourteen), invalid);

  const std::string comment = message("Invalid favorite comment");
  EXPECT_EQ(FavoriteItem::checkComment(std::string(255, 'c')), pass);
  EXPECT_EQ(FavoriteItem::checkComment(std::string(256, 'c')), comment);
  EXPECT_EQ(FavoriteItem::checkComment("two\nlines"), comment);
}

TEST_F(FavoriteStoreTest, NamesCompareLiterally) {
  EXPECT_EQ(item("B").compare(item("a")), -1);  // case-sensitive
}

TEST_F(FavoriteStoreTest, TheFolderListsVisibleFavoriteFilesInNameOrderAndThePopUpShowsThem) {
  tk::PopUpButton popUp;
  AppPreference::sharedInstance().buildFavoritePopup(&popUp);
  EXPECT_EQ(popUp.itemTitles(), std::vector<std::string>{"Default Settings"});  // the folder is made, and empty
  EXPECT_TRUE(fs::is_directory(favorites_));

  const fs::path ab = favorite("a.b", "");
  const fs::path proof = favorite("Proof", "");
  for (const char* hidden : {".x.pfj", "x.PFJ", "notes.txt", "secret.pfj"}) folder_.write(favorites_ / hidden, "");
  folder_.write(favorites_ / ".hidden", "secret.pfj\n");
  fs::create_directory(favorites_ / "folder.pfj");
  const fs::path broken = folder_.write(favorites_ / "broken.pfj", "not a favorite");  // listed all the same

  EXPECT_EQ(AppPreference::sharedInstance().arrayForFavoritePath(), (std::vector<fs::path>{proof, ab, broken}));
  AppPreference::sharedInstance().buildFavoritePopup(&popUp);
  EXPECT_EQ(popUp.itemTitles(), (std::vector<std::string>{"Default Settings", "", "Proof", "a.b", "broken"}));
  EXPECT_TRUE(popUp.itemAtIndex(1)->isSeparatorItem());
  EXPECT_EQ(popUp.itemAtIndex(0)->representedObject(), Value(""));
  EXPECT_EQ(popUp.itemAtIndex(3)->image()->size().width, 16);
  EXPECT_EQ(popUp.indexOfSelectedItem(), 0);
}

TEST_F(FavoriteStoreTest, SavingWritesTheNamedFavoriteAndSaysWhatFails) {
  AppPreference& preference = AppPreference::sharedInstance();
  std::string error;
  const std::optional<fs::path> path = preference.saveFavoriteOnFavoriteDirectory("Proof", "c", Dict{{"A", "1"}});
  ASSERT_EQ(path, favorites_ / "Proof.pfj");
  EXPECT_EQ(fileContents(*path), "2\n7\n3\nComment=c\nA=1\t\t");
  // The same name replaces it without a question; no comment is an empty one.
  EXPECT_EQ(preference.saveFavoriteOnFavoriteDirectory("Proof", std::nullopt, Dict{{"A", "2"}}, &error), path);
  EXPECT_EQ(fileContents(*path), "2\n7\n3\nComment=\nA=2\t\t");

  // A save that fails is said (export shows the other failure's message), and the favorite stays whole.
  {
    const favorites_testing::ScopedWriteRefusal refusal;
    EXPECT_EQ(preference.saveFavoriteOnFavoriteDirectory("Proof", "c", Dict{{"A", "3"}}, &error), path);
  }
  EXPECT_EQ(error, message("Fail to save favorite file", "Proof"));
  EXPECT_EQ(fileContents(*path), "2\n7\n3\nComment=\nA=2\t\t");
  EXPECT_EQ(preference.saveFavoriteOnFavoriteDirectory(std::nullopt, "c", Dict{{"A", "1"}}), std::nullopt);

  // A favorite folder that cannot be made, or listed.
  fs::remove_all(favorites_);
  folder_.write(favorites_, "a file where the folder belongs");
  EXPECT_TRUE(preference.arrayForFavoritePath(&error).empty());
  EXPECT_EQ(error, message("Fail to create favorite folder", favorites_.string()));
  EXPECT_TRUE(preference._pathArrayForOneFavoriteFolder(favorites_, &error).empty());
  EXPECT_EQ(error, message("Fail to list favorite folder", favorites_.string()));
}

TEST_F(FavoriteStoreTest, ImportTakesReadableFilesWithNewNamesOnly) {
  favorite("Proof", "first");
  std::vector<FavoriteItem> list = favoriteListItems();
  ASSERT_EQ(list.size(), 3u);

  const fs::path elsewhere = folder_.path() / "elsewhere";
  EXPECT_EQ(importFavorite(list, favorite("Proof", "other", elsewhere)),
            message("There is same favorite name", "Proof"));
  EXPECT_EQ(importFavorite(list, favorite("Draft", "mine", elsewhere)), std::nullopt);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3].name(), "Draft");  // sorted by path: ".../config/..." before ".../elsewhere/..."
  EXPECT_EQ(list[3].comment(), "mine");

  // A rename is a duplicate only when the file it would make is another row's: "Draft" renamed "Proof" stays
  // elsewhere, beside the other "Proof".
  EXPECT_EQ(checkDuplicateFavoriteName(list, 3, "Proof", *list[3].path()), std::nullopt);
}

TEST_F(FavoriteStoreTest, ApplyingAnEditedListChangesTheFolderAndNeverReplacesAFavorite) {
  const fs::path keep = favorite("Keep", "k");
  const fs::path gone = favorite("Gone", "g");
  const fs::path blocked = favorite("Blocked", "b");
  const fs::path back = favorite("Back", "again");
  const fs::path elsewhere = folder_.path() / "elsewhere";
  const fs::path clash = favorite("Clash", "x", elsewhere);
  const fs::path dropped = favorite("Dropped", "d", elsewhere);
  const fs::path noted = favorite("Noted", "old", elsewhere);
  // A favorite file in the folder that the folder does not list (another extension): an import.
  const fs::path loose = folder_.write(favorites_ / "Loose.txt", "2\n7\n3\nComment=l\nName=Loose\t\t");

  const std::vector<FavoriteItem> list{
      item("<Current Settings>"),
      item("Default Settings"),
      item("Keep", keep, "k"),
      item("Keep", blocked, "b"),  // onto an existing file: not replaced
      item("Keep", clash, "x"),     // an import renamed onto a favorite: not replaced
      item("Noted", noted, "new"),  // an import with a new comment is written with it
      item("Loose", loose, "l"),
      item("Back", folder_.path() / "config/../config/QUILLANT/TZPrintServer/PDE/favorite/Back.pfj", "again"),
  };
  // "Back" was deleted, then imported again from the favorite folder itself: it stays.
  const std::vector<std::string> messages =
      applyFavoriteList(list, {item("Gone", gone), item("Dropped", dropped), item("Back", back)});

  EXPECT_EQ(messages, (std::vector<std::string>{
                          stringWithFormat(BSLocalizedString("Fail to rename favorite file"), "Blocked", "Keep"),
                          message("Fail to import favorite file", "Keep")}));
  EXPECT_EQ(AppPreference::sharedInstance().arrayForFavoritePath(),
            (std::vector<fs::path>{back, blocked, keep, favorites_ / "Loose.pfj", favorites_ / "Noted.pfj"}));
  EXPECT_EQ(fileContents(keep), "2\n7\n3\nComment=k\nName=Keep\t\t");
  EXPECT_EQ(fileContents(blocked), "2\n7\n3\nComment=b\nName=Blocked\t\t");
  EXPECT_EQ(FavoriteFile(favorites_ / "Noted.pfj").comment(), "new");
  EXPECT_EQ(FavoriteFile(noted).comment(), "old");
  // The removed favorite is in the trash; the removed import, never applied, stays the person's.
  EXPECT_EQ(fileContents(fs::path(std::getenv("XDG_DATA_HOME")) / "Trash/files/Gone.pfj"),
            "2\n7\n3\nComment=g\nName=Gone\t\t");
  EXPECT_TRUE(fs::exists(dropped));
}

TEST_F(FavoriteStoreTest, ExportWritesTheItemsCurrentCommentInTheLocalEncoding) {
  // A version 1 file of another writer, holding "ソ" in CP932.
  const fs::path source = folder_.write("old.pfj", "1\n7\nComment=x\nStock=\x83\x5C\t\t");
  const fs::path target = folder_.path() / "out.pfj";
  const std::string exported = "2\n7\n0\nComment=edited\nStock=\x83\x5C\t\t";
  {
    ScopedEnvironment japanese("LC_ALL", std::string("ja_JP.UTF-8"));
    EXPECT_EQ(exportFavorite(item("old", source, "edited"), target), std::nullopt);
  }
  EXPECT_EQ(fileContents(target), exported);
  // CP1252 has no "ソ": said, and nothing is left behind.
  const fs::path other = folder_.path() / "other.pfj";
  EXPECT_EQ(exportFavorite(item("old", source, "c"), other), message("Favorite cannot be stored", "old"));
  EXPECT_FALSE(fs::exists(other));
  EXPECT_EQ(exportFavorite(item("none", folder_.path()), other), message("Fail to loading favorite file"));
}

}  // namespace
}  // namespace orval

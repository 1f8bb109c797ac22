// orval favorites: the favorites cycle from a shell, and what it refuses: a row for each way a command is
// refused (the rules behind the messages are tested in favorites and favorite_dialogs).
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <map>

#include "apps/orval/cli_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;
using foundation_testing::fileContents;
using foundation_testing::ScopedEnvironment;

class FavoritesCommandTest : public ::testing::Test {
 protected:
  // orval ARGS on the test's job; standard input is input.
  testing::RunResult orval(std::vector<std::string> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::streambuf* old = std::cin.rdbuf(in.rdbuf());
    testing::RunResult result = testing::runOnJob(std::move(args), folder / "job.ticket");
    std::cin.rdbuf(old);
    return result;
  }
  testing::RunResult favorites(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), "favorites");
    return orval(std::move(args), input);
  }
  nlohmann::json json(std::vector<std::string> args) {
    args.push_back("--json");
    const testing::RunResult result = favorites(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return nlohmann::json::parse(result.out, nullptr, false);
  }
  // Every file of the favorite folder with its bytes.
  std::map<std::string, std::string> folderContents() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(favoriteFolder))
      files[entry.path().filename()] = fileContents(entry.path());
    return files;
  }

  const foundation_testing::TemporaryFolder scratch;
  const fs::path folder = scratch.path();
  ScopedEnvironment config_{"XDG_CONFIG_HOME", (folder / "config").string()};
  ScopedEnvironment data_{"XDG_DATA_HOME", (folder / "data").string()};
  const fs::path favoriteFolder = folder / "config/QUILLANT/TZPrintServer/PDE/favorite";
};

TEST_F(FavoritesCommandTest, SaveChangeApplyExportDeleteAndImportFromAShell) {
  ASSERT_EQ(orval({"set", "StapleMode=TopLeftCorner"}).status, 0);
  EXPECT_EQ(favorites({"save", "proof", "--comment", "first"}).status, 0);
  const fs::path proof = favoriteFolder / "proof.pfj";
  ASSERT_TRUE(fs::exists(proof)) << favorites({"list"}).out;
  ASSERT_EQ(orval({"set", "StapleMode=BottomRightCorner"}).status, 0);
  nlohmann::json list = json({"list"})["favorites"];
  for (nlohmann::json& favorite : list) favorite.erase("path");
  EXPECT_EQ(list,
            nlohmann::json::parse(R"([{"name": "proof", "comment": "first", "current": true, "differs": true}])"));

  EXPECT_EQ(favorites({"apply", "proof"}).status, 0);
  EXPECT_EQ(testing::valueOf(nlohmann::json::parse(orval({"show", "--json"}).out), "StapleMode"), "TopLeftCorner");
  // The manager's tree marks what the favorite changes from the defaults (its staple).
  const std::string shown = favorites({"show", "proof"}).out;
  EXPECT_NE(shown.find("* "), std::string::npos) << shown;

  const fs::path exported = folder / "copy.pfj";
  EXPECT_EQ(favorites({"export", "proof", exported.string()}).status, 0);
  EXPECT_EQ(fileContents(exported).substr(0, 4), "2\n7\n");
  const std::string bytes = fileContents(proof);
  // Asked as the panel asks: no answer is No.
  EXPECT_EQ(favorites({"delete", "proof"}).status, 1);
  EXPECT_TRUE(fs::exists(proof));
  EXPECT_EQ(favorites({"delete", "proof"}, "Yes\n").status, 0);
  EXPECT_EQ(fileContents(folder / "data/Trash/files/proof.pfj"), bytes);

  EXPECT_EQ(favorites({"import", exported.string()}).status, 0);
  EXPECT_EQ(favorites({"rename", "copy", "proof"}).status, 0);
  EXPECT_EQ(favorites({"comment", "proof", "second"}).status, 0);
  list = json({"list"})["favorites"];
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(nlohmann::json::array({list[0]["name"], list[0]["comment"]}), nlohmann::json::array({"proof", "second"}));
}

TEST_F(FavoritesCommandTest, BadInputIsRefusedWithItsMessageAndChangesNothingOnDisk) {
  ASSERT_EQ(favorites({"save", "proof"}).status, 0);
  ASSERT_EQ(favorites({"save", "other"}).status, 0);
  fs::create_directory(folder / "folder.pfj");
  scratch.write("crlf.pfj", "2\r\n7\r\n3\r\nComment=x\r\nA=1\t\t");
  const std::string longText(300, 'x');
  struct Row {
    std::vector<std::string> args;
    std::string message;
  };
  std::vector<Row> rows = {
      {{"save", "a/b"}, "Enter a favorite name"},
      {{"save", "x", "--comment", longText}, "Enter a comment"},
      {{"comment", "proof", longText}, "Enter a comment"},
      {{"rename", "proof", "other"}, "“other” already exists"},
      {{"rename", "absent", "x"}, "no favorite \"absent\""},
      {{"import", (folder / "crlf.pfj").string()}, "could not be read"},
      {{"import", (folder / "folder.pfj").string()}, "cannot be chosen"},
      {{"export", "proof", (favoriteFolder / "other.pfj").string()}, "already exists: the favorite was not exported"},
  };
  const bool root = ::geteuid() == 0;  // root writes into a read-only folder: no refusal to see
  if (!root) rows.push_back({{"save", "new"}, "could not be saved"});
  const std::map<std::string, std::string> before = folderContents();
  for (const Row& row : rows) {
    if (row.message == "could not be saved")
      fs::permissions(favoriteFolder, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_THAT(favorites(row.args), testing::RefusedWith(row.message)) << row.args[0] << " " << row.args[1];
    EXPECT_EQ(folderContents(), before) << row.args[0] << " " << row.args[1];
  }
  fs::permissions(favoriteFolder, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace orval::cli

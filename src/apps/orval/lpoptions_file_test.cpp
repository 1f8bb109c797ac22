// The user's lpoptions edited one destination at a time.
#include "apps/orval/lpoptions_file.h"

#include <gtest/gtest.h>
#include <cups/cups.h>
#include <sys/stat.h>

#include "apps/orval/commands.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/unreadable_files_test_support.h"

namespace orval::cli {
namespace {

using foundation_testing::fileContents;
using foundation_testing::sparseFile;
using foundation_testing::TemporaryFolder;

TEST(LpoptionsFileTest, LinesQuoteAndEscapeAsLibcupsReadsThem) {
  const struct {
    std::string value, written;
  } rows[] = {
      {"TopLeft", " a=TopLeft"},
      {"it's", " a=\"it\\'s\""},
      {"a\\b\"c", " a=\"a\\\\b\\\"c\""},
      {"", " a"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(LpoptionsFile::line("Dest", "tz/Proof", {{"a", row.value}}), "Dest tz/Proof" + row.written) << row.value;
    if (row.value.empty()) continue;  // a bare name, which libcups reads as "true"
    // libcups reads the value back, and the option after it.
    const std::string options = LpoptionsFile::line("Dest", "tz/Proof", {{"a", row.value}, {"b", "1"}}).substr(14);
    cups_option_t* parsed = nullptr;
    const int count = cupsParseOptions(options.c_str(), 0, &parsed);
    const auto get = [&](const char* name) {
      const char* value = cupsGetOption(name, count, parsed);
      return std::string(value != nullptr ? value : "(none)");
    };
    EXPECT_EQ(get("a") + "|" + get("b"), row.value + "|1");
    cupsFreeOptions(count, parsed);
  }
  // What libcups would split or read as a collection is refused before anything is written.
  for (const char* value : {"a\tb", "a\vb", "a\fb", "line\n", "{draft", "{x}"})
    EXPECT_TRUE(LpoptionsFile::refusal(value)) << value;
  for (const char* value : {"TopLeft", "x{y}", "two words", ""}) EXPECT_FALSE(LpoptionsFile::refusal(value)) << value;
}

TEST(LpoptionsFileTest, OnlyTheNamedDestinationsLineChanges) {
  const TemporaryFolder folder;
  const std::string others =
      "# the user's own notes\n"
      "Dest gone/kept copies=3 media=Letter\n"
      "Dest laptop@remote/inst copies=2\n";
  const std::filesystem::path path =
      folder.write("lpoptions", others + "Default TZ/proof ColorMode=Grayscale\nDest tz/Draft a=1\n");
  LpoptionsFile file(path);
  EXPECT_TRUE(file.has("tz/Proof"));  // names compare as CUPS compares them, ignoring case
  EXPECT_FALSE(file.has("tz"));
  // Replaced where it stands, still the user's default; a new one goes last.
  file.set("tz/Proof", {{"StapleMode", "TopLeft"}});
  file.set("tz/Booklet", {{"FoldMode", "Saddle"}});
  EXPECT_TRUE(file.remove("tz/draft"));
  file.save();
  EXPECT_EQ(fileContents(path),
            others + "Default tz/Proof StapleMode=TopLeft\nDest tz/Booklet FoldMode=Saddle\n");
}

TEST(LpoptionsFileTest, AMissingFileAndFolderAreMadePrivately) {
  const TemporaryFolder folder;
  const std::filesystem::path path = folder.path() / ".cups/lpoptions";
  LpoptionsFile file(path);
  EXPECT_FALSE(file.has("tz/Proof"));
  file.set("tz/Proof", {{"a", "b"}});
  file.save();
  EXPECT_EQ(fileContents(path), "Dest tz/Proof a=b\n");
  struct stat info {};
  ASSERT_EQ(stat(path.parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  // A folder in the file's place cannot be read: refused, nothing written.
  std::filesystem::create_directories(folder.path() / "folder/lpoptions");
  EXPECT_THROW(LpoptionsFile(folder.path() / "folder/lpoptions"), CommandError);
  // Nor a file larger than any lpoptions file: it is refused unread, as reading it whole could exhaust memory.
  EXPECT_THROW(LpoptionsFile(sparseFile(folder.path() / "huge", LpoptionsFile::kMaxBytes + 1)), CommandError);
}

}  // namespace
}  // namespace orval::cli

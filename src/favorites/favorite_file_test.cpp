// The favorite file format: what the store writes, byte for byte; files of
// other writers; what it refuses without harm. testdata/cp932_v1.pfj was
// typed as UTF-8 and converted with `iconv -f UTF-8 -t CP932`; it holds
// "ソ", whose second byte is 0x5C.
#include "favorites/favorite_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/common_reset.h"
#include "favorites/favorites_test_support.h"
#include "platform/foundation/environment_test_support.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using foundation_testing::fileContents;
using foundation_testing::ScopedEnvironment;

class FavoriteFileTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCommonStateForTesting(); }

  ScopedEnvironment locale_{"LC_ALL", std::string("C.UTF-8")};
  favorites_testing::TemporaryFolder folder_;
};

FavoriteFile favoriteWith(const std::optional<std::string>& comment, const Dict& options) {
  FavoriteFile file;
  file.setComment(comment);
  file.setOptions(options);
  return file;
}

TEST_F(FavoriteFileTest, WrittenFilesAreByteExactInTheLocalesEncodingAndReadBack) {
  struct Case {
    const char* locale;
    const char* text;     // UTF-8
    const char* encoded;  // in the locale's encoding
    char code;
  };
  const Case cases[] = {{"C.UTF-8", "Caf\xC3\xA9", "Caf\xE9", '3'}, {"de_DE.UTF-8", "Caf\xC3\xA9", "Caf\xE9", '3'},
                        {"ja_JP.UTF-8", "表", "\x95\x5C", '0'},     {"zh_CN.UTF-8", "纸", "\xD6\xBD", '4'},
                        {"zh_TW.UTF-8", "紙", "\xAF\xC8", '5'},     {"ko_KR.UTF-8", "종", "\xC1\xBE", '6'}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.text);
    ScopedEnvironment locale("LC_ALL", std::string(c.locale));
    const fs::path path = folder_.path() / "fav.pfj";
    // Numbers and booleans are written as integers.
    const Dict options{{"A", Value(1)}, {"B", Value(c.text)}, {"On", Value(true)}, {"Half", Value(2.7)}};
    ASSERT_EQ(favoriteWith(c.text, options).writeToFile(path), FavoriteWriteFailure::None);
    const std::string text = c.encoded;
    EXPECT_EQ(fileContents(path), "2\n7\n" + std::string(1, c.code) + "\nComment=" + text + "\nA=1\t\tB=" + text +
                                   "\t\tOn=1\t\tHalf=2\t\t");
    const FavoriteFile read(path);
    EXPECT_EQ(std::tuple(read.version(), read.iotType(), read.encoding(), read.comment(), read.options()),
              std::tuple(2, 7, c.code - '0', c.text, Dict{{"A", "1"}, {"B", c.text}, {"On", "1"}, {"Half", "2"}}));
  }
}

TEST_F(FavoriteFileTest, FilesOfAnotherCp932WriterRead) {
  const fs::path testdata = fs::path(ORVAL_SOURCE_DIR) / "src/favorites/testdata";
  // Version 1 has no language-code line; the store's export test reads one as CP932 whatever the locale.
  EXPECT_EQ(FavoriteFile(testdata / "cp932_v1.pfj").encoding(), kFavoriteFile_UnknownEncoding);
  // Read in the C locale: the file's own code, not the locale, chooses the encoding; an unknown code is CP932 too.
  EXPECT_EQ(FavoriteFile(folder_.write("9.pfj", "2\n7\n9\nComment=\x95\x5C\nK=v\t\t")).comment(), "表");
}

TEST_F(FavoriteFileTest, MalformedFilesReadAsUnknownAndOddOnesAsTheFormatSays) {
  struct Case {
    const char* what;
    std::string bytes;
    bool valid;
    std::optional<std::string> comment;
    Dict options;
  };
  const std::string v512(512, 'v');
  const Case cases[] = {
      {"empty", "", false, {}, {}},
      {"foreign device type", "2\n8\n0\nComment=x\nA=1\t\t", false, {}, {}},
      {"no language code", "2\n7\nComment=x\nA=1\t\t", false, {}, {}},
      {"ends after the comment", "2\n7\n0\nComment=x\n", false, {}, {}},
      {"no pair", "2\n7\n0\nComment=x\n=\t\t", false, {}, {}},
      {"no comment line", "2\n7\n0\nA=1\t\tB=2\t\t", true, {}, {{"A", "1"}, {"B", "2"}}},
      {"empty comment", "2\n7\n0\nComment=\nA=1\t\t", true, "", {{"A", "1"}}},
      {"device type 07", "2\n07\n0\nA=1\t\t", true, {}, {{"A", "1"}}},
      {"last value without TABs", "2\n7\n0\nA=1\t\tB=2", true, {}, {{"A", "1"}, {"B", ""}}},
      {"a value of 512 bytes", "2\n7\n0\nA=" + v512 + "\t\tB=2\t\t", true, {}, {{"A", v512}, {"B", "2"}}},
      // 513 bytes are cut; what follows is misread as the next pair.
      {"a value of 514 bytes", "2\n7\n0\nA=" + v512 + "xy\t\tB=2\t\t", true, {}, {{"A", v512 + "x"}, {"\tB", "2"}}},
      {"a value that does not decode", "2\n7\n0\nA=\x81\t\tB=2\t\t", true, {}, {{"A", ""}, {"B", "2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FavoriteFile file(folder_.write("f.pfj", c.bytes));
    EXPECT_EQ(file.version() != kFavoriteFile_UnknownVersion, c.valid);
    if (!c.valid) { EXPECT_EQ(std::tuple(file.iotType(), file.encoding()), std::tuple(0, -1)); }
    EXPECT_EQ(file.comment(), c.comment);
    EXPECT_EQ(file.options(), c.valid ? std::optional(c.options) : std::nullopt);
  }
  // Nothing to read: no path, a missing file, a folder.
  for (const std::optional<fs::path>& path :
       {std::optional<fs::path>(), std::optional(folder_.path() / "missing.pfj"), std::optional(folder_.path())})
    EXPECT_EQ(FavoriteFile::favoriteFileWithContentsOfFile(path).version(), kFavoriteFile_UnknownVersion);
}

TEST_F(FavoriteFileTest, TheWriterRefusesWhatWouldNotReadBackAndKeepsTheFavoriteWhole) {
  const std::string old = "2\n7\n3\nComment=old\nA=1\t\t";
  const fs::path path = folder_.write("kept.pfj", old);
  struct Case {
    const char* what;
    FavoriteFile file;
    FavoriteWriteFailure failure;
    const char* locale = "C.UTF-8";
  };
  const FavoriteWriteFailure unstorable = FavoriteWriteFailure::UnstorableText;
  const Case cases[] = {
      {"a key of 129 bytes", favoriteWith({}, {{std::string(129, 'k'), "v"}}), unstorable},
      {"a value of 513 bytes", favoriteWith({}, {{"K", std::string(513, 'v')}}), unstorable},
      {"a comment of 256 bytes", favoriteWith(std::string(256, 'c'), {{"K", "v"}}), unstorable},
      {"a key with =", favoriteWith({}, {{"K=1", "v"}}), unstorable},
      {"a value with TAB", favoriteWith({}, {{"K", "a\tb"}}), unstorable},
      {"a comment with LF", favoriteWith("a\nb", {{"K", "v"}}), unstorable},
      {"an empty key", favoriteWith({}, {{"", "v"}}), unstorable},
      {"a value that is no text", favoriteWith({}, {{"K", Value(Array{})}}), unstorable},
      {"Japanese in CP1252", favoriteWith("表", {{"K", "v"}}), unstorable},
      {"no settings", favoriteWith("c", {}), FavoriteWriteFailure::NoOptions},
      {"another script", favoriteWith({}, {{"K", "v"}}), FavoriteWriteFailure::NoLocalEncoding, "ru_RU.UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedEnvironment locale("LC_ALL", std::string(c.locale));
    std::string reason;
    EXPECT_EQ(c.file.writeToFile(path, &reason), c.failure);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(fileContents(path), old);
  }

  // The longest texts the readers take are written and read back whole.
  const FavoriteFile longest = favoriteWith(std::string(255, 'c'), {{std::string(128, 'k'), std::string(512, 'v')}});
  ASSERT_EQ(longest.writeToFile(path), FavoriteWriteFailure::None);
  const FavoriteFile read(path);
  EXPECT_EQ(std::tuple(read.comment(), read.options()), std::tuple(longest.comment(), longest.options()));
  EXPECT_EQ(longest.writeToNewFile(path), FavoriteWriteFailure::FileSystem);  // never replaces
  EXPECT_EQ(longest.writeToFile(std::nullopt), FavoriteWriteFailure::NoPath);
}

TEST_F(FavoriteFileTest, NamesAndPaths) {
  const std::pair<const char*, const char*> names[] = {{"/f/a.b.pfj", "a.b"}, {"/f/.x", ".x"}, {"n.pfj/", "n"}};
  for (const auto& [path, name] : names) EXPECT_EQ(FavoriteFile::nameWithPath(fs::path(path)), name) << path;
  EXPECT_EQ(FavoriteFile::pathWithName("../a", fs::path("/f")), std::nullopt);  // never leaves the folder
  EXPECT_EQ(FavoriteFile::nameWithPath(std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace orval

// The favorite file format: what the store writes, byte for byte; what it
// reads from files of other writers; and what it refuses without harm.
//
// testdata/cp932_v2.pfj and cp932_v1.pfj come from another writer: typed as
// UTF-8 and converted with `iconv -f UTF-8 -t CP932`. They hold characters
// whose second byte is 0x5C ("表", "ソ") and U+FF5E ("～", 0x8160).
#include "favorites/favorite_file.h"

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "favorites/app_preference.h"
#include "favorites/favorites_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using favorites_testing::fileBytes;
using favorites_testing::ScopedWriteRefusal;
using favorites_testing::TemporaryFolder;
using favorites_testing::writeBytes;
using foundation_testing::ScopedEnvironment;

const fs::path kTestData = fs::path(ORVAL_SOURCE_DIR) / "src/favorites/testdata";

class FavoriteFileTest : public ::testing::Test {
 protected:
  void SetUp() override { resetCommonStateForTesting(); }

  fs::path write(const std::string& name, std::string_view bytes) { return writeBytes(folder_.path() / name, bytes); }

  ScopedEnvironment locale_{"LC_ALL", std::string("C.UTF-8")};
  TemporaryFolder folder_;
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
    const char* text;      // in UTF-8
    std::string expected;  // the whole file
  };
  const Case cases[] = {
      {"ja_JP.UTF-8", "Proof", "2\n7\n0\nComment=Proof\nA=1\t\tB=Proof\t\tOn=1\t\tHalf=2\t\t"},
      {"C.UTF-8", "Caf\xC3\xA9", "2\n7\n3\nComment=Caf\xE9\nA=1\t\tB=Caf\xE9\t\tOn=1\t\tHalf=2\t\t"},
      {"de_DE.UTF-8", "Caf\xC3\xA9", "2\n7\n3\nComment=Caf\xE9\nA=1\t\tB=Caf\xE9\t\tOn=1\t\tHalf=2\t\t"},
      {"ja_JP.UTF-8", "\xE8\xA1\xA8", "2\n7\n0\nComment=\x95\x5C\nA=1\t\tB=\x95\x5C\t\tOn=1\t\tHalf=2\t\t"},
      {"zh_CN.UTF-8", "\xE7\xBA\xB8", "2\n7\n4\nComment=\xD6\xBD\nA=1\t\tB=\xD6\xBD\t\tOn=1\t\tHalf=2\t\t"},
      {"zh_TW.UTF-8", "\xE7\xB4\x99", "2\n7\n5\nComment=\xAF\xC8\nA=1\t\tB=\xAF\xC8\t\tOn=1\t\tHalf=2\t\t"},
      {"ko_KR.UTF-8", "\xEC\xA2\x85", "2\n7\n6\nComment=\xC1\xBE\nA=1\t\tB=\xC1\xBE\t\tOn=1\t\tHalf=2\t\t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.locale) + " " + c.text);
    ScopedEnvironment locale("LC_ALL", std::string(c.locale));
    const fs::path path = folder_.path() / "fav.pfj";
    // Numbers and booleans are written as integers.
    const FavoriteFile file =
        favoriteWith(c.text, Dict{{"A", Value(1)}, {"B", Value(c.text)}, {"On", Value(true)}, {"Half", Value(2.7)}});
    ASSERT_EQ(file.writeToFile(path), FavoriteWriteFailure::None);
    EXPECT_EQ(fileBytes(path), c.expected);

    const FavoriteFile read(path);
    EXPECT_EQ(read.version(), 2);
    EXPECT_EQ(read.iotType(), 7);
    EXPECT_EQ(read.encoding(), c.expected[4] - '0');
    EXPECT_EQ(read.comment(), c.text);
    EXPECT_EQ(read.options(),
              (Dict{{"A", Value("1")}, {"B", Value(c.text)}, {"On", Value("1")}, {"Half", Value("2")}}));
  }
}

TEST_F(FavoriteFileTest, FilesOfAnotherCp932WriterRead) {
  const FavoriteFile v2(kTestData / "cp932_v2.pfj");
  EXPECT_EQ(v2.version(), 2);
  EXPECT_EQ(v2.encoding(), 0);
  EXPECT_EQ(v2.comment(), "表示テスト～ソフト");
  EXPECT_EQ(v2.options(), (Dict{{"JobName", Value("見積書")},
                                {"QZMediaType", Value("普通紙")},
                                {"NumCopies", Value("3")},
                                {"DuplexMode", Value("None")}}));

  // Version 1 has no language-code line and is CP932 whatever the locale.
  const FavoriteFile v1(kTestData / "cp932_v1.pfj");
  EXPECT_EQ(v1.version(), 1);
  EXPECT_EQ(v1.encoding(), kFavoriteFile_UnknownEncoding);
  EXPECT_EQ(v1.comment(), "予定表");
  EXPECT_EQ(v1.options(), (Dict{{"StockName", Value("ソフト紙")}}));

  // A file labelled with an unknown code is CP932 too; code 3 is CP1252.
  EXPECT_EQ(FavoriteFile(write("9.pfj", "2\n7\n9\nComment=\x95\x5C\nK=v\t\t")).comment(), "表");
  EXPECT_EQ(FavoriteFile(write("3.pfj", "2\n7\n3\nComment=\x95\x5C\nK=v\t\t")).comment(), "\xE2\x80\xA2\\");
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
      {"CR LF line ends", "2\r\n7\r\n0\r\nComment=x\r\nA=1\t\t", false, {}, {}},
      {"foreign device type", "2\n8\n0\nComment=x\nA=1\t\t", false, {}, {}},
      {"version 3", "3\n7\n0\nComment=x\nA=1\t\t", false, {}, {}},
      {"no language code", "2\n7\nComment=x\nA=1\t\t", false, {}, {}},
      {"ends after the comment", "2\n7\n0\nComment=x\n", false, {}, {}},
      {"ends in the header", "2\n7\n", false, {}, {}},
      {"no pair", "2\n7\n0\nComment=x\n=\t\t", false, {}, {}},
      {"no comment line", "2\n7\n0\nA=1\t\tB=2\t\t", true, std::nullopt, {{"A", "1"}, {"B", "2"}}},
      {"empty comment", "2\n7\n0\nComment=\nA=1\t\t", true, "", {{"A", "1"}}},
      {"device type 07", "2\n07\n0\nA=1\t\t", true, std::nullopt, {{"A", "1"}}},
      {"last value without TABs", "2\n7\n0\nA=1\t\tB=2", true, std::nullopt, {{"A", "1"}, {"B", ""}}},
      {"a later pair wins", "2\n7\n0\nA=1\t\tA=2\t\t", true, std::nullopt, {{"A", "2"}}},
      {"a value of 512 bytes", "2\n7\n0\nA=" + v512 + "\t\tB=2\t\t", true, std::nullopt, {{"A", v512}, {"B", "2"}}},
      // 513 bytes are cut; what follows is misread as the next pair.
      {"a value of 514 bytes", "2\n7\n0\nA=" + v512 + "xy\t\tB=2\t\t", true, {}, {{"A", v512 + "x"}, {"\tB", "2"}}},
      {"a value that does not decode", "2\n7\n0\nA=\x81\t\tB=2\t\t", true, std::nullopt, {{"A", ""}, {"B", "2"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FavoriteFile file(write("f.pfj", c.bytes));
    EXPECT_EQ(file.version() != kFavoriteFile_UnknownVersion, c.valid);
    if (!c.valid) {
      EXPECT_EQ(file.iotType(), kFavoriteFile_UnknownIotType);
      EXPECT_EQ(file.encoding(), kFavoriteFile_UnknownEncoding);
      EXPECT_EQ(file.options(), std::nullopt);
      continue;
    }
    EXPECT_EQ(file.comment(), c.comment);
    EXPECT_EQ(file.options(), c.options);
  }
  // Nothing to read: no path, an empty one, a missing file, a folder.
  for (const std::optional<fs::path>& path :
       {std::optional<fs::path>(), std::optional<fs::path>(fs::path()),
        std::optional<fs::path>(folder_.path() / "missing.pfj"), std::optional<fs::path>(folder_.path())})
    EXPECT_EQ(FavoriteFile::favoriteFileWithContentsOfFile(path).version(), kFavoriteFile_UnknownVersion);
}

TEST_F(FavoriteFileTest, TheWriterRefusesWhatWouldNotReadBackAndKeepsTheFavoriteWhole) {
  const std::string old = "2\n7\n3\nComment=old\nA=1\t\t";
  const fs::path path = write("kept.pfj", old);
  struct Case {
    const char* what;
    const char* locale;
    FavoriteFile file;
    FavoriteWriteFailure failure;
  };
  const Case cases[] = {
      {"a key of 129 bytes", "C.UTF-8", favoriteWith({}, {{std::string(129, 'k'), "v"}}),
       FavoriteWriteFailure::UnstorableText},
      {"a value of 513 bytes", "C.UTF-8", favoriteWith({}, {{"K", std::string(513, 'v')}}),
       FavoriteWriteFailure::UnstorableText},
      {"a comment of 256 bytes", "C.UTF-8", favoriteWith(std::string(256, 'c'), {{"K", "v"}}),
       FavoriteWriteFailure::UnstorableText},
      {"a key with =", "C.UTF-8", favoriteWith({}, {{"K=1", "v"}}), FavoriteWriteFailure::UnstorableText},
      {"a value with TAB", "C.UTF-8", favoriteWith({}, {{"K", "a\tb"}}), FavoriteWriteFailure::UnstorableText},
      {"a comment with LF", "C.UTF-8", favoriteWith("a\nb", {{"K", "v"}}), FavoriteWriteFailure::UnstorableText},
      {"an empty key", "C.UTF-8", favoriteWith({}, {{"", "v"}}), FavoriteWriteFailure::UnstorableText},
      {"a value that is no text", "C.UTF-8", favoriteWith({}, {{"K", Value(Array{})}}),
       FavoriteWriteFailure::UnstorableText},
      {"Japanese in CP1252", "C.UTF-8", favoriteWith("表", {{"K", "v"}}), FavoriteWriteFailure::UnstorableText},
      {"Hangul in CP932", "ja_JP.UTF-8", favoriteWith({}, {{"K", "종"}}), FavoriteWriteFailure::UnstorableText},
      {"no settings", "C.UTF-8", favoriteWith("c", {}), FavoriteWriteFailure::NoOptions},
      {"a locale of another script", "ru_RU.UTF-8", favoriteWith({}, {{"K", "v"}}),
       FavoriteWriteFailure::NoLocalEncoding},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedEnvironment locale("LC_ALL", std::string(c.locale));
    std::string reason;
    EXPECT_EQ(c.file.writeToFile(path, &reason), c.failure);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(fileBytes(path), old);
  }
  // The disk refuses the bytes.
  {
    const ScopedWriteRefusal refusal;
    EXPECT_EQ(favoriteWith("new", {{"K", "v"}}).writeToFile(path), FavoriteWriteFailure::FileSystem);
  }
  EXPECT_EQ(fileBytes(path), old);
  EXPECT_EQ(files::contentsOfDirectory(folder_.path()), std::vector<std::string>{"kept.pfj"});  // no temporary left

  // The longest texts the readers take are written and read back whole.
  const FavoriteFile longest =
      favoriteWith(std::string(255, 'c'), {{std::string(128, 'k'), std::string(512, 'v')}, {"B", ""}});
  ASSERT_EQ(longest.writeToFile(path), FavoriteWriteFailure::None);
  const FavoriteFile read(path);
  EXPECT_EQ(read.comment(), longest.comment());
  EXPECT_EQ(read.options(), longest.options());
  // A new file never replaces one.
  EXPECT_EQ(longest.writeToNewFile(path), FavoriteWriteFailure::FileSystem);
  EXPECT_EQ(favoriteWith({}, {{"K", "v"}}).writeToFile(std::nullopt), FavoriteWriteFailure::NoPath);
}

TEST_F(FavoriteFileTest, ALocaleOfAnotherScriptHasNoLocalEncodingAndSaysWhich) {
  ScopedEnvironment locale("LC_ALL", std::string("ru_RU.UTF-8"));
  LogCapture log;
  EXPECT_EQ(FavoriteFile::stringEncodingForLocal(), std::nullopt);
  ASSERT_EQ(log.lines().size(), 3u);
  EXPECT_TRUE(log.lines()[0].starts_with("system encoding=0x")) << log.lines()[0];
  EXPECT_EQ(log.lines()[1], "IANA: \"UTF-8\"");
  EXPECT_EQ(log.lines()[2], "localizedName: \"ru_RU.UTF-8\"");
}

TEST_F(FavoriteFileTest, NamesAndPaths) {
  EXPECT_EQ(FavoriteFile::stringByAppendingExtension("a.b"), "a.b.pfj");
  EXPECT_EQ(FavoriteFile::nameAppendingClassic("Proof"), "Proof (Classic)");
  EXPECT_EQ(FavoriteFile::pathWithName("a.b", fs::path("/f")), fs::path("/f/a.b.pfj"));
  for (const char* name : {"x.pfj", "a.b.pfj", ".pfj"}) EXPECT_TRUE(FavoriteFile::hasExtension(name)) << name;
  for (const char* name : {"x.PFJ", "x.pfjx", "xpfj"}) EXPECT_FALSE(FavoriteFile::hasExtension(name)) << name;
  const std::pair<const char*, const char*> names[] = {{"/f/a.b.pfj", "a.b"},
                                                       {"/f/.x.pfj", ".x"},
                                                       {"/f/plain", "plain"},
                                                       {"/f/.hidden", ".hidden"},
                                                       {"rel/n.pfj/", "n"}};
  for (const auto& [path, name] : names) EXPECT_EQ(FavoriteFile::nameWithPath(fs::path(path)), name) << path;
  // Absent arguments, and names that would leave the folder.
  EXPECT_EQ(FavoriteFile::nameWithPath(std::nullopt), std::nullopt);
  EXPECT_EQ(FavoriteFile::stringByAppendingExtension(std::nullopt), std::nullopt);
  EXPECT_EQ(FavoriteFile::pathWithName("a", std::nullopt), std::nullopt);
  EXPECT_EQ(FavoriteFile::pathWithName("../a", fs::path("/f")), std::nullopt);
  EXPECT_FALSE(FavoriteFile::hasExtension(std::nullopt));
}

}  // namespace
}  // namespace orval

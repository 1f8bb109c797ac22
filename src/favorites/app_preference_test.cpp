#include "favorites/app_preference.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/common_reset.h"
#include "common/principal_bundle.h"
#include "favorites/favorites_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/unreadable_files_test_support.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using favorites_testing::TemporaryFolder;
using favorites_testing::writePlugInBundle;
using foundation_testing::ScopedEnvironment;
using foundation_testing::sparseFile;

const Dict kOrvalTestEntry{{"panesTreeFileName", "PanesTree"}, {"convertTableFileName", "ConvertTable"},
                           {"ppdFileName", "TZPrintServer.ppd"}, {"productFolderName", "TZPrintServer"},
                           {"subFolderName", "PDE"}};

class AppPreferenceTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    resetCommonStateForTesting();
    AppPreference::resetSharedInstanceForTesting();
  }
  void registerBundle(const std::string& name, const Dict& informations,
                      const std::vector<std::string>& localizations = {}) {
    SetBSPrincipalBundle(writePlugInBundle(folder_.path(), name, informations, localizations));
  }
  static std::optional<Dict> readProfile(const std::optional<fs::path>& path) {
    return preference().profileDictionaryWithContentsOfFile(path);
  }
  static AppPreference& preference() { return AppPreference::sharedInstance(); }

  TemporaryFolder folder_;
  const fs::path config = folder_.path() / "home" / "config";
  ScopedEnvironment xdg{"XDG_CONFIG_HOME", config.string()};
};

TEST_F(AppPreferenceTest, ResourceNamesComeFromTheBundlesOwnEntryOrTheNamedOne) {
  LogCapture log;
  EXPECT_EQ(preference().panesTreeFileNameWithAppName(), std::nullopt);  // no bundle at all
  EXPECT_TRUE(log.contains("##### fail to retrieve infomations dictionary"));
  registerBundle("OrvalTest", Dict{{"OrvalTest", kOrvalTestEntry},
                                   {"Other", Dict{{"panesTreeFileName", "OtherTree"}}}});
  EXPECT_EQ(preference().convertTableFileNameWithAppName(), "ConvertTable");
  EXPECT_EQ(preference().panesTreeFileNameWithAppName("Other"), "OtherTree");
  log.clear();
  EXPECT_EQ(preference().ppdFileNameWithAppName("Other"), std::nullopt);  // an entry without the key: not logged
  EXPECT_TRUE(log.lines().empty());
  EXPECT_EQ(preference().ppdFileNameWithAppName("Nobody"), std::nullopt);
  EXPECT_EQ(log.lines().size(), 1u);
  // A bundle without "CFBundleName" finds no entry even when one is keyed "".
  registerBundle("", Dict{{"", kOrvalTestEntry}});
  EXPECT_EQ(preference().convertTableFileNameWithAppName(), std::nullopt);
  // A named bundle whose information file is missing.
  registerBundle("OrvalTest", Dict{{"OrvalTest", kOrvalTestEntry}});
  fs::remove(BSPrincipalBundle()->resourcePath() / "miscellaneous.plist");
  EXPECT_EQ(preference().convertTableFileNameWithAppName(), std::nullopt);
}

TEST_F(AppPreferenceTest, JapaneseIsPreferredOnlyForExactlyJaOrJapaneseAndDecidedOnce) {
  ScopedEnvironment lcAll("LC_ALL", std::nullopt), lcMessages("LC_MESSAGES", std::nullopt), lang("LANG", std::nullopt);
  const struct {
    const char* language;
    std::vector<std::string> localizations;
    bool japanese;
  } cases[] = {{"ja", {"en", "ja"}, true},        {"Japanese", {"English", "Japanese"}, true},
               {"ja_JP", {"en", "ja_JP"}, false}, {"Japanese_Kansai", {"en", "Japanese_Kansai"}, false},
               {"fr", {"en", "ja"}, false},       {"ja", {"de"}, false}};
  for (const auto& c : cases) {
    ScopedEnvironment language("LANGUAGE", std::string(c.language));
    TearDown();
    const TemporaryFolder folder;
    SetBSPrincipalBundle(writePlugInBundle(folder.path(), "OrvalTest", {}, c.localizations));
    EXPECT_EQ(preference().isJapanesePreferred(), c.japanese) << c.language;
    ScopedEnvironment other("LANGUAGE", std::string(c.japanese ? "en" : "ja"));
    EXPECT_EQ(preference().isJapanesePreferred(), c.japanese) << c.language << ", decided once";
  }
}

TEST_F(AppPreferenceTest, EveryMissingLevelOfTheFavoriteFolderOfUsableNamesIsCreatedWithItsMode) {
  for (const auto& [key, name] : {std::pair{"productFolderName", ".."}, std::pair{"subFolderName", "a/b"},
                                  std::pair{"subFolderName", ""}}) {
    Dict entry = kOrvalTestEntry;
    entry.set(key, name);
    registerBundle("OrvalTest", Dict{{"OrvalTest", entry}});
    EXPECT_TRUE(preference().favoriteFolderPathArray(true).empty()) << name;
    TearDown();
  }
  registerBundle("OrvalTest", Dict{{"OrvalTest", kOrvalTestEntry}});
  const fs::path favorite = config / "QUILLANT" / "TZPrintServer" / "PDE" / "favorite";
  EXPECT_EQ(preference().favoriteFolderPathArray(false), std::vector<fs::path>{favorite});  // named, not made
  EXPECT_FALSE(fs::exists(config));
  const mode_t previousMask = umask(077);  // the modes must not depend on the umask
  const std::vector<fs::path> folders = preference().favoriteFolderPathArray(true);
  umask(previousMask);
  ASSERT_EQ(folders, std::vector<fs::path>{favorite});
  EXPECT_EQ(fs::status(config).permissions(), fs::perms(0700));
  for (const fs::path& level : {config / "QUILLANT", favorite.parent_path(), favorite})
    EXPECT_EQ(fs::status(level).permissions(), fs::perms(0775)) << level;
}

TEST_F(AppPreferenceTest, ProfileLinesLoseTheirLastTwoCharactersWhateverTheirEnd) {
  const fs::path crlf = folder_.write("crlf.txt",
                                      "Name=Coated Stock\r\n"
                                      "  Weight=120\r\n"        // leading spaces are skipped
                                      "Key =a=b \r\n"           // split at the first "=", spaces kept
                                      "no pair here\r\n=orphan value\r\n\r\nEmpty=\r\n"
                                      "Name=Plain Stock\r\n");  // a later line wins
  EXPECT_EQ(readProfile(crlf), (Dict{{"Name", Value("Plain Stock")}, {"Weight", Value("120")},
                                     {"Key ", Value("a=b ")}, {"Empty", Value("")}}));
  const fs::path lf = folder_.write("lf.txt",
                                    "Alpha=1234\n"              // LF only: the value loses its last character
                                    "Beta=\xC3\xA9t\xC3\xA9\n"  // characters, not bytes
                                    "\nGamma=xyz");             // no line end: two characters go
  EXPECT_EQ(readProfile(lf), (Dict{{"Alpha", Value("123")}, {"Beta", Value("\xC3\xA9t")}, {"Gamma", Value("x")}}));
}

TEST_F(AppPreferenceTest, ProfilesAreReadAsUtf8ThenCp850AndMissingOnesAnswerNone) {
  LogCapture log;
  // "Café" in CP850 (0x82, a low quotation mark in CP1252) is not valid UTF-8.
  EXPECT_EQ(readProfile(folder_.write("cp850.txt", "Title=Caf\x82\r\n")), (Dict{{"Title", Value("Caf\xC3\xA9")}}));
  EXPECT_EQ(readProfile(folder_.write("utf8.txt", "\xEF\xBB\xBFTitle=Caf\xC3\xA9\r\n")),
            (Dict{{"Title", Value("Caf\xC3\xA9")}}));
  EXPECT_TRUE(log.lines().empty());
  for (const std::optional<fs::path>& none : {std::optional<fs::path>(), std::optional(folder_.path() / "absent.txt")})
    EXPECT_EQ(readProfile(none), std::nullopt);
  log.clear();
  EXPECT_EQ(readProfile(folder_.path()), std::nullopt);  // a folder
  // A file larger than any profile is refused unread: reading it whole could exhaust memory.
  EXPECT_EQ(readProfile(sparseFile(folder_.path() / "huge.txt", std::uintmax_t{1} << 40)), std::nullopt);
  ASSERT_EQ(log.lines().size(), 2u);
  EXPECT_NE(log.lines()[0].find("##### fail to read \"" + folder_.path().string() + "\" (encoding=4, error="),
            std::string::npos) << log.lines()[0];
  EXPECT_NE(log.lines()[1].find("it is larger than 16 MiB"), std::string::npos) << log.lines()[1];
}

}  // namespace
}  // namespace orval

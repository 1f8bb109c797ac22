#include "favorites/app_preference.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "common/common_reset.h"
#include "common/principal_bundle.h"
#include "favorites/favorites_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using favorites_testing::TemporaryFolder;
using favorites_testing::writePlugInBundle;
using foundation_testing::ScopedEnvironment;

const Dict kOrvalTestEntry{{"panesTreeFileName", Value("PanesTree")}, {"convertTableFileName", Value("ConvertTable")},
                           {"ppdFileName", Value("TZPrintServer.ppd")}, {"productFolderName", Value("TZPrintServer")},
                           {"subFolderName", Value("PDE")}};

class AppPreferenceTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    resetCommonStateForTesting();
    AppPreference::resetSharedInstanceForTesting();
  }

  // Registers a plug-in bundle named name whose information dictionary is informations.
  void registerBundle(const std::string& name, const Dict& informations,
                      const std::vector<std::string>& localizations = {}) {
    SetBSPrincipalBundle(writePlugInBundle(folder_.path(), name, informations, localizations));
  }
  void registerOrvalTest(const Dict& entry = kOrvalTestEntry) {
    registerBundle("OrvalTest", Dict{{"OrvalTest", Value(entry)}});
  }
  static std::optional<Dict> readProfile(const fs::path& path) {
    return AppPreference::sharedInstance().profileDictionaryWithContentsOfFile(path);
  }

  fs::path writeFile(const std::string& name, std::string_view bytes) {
    const fs::path path = folder_.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  TemporaryFolder folder_;
};

mode_t modeOf(const fs::path& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return 0;
  return info.st_mode & 07777;
}


TEST_F(AppPreferenceTest, ResourceNamesComeFromTheBundlesOwnEntryOrTheNamedOne) {
  registerBundle("OrvalTest", Dict{{"OrvalTest", Value(kOrvalTestEntry)},
                                   {"Other", Value(Dict{{"panesTreeFileName", Value("OtherTree")}})}});
  AppPreference& preference = AppPreference::sharedInstance();
  EXPECT_EQ(preference.panesTreeFileNameWithAppName(), "PanesTree");
  EXPECT_EQ(preference.convertTableFileNameWithAppName(), "ConvertTable");
  EXPECT_EQ(preference.ppdFileNameWithAppName(), "TZPrintServer.ppd");
  EXPECT_EQ(preference.panesTreeFileNameWithAppName("Other"), "OtherTree");

  // An entry without the key: none, and nothing is logged.
  LogCapture log;
  EXPECT_EQ(preference.ppdFileNameWithAppName("Other"), std::nullopt);
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(AppPreferenceTest, AMissingEntryOrBundleNameIsLoggedAndAnswersNone) {
  AppPreference& preference = AppPreference::sharedInstance();
  {
    LogCapture log;
    EXPECT_EQ(preference.panesTreeFileNameWithAppName(), std::nullopt);  // no bundle at all
    EXPECT_TRUE(log.contains("##### fail to retrieve infomations dictionary"));
  }
  registerBundle("OrvalTest", Dict{{"Someone", Value(kOrvalTestEntry)}});
  {
    LogCapture log;
    EXPECT_EQ(preference.ppdFileNameWithAppName(), std::nullopt);
    EXPECT_EQ(preference.ppdFileNameWithAppName("Nobody"), std::nullopt);
    EXPECT_EQ(log.lines().size(), 2u);
    EXPECT_TRUE(log.contains("##### fail to retrieve infomations dictionary"));
  }
  // A bundle without "CFBundleName" finds no entry even when one is keyed "".
  registerBundle("", Dict{{"", Value(kOrvalTestEntry)}});
  LogCapture log;
  EXPECT_EQ(preference.convertTableFileNameWithAppName(), std::nullopt);
  EXPECT_TRUE(log.contains("##### fail to retrieve infomations dictionary"));
}

TEST_F(AppPreferenceTest, TheShippedInformationDictionaryNamesEveryResourceAndFolder) {
  const fs::path resources = fs::path(ORVAL_SOURCE_DIR) / "resources";
  const std::optional<Dict> shipped = dictFromFile(resources / "miscellaneous.plist");
  ASSERT_TRUE(shipped);
  // The bundle's own entry is the one every caller uses.
  const std::optional<Dict> info = dictFromFile(resources / "Info.plist.in");
  ASSERT_TRUE(info);
  EXPECT_TRUE(shipped->get(info->get("CFBundleName").text()).isDict());
  for (const auto& [appName, entry] : *shipped) {
    ASSERT_TRUE(entry.isDict()) << appName;
    for (const char* key : {"panesTreeFileName", "convertTableFileName", "ppdFileName", "productFolderName",
                            "subFolderName"}) {
      const std::string* value = entry.asDict()->get(key).asString();
      ASSERT_NE(value, nullptr) << appName << " " << key;
      EXPECT_FALSE(value->empty()) << appName << " " << key;
    }
    const std::string ppd = *entry.asDict()->get("ppdFileName").asString();
    EXPECT_TRUE(fs::exists(resources / ppd)) << ppd;
  }
}


TEST_F(AppPreferenceTest, JapaneseIsPreferredOnlyForExactlyJaOrJapanese) {
  ScopedEnvironment lcAll("LC_ALL", std::nullopt), lcMessages("LC_MESSAGES", std::nullopt);
  ScopedEnvironment lang("LANG", std::nullopt);
  struct Case {
    const char* language;
    std::vector<std::string> localizations;
    bool japanese;
  };
  // "ja_JP" merely begins with "ja"; the last has no matching localization at all.
  const Case cases[] = {{"ja", {"en", "ja"}, true},        {"Japanese", {"English", "Japanese"}, true},
                        {"ja_JP", {"en", "ja_JP"}, false}, {"Japanese_Kansai", {"en", "Japanese_Kansai"}, false},
                        {"fr", {"en", "ja"}, false},       {"ja", {"de"}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ScopedEnvironment language("LANGUAGE", std::string(c.language));
    AppPreference::resetSharedInstanceForTesting();
    resetCommonStateForTesting();
    const TemporaryFolder folder;
    SetBSPrincipalBundle(writePlugInBundle(folder.path(), "OrvalTest", {}, c.localizations));
    EXPECT_EQ(AppPreference::sharedInstance().isJapanesePreferred(), c.japanese);
  }
}

TEST_F(AppPreferenceTest, AJapaneseLocaleSelectsTheJapaneseLocalizationAndTheAnswerIsKept) {
  ScopedEnvironment language("LANGUAGE", std::nullopt), lcAll("LC_ALL", std::nullopt);
  ScopedEnvironment lcMessages("LC_MESSAGES", std::nullopt);
  ScopedEnvironment lang("LANG", std::string("ja_JP.UTF-8"));
  registerBundle("OrvalTest", {}, {"en", "ja"});
  AppPreference& preference = AppPreference::sharedInstance();
  EXPECT_TRUE(preference.isJapanesePreferred());

  ScopedEnvironment english("LANG", std::string("en_US.UTF-8"));
  EXPECT_TRUE(preference.isJapanesePreferred());  // decided once
  AppPreference::resetSharedInstanceForTesting();
  EXPECT_FALSE(AppPreference::sharedInstance().isJapanesePreferred());
}


TEST_F(AppPreferenceTest, EveryMissingLevelOfTheFavoriteFolderIsCreatedWithItsMode) {
  registerOrvalTest();
  const fs::path config = folder_.path() / "home" / "config";
  ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string());
  const mode_t previousMask = umask(077);  // the modes must not depend on the umask

  const std::vector<fs::path> folders = AppPreference::sharedInstance().favoriteFolderPathArray(true);
  umask(previousMask);

  const fs::path favorite = config / "QUILLANT" / "TZPrintServer" / "PDE" / "favorite";
  ASSERT_EQ(folders, std::vector<fs::path>{favorite});
  EXPECT_TRUE(fs::is_directory(favorite));
  EXPECT_EQ(modeOf(folder_.path() / "home"), 0700u);
  EXPECT_EQ(modeOf(config), 0700u);
  for (const fs::path& level : {config / "QUILLANT", config / "QUILLANT" / "TZPrintServer",
                                config / "QUILLANT" / "TZPrintServer" / "PDE", favorite})
    EXPECT_EQ(modeOf(level), 0775u) << level;
}

TEST_F(AppPreferenceTest, ExistingLevelsKeepTheirModeAndOnlyMissingOnesAreMade) {
  registerOrvalTest();
  const fs::path config = folder_.path() / "config";
  ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string());
  fs::create_directories(config / "QUILLANT");
  chmod((config / "QUILLANT").c_str(), 0750);

  // Without creation the folder is named but not made.
  const fs::path favorite = config / "QUILLANT" / "TZPrintServer" / "PDE" / "favorite";
  EXPECT_EQ(AppPreference::sharedInstance().favoriteFolderPathArray(false), std::vector<fs::path>{favorite});
  EXPECT_FALSE(fs::exists(config / "QUILLANT" / "TZPrintServer"));

  AppPreference::sharedInstance().favoriteFolderPathArray(true);
  EXPECT_EQ(modeOf(config / "QUILLANT"), 0750u);
  EXPECT_EQ(modeOf(config / "QUILLANT" / "TZPrintServer"), 0775u);
  EXPECT_EQ(modeOf(favorite), 0775u);
}

TEST_F(AppPreferenceTest, AFolderThatCannotBeMadeIsStillAnswered) {
  registerOrvalTest();
  const fs::path config = folder_.path() / "config";
  ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string());
  fs::create_directories(config);
  std::ofstream(config / "QUILLANT") << "a file where a folder belongs";

  const std::vector<fs::path> folders = AppPreference::sharedInstance().favoriteFolderPathArray(true);
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], config / "QUILLANT" / "TZPrintServer" / "PDE" / "favorite");
  EXPECT_TRUE(fs::is_regular_file(config / "QUILLANT"));
}

TEST_F(AppPreferenceTest, WithoutUsableFolderNamesThereIsNoFavoriteFolder) {
  const fs::path config = folder_.path() / "config";
  ScopedEnvironment xdg("XDG_CONFIG_HOME", config.string());
  Dict escaping = kOrvalTestEntry;
  escaping.set("productFolderName", Value(".."));
  Dict nested = kOrvalTestEntry;
  nested.set("subFolderName", Value("a/b"));
  Dict incomplete = kOrvalTestEntry;
  incomplete.remove("subFolderName");
  for (const Dict& entry : {escaping, nested, incomplete}) {
    registerOrvalTest(entry);
    EXPECT_TRUE(AppPreference::sharedInstance().favoriteFolderPathArray(true).empty());
  }
  EXPECT_FALSE(fs::exists(config));
}


TEST_F(AppPreferenceTest, ProfileLinesWithCrLfGiveOnePairEach) {
  const fs::path path = writeFile("crlf.txt",
                                  "Name=Coated Stock\r\n"
                                  "  Weight=120\r\n"        // leading spaces are skipped
                                  "Key =a=b \r\n"           // split at the first "=", spaces kept
                                  "no pair here\r\n"
                                  "=orphan value\r\n"
                                  "\r\n"
                                  "Empty=\r\n"
                                  "Name=Plain Stock\r\n");  // a later line wins
  const std::optional<Dict> profile = readProfile(path);
  ASSERT_TRUE(profile);
  EXPECT_EQ(*profile, (Dict{{"Name", Value("Plain Stock")}, {"Weight", Value("120")}, {"Key ", Value("a=b ")},
                            {"Empty", Value("")}}));
}

TEST_F(AppPreferenceTest, ProfileLinesLoseTheirLastTwoCharactersWhateverTheirEnd) {
  const fs::path path = writeFile("lf.txt",
                                  "Alpha=1234\n"      // LF only: the value loses its last character
                                  "Beta=\xC3\xA9t\xC3\xA9\n"  // characters, not bytes
                                  "\n"                // an empty LF line has no pair
                                  "Gamma=xyz");       // no line end: two characters go
  const std::optional<Dict> profile = readProfile(path);
  ASSERT_TRUE(profile);
  EXPECT_EQ(*profile, (Dict{{"Alpha", Value("123")}, {"Beta", Value("\xC3\xA9t")}, {"Gamma", Value("x")}}));
}

TEST_F(AppPreferenceTest, AProfileThatIsNotUtf8IsReadAsCp850WithoutALogLine) {
  // "Café" and "Ü" in CP850 (0x82, 0x9A) are not valid UTF-8.
  const fs::path path = writeFile("cp850.txt", "Title=Caf\x82\r\nMark=\x9A\r\n");
  LogCapture log;
  const std::optional<Dict> profile = readProfile(path);
  ASSERT_TRUE(profile);
  EXPECT_EQ(*profile, (Dict{{"Title", Value("Caf\xC3\xA9")}, {"Mark", Value("\xC3\x9C")}}));
  EXPECT_TRUE(log.lines().empty());

  // UTF-8 is tried first: the same text in UTF-8 is read as written.
  const fs::path utf8 = writeFile("utf8.txt", "\xEF\xBB\xBFTitle=Caf\xC3\xA9\r\n");
  EXPECT_EQ(readProfile(utf8), (Dict{{"Title", Value("Caf\xC3\xA9")}}));
}

TEST_F(AppPreferenceTest, AbsentOrUnreadableProfilesAnswerNone) {
  AppPreference& preference = AppPreference::sharedInstance();
  EXPECT_EQ(preference.profileDictionaryWithContentsOfFile(std::nullopt), std::nullopt);
  EXPECT_EQ(preference.profileDictionaryWithContentsOfFile(fs::path()), std::nullopt);
  EXPECT_EQ(preference.profileDictionaryWithContentsOfFile(folder_.path() / "absent.txt"), std::nullopt);

  LogCapture log;
  EXPECT_EQ(preference.profileDictionaryWithContentsOfFile(folder_.path()), std::nullopt);  // a folder
  ASSERT_EQ(log.lines().size(), 1u);
  EXPECT_NE(log.lines()[0].find("##### fail to read \"" + folder_.path().string() + "\" (encoding=4, error="),
            std::string::npos) << log.lines()[0];
}


TEST_F(AppPreferenceTest, TheClassicIconIsTheBundlesClassicImage) {
  EXPECT_EQ(AppPreference::sharedInstance().clasicIcon(), std::nullopt);  // no bundle
  registerBundle("OrvalTest", {});
  EXPECT_EQ(AppPreference::sharedInstance().clasicIcon(), std::nullopt);  // no image

  fs::copy_file(fs::path(ORVAL_SOURCE_DIR) / "src/favorites/testdata/Classic.png",
                BSPrincipalBundle()->resourcePath() / "Classic.png");
  const std::optional<tk::Image> icon = AppPreference::sharedInstance().clasicIcon();
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->size().width, 24);
  EXPECT_EQ(icon->size().height, 20);
}

}  // namespace
}  // namespace orval

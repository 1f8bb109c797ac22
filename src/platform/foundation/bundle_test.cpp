#include "platform/foundation/bundle.h"

#include <gtest/gtest.h>

#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/testdata/sample_principal.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using foundation_testing::SampleGreeter;
using foundation_testing::ScopedEnvironment;

// The bundles the build assembles from testdata/bundles and testdata/sample_bundle.cpp.
fs::path builtBundle(const std::string& name) {
  return fs::path(ORVAL_BINARY_DIR) / "src/platform/foundation/testdata" / name;
}

// The environment's language, set for one test: LANGUAGE as given, the locale variables cleared.
class Languages {
 public:
  explicit Languages(const std::optional<std::string>& language)
      : language_("LANGUAGE", language), all_("LC_ALL", std::nullopt), messages_("LC_MESSAGES", std::nullopt),
        lang_("LANG", std::nullopt) {}

 private:
  ScopedEnvironment language_, all_, messages_, lang_;
};

// A bundle made in a temporary folder, for cases the built fixtures do not cover.
class TemporaryBundle {
 public:
  explicit TemporaryBundle(const Dict& info) {
    fs::create_directories(path_ / "Contents/Resources");
    writePlistFile(path_ / "Contents/Info.plist", info);
  }
  void writeResource(const std::string& relative, const std::string& bytes) const {
    root_.write(path_ / "Contents/Resources" / relative, bytes);
  }
  const fs::path& path() const { return path_; }

 private:
  foundation_testing::TemporaryFolder root_;
  fs::path path_ = root_.path() / "Made.bundle";
};

class BundleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(sample_, nullptr) << "build the foundation_sample_bundle target"; }

  std::shared_ptr<Bundle> sample_ = Bundle::bundleWithPath(builtBundle("Sample.bundle"));
};

TEST_F(BundleTest, OpensOnlyFoldersAndReadsItsInformation) {
  EXPECT_EQ(Bundle::bundleWithPath(builtBundle("Absent.bundle")), nullptr);
  EXPECT_EQ(Bundle::bundleWithPath(builtBundle("Sample.bundle/Contents/Info.plist")), nullptr);

  EXPECT_EQ(sample_->bundleIdentifier(), "org.orval.test.sample");
  EXPECT_EQ(sample_->infoDictionary().get("CFBundleName"), Value("Sample"));
}

TEST_F(BundleTest, FindsResourcesThenLocalizedResources) {
  const fs::path resources = sample_->resourcePath();
  EXPECT_EQ(sample_->pathForResource("sample", "txt"), resources / "sample.txt");
  EXPECT_EQ(sample_->pathForResource("sample.txt", ""), resources / "sample.txt");
  EXPECT_EQ(sample_->pathForResource("", "txt"), std::nullopt);
  {
    const Languages japanese("ja");
    EXPECT_EQ(sample_->pathForResource("notes", "txt"), resources / "ja.lproj/notes.txt");
  }
  {
    const Languages french("fr");
    EXPECT_EQ(sample_->pathForResource("notes", "txt"), resources / "en.lproj/notes.txt");
  }
  EXPECT_EQ(sample_->pathsForResourcesOfType("dat"),
            (std::vector<fs::path>{resources / "alpha.dat", resources / "beta.dat"}));
  EXPECT_EQ(sample_->pathsForResourcesOfType(".dat", "Sub"),
            (std::vector<fs::path>{resources / "Sub/gamma.dat"}));
  EXPECT_TRUE(sample_->pathsForResourcesOfType("dat", "NoSuchFolder").empty());
  EXPECT_EQ(sample_->localizations(), (std::vector<std::string>{"en", "ja"}));
}

TEST_F(BundleTest, PreferredLanguagesFollowTheEnvironment) {
  using Setting = std::optional<std::string>;
  const struct {
    Setting language, all, messages, lang;
    std::vector<std::string> preferred;
  } rows[] = {
      // LC_ALL decides the locale; LANG, overridden, adds nothing.
      {"ja_JP.UTF-8:fr", "de_DE.UTF-8@euro", {}, "it_IT", {"ja_JP", "ja", "fr", "de_DE", "de", "en"}},
      {{}, {}, {}, "ja_JP.UTF-8", {"ja_JP", "ja", "en"}},
      {"", {}, "POSIX", "ja_JP.UTF-8", {"en"}},
      {"C.UTF-8:fr", {}, {}, {}, {"fr", "en"}},
  };
  for (const auto& row : rows) {
    const ScopedEnvironment language("LANGUAGE", row.language), all("LC_ALL", row.all),
        messages("LC_MESSAGES", row.messages), lang("LANG", row.lang);
    EXPECT_EQ(Bundle::preferredLanguages(), row.preferred) << row.language.value_or("(unset)");
  }
  const Languages several("fr:ja");
  EXPECT_EQ(sample_->preferredLocalizations(), (std::vector<std::string>{"ja", "en"}));
}

TEST_F(BundleTest, LocalizesFromTablesInPreferredOrderThenEnglish) {
  {
    const Languages japanese("ja");
    EXPECT_EQ(sample_->localizedString("Auto"), "自動");
    EXPECT_EQ(sample_->localizedString("DuplexMode", {}, "UI"), "両面");
    EXPECT_EQ(sample_->localizedString("OnlyInEnglish"), "English only");
    EXPECT_EQ(sample_->localizedString("Nowhere", "Given"), "Given");
  }
  const Languages english("fr");
  EXPECT_EQ(sample_->localizedString("DuplexMode", {}, "UI"), "Two-Sided");
}

TEST(BundleTablesTest, ReadsBinaryTablesOnceAndSurvivesBrokenOnes) {
  TemporaryBundle made(Dict{{"CFBundleIdentifier", "org.orval.test.made"}});
  made.writeResource("en.lproj/Localizable.strings", plistToBinary(Dict{{"Auto", "Automatic (binary)"}}));
  made.writeResource("ja.lproj/Localizable.strings", "<plist><dict><key>Auto</key><string>自動");  // truncated
  const std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(made.path());
  ASSERT_NE(bundle, nullptr);

  const Languages japanese("ja");
  LogCapture log;
  EXPECT_EQ(bundle->localizedString("Auto"), "Automatic (binary)");  // the broken ja table is skipped
  EXPECT_TRUE(log.contains("###"));

  // A table is read once: later changes to the file are not seen.
  made.writeResource("en.lproj/Localizable.strings", plistToXml(Dict{{"Auto", "Changed"}}));
  EXPECT_EQ(bundle->localizedString("Auto"), "Automatic (binary)");
  EXPECT_EQ(Bundle::bundleWithPath(made.path())->localizedString("Auto"), "Changed");
}

TEST_F(BundleTest, LoadsTheExecutableAndMakesThePrincipalObject) {
  EXPECT_FALSE(sample_->isLoaded());
  std::string error;
  std::unique_ptr<BundlePrincipal> principal = sample_->makePrincipalObject(&error);
  ASSERT_NE(principal, nullptr) << error;
  EXPECT_TRUE(sample_->isLoaded());

  EXPECT_NE(dynamic_cast<const SampleGreeter*>(principal.get()), nullptr);
  const auto greetersMade = reinterpret_cast<int (*)()>(sample_->symbol("SampleGreetersMade"));
  ASSERT_NE(greetersMade, nullptr);
  EXPECT_EQ(greetersMade(), 1);  // one call of the factory, not a second for a check

  principal.reset();  // before the code that made it is unloaded
  sample_->unload();
  EXPECT_FALSE(sample_->isLoaded());
}

TEST(BundleLoadingTest, BundlesThatCannotBeLoadedAreReported) {
  const TemporaryBundle missing(Dict{{"CFBundleExecutable", "libMissing.so"}, {"NSPrincipalClass", "Greeter"}});
  const TemporaryBundle unnamed(Dict{{"NSPrincipalClass", "Greeter"}});
  // The executable is a plain file name in Contents/Linux, never a path out of it.
  const TemporaryBundle escaping(Dict{{"CFBundleExecutable", "../../libSample.so"}, {"NSPrincipalClass", "Greeter"}});
  const TemporaryBundle classless(Dict{{"CFBundleExecutable", "libSample.so"}});
  struct Case {
    fs::path bundle;
    std::string fragment;
    bool loads;
  };
  const std::vector<Case> cases = {{builtBundle("Broken.bundle"), "cannot load", false},
                                   {builtBundle("NoFactory.bundle"), "OrvalPrincipalClass_AbsentGreeter", true},
                                   {builtBundle("NullFactory.bundle"), "made no object", true},
                                   {missing.path(), "not found", false},
                                   {unnamed.path(), "CFBundleExecutable", false},
                                   {escaping.path(), "CFBundleExecutable", false},
                                   {classless.path(), "NSPrincipalClass", false}};
  for (const Case& c : cases) {
    const std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(c.bundle);
    ASSERT_NE(bundle, nullptr) << c.bundle;
    LogCapture log;
    std::string error;
    EXPECT_EQ(bundle->makePrincipalObject(&error), nullptr) << c.bundle;
    EXPECT_NE(error.find(c.fragment), std::string::npos) << c.bundle << ": " << error;
    EXPECT_TRUE(log.contains("###")) << c.bundle;
    EXPECT_EQ(bundle->isLoaded(), c.loads) << c.bundle;
  }
}

}  // namespace
}  // namespace orval

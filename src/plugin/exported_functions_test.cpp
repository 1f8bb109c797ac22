// The functions the bundle's executable exports, found by name in the bundle
// itself (not only in the liborval it links), and working through it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/toolkit.h"
#include "plugin/plugin_test_support.h"

namespace orval {
namespace {

using plugin_testing::bundlePath;
using Text = std::unique_ptr<char, decltype(&std::free)>;

class ExportedFunctionsTest : public plugin_testing::PlugInTest {
 protected:
  void SetUp() override {
    PlugInTest::SetUp();
    bundle = Bundle::bundleWithPath(bundlePath());
    ASSERT_TRUE(bundle);
    std::string error;
    ASSERT_TRUE(bundle->load(&error)) << error;
    SetBSPrincipalBundle(bundle);
  }

  // The symbol of the bundle's executable, after checking that the executable itself defines it.
  template <typename Function>
  Function* exported(const char* name) {
    void* symbol = bundle->symbol(name);
    Dl_info info{};
    if (symbol == nullptr || dladdr(symbol, &info) == 0) {
      ADD_FAILURE() << name << " is not exported";
      return nullptr;
    }
    EXPECT_EQ(std::filesystem::path(info.dli_fname).filename(), "libOrvalPDE.so")
        << name << " is in " << info.dli_fname;
    return reinterpret_cast<Function*>(symbol);
  }

  std::shared_ptr<Bundle> bundle;
};

// The exports no other test takes: exported() checks each where a test takes it.
TEST_F(ExportedFunctionsTest, TheBundleItselfDefinesTheOtherExportedFunctions) {
  for (const char* name : {"OrvalPrincipalClass_WexoPDEPlugIn", "unloadEncDec", "checkEncDec", "Decryption",
                           "encryptionBufLen", "ConvertToInternalPpdKeyword", "ToPpdKeywordFormat",
                           "FavoriteNameWithPath", "FavoriteCommentWithContentsOfFile", "ShowFavoriteModalDialog"})
    exported<void()>(name);
  // Nothing else of the system is visible in the bundle's executable.
  EXPECT_EQ(bundle->symbol("_ZN5orval13WexoPDEPlugInC1Ev"), dlsym(RTLD_DEFAULT, "_ZN5orval13WexoPDEPlugInC1Ev"));
}

TEST_F(ExportedFunctionsTest, EncodersConvertersAndFavoritesWorkThroughTheBundle) {
  auto* load = exported<int(const char*)>("loadEncDec");
  auto* encodeText = exported<int(const char*, char*)>("encode");
  auto* decodeText = exported<int(const char*, char*)>("decode");
  auto* scramble = exported<char*(const char*, const char*)>("encryptString");
  auto* unscramble = exported<char*(const char*, const char*)>("decryptString");
  auto* scrambleInto = exported<int(const char*, const char*, char*, size_t)>("Encryption");
  auto* toCanonical = exported<void(PrintOption*)>("ConvertToCanonicalPpdKeyword");
  auto* toInputMgr = exported<int(const PrintOption*, PrintOption*)>("ToInputMgrFormat");
  auto* classic = exported<char*(const char*)>("FavoriteNameAppendingClassic");
  auto* dictionary = exported<int(const char*, PrintOption*)>("FavoriteDictionaryWithContentsOfFile");
  ASSERT_TRUE(load && encodeText && decodeText && scramble && unscramble && scrambleInto && toCanonical &&
              toInputMgr && classic && dictionary);

  ASSERT_EQ(load((bundlePath() / "Contents/Resources").c_str()), 0);
  char encoded[1024] = {};
  char decoded[1024] = {};
  ASSERT_EQ(encodeText("s3cret,pw", encoded), 0);
  ASSERT_EQ(decodeText(encoded, decoded), 0);
  EXPECT_STREQ(decoded, "s3cret,pw");

  Text scrambled(scramble("key", "abc"), &std::free);
  ASSERT_NE(scrambled, nullptr);
  EXPECT_STREQ(Text(unscramble("key", scrambled.get()), &std::free).get(), "abc");
  EXPECT_EQ(scramble(nullptr, "abc"), nullptr);
  char small[4] = {'x', 'x', 'x', 0};
  EXPECT_EQ(scrambleInto("key", "abc", small, sizeof small), 0);  // too small: refused, never overrun
  char enough[16] = {};
  EXPECT_EQ(scrambleInto("key", "abc", enough, sizeof enough), 1);

  PrintOption options{{"Punch_PunchHoles", "MixSizeHoles4"}};
  toCanonical(&options);
  EXPECT_EQ(options.get("PunchHoles").text(), "Holes4");
  toCanonical(nullptr);
  PrintOption result{{"untouched", "yes"}};
  EXPECT_EQ(toInputMgr(&options, nullptr), 0);
  EXPECT_EQ(toInputMgr(&options, &result), 1);
  EXPECT_FALSE(result.contains("untouched"));

  EXPECT_STREQ(Text(classic("Proof"), &std::free).get(), "Proof (Classic)");
  EXPECT_EQ(classic(nullptr), nullptr);
  const std::string fixture =
      (std::filesystem::path(ORVAL_SOURCE_DIR) / "src/favorites/testdata/cp932_v1.pfj").string();
  PrintOption favorite{{"untouched", "yes"}};
  EXPECT_EQ(dictionary("/nonexistent.pfj", &favorite), 0);
  EXPECT_EQ(favorite.get("untouched").text(), "yes");
  EXPECT_EQ(dictionary(fixture.c_str(), &favorite), 1);
  EXPECT_EQ(favorite, (PrintOption{{"StockName", "ソフト紙"}}));
}

TEST_F(ExportedFunctionsTest, DialogsThroughTheBundleReplaceTheirOutputsOnOkOnly) {
  auto* saveFavorite = exported<int(char**, char**)>("ShowSaveFavoriteModalDialog");
  auto* jobName = exported<int(char**, char**, char**)>("ShowJobNameModalDialog");
  ASSERT_TRUE(saveFavorite && jobName);
  SetNSBundleForLocalizedString(bundle);
  auto person = std::make_shared<tk::ScriptedOperator>();
  tk::Application::shared().setOperator(person);

  char* name = strdup("Proof");
  char* comment = nullptr;
  person->act([](tk::Window& window) { tk::clickButton(window, "Cancel"); });
  EXPECT_EQ(saveFavorite(&name, &comment), 0);
  EXPECT_STREQ(name, "Proof");  // the caller's own buffer, untouched
  EXPECT_EQ(comment, nullptr);
  person->act([&](tk::Window& window) {
    auto* field = tk::viewWithIdentifier<tk::TextField>(window, "comment");
    ASSERT_TRUE(field != nullptr && field->selectText());
    field->currentEditor()->insertText("new");
    tk::clickButton(window, "Save");
  });
  EXPECT_EQ(saveFavorite(&name, &comment), 1);
  EXPECT_STREQ(comment, "new");
  EXPECT_EQ(saveFavorite(nullptr, &comment), 0);
  std::free(name);
  std::free(comment);

  char* mode = strdup("Input");
  char* escaped = nullptr;
  char* job = strdup("a\\b");
  person->act([&](tk::Window& window) { tk::clickButton(window, "OK"); });
  EXPECT_EQ(jobName(&mode, &escaped, &job), 1);
  EXPECT_STREQ(job, "a\\b");
  ASSERT_NE(escaped, nullptr);
  EXPECT_STRNE(escaped, job);
  person->act([&](tk::Window& window) { tk::clickButton(window, "OK"); });
  EXPECT_EQ(jobName(&mode, nullptr, &job), 1);  // the escaped name is optional
  std::free(mode);
  std::free(escaped);
  std::free(job);
}

}  // namespace
}  // namespace orval

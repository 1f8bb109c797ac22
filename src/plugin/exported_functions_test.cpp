// The functions the bundle's executable exports, found by name in the bundle
// itself (not only in the liborval it links), and working through it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/text_field.h"
#include "plugin/plugin_test_support.h"

namespace orval {
namespace {

using plugin_testing::bundlePath;

class ExportedFunctionsTest : public plugin_testing::PlugInTest {
 protected:
  void SetUp() override {
    PlugInTest::SetUp();
    bundle = Bundle::bundleWithPath(bundlePath());
    ASSERT_TRUE(bundle);
    std::string error;
    ASSERT_TRUE(bundle->load(&error)) << error;
  }

  // The symbol of the bundle's executable, after checking that the executable itself defines it.
  template <typename Function>
  Function* exported(const char* name) {
    void* symbol = bundle->symbol(name);
    EXPECT_NE(symbol, nullptr) << name;
    if (symbol == nullptr) return nullptr;
    Dl_info info{};
    EXPECT_NE(dladdr(symbol, &info), 0) << name;
    EXPECT_EQ(std::filesystem::path(info.dli_fname).filename(), "libOrvalPDE.so") << name << " is defined in "
                                                                                  << info.dli_fname;
    return reinterpret_cast<Function*>(symbol);
  }

  std::shared_ptr<Bundle> bundle;
};

TEST_F(ExportedFunctionsTest, TheBundleItselfDefinesEveryExportedFunction) {
  for (const char* name : {"OrvalPrincipalClass_WexoPDEPlugIn", "loadEncDec", "unloadEncDec", "encode", "decode",
                           "checkEncDec", "encryptString", "decryptString", "Encryption", "Decryption",
                           "encryptionBufLen", "ConvertToInternalPpdKeyword", "ConvertToCanonicalPpdKeyword",
                           "ToPpdKeywordFormat", "ToInputMgrFormat", "FavoriteNameAppendingClassic",
                           "FavoriteNameWithPath", "FavoriteCommentWithContentsOfFile",
                           "FavoriteDictionaryWithContentsOfFile", "ShowFavoriteModalDialog",
                           "ShowSaveFavoriteModalDialog", "ShowJobNameModalDialog"})
    exported<void()>(name);
  // Nothing else of the system is visible in the bundle's executable.
  EXPECT_EQ(bundle->symbol("_ZN5orval13WexoPDEPlugInC1Ev"), dlsym(RTLD_DEFAULT, "_ZN5orval13WexoPDEPlugInC1Ev"));
}

TEST_F(ExportedFunctionsTest, PasswordEncoderThroughTheBundle) {
  auto* load = exported<int(const char*)>("loadEncDec");
  auto* unload = exported<void()>("unloadEncDec");
  auto* encodeText = exported<int(const char*, char*)>("encode");
  auto* decodeText = exported<int(const char*, char*)>("decode");
  ASSERT_TRUE(load && unload && encodeText && decodeText);

  const std::string resources = (bundlePath() / "Contents/Resources").string();
  ASSERT_EQ(load(resources.c_str()), 0);
  char encoded[1024] = {};
  char decoded[1024] = {};
  ASSERT_EQ(encodeText("s3cret,pw", encoded), 0);
  EXPECT_STRNE(encoded, "s3cret,pw");
  ASSERT_EQ(decodeText(encoded, decoded), 0);
  EXPECT_STREQ(decoded, "s3cret,pw");
  unload();
  EXPECT_EQ(load("/nonexistent"), -1);
  unload();
}

TEST_F(ExportedFunctionsTest, FieldScramblerThroughTheBundle) {
  auto* scramble = exported<char*(const char*, const char*)>("encryptString");
  auto* unscramble = exported<char*(const char*, const char*)>("decryptString");
  auto* bufferLength = exported<int(const char*)>("encryptionBufLen");
  ASSERT_TRUE(scramble && unscramble && bufferLength);

  std::unique_ptr<char, decltype(&std::free)> scrambled(scramble("key", "abc"), &std::free);
  ASSERT_NE(scrambled, nullptr);
  EXPECT_EQ(std::strlen(scrambled.get()), 8u);
  std::unique_ptr<char, decltype(&std::free)> clear(unscramble("key", scrambled.get()), &std::free);
  ASSERT_NE(clear, nullptr);
  EXPECT_STREQ(clear.get(), "abc");
  EXPECT_EQ(scramble(nullptr, "abc"), nullptr);
  EXPECT_EQ(unscramble("key", nullptr), nullptr);
  EXPECT_EQ(bufferLength("abc"), 9);
  EXPECT_EQ(bufferLength(nullptr), 0);

  auto* scrambleInto = exported<int(const char*, const char*, char*, size_t)>("Encryption");
  ASSERT_NE(scrambleInto, nullptr);
  char small[4] = {'x', 'x', 'x', 0};
  EXPECT_EQ(scrambleInto("key", "abc", small, sizeof small), 0);  // too small: refused, never overrun
  char enough[16] = {};
  EXPECT_EQ(scrambleInto("key", "abc", enough, sizeof enough), 1);
  EXPECT_EQ(std::strlen(enough), 8u);
}

TEST_F(ExportedFunctionsTest, KeywordConversionThroughTheBundle) {
  auto* toCanonical = exported<void(PrintOption*)>("ConvertToCanonicalPpdKeyword");
  auto* toInternal = exported<void(PrintOption*)>("ConvertToInternalPpdKeyword");
  auto* toPpd = exported<int(const PrintOption*, PrintOption*)>("ToPpdKeywordFormat");
  auto* toInputMgr = exported<int(const PrintOption*, PrintOption*)>("ToInputMgrFormat");
  ASSERT_TRUE(toCanonical && toInternal && toPpd && toInputMgr);

  SetBSPrincipalBundle(bundle);
  PrintOption options{{"Punch_PunchHoles", "MixSizeHoles4"}};
  toCanonical(&options);
  EXPECT_EQ(options.get("Punch").text(), "MixSize");
  EXPECT_EQ(options.get("PunchHoles").text(), "Holes4");
  toInternal(&options);
  EXPECT_EQ(options.get("Punch_PunchHoles").text(), "MixSizeHoles4");
  toCanonical(nullptr);
  toInternal(nullptr);

  PrintOption result{{"untouched", "yes"}};
  EXPECT_EQ(toPpd(nullptr, &result), 0);
  EXPECT_EQ(toInputMgr(&options, nullptr), 0);
  EXPECT_EQ(result.get("untouched").text(), "yes");
  EXPECT_EQ(toInputMgr(&options, &result), 1);
  EXPECT_FALSE(result.contains("untouched"));
}

TEST_F(ExportedFunctionsTest, FavoriteStoreThroughTheBundle) {
  using Text = std::unique_ptr<char, decltype(&std::free)>;
  auto* classic = exported<char*(const char*)>("FavoriteNameAppendingClassic");
  auto* name = exported<char*(const char*)>("FavoriteNameWithPath");
  auto* comment = exported<char*(const char*)>("FavoriteCommentWithContentsOfFile");
  auto* dictionary = exported<int(const char*, PrintOption*)>("FavoriteDictionaryWithContentsOfFile");
  ASSERT_TRUE(classic && name && comment && dictionary);

  EXPECT_STREQ(Text(classic("Proof"), &std::free).get(), "Proof (Classic)");
  EXPECT_STREQ(Text(name("/f/a.b.pfj"), &std::free).get(), "a.b");
  EXPECT_EQ(classic(nullptr), nullptr);
  EXPECT_EQ(name(nullptr), nullptr);

  const std::string fixture = std::string(ORVAL_SOURCE_DIR) + "/src/favorites/testdata/cp932_v1.pfj";
  EXPECT_STREQ(Text(comment(fixture.c_str()), &std::free).get(), "予定表");
  PrintOption options{{"untouched", "yes"}};
  EXPECT_EQ(dictionary("/nonexistent.pfj", &options), 0);
  EXPECT_EQ(comment("/nonexistent.pfj"), nullptr);
  EXPECT_EQ(options.get("untouched").text(), "yes");
  EXPECT_EQ(dictionary(fixture.c_str(), &options), 1);
  EXPECT_EQ(options, (PrintOption{{"StockName", "ソフト紙"}}));
}

TEST_F(ExportedFunctionsTest, DialogsThroughTheBundleReplaceTheirOutputsOnOkOnly) {
  auto* saveFavorite = exported<int(char**, char**)>("ShowSaveFavoriteModalDialog");
  auto* jobName = exported<int(char**, char**, char**)>("ShowJobNameModalDialog");
  ASSERT_TRUE(saveFavorite && jobName);
  SetBSPrincipalBundle(bundle);
  SetNSBundleForLocalizedString(bundle);
  auto person = std::make_shared<tk::ScriptedOperator>();
  tk::Application::shared().setOperator(person);
  const auto typeInto = [](tk::Window& window, const char* identifier, const std::string& text) {
    auto* field = tk::viewWithIdentifier<tk::TextField>(window, identifier);
    ASSERT_TRUE(field != nullptr && field->selectText());
    field->currentEditor()->selectAll();
    field->currentEditor()->insertText(text);
  };

  char* name = strdup("Proof");
  char* comment = nullptr;
  person->act([](tk::Window& window) { tk::clickButton(window, "Cancel"); });
  EXPECT_EQ(saveFavorite(&name, &comment), 0);
  EXPECT_STREQ(name, "Proof");  // the caller's own buffer, untouched
  EXPECT_EQ(comment, nullptr);
  person->act([&](tk::Window& window) {
    typeInto(window, "comment", "new");
    tk::clickButton(window, "Save");
  });
  EXPECT_EQ(saveFavorite(&name, &comment), 1);
  EXPECT_STREQ(name, "Proof");
  EXPECT_STREQ(comment, "new");
  EXPECT_EQ(saveFavorite(nullptr, &comment), 0);
  std::free(name);
  std::free(comment);

  char* mode = strdup("Input");
  char* escaped = nullptr;
  char* job = strdup("a\\b");
  person->act([&](tk::Window& window) { tk::clickButton(window, "OK"); });
  EXPECT_EQ(jobName(&mode, &escaped, &job), 1);
  EXPECT_STREQ(mode, "Input");
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

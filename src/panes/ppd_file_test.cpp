#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "panes/ppd_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/localized_string.h"
#include "panes/ppd_file_ext.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) {
  return fs::path(ORVAL_SOURCE_DIR) / "src/panes/testdata" / name;
}

using Strings = std::vector<std::string>;

const std::string kChoice40 = std::string(30, 'C') + "Choice0040";
const std::string kKeyword39 = std::string(29, 'K') + "Keyword039";

// Borrows a handle opened here; the test closes it.
struct OpenedHandle {
  explicit OpenedHandle(const fs::path& path) : ppd(ppdOpenFile(path.c_str())) {}
  ~OpenedHandle() {
    if (ppd) ppdClose(ppd);
  }
  ppd_file_t* ppd;
};

TEST(PpdFileEncodingTest, DeclaredEncodingDecodesTheDescriptionsOwnBytes) {
  struct Case {
    const char* file;
    TextEncoding encoding;
    std::optional<std::string> product;
  };
  const Case cases[] = {
      {"latin1.ppd", TextEncoding::MacRoman, "(Café Server)"},
      {"utf8.ppd", TextEncoding::UTF8, "(Café Server)"},
      {"jis.ppd", TextEncoding::CP932, "(両面プリンター)"},
      {"chinese.ppd", TextEncoding::CP936, "(双面打印机)"},
      {"no_encoding.ppd", TextEncoding::ASCII, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const auto ppd = PpdFile::initWithContentsOfFile(fixture(c.file));
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(ppd->stringEncoding(), c.encoding);
    EXPECT_EQ(ppd->product(), c.product);
  }
}

TEST(PpdFileEncodingTest, TitlesAreTakenAsLibcupsConvertedThem) {
  const auto latin1 = PpdFile::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(latin1, nullptr);
  EXPECT_EQ(latin1->mainAlias("OffsetMode"), "Décalage");
  EXPECT_EQ(latin1->optionAlias("StapleMode", "TopLeftCorner"), "En haut à gauche");

  const auto utf8 = PpdFile::initWithContentsOfFile(fixture("utf8.ppd"));
  ASSERT_NE(utf8, nullptr);
  EXPECT_EQ(utf8->mainAlias("ColorMode"), "カラーモード");
  EXPECT_EQ(utf8->optionAliases("ColorMode"), (Strings{"カラー", "グレースケール"}));

  const auto jis = PpdFile::initWithContentsOfFile(fixture("jis.ppd"));
  ASSERT_NE(jis, nullptr);
  EXPECT_EQ(jis->mainAlias("DuplexMode"), "両面印刷");
  EXPECT_EQ(jis->optionAliases("DuplexMode"), (Strings{"しない", "長辺とじ"}));

}

TEST(PpdFileEncodingTest, EncodingChoiceRules) {
  EXPECT_EQ(ppdStringEncoding("UTF-8", "Chinese"), TextEncoding::UTF8);
  EXPECT_EQ(ppdStringEncoding("ISOLatin1", "Chinese"), TextEncoding::MacRoman);
  EXPECT_EQ(ppdStringEncoding("JIS83-RKSJ", "English"), TextEncoding::CP932);
  EXPECT_EQ(ppdStringEncoding("None", "Chinese"), TextEncoding::CP936);
  EXPECT_EQ(ppdStringEncoding("None", "Japanese"), TextEncoding::ASCII);
  EXPECT_EQ(ppdStringEncoding("WindowsANSI", "English"), TextEncoding::ASCII);
  EXPECT_EQ(ppdStringEncoding("", ""), TextEncoding::ASCII);
}

TEST(PpdFileTest, BooleanOptionsHandOutBooleans) {
  OpenedHandle handle(fixture("latin1.ppd"));
  ASSERT_NE(handle.ppd, nullptr);
  PpdFile ppd(handle.ppd);

  EXPECT_EQ(ppd.uiType("PagePrintOnCenter"), PPD_UI_BOOLEAN);
  EXPECT_EQ(ppd.uiType("DuplexMode"), PPD_UI_PICKONE);
  EXPECT_EQ(ppd.uiType("QZFinishers"), PPD_UI_PICKMANY);

  EXPECT_EQ(ppd.defaultOptionChoice("PagePrintOnCenter"), Value(true));
  EXPECT_EQ(ppd.defaultOptionChoice("OffsetMode"), Value(false));
  EXPECT_EQ(ppd.defaultOptionChoice("NoSuchOption"), std::nullopt);

  EXPECT_EQ(ppd.findMarkedChoice("PagePrintOnCenter"), std::nullopt);
  ppdMarkDefaults(handle.ppd);
  EXPECT_EQ(ppd.findMarkedChoice("PagePrintOnCenter"), Value(true));

  EXPECT_EQ(ppd.markOption("PagePrintOnCenter", "False"), 0);
  EXPECT_EQ(ppd.findMarkedChoice("PagePrintOnCenter"), Value(false));
  EXPECT_EQ(ppd.markOption("OffsetMode", "True"), 0);
  EXPECT_EQ(ppd.findMarkedChoice("OffsetMode"), Value(true));
}

TEST(PpdFileTest, DefaultValueDictionaryCoversGroupsAndSubgroups) {
  const auto ppd = PpdFile::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(ppd, nullptr);
  const Dict defaults = ppd->defaultValueDictionary();
  EXPECT_EQ(defaults.get("PagePrintOnCenter"), Value(true));
  EXPECT_EQ(defaults.get("OffsetMode"), Value(false));
  EXPECT_EQ(defaults.get("StapleMode"), Value("TopLeftCorner"));
  EXPECT_EQ(defaults.get("QZFinishers"), Value("Stacker"));
  EXPECT_TRUE(defaults.contains(kKeyword39));
  EXPECT_EQ(defaults.size(), 7u);
}

TEST(PpdFileTest, MarkingReportsConflicts) {
  const auto ppd = PpdFileExt::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(ppd, nullptr);
  EXPECT_EQ(ppd->markOption("DuplexMode", "DuplexTumble"), 0);
  EXPECT_EQ(ppd->markOption("PageSize", "Letter"), 1);
  EXPECT_EQ(ppd->findMarkedChoice("PageSize"), Value("Letter"));
  EXPECT_EQ(ppd->markOption("PageSize", ""), 0);
  EXPECT_EQ(ppd->markOption("", "A4"), 0);
  EXPECT_EQ(ppd->findMarkedChoice("PageSize"), Value("Letter"));
}

TEST(PpdFileTest, KeywordsBeyondFortyCharactersOrAsciiNameNothing) {
  const auto ppd = PpdFile::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(ppd, nullptr);
  EXPECT_TRUE(ppd->isExists(kKeyword39));
  EXPECT_TRUE(ppd->isExists("StapleMode", kChoice40));
  EXPECT_FALSE(ppd->isExists("StapleMode", kChoice40 + "X"));
  EXPECT_EQ(ppd->optionAlias("StapleMode", kChoice40 + "X"), std::nullopt);
  EXPECT_EQ(ppd->markOption("StapleMode", kChoice40 + "X"), 0);
  EXPECT_EQ(ppd->findMarkedChoice("StapleMode"), std::nullopt);

  EXPECT_FALSE(ppd->isExists("StapleModé"));
  EXPECT_FALSE(ppd->isExists("StapleMode", "TopLeftCornér"));
  EXPECT_EQ(ppd->optionKeywords("StapleModé"), std::nullopt);
  EXPECT_FALSE(ppd->isExists(std::string("DuplexMode\0Other", 16)));
  EXPECT_FALSE(ppd->isExists("DuplexMode", std::string("None\0Other", 10)));
  EXPECT_FALSE(ppd->isExists(""));
}

TEST(PpdFileTest, ChoicesAndTitles) {
  const auto ppd = PpdFile::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(ppd, nullptr);
  EXPECT_EQ(ppd->optionKeywords("DuplexMode"), (Strings{"None", "DuplexNoTumble", "DuplexTumble"}));
  EXPECT_EQ(ppd->optionAliases("DuplexMode"), (Strings{"Recto", "Reliure bord long", "DuplexTumble"}));
  EXPECT_EQ(ppd->optionAlias("DuplexMode", "DuplexNoTumble"), "Reliure bord long");
  EXPECT_EQ(ppd->optionAlias("DuplexMode", "Simplex"), std::nullopt);
  EXPECT_EQ(ppd->mainAlias("DuplexMode"), "Recto verso");
  EXPECT_TRUE(ppd->isExists("DuplexMode", "DuplexTumble"));
  EXPECT_FALSE(ppd->isExists("DuplexMode", "duplextumble"));  // choices compare byte-wise
  EXPECT_EQ(ppd->optionKeywords("Nothing"), std::nullopt);
}

TEST(PpdFileTest, UndecodableChoicesAndTitles) {
  OpenedHandle handle(fixture("no_encoding.ppd"));  // ASCII
  ASSERT_NE(handle.ppd, nullptr);
  ppd_option_t* option = ppdFindOption(handle.ppd, "DuplexMode");
  ASSERT_NE(option, nullptr);
  ASSERT_EQ(option->num_choices, 1);
  PpdFile ppd(handle.ppd);
  std::strcpy(option->choices[0].text, "\xff\xfe");
  EXPECT_EQ(ppd.optionAliases("DuplexMode"), Strings{"None"});
  std::strcpy(option->choices[0].choice, "N\xe9");
  EXPECT_EQ(ppd.optionKeywords("DuplexMode"), Strings{"xxx"});
  EXPECT_EQ(ppd.optionAliases("DuplexMode"), Strings{"xxx"});
}

TEST(PpdFileTest, BorrowedHandleOutlivesTheWrapper) {
  OpenedHandle handle(fixture("latin1.ppd"));
  ASSERT_NE(handle.ppd, nullptr);
  {
    PpdFileExt ppd(handle.ppd);
    EXPECT_FALSE(ppd.isOpendBySelf());
    EXPECT_EQ(ppd.ppdFile(), handle.ppd);
    EXPECT_TRUE(ppd.isExists("DuplexMode"));
  }
  ppd_option_t* option = ppdFindOption(handle.ppd, "DuplexMode");
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(ppdMarkOption(handle.ppd, "DuplexMode", "DuplexTumble"), 0);
}

TEST(PpdFileTest, OpeningFiles) {
  const auto ppd = PpdFileExt::initWithContentsOfFile(fixture("latin1.ppd"));
  ASSERT_NE(ppd, nullptr);
  EXPECT_TRUE(ppd->isOpendBySelf());

  std::string error;
  EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture("missing.ppd"), &error), nullptr);
  EXPECT_NE(error.find("missing.ppd"), std::string::npos);
  error.clear();
  EXPECT_EQ(PpdFileExt::initWithContentsOfFile(fixture("not_a_ppd.ppd"), &error), nullptr);
  EXPECT_NE(error.find("not_a_ppd.ppd"), std::string::npos);
  EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture("")), nullptr);  // a folder, not a file
}

TEST(PpdFileTest, WrapperWithoutHandleAnswersNothing) {
  PpdFileExt ppd(nullptr);
  EXPECT_EQ(ppd.stringEncoding(), TextEncoding::ASCII);
  EXPECT_FALSE(ppd.isExists("DuplexMode"));
  EXPECT_EQ(ppd.optionKeywords("DuplexMode"), std::nullopt);
  EXPECT_EQ(ppd.optionAlias("DuplexMode", "None"), std::nullopt);
  EXPECT_EQ(ppd.defaultOptionChoice("DuplexMode"), std::nullopt);
  EXPECT_TRUE(ppd.defaultValueDictionary().empty());
  EXPECT_EQ(ppd.markOption("DuplexMode", "None"), 0);
}

TEST(PpdFileTest, LocalizedOptionKeywordLooksUpMainAndChoice) {
  const fs::path root = fs::path(testing::TempDir()) / ("orval_ppd_file_test_" + std::to_string(getpid()));
  fs::remove_all(root);
  const fs::path bundlePath = root / "Plugin.plugin";
  fs::create_directories(bundlePath / "Contents/Resources/en.lproj");
  ASSERT_TRUE(writePlistFile(bundlePath / "Contents/Resources/en.lproj/Localizable.strings",
                             Value(Dict{{"DuplexMode:DuplexTumble", "Short-edge binding"}})));
  const auto bundle = Bundle::bundleWithPath(bundlePath);
  ASSERT_NE(bundle, nullptr);
  SetNSBundleForLocalizedString(bundle);
  EXPECT_EQ(PpdFile::localizedOptionKeyword("DuplexMode", "DuplexTumble"), "Short-edge binding");
  EXPECT_EQ(PpdFile::localizedOptionKeyword("DuplexMode", "None"), "DuplexMode:None");
  resetLocalizedStringBundlesForTesting();
  fs::remove_all(root);
}

}  // namespace
}  // namespace orval

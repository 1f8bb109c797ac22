#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "panes/ppd_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/localized_string.h"
#include "panes/ppd_file_ext.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

fs::path fixture(const std::string& name) { return fs::path(ORVAL_SOURCE_DIR) / "src/panes/testdata" / name; }

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

TEST(PpdFileEncodingTest, DeclaredEncodingDecodesTheDescriptionsOwnBytesAndTitlesAreLibcupsUtf8) {
  const struct {
    const char* file;
    TextEncoding encoding;
    std::optional<std::string> product;
    const char *option, *title;
  } cases[] = {
      {"latin1.ppd", TextEncoding::MacRoman, "(Café Server)", "OffsetMode", "Décalage"},
      {"utf8.ppd", TextEncoding::UTF8, "(Café Server)", "ColorMode", "カラーモード"},
      {"jis.ppd", TextEncoding::CP932, "(両面プリンター)", "DuplexMode", "両面印刷"},
      {"chinese.ppd", TextEncoding::CP936, "(双面打印机)", "DuplexMode", "双面打印"},  // titles not converted
      {"no_encoding.ppd", TextEncoding::ASCII, std::nullopt, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto ppd = PpdFile::initWithContentsOfFile(fixture(c.file));
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(std::tuple(ppd->stringEncoding(), ppd->product()), std::tuple(c.encoding, c.product));
    if (c.option != nullptr) { EXPECT_EQ(ppd->mainAlias(c.option), c.title); }
  }
  EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture("jis.ppd"))->optionAliases("DuplexMode"),
            (Strings{"しない", "長辺とじ"}));
  EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture("chinese.ppd"))->optionAlias("DuplexMode", "None"), "关闭");
  const struct {
    const char *encoding, *language;
    TextEncoding expected;
  } rules[] = {{"UTF-8", "Chinese", TextEncoding::UTF8}, {"JIS83-RKSJ", "English", TextEncoding::CP932},
               {"None", "Japanese", TextEncoding::ASCII}};  // the files above hold the other pairs
  for (const auto& r : rules) EXPECT_EQ(ppdStringEncoding(r.encoding, r.language), r.expected) << r.encoding;
}

TEST(PpdFileTest, ChoicesTitlesDefaultsAndBooleans) {
  OpenedHandle handle(fixture("latin1.ppd"));
  ASSERT_NE(handle.ppd, nullptr);
  {
    PpdFileExt ppd(handle.ppd);
    EXPECT_FALSE(ppd.isOpendBySelf());
    EXPECT_EQ(ppd.optionKeywords("DuplexMode"), (Strings{"None", "DuplexNoTumble", "DuplexTumble"}));
    EXPECT_EQ(ppd.optionAliases("DuplexMode"), (Strings{"Recto", "Reliure bord long", "DuplexTumble"}));
    EXPECT_EQ(ppd.optionAlias("StapleMode", "TopLeftCorner"), "En haut à gauche");
    EXPECT_EQ(ppd.optionAlias("DuplexMode", "Simplex"), std::nullopt);
    EXPECT_FALSE(ppd.isExists("DuplexMode", "duplextumble"));  // choices compare byte-wise
    EXPECT_EQ(ppd.optionKeywords("Nothing"), std::nullopt);
    EXPECT_EQ(ppd.uiType("QZFinishers"), PPD_UI_PICKMANY);

    // Every group's options (libcups files a subgroup's under its group), booleans as booleans.
    EXPECT_EQ(ppd.defaultValueDictionary(),
              (Dict{{"DuplexMode", "None"}, {"PagePrintOnCenter", true}, {"OffsetMode", false}, {kKeyword39, ""},
                    {"StapleMode", "TopLeftCorner"}, {"QZFinishers", "Stacker"}, {"PageSize", "A4"}}));
    EXPECT_EQ(ppd.defaultOptionChoice("NoSuchOption"), std::nullopt);

    EXPECT_EQ(ppd.findMarkedChoice("PagePrintOnCenter"), std::nullopt);
    EXPECT_EQ(ppd.markOption("PagePrintOnCenter", "False"), 0);
    EXPECT_EQ(ppd.findMarkedChoice("PagePrintOnCenter"), Value(false));
    EXPECT_EQ(ppd.markOption("DuplexMode", "DuplexTumble"), 0);
    EXPECT_EQ(ppd.markOption("PageSize", "Letter"), 1);  // a conflict
    EXPECT_EQ(ppd.markOption("PageSize", ""), 0);
    EXPECT_EQ(ppd.findMarkedChoice("PageSize"), Value("Letter"));
  }
  // The wrapper borrowed the handle: it is still open.
  EXPECT_NE(ppdFindOption(handle.ppd, "DuplexMode"), nullptr);
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
  EXPECT_FALSE(ppd->isExists("StapleMode", "TopLeftCornér"));
  EXPECT_FALSE(ppd->isExists(std::string("DuplexMode\0Other", 16)));
  EXPECT_FALSE(ppd->isExists(""));
}

TEST(PpdFileTest, UndecodableChoicesAndTitles) {
  OpenedHandle handle(fixture("no_encoding.ppd"));  // ASCII
  ASSERT_NE(handle.ppd, nullptr);
  ppd_option_t* option = ppdFindOption(handle.ppd, "DuplexMode");
  ASSERT_TRUE(option != nullptr && option->num_choices == 1);
  PpdFile ppd(handle.ppd);
  std::strcpy(option->choices[0].text, "\xff\xfe");
  EXPECT_EQ(ppd.optionAliases("DuplexMode"), Strings{"None"});
  std::strcpy(option->choices[0].choice, "N\xe9");
  EXPECT_EQ(ppd.optionKeywords("DuplexMode"), Strings{"xxx"});
  EXPECT_EQ(ppd.optionAliases("DuplexMode"), Strings{"xxx"});
}

TEST(PpdFileTest, OpeningFilesAndAWrapperWithoutHandle) {
  EXPECT_TRUE(PpdFileExt::initWithContentsOfFile(fixture("latin1.ppd"))->isOpendBySelf());
  for (const char* name : {"missing.ppd", "not_a_ppd.ppd"}) {
    std::string error;
    EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture(name), &error), nullptr);
    EXPECT_NE(error.find(name), std::string::npos) << error;
  }
  EXPECT_EQ(PpdFile::initWithContentsOfFile(fixture("")), nullptr);  // a folder, not a file

  PpdFileExt ppd(nullptr);
  EXPECT_EQ(ppd.stringEncoding(), TextEncoding::ASCII);
  EXPECT_FALSE(ppd.isExists("DuplexMode"));
  EXPECT_EQ(ppd.optionAlias("DuplexMode", "None"), std::nullopt);
  EXPECT_TRUE(ppd.defaultValueDictionary().empty());
  EXPECT_EQ(ppd.markOption("DuplexMode", "None"), 0);
}

TEST(PpdFileTest, LocalizedOptionKeywordLooksUpMainAndChoice) {
  const foundation_testing::TemporaryFolder root;
  const fs::path strings = root.path() / "Plugin.plugin/Contents/Resources/en.lproj/Localizable.strings";
  fs::create_directories(strings.parent_path());
  ASSERT_TRUE(writePlistFile(strings, Value(Dict{{"DuplexMode:DuplexTumble", "Short-edge binding"}})));
  SetNSBundleForLocalizedString(Bundle::bundleWithPath(root.path() / "Plugin.plugin"));
  EXPECT_EQ(PpdFile::localizedOptionKeyword("DuplexMode", "DuplexTumble"), "Short-edge binding");
  EXPECT_EQ(PpdFile::localizedOptionKeyword("DuplexMode", "None"), "DuplexMode:None");
  resetLocalizedStringBundlesForTesting();
}

}  // namespace
}  // namespace orval

// The bundle's keyword convert table: unique tag keys and a job's round trip through a favorite.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "conversion/print_option_converter.h"

namespace orval {
namespace {

const std::filesystem::path kResources = std::filesystem::path(ORVAL_SOURCE_DIR) / "resources";

class ConvertTableResourceTest : public ::testing::Test {
 protected:
  ConvertTableResourceTest()
      : converter_(std::make_unique<FixedConvertTableSource>(
            FileConvertTableSource(kResources / "ConvertTable.plist").convertTable())) {}

  PrintOptionConverter converter_;
};

// The first entry of a tag key wins: a second one would never convert back.
TEST_F(ConvertTableResourceTest, TagKeysAreUnique) {
  const std::shared_ptr<const Dict> table = converter_.convertTable();
  ASSERT_NE(table, nullptr);
  std::set<std::string> tagKeys;
  for (const auto& [keyword, entry] : *table)
    EXPECT_TRUE(tagKeys.insert(entry.isDict() ? entry.asDict()->get("tagKey").text() : "").second) << keyword;
}

TEST_F(ConvertTableResourceTest, AJobThroughAFavoriteAndBack) {
  // Every pop-up choice travels in the catalogue's test; here numbers, lengths, texts and two choices' tags.
  const PrintOption internal{{"ChgPrintPaperSizeType", "A4SEF"}, {"Magnification", "141.5"},
                             {"HairLineWarningPoint", "0.125"}, {"CreaseNum", "2"}, {"CreasePosition1", "30"},
                             {"ChgPrintPaperSizeLength", "297"}, {"SecurityPrint", "True"},
                             {"QZRGBColorCorrect", "sRGBAutoScene"}, {"QZSaveFile", "PDF1200dpi"},
                             {"QZSaveFileResolution", "1200"}, {"FormName", "\\\\server\\forms\\letter"}};
  PrintOption canonical = internal;
  PrintOptionConverter::convertToCanonicalPpdKeyword(canonical, true);
  const PrintOption inputMgr = converter_.toInputMgrFormat(canonical);
  for (const auto& [tag, value] : {std::pair{"CL_RGBMD", Value(6)}, std::pair{"SP_TFDPI", Value(1200)},
                                   std::pair{"LY_MAG", Value("141.5")}})
    EXPECT_EQ(inputMgr.get(tag), value) << tag;
  PrintOption back = converter_.toPpdKeywordFormat(inputMgr);
  PrintOptionConverter::convertToInternalPpdKeyword(back);
  for (const auto& [key, value] : internal) {  // every setting comes back, lengths with two decimals
    const bool length = key.starts_with("CreasePosition") || key.ends_with("Length");
    EXPECT_EQ(back.get(key).text(), length ? value.text() + ".00" : value.text()) << key;
  }
}

}  // namespace
}  // namespace orval

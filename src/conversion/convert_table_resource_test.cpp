// The bundle's keyword convert table against the bundle's printer description
// and the favorites' round trip.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "conversion/print_option_converter.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

const std::filesystem::path kResources = std::filesystem::path(ORVAL_SOURCE_DIR) / "resources";

// The user-interface options of a printer description and their choices, read from its
// "*OpenUI *Keyword/..." blocks.
std::map<std::string, std::vector<std::string>> ppdChoices(const std::filesystem::path& path) {
  std::map<std::string, std::vector<std::string>> choices;
  std::ifstream in(path);
  std::string line;
  std::string current;
  while (std::getline(in, line)) {
    if (line.starts_with("*OpenUI *")) {
      current = line.substr(9, line.find_first_of("/:") - 9);
      choices[current];
    } else if (line.starts_with("*CloseUI")) {
      current.clear();
    } else if (!current.empty() && line.starts_with("*" + current + " ")) {
      const std::size_t start = current.size() + 2;
      choices[current].push_back(line.substr(start, line.find_first_of("/:", start) - start));
    }
  }
  return choices;
}

class ConvertTableResourceTest : public ::testing::Test {
 protected:
  // The table is read once: the tests convert every choice of the printer description.
  ConvertTableResourceTest()
      : converter_(std::make_unique<FixedConvertTableSource>(
            FileConvertTableSource(kResources / "ConvertTable.plist").convertTable())) {}

  PrintOptionConverter converter_;
};

TEST_F(ConvertTableResourceTest, TagKeysAreUnique) {
  const std::shared_ptr<const Dict> table = converter_.convertTable();
  ASSERT_NE(table, nullptr);
  std::set<std::string> tagKeys;
  for (const auto& [keyword, entry] : *table) {
    ASSERT_TRUE(entry.isDict()) << keyword;
    const Value& tagKey = entry.asDict()->get("tagKey");
    ASSERT_TRUE(tagKey.isString()) << keyword;
    EXPECT_TRUE(tagKeys.insert(*tagKey.asString()).second) << *tagKey.asString();
  }
}

TEST_F(ConvertTableResourceTest, EveryChoiceOfThePrinterDescriptionSurvivesAFavorite) {
  const auto choices = ppdChoices(kResources / "TZPrintServer.ppd");
  ASSERT_GT(choices.size(), 10u);
  for (const auto& [keyword, list] : choices) {
    if (keyword == "PageRegion") continue;  // follows the paper size; never a setting of its own
    ASSERT_TRUE(converter_.convertTable()->contains(keyword)) << keyword;
    for (const std::string& choice : list) {
      const PrintOption inputMgr = converter_.toInputMgrFormat(PrintOption{{keyword, choice}});
      ASSERT_EQ(inputMgr.size(), 1u) << keyword << " " << choice;
      const PrintOption canonical = converter_.toPpdKeywordFormat(inputMgr);
      EXPECT_EQ(canonical.get(keyword).text(), choice) << keyword;
    }
  }
}

TEST_F(ConvertTableResourceTest, AJobThroughAFavoriteAndBack) {
  const PrintOption internal{{"Punch_PunchHoles", "RightHoles3"}, {"StapleMode", "TopLeftCorner"},
                             {"QZInputSlot", "Tray3"}, {"ImpositionMode_ImpositionCustomMode", "Nup"},
                             {"ImpositionNup_NumOfPages", "8up"}, {"ChgPrintPaperSizeType", "A4SEF"},
                             {"Magnification", "141.5"}, {"HairLineWarningPoint", "0.125"},
                             {"CreaseNum", "2"}, {"CreasePosition1", "30"}, {"ChgPrintPaperSizeLength", "297"},
                             {"SecurityPrint", "True"}, {"QZRGBColorCorrect", "sRGBAutoScene"},
                             {"QZSaveFile", "PDF1200dpi"}, {"QZSaveFileResolution", "1200"}, {"FormName", "\\\\server\\forms\\letter"}};
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

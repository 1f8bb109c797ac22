#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "conversion/converter_test_support.h"
#include "conversion/print_option_converter.h"

namespace orval {
namespace {

using Converter = PrintOptionConverter;
using converter_testing::expectTexts;
using converter_testing::kAbsent;
using converter_testing::text;

// (Each listed choice both ways: the catalogue's round trip of every choice.)
TEST(PrintOptionConverterKeysTest, PunchAndPageOrderBothWays) {
  PrintOption unknown{{"Punch_PunchHoles", "LeftHoles7"}, {"PageOrder_new", "Sideways"}};
  Converter::convertToCanonicalPpdKeyword(unknown, true);
  expectTexts(unknown, {{"Punch", "None"}, {"PunchHoles", "None"}, {"PageOrder", "Normal"}, {"OutputMode", "FaceUp"}});
  // There is no mixed-size multi-hole punch; an unknown output mode is face down; only a complete pair is joined.
  PrintOption pairs{{"Punch", "MixSize"}, {"PunchHoles", "HolesMulti"}, {"PageOrder", "Reverse"},
                    {"OutputMode", "Stacked"}};
  Converter::convertToInternalPpdKeyword(pairs);
  expectTexts(pairs, {{"Punch_PunchHoles", "None"}, {"PageOrder_new", "FaceDown"}, {"Punch", kAbsent},
                      {"PunchHoles", kAbsent}, {"PageOrder", kAbsent}, {"OutputMode", kAbsent}});
  PrintOption halves{{"Punch", "Left"}, {"PageOrder", "Reverse"}};
  Converter::convertToInternalPpdKeyword(halves);
  expectTexts(halves, {{"Punch", "Left"}, {"Punch_PunchHoles", kAbsent}, {"PageOrder_new", kAbsent}});
}

TEST(PrintOptionConverterKeysTest, SplitNeedsEveryPartAndJoinKeepsANumbersDigits) {
  // A full split and join are the booklet job's round trip (print_option_converter_test).
  const std::string key = "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial";
  PrintOption short_{{key, "Plain_True"}};  // one part fewer than the key: stays joined
  Converter::splitKeyword(short_, key);
  EXPECT_EQ(short_, (PrintOption{{key, "Plain_True"}}));
  // A number keeps its digits: a custom paper type number loaded from a favorite is not a switch.
  PrintOption number{{"PaperType", "Plain"}, {"MediaTypeTabbed", false}, {"PaperTypeCustomNumber", 12}};
  Converter::joinKeyword(number, "PaperType_MediaTypeTabbed_PaperTypeCustomNumber");
  EXPECT_EQ(text(number, "PaperType_MediaTypeTabbed_PaperTypeCustomNumber"), "Plain_False_12");
}

TEST(PrintOptionConverterKeysTest, CreasesAreReversedForTheirCountAndMirrored) {
  const auto order = [](const PrintOption& options, const char* name) {
    std::string result;
    for (int i = 1; i <= 5; ++i) result += text(options, name + std::to_string(i)) + " ";
    return result;
  };
  for (const auto& [count, name, expected] :
       {std::tuple{"2", "CreasePressureLevel", "P2 P1 P3 P4 P5 "},
        std::tuple{"4", "CreaseDirection", "D4 D3 D2 D1 D5 "},
        std::tuple{"5", "CreasePressureLevel", "P5 P4 P3 P2 P1 "},
        std::tuple{"1", "CreasePosition", "1000 2000 3000 4000 5000 "},
        std::tuple{"6", "CreaseDirection", "D1 D2 D3 D4 D5 "}}) {
    PrintOption options{{"CreaseNum", count}};
    for (int i = 1; i <= 5; ++i) {
      options.set("CreasePosition" + std::to_string(i), std::to_string(i * 1000));
      options.set("CreaseDirection" + std::to_string(i), "D" + std::to_string(i));
      options.set("CreasePressureLevel" + std::to_string(i), "P" + std::to_string(i));
    }
    Converter::swapCreaseKeyword(options);
    EXPECT_EQ(order(options, name), expected) << count;
  }
  PrintOption options{{"CreaseNum", "1"}, {"ChgPrintPaperSizeLength", "56693"}, {"CreasePosition1", "5669"},
                      {"CreasePosition2", ""}, {"CreasePosition3", "100"}};
  Converter::swapCreaseKeyword(options);
  expectTexts(options, {{"CreasePosition1", "51024"}, {"CreasePosition2", ""}, {"CreasePosition3", "56593"}});
  PrintOption noCount{{"CreaseNum", ""}, {"ChgPrintPaperSizeLength", "56693"}, {"CreasePosition1", "5669"}};
  Converter::swapCreaseKeyword(noCount);
  EXPECT_EQ(text(noCount, "CreasePosition1"), "5669");  // an empty count: untouched
}

// (JobImage and System both ways: the catalogue's round trip of every choice; JobText: the booklet job.)
TEST(PrintOptionConverterKeysTest, GraphicsTreatmentBothWays) {
  PrintOption other{{"GraphicsTreatmentEx", "Other"}};  // a value the panes never write is the system's treatment
  Converter::convertToCanonicalGraphicsTreatmentEx(other);
  expectTexts(other, {{"GraphicsTreatmentBase", "System"}, {"GraphicsTreatmentMode", "Image"}});
  PrintOption onlyBase{{"GraphicsTreatmentBase", "Job"}};
  Converter::convertToInternalGraphicsTreatmentEx(onlyBase);
  EXPECT_FALSE(onlyBase.contains("GraphicsTreatmentEx"));
}

}  // namespace
}  // namespace orval

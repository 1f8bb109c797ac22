#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "conversion/print_option_converter.h"

namespace orval {
namespace {

using Converter = PrintOptionConverter;

std::string text(const PrintOption& options, std::string_view key) {
  const Value* v = options.find(key);
  return v ? v->text() : std::string("<absent>");
}

constexpr const char* kAbsent = "<absent>";

// Checks each key's text; kAbsent stands for a key that must not be there.
void expectTexts(const PrintOption& options,
                 std::initializer_list<std::pair<const char*, std::string>> expected) {
  for (const auto& [key, value] : expected) EXPECT_EQ(text(options, key), value) << key;
}

// A joined internal key and its two canonical keys, converted both ways.
struct JoinedPair {
  const char *joined, *first, *second;
};

void expectBothWays(const char* joinedKey, const char* firstKey, const char* secondKey,
                    std::initializer_list<JoinedPair> rows) {
  for (const JoinedPair& row : rows) {
    PrintOption options{{joinedKey, row.joined}};
    Converter::convertToCanonicalPpdKeyword(options, true);
    expectTexts(options, {{firstKey, row.first}, {secondKey, row.second}, {joinedKey, kAbsent}});
    Converter::convertToInternalPpdKeyword(options);
    expectTexts(options, {{joinedKey, row.joined}, {firstKey, kAbsent}, {secondKey, kAbsent}});
  }
}

TEST(PrintOptionConverterKeysTest, PunchAndPageOrderTablesBothWays) {
  expectBothWays("Punch_PunchHoles", "Punch", "PunchHoles",
                 {{"None", "None", "None"}, {"LeftHoles2", "Left", "Holes2"}, {"RightHolesMulti", "Right", "HolesMulti"},
                  {"TopHoles3", "Top", "Holes3"}, {"BottomHoles4", "Bottom", "Holes4"},
                  {"MixSizeHoles4", "MixSize", "Holes4"}});
  expectBothWays("PageOrder_new", "PageOrder", "OutputMode",
                 {{"FaceDown", "Normal", "FaceDown"}, {"FaceUp", "Normal", "FaceUp"},
                  {"FaceUpReverse", "Reverse", "FaceUp"}, {"FaceDownReverse", "Reverse", "FaceDown"}});
}

TEST(PrintOptionConverterKeysTest, PunchAndPageOrderValuesOutsideTheTables) {
  PrintOption unknown{{"Punch_PunchHoles", "LeftHoles7"}, {"PageOrder_new", "Sideways"}};
  Converter::convertToCanonicalPpdKeyword(unknown, true);
  expectTexts(unknown, {{"Punch", "None"}, {"PunchHoles", "None"}, {"PageOrder", "Normal"}, {"OutputMode", "FaceUp"}});
  // There is no mixed-size multi-hole punch; an unknown output mode is face down.
  PrintOption unknownPairs{{"Punch", "MixSize"}, {"PunchHoles", "HolesMulti"}, {"PageOrder", "Reverse"},
                           {"OutputMode", "Stacked"}};
  Converter::convertToInternalPpdKeyword(unknownPairs);
  expectTexts(unknownPairs, {{"Punch_PunchHoles", "None"}, {"PageOrder_new", "FaceDown"}});
  // Only a complete pair is joined.
  PrintOption halves{{"Punch", "Left"}, {"PageOrder", "Reverse"}};
  Converter::convertToInternalPpdKeyword(halves);
  expectTexts(halves, {{"Punch", "Left"}, {"Punch_PunchHoles", kAbsent}, {"PageOrder", "Reverse"},
                       {"PageOrder_new", kAbsent}});
}

TEST(PrintOptionConverterKeysTest, SplitSetsEachPartOrLeavesTheKeyJoined) {
  PrintOption options{{"PaperType_MediaTypeTabbed", "Plain_True"}};
  Converter::splitKeyword(options, "PaperType_MediaTypeTabbed");
  EXPECT_EQ(options, (PrintOption{{"PaperType", "Plain"}, {"MediaTypeTabbed", "True"}}));

  // One part fewer than the key: stays joined.
  const std::string key = "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial";
  PrintOption short_{{key, "Plain_True"}};
  Converter::splitKeyword(short_, key);
  EXPECT_EQ(short_, (PrintOption{{key, "Plain_True"}}));

  // An empty joined value splits into nothing.
  PrintOption empty{{"PaperType_MediaTypeTabbed", ""}, {"PaperType", "Coated"}};
  Converter::splitKeyword(empty, "PaperType_MediaTypeTabbed");
  EXPECT_EQ(text(empty, "PaperType"), "Coated");
  EXPECT_TRUE(empty.contains("PaperType_MediaTypeTabbed"));
}

TEST(PrintOptionConverterKeysTest, JoinNeedsEveryPart) {
  PrintOption options{{"SpTonerSpecifyColorFront", true}, {"SpTonerColorFront", "Clear"}, {"Other", "x"}};
  Converter::joinKeyword(options, "SpTonerSpecifyColorFront_SpTonerColorFront");
  EXPECT_EQ(options, (PrintOption{{"Other", "x"}, {"SpTonerSpecifyColorFront_SpTonerColorFront", "True_Clear"}}));

  PrintOption missing{{"SpTonerSpecifyColorFront", "True"}};
  Converter::joinKeyword(missing, "SpTonerSpecifyColorFront_SpTonerColorFront");
  EXPECT_EQ(missing, (PrintOption{{"SpTonerSpecifyColorFront", "True"}}));

  PrintOption empty{{"SpTonerSpecifyColorFront", "True"}, {"SpTonerColorFront", ""}};
  Converter::joinKeyword(empty, "SpTonerSpecifyColorFront_SpTonerColorFront");
  EXPECT_FALSE(empty.contains("SpTonerSpecifyColorFront_SpTonerColorFront"));
  EXPECT_TRUE(empty.contains("SpTonerColorFront"));

  // A number keeps its digits: a custom paper type number loaded from a favorite is not a switch.
  PrintOption number{{"PaperType", "Plain"}, {"MediaTypeTabbed", false}, {"MediaTypeCoatingMaterial", "None"},
                     {"MediaTypePreprinted", "False"}, {"MediaTypeDrilled", "False"}, {"PaperTypeCustomNumber", 12}};
  Converter::joinKeyword(number, "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_"
                                 "MediaTypeDrilled_PaperTypeCustomNumber");
  EXPECT_EQ(text(number, "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_"
                         "PaperTypeCustomNumber"),
            "Plain_False_None_False_False_12");
}

TEST(PrintOptionConverterKeysTest, SwapKeywordValueNeedsBothKeys) {
  PrintOption options{{"A", "1"}, {"B", "2"}, {"C", "3"}};
  Converter::swapKeywordValue(options, "A", "B");
  expectTexts(options, {{"A", "2"}, {"B", "1"}});
  Converter::swapKeywordValue(options, "C", "D");
  expectTexts(options, {{"C", "3"}, {"D", kAbsent}});
}

PrintOption fiveCreases(const char* count) {
  PrintOption options{{"CreaseNum", count}};
  for (int i = 1; i <= 5; ++i) {
    options.set("CreasePosition" + std::to_string(i), std::to_string(i * 1000));
    options.set("CreaseDirection" + std::to_string(i), "D" + std::to_string(i));
    options.set("CreasePressureLevel" + std::to_string(i), "P" + std::to_string(i));
  }
  return options;
}

std::string order(const PrintOption& options, const char* name) {
  std::string result;
  for (int i = 1; i <= 5; ++i) result += text(options, name + std::to_string(i)) + " ";
  return result;
}

TEST(PrintOptionConverterKeysTest, CreaseOrderIsReversedForTheirCount) {
  PrintOption two = fiveCreases("2");
  Converter::swapCreaseKeyword(two);
  EXPECT_EQ(order(two, "CreasePosition"), "2000 1000 3000 4000 5000 ");
  EXPECT_EQ(order(two, "CreaseDirection"), "D2 D1 D3 D4 D5 ");
  EXPECT_EQ(order(two, "CreasePressureLevel"), "P2 P1 P3 P4 P5 ");

  for (const auto& [count, name, expected] :
       {std::tuple{"3", "CreasePosition", "3000 2000 1000 4000 5000 "},
        std::tuple{"4", "CreaseDirection", "D4 D3 D2 D1 D5 "}, std::tuple{"5", "CreasePressureLevel", "P5 P4 P3 P2 P1 "}}) {
    PrintOption options = fiveCreases(count);
    Converter::swapCreaseKeyword(options);
    EXPECT_EQ(order(options, name), expected) << count;
  }
  for (const char* count : {"1", "6", ""}) {
    PrintOption unchanged = fiveCreases(count);
    Converter::swapCreaseKeyword(unchanged);
    EXPECT_EQ(order(unchanged, "CreasePosition"), "1000 2000 3000 4000 5000 ") << count;
  }
}

TEST(PrintOptionConverterKeysTest, CreasePositionsAreMirroredOnTheSheetLength) {
  PrintOption options{{"CreaseNum", "1"}, {"ChgPrintPaperSizeLength", "56693"}, {"CreasePosition1", "5669"},
                      {"CreasePosition2", ""}, {"CreasePosition3", "100"}};
  Converter::swapCreaseKeyword(options);
  expectTexts(options, {{"CreasePosition1", "51024"}, {"CreasePosition2", ""}, {"CreasePosition3", "56593"}});
  // Its own inverse.
  Converter::swapCreaseKeyword(options);
  expectTexts(options, {{"CreasePosition1", "5669"}, {"CreasePosition3", "100"}});

  // Without a crease count nothing is touched, the length notwithstanding.
  PrintOption noCount{{"ChgPrintPaperSizeLength", "56693"}, {"CreasePosition1", "5669"}};
  Converter::swapCreaseKeyword(noCount);
  EXPECT_EQ(text(noCount, "CreasePosition1"), "5669");
}

TEST(PrintOptionConverterKeysTest, GraphicsTreatmentBothWays) {
  struct Case {
    const char* treatment;
    const char* base;
    const char* mode;
    const char* back;
  };
  for (const Case& c : {Case{"JobImage", "Job", "Image", "JobImage"}, Case{"JobText", "Job", "Text", "JobText"},
                        Case{"System", "System", "Image", "System"}, Case{"Other", "System", "Image", "System"}}) {
    PrintOption options{{"GraphicsTreatmentEx", c.treatment}};
    Converter::convertToCanonicalGraphicsTreatmentEx(options);
    EXPECT_EQ(text(options, "GraphicsTreatmentBase"), c.base);
    EXPECT_EQ(text(options, "GraphicsTreatmentMode"), c.mode);
    EXPECT_EQ(text(options, "GraphicsTreatmentEx"), c.treatment);
    options.remove("GraphicsTreatmentEx");
    Converter::convertToInternalGraphicsTreatmentEx(options);
    EXPECT_EQ(text(options, "GraphicsTreatmentEx"), c.back);
    EXPECT_TRUE(options.contains("GraphicsTreatmentBase"));
  }
  PrintOption onlyBase{{"GraphicsTreatmentBase", "Job"}};
  Converter::convertToInternalGraphicsTreatmentEx(onlyBase);
  EXPECT_FALSE(onlyBase.contains("GraphicsTreatmentEx"));
}

TEST(PrintOptionConverterKeysTest, MagnificationInTenths) {
  for (const auto& [given, canonical, toCanonical] : {std::tuple{"100.0", "1000", true}, std::tuple{"33.35", "334", true},
                                                      std::tuple{"", "", true}, std::tuple{"1235", "123.5", false}}) {
    PrintOption options{{"Magnification", given}};
    if (toCanonical) Converter::convertToCanonicalMagnification(options);
    else Converter::convertToInternalMagnification(options);
    EXPECT_EQ(text(options, "Magnification"), canonical) << given;
  }
}

}  // namespace
}  // namespace orval

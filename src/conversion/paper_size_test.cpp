#include "conversion/paper_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace orval {
namespace {

// The printer's paper sizes: name, type number, and width x height in millimetres to one
// decimal as the printer's documentation lists them.
struct ReferenceSize {
  std::string_view name;
  int typeNum;
  std::string_view millimetres;
};

constexpr ReferenceSize kReference[] = {
    {"A3", 1, "297.0x420.0"}, {"A4LEF", 2, "297.0x210.0"}, {"A4SEF", 3, "210.0x297.0"}, {"A5", 4, "148.0x210.0"},
    {"B4", 5, "257.0x364.0"}, {"B5LEF", 6, "257.0x182.0"}, {"B5SEF", 7, "182.0x257.0"}, {"B6", 8, "128.0x182.0"},
    {"80x100LEF", 10, "254.0x203.2"}, {"80x100SEF", 11, "203.2x254.0"}, {"85x110LEF", 12, "279.4x215.9"},
    {"85x110SEF", 13, "215.9x279.4"}, {"85x130", 14, "215.9x330.2"}, {"85x140", 15, "215.9x355.6"},
    {"110x170", 16, "279.4x431.8"}, {"120x180", 17, "304.8x457.2"}, {"126x177", 18, "320.0x450.0"},
    {"Hagaki", 19, "100.0x148.0"}, {"DoublePostcardSEF", 22, "148.0x200.0"}, {"A2LEF", 30, "594.0x420.0"},
    {"B3LEF", 38, "515.0x364.0"}, {"A4Booklet", 49, "297.0x210.0"}, {"B5Booklet", 50, "257.0x182.0"},
    {"A5Booklet", 51, "210.0x148.0"}, {"85x110Booklet", 52, "279.4x215.9"}, {"A5LEF", 53, "210.0x148.0"},
    {"130x180", 57, "330.2x457.2"}, {"A6", 62, "105.0x148.0"}, {"126x192", 65, "320.0x487.4"},
    {"260x180", 66, "660.4x457.2"}, {"130x190", 67, "330.2x482.6"}, {"Envchou3SEF", 68, "120.0x235.0"},
    {"A6Booklet", 71, "148.0x105.0"}, {"B6Booklet", 72, "182.0x128.0"}, {"8Kai", 76, "267.0x388.0"},
    {"16KaiLEF", 77, "267.0x194.0"}, {"Envkaku2SEF", 78, "240.0x332.0"}, {"16Kai", 79, "194.0x267.0"},
    {"8KaiC", 82, "270.0x390.0"}, {"16KaiC", 83, "195.0x270.0"}, {"16KaiLEFC", 84, "270.0x195.0"},
    {"Envkaku20", 88, "229.0x324.0"}, {"Envkaku6", 89, "162.0x229.0"}, {"260x190", 104, "660.4x482.6"},
    {"Kikuban16LEF", 106, "234.0x159.0"}, {"Kikuban16SEF", 107, "159.0x234.0"}, {"Kikuban8LEF", 108, "318.0x234.0"},
    {"Kikuban8SEF", 109, "234.0x318.0"}, {"Kikuban4SEF", 110, "318.0x469.0"},
    {"Shirokuban16LEF", 111, "272.0x197.0"}, {"Shirokuban16SEF", 112, "197.0x272.0"},
    {"Shirokuban8SEF", 113, "272.0x394.0"}, {"Envkaku1SEF", 114, "270.0x382.0"}, {"Envkaku3LEF", 115, "277.0x216.0"},
    {"Envkaku3SEF", 116, "216.0x277.0"}, {"Envyou2SEF", 117, "114.0x162.0"}, {"Envyou3SEF", 118, "98.0x148.0"},
    {"Envyou4SEF", 119, "105.0x235.0"}, {"Envyouchou3LEF", 120, "235.0x120.0"},
    {"Envyouchou3SEF", 121, "120.0x235.0"}, {"Envkaku7SEF", 129, "142.0x205.0"}, {"Envkaku8SEF", 130, "119.0x197.0"},
    {"Envyou6SEF", 131, "98.0x190.0"}, {"Envchou1SEF", 133, "142.0x332.0"}, {"Envchou2SEF", 134, "119.0x277.0"}
};

// Tenths of a millimetre of a length in cep (cep x 127 / 7200, rounded half up).
std::int64_t tenthsOfMm(std::uint32_t cep) { return (2 * std::int64_t{cep} * 127 + 7200) / 14400; }

TEST(PaperSizeTest, TableHoldsEverySizeWithItsValuesOnce) {
  ASSERT_EQ(paperSizes().size(), std::size(kReference));
  std::set<int> typeNums;
  for (std::size_t i = 0; i < std::size(kReference); ++i) {
    const ReferenceSize& ref = kReference[i];
    const PaperSize& size = paperSizes()[i];
    EXPECT_EQ(size.name, ref.name);
    EXPECT_EQ(size.typeNum, ref.typeNum) << ref.name;
    EXPECT_TRUE(typeNums.insert(size.typeNum).second) << ref.name;
    // The cep values agree with the millimetres shown, so a mistyped digit in either shows up.
    const auto tenths = [](std::uint32_t cep) { return std::to_string(tenthsOfMm(cep) / 10) + "." +
                                                       std::to_string(tenthsOfMm(cep) % 10); };
    EXPECT_EQ(tenths(size.width) + "x" + tenths(size.height), ref.millimetres) << ref.name;
  }
}

TEST(PaperSizeTest, CepSizeDictionary) {
  EXPECT_EQ(getCepSizeFromPaperSizeType("A4SEF"), (Dict{{"width", "119056"}, {"height", "168378"}, {"typeNum", "3"}}));
  // Names are compared exactly; the special choices are no sizes.
  for (const char* name : {"Custom", "NoChange", "", "a4sef", "A4SEF ", "A4"})
    EXPECT_FALSE(getCepSizeFromPaperSizeType(name).has_value()) << name;
}

TEST(PaperSizeTest, FinishedSheetDirection) {
  const std::set<std::string_view> landscape = {
      "A4LEF",   "B5LEF",   "80x100LEF", "85x110LEF", "A2LEF",   "B3LEF",        "A4Booklet",   "B5Booklet",
      "A5Booklet", "85x110Booklet", "A5LEF", "260x180", "A6Booklet", "B6Booklet", "16KaiLEF", "260x190",
      "Kikuban16LEF", "Kikuban8LEF", "Shirokuban16LEF", "Envkaku3LEF"};
  // Not every long edge feed name lies landscape ("16KaiLEFC", "Envyouchou3LEF"); unknown names are portrait.
  for (const PaperSize& size : paperSizes())
    EXPECT_EQ(getImpositionFinishedSheetDirection(size.name), landscape.contains(size.name) ? "Landscape" : "Portrait")
        << size.name;
  EXPECT_EQ(getImpositionFinishedSheetDirection("Custom"), "Portrait");
}

}  // namespace
}  // namespace orval

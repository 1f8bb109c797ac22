#include "conversion/paper_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace orval {
namespace {

// The printer's paper sizes: name, type number, width and height in cep, and
// width x height in millimetres to one decimal as the printer's documentation lists them.
struct ReferenceSize {
  std::string_view name;
  int typeNum;
  std::uint32_t width, height;
  std::string_view millimetres;
};

constexpr ReferenceSize kReference[] = {
    {"A3", 1, 168378, 238111, "297.0x420.0"}, {"A4LEF", 2, 168378, 119056, "297.0x210.0"},
    {"A4SEF", 3, 119056, 168378, "210.0x297.0"}, {"A5", 4, 83906, 119056, "148.0x210.0"},
    {"B4", 5, 145701, 206363, "257.0x364.0"}, {"B5LEF", 6, 145701, 103182, "257.0x182.0"},
    {"B5SEF", 7, 103182, 145701, "182.0x257.0"}, {"B6", 8, 72567, 103182, "128.0x182.0"},
    {"80x100LEF", 10, 144001, 115201, "254.0x203.2"}, {"80x100SEF", 11, 115201, 144001, "203.2x254.0"},
    {"85x110LEF", 12, 158401, 122401, "279.4x215.9"}, {"85x110SEF", 13, 122401, 158401, "215.9x279.4"},
    {"85x130", 14, 122401, 187201, "215.9x330.2"}, {"85x140", 15, 122401, 201601, "215.9x355.6"},
    {"110x170", 16, 158401, 244801, "279.4x431.8"}, {"120x180", 17, 172801, 259201, "304.8x457.2"},
    {"126x177", 18, 181418, 255119, "320.0x450.0"}, {"Hagaki", 19, 56693, 83906, "100.0x148.0"},
    {"DoublePostcardSEF", 22, 83906, 113386, "148.0x200.0"}, {"A2LEF", 30, 336756, 238111, "594.0x420.0"},
    {"B3LEF", 38, 291969, 206363, "515.0x364.0"}, {"A4Booklet", 49, 168378, 119056, "297.0x210.0"},
    {"B5Booklet", 50, 145701, 103182, "257.0x182.0"}, {"A5Booklet", 51, 119056, 83906, "210.0x148.0"},
    {"85x110Booklet", 52, 158401, 122401, "279.4x215.9"}, {"A5LEF", 53, 119056, 83906, "210.0x148.0"},
    {"130x180", 57, 187201, 259201, "330.2x457.2"}, {"A6", 62, 59528, 83906, "105.0x148.0"},
    {"126x192", 65, 181418, 276332, "320.0x487.4"}, {"260x180", 66, 374401, 259201, "660.4x457.2"},
    {"130x190", 67, 187201, 273601, "330.2x482.6"}, {"Envchou3SEF", 68, 68032, 133229, "120.0x235.0"},
    {"A6Booklet", 71, 83906, 59528, "148.0x105.0"}, {"B6Booklet", 72, 103182, 72567, "182.0x128.0"},
    {"8Kai", 76, 151371, 219969, "267.0x388.0"}, {"16KaiLEF", 77, 151371, 109985, "267.0x194.0"},
    {"Envkaku2SEF", 78, 136063, 188221, "240.0x332.0"}, {"16Kai", 79, 109985, 151371, "194.0x267.0"},
    {"8KaiC", 82, 153071, 221103, "270.0x390.0"}, {"16KaiC", 83, 110552, 153071, "195.0x270.0"},
    {"16KaiLEFC", 84, 153071, 110552, "270.0x195.0"}, {"Envkaku20", 88, 129827, 183686, "229.0x324.0"},
    {"Envkaku6", 89, 91843, 129827, "162.0x229.0"}, {"260x190", 104, 374401, 273601, "660.4x482.6"},
    {"Kikuban16LEF", 106, 132662, 90142, "234.0x159.0"}, {"Kikuban16SEF", 107, 90142, 132662, "159.0x234.0"},
    {"Kikuban8LEF", 108, 180284, 132662, "318.0x234.0"}, {"Kikuban8SEF", 109, 132662, 180284, "234.0x318.0"},
    {"Kikuban4SEF", 110, 180284, 265890, "318.0x469.0"}, {"Shirokuban16LEF", 111, 154205, 111686, "272.0x197.0"},
    {"Shirokuban16SEF", 112, 111686, 154205, "197.0x272.0"}, {"Shirokuban8SEF", 113, 154205, 223371, "272.0x394.0"},
    {"Envkaku1SEF", 114, 153071, 216567, "270.0x382.0"}, {"Envkaku3LEF", 115, 157040, 122457, "277.0x216.0"},
    {"Envkaku3SEF", 116, 122457, 157040, "216.0x277.0"}, {"Envyou2SEF", 117, 64630, 91843, "114.0x162.0"},
    {"Envyou3SEF", 118, 55560, 83906, "98.0x148.0"}, {"Envyou4SEF", 119, 59528, 133229, "105.0x235.0"},
    {"Envyouchou3LEF", 120, 133229, 68032, "235.0x120.0"}, {"Envyouchou3SEF", 121, 68032, 133229, "120.0x235.0"},
    {"Envkaku7SEF", 129, 80504, 116221, "142.0x205.0"}, {"Envkaku8SEF", 130, 67465, 111686, "119.0x197.0"},
    {"Envyou6SEF", 131, 55560, 107717, "98.0x190.0"}, {"Envchou1SEF", 133, 80504, 188221, "142.0x332.0"},
    {"Envchou2SEF", 134, 67465, 157040, "119.0x277.0"}
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
    EXPECT_EQ(size.width, ref.width) << ref.name;
    EXPECT_EQ(size.height, ref.height) << ref.name;
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

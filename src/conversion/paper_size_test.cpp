#include "conversion/paper_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace orval {
namespace {

// The printer's paper sizes with their sizes in millimetres to one decimal,
// as the printer's documentation lists them.
struct ReferenceSize {
  std::string_view name;
  int typeNum;
  std::uint32_t width;
  std::uint32_t height;
  std::string_view widthMm;
  std::string_view heightMm;
};

constexpr ReferenceSize kReference[] = {
    {"A3", 1, 168378, 238111, "297.0", "420.0"},
    {"A4LEF", 2, 168378, 119056, "297.0", "210.0"},
    {"A4SEF", 3, 119056, 168378, "210.0", "297.0"},
    {"A5", 4, 83906, 119056, "148.0", "210.0"},
    {"B4", 5, 145701, 206363, "257.0", "364.0"},
    {"B5LEF", 6, 145701, 103182, "257.0", "182.0"},
    {"B5SEF", 7, 103182, 145701, "182.0", "257.0"},
    {"B6", 8, 72567, 103182, "128.0", "182.0"},
    {"80x100LEF", 10, 144001, 115201, "254.0", "203.2"},
    {"80x100SEF", 11, 115201, 144001, "203.2", "254.0"},
    {"85x110LEF", 12, 158401, 122401, "279.4", "215.9"},
    {"85x110SEF", 13, 122401, 158401, "215.9", "279.4"},
    {"85x130", 14, 122401, 187201, "215.9", "330.2"},
    {"85x140", 15, 122401, 201601, "215.9", "355.6"},
    {"110x170", 16, 158401, 244801, "279.4", "431.8"},
    {"120x180", 17, 172801, 259201, "304.8", "457.2"},
    {"126x177", 18, 181418, 255119, "320.0", "450.0"},
    {"Hagaki", 19, 56693, 83906, "100.0", "148.0"},
    {"DoublePostcardSEF", 22, 83906, 113386, "148.0", "200.0"},
    {"A2LEF", 30, 336756, 238111, "594.0", "420.0"},
    {"B3LEF", 38, 291969, 206363, "515.0", "364.0"},
    {"A4Booklet", 49, 168378, 119056, "297.0", "210.0"},
    {"B5Booklet", 50, 145701, 103182, "257.0", "182.0"},
    {"A5Booklet", 51, 119056, 83906, "210.0", "148.0"},
    {"85x110Booklet", 52, 158401, 122401, "279.4", "215.9"},
    {"A5LEF", 53, 119056, 83906, "210.0", "148.0"},
    {"130x180", 57, 187201, 259201, "330.2", "457.2"},
    {"A6", 62, 59528, 83906, "105.0", "148.0"},
    {"126x192", 65, 181418, 276332, "320.0", "487.4"},
    {"260x180", 66, 374401, 259201, "660.4", "457.2"},
    {"130x190", 67, 187201, 273601, "330.2", "482.6"},
    {"Envchou3SEF", 68, 68032, 133229, "120.0", "235.0"},
    {"A6Booklet", 71, 83906, 59528, "148.0", "105.0"},
    {"B6Booklet", 72, 103182, 72567, "182.0", "128.0"},
    {"8Kai", 76, 151371, 219969, "267.0", "388.0"},
    {"16KaiLEF", 77, 151371, 109985, "267.0", "194.0"},
    {"Envkaku2SEF", 78, 136063, 188221, "240.0", "332.0"},
    {"16Kai", 79, 109985, 151371, "194.0", "267.0"},
    {"8KaiC", 82, 153071, 221103, "270.0", "390.0"},
    {"16KaiC", 83, 110552, 153071, "195.0", "270.0"},
    {"16KaiLEFC", 84, 153071, 110552, "270.0", "195.0"},
    {"Envkaku20", 88, 129827, 183686, "229.0", "324.0"},
    {"Envkaku6", 89, 91843, 129827, "162.0", "229.0"},
    {"260x190", 104, 374401, 273601, "660.4", "482.6"},
    {"Kikuban16LEF", 106, 132662, 90142, "234.0", "159.0"},
    {"Kikuban16SEF", 107, 90142, 132662, "159.0", "234.0"},
    {"Kikuban8LEF", 108, 180284, 132662, "318.0", "234.0"},
    {"Kikuban8SEF", 109, 132662, 180284, "234.0", "318.0"},
    {"Kikuban4SEF", 110, 180284, 265890, "318.0", "469.0"},
    {"Shirokuban16LEF", 111, 154205, 111686, "272.0", "197.0"},
    {"Shirokuban16SEF", 112, 111686, 154205, "197.0", "272.0"},
    {"Shirokuban8SEF", 113, 154205, 223371, "272.0", "394.0"},
    {"Envkaku1SEF", 114, 153071, 216567, "270.0", "382.0"},
    {"Envkaku3LEF", 115, 157040, 122457, "277.0", "216.0"},
    {"Envkaku3SEF", 116, 122457, 157040, "216.0", "277.0"},
    {"Envyou2SEF", 117, 64630, 91843, "114.0", "162.0"},
    {"Envyou3SEF", 118, 55560, 83906, "98.0", "148.0"},
    {"Envyou4SEF", 119, 59528, 133229, "105.0", "235.0"},
    {"Envyouchou3LEF", 120, 133229, 68032, "235.0", "120.0"},
    {"Envyouchou3SEF", 121, 68032, 133229, "120.0", "235.0"},
    {"Envkaku7SEF", 129, 80504, 116221, "142.0", "205.0"},
    {"Envkaku8SEF", 130, 67465, 111686, "119.0", "197.0"},
    {"Envyou6SEF", 131, 55560, 107717, "98.0", "190.0"},
    {"Envchou1SEF", 133, 80504, 188221, "142.0", "332.0"},
    {"Envchou2SEF", 134, 67465, 157040, "119.0", "277.0"},
};

// Tenths of a millimetre of a length in cep: cep × 25.4 / 14400 × 10 = cep × 127 / 7200,
// rounded half up (lengths are positive).
std::int64_t tenthsOfMm(std::uint32_t cep) { return (2 * std::int64_t{cep} * 127 + 7200) / 14400; }

std::int64_t tenthsOf(std::string_view mm) {
  const std::size_t dot = mm.find('.');
  return std::stoll(std::string(mm.substr(0, dot))) * 10 + (mm[dot + 1] - '0');
}

TEST(PaperSizeTest, TableHoldsEverySizeWithItsValues) {
  ASSERT_EQ(paperSizes().size(), std::size(kReference));
  for (std::size_t i = 0; i < std::size(kReference); ++i) {
    const ReferenceSize& ref = kReference[i];
    const PaperSize& size = paperSizes()[i];
    EXPECT_EQ(size.name, ref.name);
    EXPECT_EQ(size.typeNum, ref.typeNum) << ref.name;
    EXPECT_EQ(size.width, ref.width) << ref.name;
    EXPECT_EQ(size.height, ref.height) << ref.name;
    // The cep values agree with the millimetres to the tenth shown, so a
    // mistyped digit in either column shows up.
    EXPECT_EQ(tenthsOfMm(size.width), tenthsOf(ref.widthMm)) << ref.name;
    EXPECT_EQ(tenthsOfMm(size.height), tenthsOf(ref.heightMm)) << ref.name;
  }
}

TEST(PaperSizeTest, NamesAndTypeNumbersAreUnique) {
  std::set<std::string_view> names;
  std::set<int> typeNums;
  for (const PaperSize& size : paperSizes()) {
    EXPECT_TRUE(names.insert(size.name).second) << size.name;
    EXPECT_TRUE(typeNums.insert(size.typeNum).second) << size.name;
  }
}

TEST(PaperSizeTest, CepSizeDictionary) {
  const std::optional<Dict> a4 = getCepSizeFromPaperSizeType("A4SEF");
  ASSERT_TRUE(a4.has_value());
  EXPECT_EQ(*a4, (Dict{{"width", "119056"}, {"height", "168378"}, {"typeNum", "3"}}));
  const std::optional<Dict> letter = getCepSizeFromPaperSizeType("85x110LEF");
  ASSERT_TRUE(letter.has_value());
  EXPECT_EQ(letter->get("width"), Value("158401"));  // the printer's value, not 158400
  EXPECT_EQ(letter->get("typeNum"), Value("12"));
  // Names are compared exactly; the special choices are no sizes.
  for (const char* name : {"Custom", "NoChange", "", "a4sef", "A4SEF ", "A4"})
    EXPECT_FALSE(getCepSizeFromPaperSizeType(name).has_value()) << name;
}

TEST(PaperSizeTest, FinishedSheetDirection) {
  const std::set<std::string_view> landscape = {
      "A4LEF",   "B5LEF",        "80x100LEF",   "85x110LEF",       "A2LEF",
      "B3LEF",   "A4Booklet",    "B5Booklet",   "A5Booklet",       "85x110Booklet",
      "A5LEF",   "260x180",      "A6Booklet",   "B6Booklet",       "16KaiLEF",
      "260x190", "Kikuban16LEF", "Kikuban8LEF", "Shirokuban16LEF", "Envkaku3LEF"};
  ASSERT_EQ(landscape.size(), 20u);
  for (const PaperSize& size : paperSizes()) {
    const std::string_view expected = landscape.contains(size.name) ? "Landscape" : "Portrait";
    EXPECT_EQ(getImpositionFinishedSheetDirection(size.name), expected) << size.name;
  }
  // Not every long edge feed name lies landscape: these two are not in the list.
  EXPECT_EQ(getImpositionFinishedSheetDirection("16KaiLEFC"), "Portrait");
  EXPECT_EQ(getImpositionFinishedSheetDirection("Envyouchou3LEF"), "Portrait");
  EXPECT_EQ(getImpositionFinishedSheetDirection("Custom"), "Portrait");
  EXPECT_EQ(getImpositionFinishedSheetDirection(""), "Portrait");
}

}  // namespace
}  // namespace orval

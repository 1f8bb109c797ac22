#include "conversion/paper_size.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace orval {
namespace {

// Tenths of a millimetre of a length in cep (cep x 127 / 7200, rounded half up), as "297.0".
std::string millimetres(std::uint32_t cep) {
  const std::int64_t tenths = (2 * std::int64_t{cep} * 127 + 7200) / 14400;
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// Spot checks against the printer's documentation in millimetres; every type number once; a
// long-edge-feed size is its short-edge-feed twin turned.
TEST(PaperSizeTest, TableValues) {
  const std::map<std::string_view, std::pair<int, std::string>> documented = {
      {"A3", {1, "297.0x420.0"}}, {"85x110SEF", {13, "215.9x279.4"}}, {"Hagaki", {19, "100.0x148.0"}},
      {"126x192", {65, "320.0x487.4"}}, {"Envchou2SEF", {134, "119.0x277.0"}}};
  std::set<int> typeNums;
  std::map<std::string, std::string> sides;
  for (const PaperSize& size : paperSizes()) {
    EXPECT_TRUE(typeNums.insert(size.typeNum).second) << size.name;
    const std::string text = millimetres(size.width) + "x" + millimetres(size.height);
    sides[std::string(size.name)] = text;
    if (const auto it = documented.find(size.name); it != documented.end())
      EXPECT_EQ(std::pair(size.typeNum, text), it->second) << size.name;
  }
  EXPECT_EQ(paperSizes().size(), 65u);
  for (const auto& [name, text] : sides) {
    if (!name.ends_with("LEF") || !sides.contains(name.substr(0, name.size() - 3) + "SEF")) continue;
    const std::string sef = sides[name.substr(0, name.size() - 3) + "SEF"];
    EXPECT_EQ(text, sef.substr(sef.find('x') + 1) + "x" + sef.substr(0, sef.find('x'))) << name;
  }
}

TEST(PaperSizeTest, CepSizeDictionaryAndFinishedSheetDirection) {
  EXPECT_EQ(getCepSizeFromPaperSizeType("A4SEF"), (Dict{{"width", "119056"}, {"height", "168378"}, {"typeNum", "3"}}));
  // Names are compared exactly; the special choices are no sizes.
  for (const char* name : {"Custom", "NoChange", "", "a4sef", "A4SEF ", "A4"})
    EXPECT_FALSE(getCepSizeFromPaperSizeType(name).has_value()) << name;
  // Not every long edge feed name lies landscape; unknown names are portrait.
  for (const char* name : {"A4LEF", "A5Booklet", "260x190", "Envkaku3LEF", "B5LEF"})
    EXPECT_EQ(getImpositionFinishedSheetDirection(name), "Landscape") << name;
  for (const char* name : {"A4SEF", "16KaiLEFC", "Envyouchou3LEF", "A3", "Custom"})
    EXPECT_EQ(getImpositionFinishedSheetDirection(name), "Portrait") << name;
}

}  // namespace
}  // namespace orval

#include "conversion/paper_size.h"

#include <algorithm>
#include <string>

namespace orval {

namespace {

constexpr PaperSize kPaperSizes[] = {
    {"A3", 1, 168378, 238111},
    {"A4LEF", 2, 168378, 119056},
    {"A4SEF", 3, 119056, 168378},
    {"A5", 4, 83906, 119056},
    {"B4", 5, 145701, 206363},
    {"B5LEF", 6, 145701, 103182},
    {"B5SEF", 7, 103182, 145701},
    {"B6", 8, 72567, 103182},
    {"80x100LEF", 10, 144001, 115201},
    {"80x100SEF", 11, 115201, 144001},
    {"85x110LEF", 12, 158401, 122401},
    {"85x110SEF", 13, 122401, 158401},
    {"85x130", 14, 122401, 187201},
    {"85x140", 15, 122401, 201601},
    {"110x170", 16, 158401, 244801},
    {"120x180", 17, 172801, 259201},
    {"126x177", 18, 181418, 255119},
    {"Hagaki", 19, 56693, 83906},
    {"DoublePostcardSEF", 22, 83906, 113386},
    {"A2LEF", 30, 336756, 238111},
    {"B3LEF", 38, 291969, 206363},
    {"A4Booklet", 49, 168378, 119056},
    {"B5Booklet", 50, 145701, 103182},
    {"A5Booklet", 51, 119056, 83906},
    {"85x110Booklet", 52, 158401, 122401},
    {"A5LEF", 53, 119056, 83906},
    {"130x180", 57, 187201, 259201},
    {"A6", 62, 59528, 83906},
    {"126x192", 65, 181418, 276332},
    {"260x180", 66, 374401, 259201},
    {"130x190", 67, 187201, 273601},
    {"Envchou3SEF", 68, 68032, 133229},
    {"A6Booklet", 71, 83906, 59528},
    {"B6Booklet", 72, 103182, 72567},
    {"8Kai", 76, 151371, 219969},
    {"16KaiLEF", 77, 151371, 109985},
    {"Envkaku2SEF", 78, 136063, 188221},
    {"16Kai", 79, 109985, 151371},
    {"8KaiC", 82, 153071, 221103},
    {"16KaiC", 83, 110552, 153071},
    {"16KaiLEFC", 84, 153071, 110552},
    {"Envkaku20", 88, 129827, 183686},
    {"Envkaku6", 89, 91843, 129827},
    {"260x190", 104, 374401, 273601},
    {"Kikuban16LEF", 106, 132662, 90142},
    {"Kikuban16SEF", 107, 90142, 132662},
    {"Kikuban8LEF", 108, 180284, 132662},
    {"Kikuban8SEF", 109, 132662, 180284},
    {"Kikuban4SEF", 110, 180284, 265890},
    {"Shirokuban16LEF", 111, 154205, 111686},
    {"Shirokuban16SEF", 112, 111686, 154205},
    {"Shirokuban8SEF", 113, 154205, 223371},
    {"Envkaku1SEF", 114, 153071, 216567},
    {"Envkaku3LEF", 115, 157040, 122457},
    {"Envkaku3SEF", 116, 122457, 157040},
    {"Envyou2SEF", 117, 64630, 91843},
    {"Envyou3SEF", 118, 55560, 83906},
    {"Envyou4SEF", 119, 59528, 133229},
    {"Envyouchou3LEF", 120, 133229, 68032},
    {"Envyouchou3SEF", 121, 68032, 133229},
    {"Envkaku7SEF", 129, 80504, 116221},
    {"Envkaku8SEF", 130, 67465, 111686},
    {"Envyou6SEF", 131, 55560, 107717},
    {"Envchou1SEF", 133, 80504, 188221},
    {"Envchou2SEF", 134, 67465, 157040},
};

// The sizes whose finished sheet lies landscape.
constexpr std::string_view kLandscapeSizes[] = {
    "A4LEF",   "B5LEF",        "80x100LEF",   "85x110LEF",       "A2LEF",
    "B3LEF",   "A4Booklet",    "B5Booklet",   "A5Booklet",       "85x110Booklet",
    "A5LEF",   "260x180",      "A6Booklet",   "B6Booklet",       "16KaiLEF",
    "260x190", "Kikuban16LEF", "Kikuban8LEF", "Shirokuban16LEF", "Envkaku3LEF",
};

}  // namespace

std::span<const PaperSize> paperSizes() { return kPaperSizes; }

const PaperSize* findPaperSize(std::string_view name) {
  const auto* it = std::find_if(std::begin(kPaperSizes), std::end(kPaperSizes),
                                [name](const PaperSize& size) { return size.name == name; });
  return it == std::end(kPaperSizes) ? nullptr : it;
}

std::optional<Dict> getCepSizeFromPaperSizeType(std::string_view name) {
  const PaperSize* size = findPaperSize(name);
  if (!size) return std::nullopt;
  return Dict{{"width", std::to_string(size->width)},
              {"height", std::to_string(size->height)},
              {"typeNum", std::to_string(size->typeNum)}};
}

std::string_view getImpositionFinishedSheetDirection(std::string_view name) {
  const bool landscape = std::find(std::begin(kLandscapeSizes), std::end(kLandscapeSizes), name) !=
                         std::end(kLandscapeSizes);
  return landscape ? "Landscape" : "Portrait";
}

}  // namespace orval

// The named paper sizes of the printer: each name's type number and its
// width and height in cep units (1/14400 inch), and the direction a finished
// sheet of that size has. Imposition reads them to compute finished and sheet
// sizes; the values are the printer's own, not computed from millimetres or
// inches (8 inches is 115201 cep here, not 115200).
//
// Width is the side across the feed direction: the "LEF" (long edge feed)
// names have the long side as width, the "SEF" names the short side.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

// One named paper size.
struct PaperSize {
  std::string_view name;
  int typeNum;
  std::uint32_t width;   // cep
  std::uint32_t height;  // cep
};

// Every named paper size, in the printer's order.
std::span<const PaperSize> paperSizes();
// The paper size of exactly this name, or nullptr ("Custom", "NoChange" and unknown names).
const PaperSize* findPaperSize(std::string_view name);
// The size as decimal strings {"width", "height", "typeNum"}; std::nullopt for no such name.
std::optional<Dict> getCepSizeFromPaperSizeType(std::string_view name);
// "Landscape" for the sizes whose finished sheet lies landscape (the LEF and booklet sizes
// among others), "Portrait" for every other name, unknown names included.
std::string_view getImpositionFinishedSheetDirection(std::string_view name);

}  // namespace orval

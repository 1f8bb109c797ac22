#include "conversion/imposition.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "conversion/decimal_number.h"
#include "conversion/paper_size.h"
#include "conversion/unit_conversion.h"
#include "platform/foundation/log.h"

namespace orval {

namespace {

// Internal keys.
constexpr std::string_view kModeKey = "ImpositionMode_ImpositionCustomMode";
constexpr std::string_view kPagesKey = "ImpositionNup_NumOfPages";
constexpr std::string_view kBindingKey = "ImpositionBooklet_LayoutBaseFile";
constexpr std::string_view kCreepKey = "ImpositionBooklet_CreepTotalOffset";
constexpr std::string_view kNupFittingKey = "ImpositionNup_Fitting";
constexpr std::string_view kBookletFittingKey = "ImpositionBooklet_Fitting";
constexpr std::string_view kOrientationKey = "DocumentOrientation";
constexpr std::string_view kPaperTypeKey = "ChgPrintPaperSizeType";
constexpr std::string_view kPaperLengthKey = "ChgPrintPaperSizeLength";
constexpr std::string_view kPaperWidthKey = "ChgPrintPaperSizeWidth";

constexpr std::string_view kRightBindingFile = "SaddleStiching2x1(RightBinding).json";
constexpr std::string_view kLeftBindingFile = "SaddleStiching2x1(LeftBinding).json";

// Which side of the sheet a finished size is taken from, and its divisor.
enum class Side { Long, Short };

// One N-up layout: pages per sheet in one document orientation.
struct NupLayout {
  std::string_view orientation;
  std::string_view pages;
  std::string_view repeatX;
  std::string_view repeatY;
  std::string_view sheetDirection;
  Side heightSide;
  std::uint64_t heightDivisor;
  Side widthSide;
  std::uint64_t widthDivisor;
};

constexpr NupLayout kNupLayouts[] = {
    {"Portrait", "2up", "2", "1", "Landscape", Side::Short, 1, Side::Long, 2},
    {"Portrait", "4up", "2", "2", "Portrait", Side::Long, 2, Side::Short, 2},
    {"Portrait", "8up", "4", "2", "Landscape", Side::Short, 2, Side::Long, 4},
    {"Portrait", "16up", "4", "4", "Portrait", Side::Long, 4, Side::Short, 4},
    {"Portrait", "32up", "8", "4", "Landscape", Side::Short, 4, Side::Long, 8},
    {"Landscape", "2up", "1", "2", "Portrait", Side::Short, 1, Side::Long, 2},
    {"Landscape", "4up", "2", "2", "Landscape", Side::Long, 2, Side::Short, 2},
    {"Landscape", "8up", "2", "4", "Portrait", Side::Short, 2, Side::Long, 4},
    {"Landscape", "16up", "4", "4", "Landscape", Side::Long, 4, Side::Short, 4},
    {"Landscape", "32up", "4", "8", "Portrait", Side::Short, 4, Side::Long, 8},
};

// The value of key as text; empty when absent (an empty value counts as absent).
std::string textOf(const PrintOption& options, std::string_view key) {
  const Value* value = options.find(key);
  return value ? value->text() : std::string();
}

bool isSet(const PrintOption& options, std::string_view key) {
  return !textOf(options, key).empty();
}

// The integer value of text as decimal text; "0" when the text is too large to read.
std::string integerText(std::string_view text) {
  const std::optional<DecimalNumber> n = DecimalNumber::parse(text);
  return n ? n->truncated().toString() : std::string("0");
}

// A length in cep read as an unsigned size: negative or unreadable values count as 0.
std::uint64_t sizeOf(std::string_view text) {
  const std::optional<DecimalNumber> n = DecimalNumber::parse(text);
  if (!n || n->isNegative()) return 0;
  return static_cast<std::uint64_t>(n->toInt64());
}

// Length (along the feed) and width of the chosen sheet in cep; 0 for an unknown size.
struct SheetSides {
  std::uint64_t length = 0;
  std::uint64_t width = 0;
  std::uint64_t longSide() const { return std::max(length, width); }
  std::uint64_t shortSide() const { return std::min(length, width); }
};

SheetSides sheetSides(const PrintOption& options) {
  const std::string type = textOf(options, kPaperTypeKey);
  if (type == "Custom")
    return {sizeOf(textOf(options, kPaperLengthKey)), sizeOf(textOf(options, kPaperWidthKey))};
  if (const PaperSize* size = findPaperSize(type)) return {size->height, size->width};
  return {};
}

bool isKnownMode(std::string_view mode) {
  return mode == "Off" || mode == "Template" || mode == "Nup" || mode == "Booklet";
}

// The fitting switch that applies to mode, or "False".
std::string fittingFor(const PrintOption& options, std::string_view mode) {
  if (mode == "Nup" && isSet(options, kNupFittingKey)) return textOf(options, kNupFittingKey);
  if (mode == "Booklet" && isSet(options, kBookletFittingKey))
    return textOf(options, kBookletFittingKey);
  return "False";
}

const NupLayout* findLayout(std::string_view orientation, std::string_view pages) {
  for (const NupLayout& layout : kNupLayouts)
    if (layout.orientation == orientation && layout.pages == pages) return &layout;
  return nullptr;
}

std::string finishedSize(const SheetSides& sides, Side side, std::uint64_t divisor) {
  const std::uint64_t length = side == Side::Long ? sides.longSide() : sides.shortSide();
  return std::to_string(length / divisor);
}

void convertNupToCanonical(PrintOption& options) {
  std::string orientation = textOf(options, kOrientationKey);
  if (orientation != "Portrait" && orientation != "Landscape")
    orientation = std::string(getImpositionFinishedSheetDirection(textOf(options, kPaperTypeKey)));

  const std::string pages = textOf(options, kPagesKey);
  const NupLayout* layout = findLayout(orientation, pages);
  if (!layout) {
    logMessage("###Warning:Pages per sheet \"" + pages + "\" unknown, converted as 2up");
    layout = findLayout(orientation, "2up");
  }

  const SheetSides sides = sheetSides(options);
  options.set("LayoutRepeatX", layout->repeatX);
  options.set("LayoutRepeatY", layout->repeatY);
  options.set("SheetDirection", layout->sheetDirection);
  options.set("FinishSheetDirection", orientation);
  options.set("FinishFixedForm", "Custom");
  options.set("FinishedSizeName", "");
  options.set("FinishedSizeHeight", finishedSize(sides, layout->heightSide, layout->heightDivisor));
  options.set("FinishedSizeWidth", finishedSize(sides, layout->widthSide, layout->widthDivisor));
  options.set("LayoutBaseFile", "NUp-1side.json");
  options.set("ImpositionAutoDuplex", "False");

  convertImpositionSheetSize(options);
  restoreDefaultSettigImposition(options, "Nup");
}

void convertBookletToCanonical(PrintOption& options) {
  const bool rightBinding = textOf(options, kBindingKey) == "Right";
  options.set("LayoutBaseFile", rightBinding ? kRightBindingFile : kLeftBindingFile);

  const std::string creep = textOf(options, kCreepKey);
  if (!creep.empty()) {
    const std::string backMargin = convertMmToCep(creep);
    options.set("CreepSetting", "False");
    options.set("BackMargin", backMargin.empty() ? std::string("0") : backMargin);
    options.set("CreepTotalOffset", "0");
    options.set("CreepInitialOffsetX", "0");
  }
  options.remove(kCreepKey);

  // A booklet page is half the sheet.
  const SheetSides sides = sheetSides(options);
  options.set("FinishedSizeHeight", std::to_string(sides.shortSide()));
  options.set("FinishedSizeWidth", std::to_string(sides.longSide() / 2));

  const std::string orientation = textOf(options, kOrientationKey);
  if (orientation == "Portrait") options.set("RotationAngle", "Rotate0");
  if (orientation == "Landscape") options.set("RotationAngle", "Rotate90");

  options.set("FinishSheetDirection", "Portrait");
  options.set("FinishFixedForm", "Custom");
  options.set("FinishedSizeName", "");
  options.set("SheetDirection", "Landscape");

  convertImpositionSheetSize(options);
  restoreDefaultSettigImposition(options, "Booklet");
}

void convertPlainToCanonical(PrintOption& options) {
  options.set("LayoutRepeatX", "1");
  options.set("LayoutRepeatY", "1");
  options.set("LayoutBaseFile", "Normal-1side.json");
  options.set("SheetDirection", "Landscape");
  options.set("CreepTotalOffset", "0");
  options.set("BackMargin", "0");
}

}  // namespace

void saveScaleToFitValue(PrintOption& options) {
  options.set("Fitting", fittingFor(options, textOf(options, kModeKey)));
}

void setupScaleToFitValue(PrintOption& options) {
  if (!isSet(options, kModeKey) || !isSet(options, "Fitting")) return;
  const std::string mode = textOf(options, kModeKey);
  if (mode == "Nup") options.set(kNupFittingKey, textOf(options, "Fitting"));
  if (mode == "Booklet") options.set(kBookletFittingKey, textOf(options, "Fitting"));
}

void convertImpositionSheetSize(PrintOption& options) {
  const std::string type = textOf(options, kPaperTypeKey);
  if (type.empty() || type == "NoChange") return;
  options.set("FixedForm", type);
  options.set("SheetSizeName", "");
  const bool custom = type == "Custom";
  options.set("SheetSizeHeight", custom ? textOf(options, kPaperLengthKey) : std::string());
  options.set("SheetSizeWidth", custom ? textOf(options, kPaperWidthKey) : std::string());
}

void restoreDefaultSettigImposition(PrintOption& options, std::string_view impositionMode) {
  if (impositionMode == "Nup") {
    options.set("FascicleMode", "None");
    options.set("NumberOfFascicle", "16");
    options.set("RotationAngle", "Rotate0");
  } else if (impositionMode == "Booklet") {
    options.set("ImpositionAutoDuplex", "True");
    options.set("NupLayout", "Z");
    options.set("LayoutRepeatX", "1");
    options.set("LayoutRepeatY", "1");
  }
}

void convertToCanonicalImpositionKeyword(PrintOption& options) {
  std::string mode = textOf(options, kModeKey);
  std::string fitting = "False";
  if (!mode.empty()) {
    if (!isKnownMode(mode)) {
      logMessage("###Warning:Imposition mode \"" + mode + "\" unknown, converted as Off");
      mode = "Off";
    }
    const bool job = mode == "Nup" || mode == "Booklet";
    options.set("ImpositionMode", job ? std::string("Job") : mode);
    options.set("ImpositionCustomMode", job ? mode : std::string("Advanced"));
    fitting = fittingFor(options, mode);
    options.remove(kModeKey);
  }
  options.remove(kNupFittingKey);
  options.remove(kBookletFittingKey);
  options.set("Fitting", fitting);

  if (mode == "Nup") {
    convertNupToCanonical(options);
  } else if (mode == "Booklet") {
    convertBookletToCanonical(options);
  } else {
    convertPlainToCanonical(options);
  }

  options.remove(kPagesKey);
  options.remove(kBindingKey);
  options.remove(kCreepKey);
}

void convertToInternalImpositionKeyword(PrintOption& options) {
  if (options.empty()) return;

  std::string mode = "Off";
  if (isSet(options, "ImpositionMode") && isSet(options, "ImpositionCustomMode")) {
    const std::string base = textOf(options, "ImpositionMode");
    const std::string custom = textOf(options, "ImpositionCustomMode");
    if (base == "Template") mode = "Template";
    if (base == "Job" && (custom == "Nup" || custom == "Booklet")) mode = custom;
    options.set(kModeKey, mode);
    options.remove("ImpositionMode");
    options.remove("ImpositionCustomMode");
  }

  std::string pages = "2up";
  std::string binding = "Left";
  std::string creep = "0.00";
  if (mode == "Nup") {
    const std::string repeatX = textOf(options, "LayoutRepeatX");
    const std::string repeatY = textOf(options, "LayoutRepeatY");
    const std::string direction = textOf(options, "SheetDirection");
    for (const NupLayout& layout : kNupLayouts) {
      if (layout.repeatX == repeatX && layout.repeatY == repeatY &&
          layout.sheetDirection == direction) {
        pages = std::string(layout.pages);
        break;
      }
    }
  } else if (mode == "Booklet") {
    if (textOf(options, "LayoutBaseFile") == kRightBindingFile) binding = "Right";
    creep = convertCepToMm(integerText(textOf(options, "BackMargin")));
  }
  options.set(kPagesKey, pages);
  options.set(kBindingKey, binding);
  options.set(kCreepKey, creep);

  for (const std::string_view key :
       {"LayoutRepeatX", "LayoutRepeatY", "LayoutBaseFile", "CreepSetting", "BackMargin",
        "CreepTotalOffset", "CreepInitialOffsetX", "FinishSheetDirection", "FinishFixedForm",
        "FinishedSizeName", "FinishedSizeHeight", "FinishedSizeWidth", "SheetDirection",
        "FixedForm", "SheetSizeName", "SheetSizeHeight", "SheetSizeWidth"})
    options.remove(key);
}

}  // namespace orval

// Internal -> canonical: the seventeen steps that turn the panes' options into
// printer-description keywords, in their fixed order.
#include <array>
#include <string>

#include "conversion/imposition.h"
#include "conversion/password_encoder.h"
#include "conversion/print_option_converter.h"
#include "conversion/print_option_keys.h"
#include "conversion/print_option_values.h"
#include "conversion/unit_conversion.h"
#include "platform/foundation/log.h"
#include "platform/foundation/text_encoding.h"
#include "platform/foundation/user.h"

namespace orval {
namespace {

namespace keys = print_option_keys;

// The trays whose stock is chosen by name ("TrayStock") or by its properties, and their stock-type keys.
struct TrayStockType {
  std::string_view tray;
  std::string_view stockType;
};

constexpr std::array kTrayStockTypes{
    TrayStockType{"QZInputSlot", "StockType"},
    TrayStockType{"BlankPapersFrontTray", "BlankPapersFrontStockType"},
    TrayStockType{"BlankPapersBackTray", "BlankPapersBackStockType"},
    TrayStockType{"SeparatorsTray", "SeparatorsStockType"},
    TrayStockType{"Imposition1stTray", "Imposition1stStockType"},
    TrayStockType{"CoverPageTray", "CoverPageStockType"},
};

void setSpotColorProfileType(PrintOption& options) {
  const std::string profile = optionText(options, "SpotColorCorrectionProfile");
  if (profile == "Standard" || profile == "UseOther")
    options.set("SpotColorCorrectionProfileType", "PrinterStandard");
}

// "RenderingProfile" (the switch "use the printer's standard profile") -> "RenderingProfileType".
void convertRenderingProfile(PrintOption& options) {
  const Value* useStandard = options.find("RenderingProfile");
  if (useStandard == nullptr || useStandard->text().empty()) return;
  if (useStandard->truth()) {
    options.set("RenderingProfileType", "PrinterStandard");
  } else if (!isOptionSet(options, "RenderingProfileName") &&
             optionText(options, "RenderingProfileType") == "PrinterStandard") {
    options.set("RenderingProfileType", "ICC");
  }
  options.remove("RenderingProfile");
}

void setStockTypes(PrintOption& options) {
  for (const TrayStockType& pair : kTrayStockTypes) {
    if (!isOptionSet(options, pair.tray)) continue;
    options.set(pair.stockType, optionText(options, pair.tray) == "TrayStock" ? "Name" : "Property");
  }
}

// Replaces each set password by its encoded form. A failed encoding is logged and the conversion
// goes on with what the encoder left in its buffer.
void encodePasswords(PrintOption& options) {
  for (const std::string_view key : keys::kPasswords) {
    if (!isOptionSet(options, key)) continue;
    const std::string clear = optionText(options, key);
    std::array<char, kEncDecBufferSize> buffer{};
    if (encode(clear.c_str(), buffer.data()) != 0) logMessage("###### encode error");
    std::string encoded(buffer.data());
    if (!isValidUtf8(encoded)) {
      logMessage("###### encode error");
      encoded.clear();
    }
    options.set(key, encoded);
  }
}

// "AuthJobUserIdType" = "Login" takes the job's owner from the login name; the type never
// reaches the canonical form.
void convertJobOwner(PrintOption& options) {
  const Value* type = options.find("AuthJobUserIdType");
  if (type == nullptr) return;
  if (type->text() == "Login") options.set("AuthJobUserId", userName());
  options.remove("AuthJobUserIdType");
}

void convertLengthsToCep(PrintOption& options, bool convertCustomFlg) {
  const auto toCep = [](const std::string& mm) { return convertMmToCep(mm); };
  if (convertCustomFlg) {
    convertEachSetOption(options, keys::kPaperSizeLengths, toCep);
    convertEachSetOption(options, keys::kFormPositions, toCep);
  }
  convertEachSetOption(options, keys::kFinishingLengths, toCep);
  if (convertCustomFlg) {
    convertEachSetOption(options, keys::kPrintPositions, toCep);
    convertEachSetOption(options, keys::kPrintPositionMagnifications, [](const std::string& percent) {
      return convertMagToKORA(percent);
    });
  }
}

}  // namespace

void PrintOptionConverter::convertToCanonicalPpdKeyword(PrintOption& options, bool convertCustomFlg) {
  saveScaleToFitValue(options);
  convertToCanonicalGraphicsTreatmentEx(options);
  convertToCanonicalMagnification(options);
  setSpotColorProfileType(options);
  convertRenderingProfile(options);
  setStockTypes(options);
  _convertToCanonicalPunch(options);
  _convertToCanonicalPageOrder(options);
  if (convertCustomFlg) encodePasswords(options);
  splitKeyword(options, keys::kPaperTypeTabbed);
  splitKeyword(options, keys::kPaperType);
  splitKeyword(options, keys::kPaperTypeBypass);
  convertJobOwner(options);
  for (const std::string_view joined : keys::kSpecialToners) splitKeyword(options, joined);
  convertLengthsToCep(options, convertCustomFlg);
  convertEachSetOption(options, keys::kLineWidths, [](const std::string& width) {
    return decimalToScaledInteger(width, 3);
  });
  convertEachSetOption(options, keys::kTonerReplacements, [](const std::string& ratio) {
    return decimalToScaledInteger(ratio, 2);
  });
  convertToCanonicalImpositionKeyword(options);
  swapCreaseKeyword(options);
}

}  // namespace orval

// Canonical -> internal: the fourteen steps that turn printer-description
// keywords back into the panes' options, in their fixed order.
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

namespace orval {
namespace {

namespace keys = print_option_keys;

// "RenderingProfileType" -> the switch "RenderingProfile"; the type stays.
void convertRenderingProfileType(PrintOption& options) {
  if (!isOptionSet(options, "RenderingProfileType")) return;
  const std::string type = optionText(options, "RenderingProfileType");
  options.set("RenderingProfile", type == "ICC" || type == "Measurement" ? "False" : "True");
}

// Replaces each set password by its decoded form. A failed decoding is logged and the conversion
// goes on with what the decoder left in its buffer.
void decodePasswords(PrintOption& options) {
  for (const std::string_view key : keys::kPasswords) {
    if (!isOptionSet(options, key)) continue;
    const std::string encoded = optionText(options, key);
    std::array<char, kEncDecBufferSize> buffer{};
    if (decode(encoded.c_str(), buffer.data()) != 0) logMessage("###### decode error");
    std::string clear(buffer.data());
    if (!isValidUtf8(clear)) {
      logMessage("###### decode error");
      clear.clear();
    }
    options.set(key, clear);
  }
}

}  // namespace

void PrintOptionConverter::convertToInternalPpdKeyword(PrintOption& options) {
  swapCreaseKeyword(options);
  convertRenderingProfileType(options);
  _convertToInternalPunch(options);
  _convertToInternalPageOrder(options);
  decodePasswords(options);
  joinKeyword(options, options.contains(keys::kMediaTypeWeightValue) ? keys::kPaperTypeTabbed : keys::kPaperType);
  joinKeyword(options, keys::kPaperTypeBypass);
  const auto toMm = [](const std::string& cep) { return convertCepToMm(cep); };
  convertEachSetOption(options, keys::kPaperSizeLengths, toMm);
  for (const std::string_view joined : keys::kSpecialToners) joinKeyword(options, joined);
  convertEachSetOption(options, keys::kFormPositions, toMm);
  convertEachSetOption(options, keys::kFinishingLengths, toMm);
  convertEachSetOption(options, keys::kPrintPositions, toMm);
  convertEachSetOption(options, keys::kPrintPositionMagnifications, [](const std::string& kora) {
    return convertKORAToMag(kora);
  });
  convertEachSetOption(options, keys::kLineWidths, [](const std::string& width) {
    return scaledIntegerToDecimal(width, 3);
  });
  convertEachSetOption(options, keys::kTonerReplacements, [](const std::string& ratio) {
    return scaledIntegerToDecimal(ratio, 2);
  });
  convertToInternalImpositionKeyword(options);
  setupScaleToFitValue(options);
  convertToInternalGraphicsTreatmentEx(options);
  convertToInternalMagnification(options);
}

}  // namespace orval

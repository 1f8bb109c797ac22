#include "conversion/print_option_converter_exports.h"

#include "conversion/print_option_converter.h"

namespace orval {

void ConvertToInternalPpdKeyword(PrintOption* options) {
  if (options != nullptr) PrintOptionConverter::convertToInternalPpdKeyword(*options);
}

void ConvertToCanonicalPpdKeyword(PrintOption* options) {
  if (options != nullptr) PrintOptionConverter::convertToCanonicalPpdKeyword(*options, true);
}

std::optional<PrintOption> ToPpdKeywordFormat(const PrintOption* options) {
  if (options == nullptr) return std::nullopt;
  return PrintOptionConverter::sharedInstance().toPpdKeywordFormat(*options);
}

std::optional<PrintOption> ToInputMgrFormat(const PrintOption* options) {
  if (options == nullptr) return std::nullopt;
  return PrintOptionConverter::sharedInstance().toInputMgrFormat(*options);
}

}  // namespace orval

#include "conversion/number_pattern.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "platform/foundation/log.h"

namespace orval {

std::optional<std::string> formatDecimalWithPattern(const DecimalNumber& number, std::string_view pattern) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DecimalFormatSymbols symbols(icu::Locale("en_US_POSIX"), status);
  if (U_FAILURE(status)) {
    logMessage(std::string("###number format symbols: ") + u_errorName(status));
    return std::nullopt;
  }
  const icu::UnicodeString icuPattern =
      icu::UnicodeString::fromUTF8(icu::StringPiece(pattern.data(), static_cast<int32_t>(pattern.size())));
  const icu::DecimalFormat format(icuPattern, symbols, status);
  if (U_FAILURE(status)) {
    logMessage("###invalid number format \"" + std::string(pattern) + "\": " + u_errorName(status));
    return std::nullopt;
  }
  const std::string digits = number.toString();
  icu::UnicodeString rendered;
  format.format(icu::StringPiece(digits.data(), static_cast<int32_t>(digits.size())), rendered, nullptr, status);
  if (U_FAILURE(status)) {
    logMessage("###cannot format " + digits + " with \"" + std::string(pattern) + "\": " + u_errorName(status));
    return std::nullopt;
  }
  std::string result;
  rendered.toUTF8String(result);
  return result;
}

}  // namespace orval

// PageRangeFormatter: a validation formatter for page ranges such as
// "1-3, 5, 8-" (pages 1 to 2147483647).
//
// White space may stand anywhere. Pieces are separated by "," or line
// feeds; a piece is a page ("5"), a range ("1-3"), an open start ("-5",
// from the first page) or an open end ("5-", that page alone). An empty text
// is valid; a text with a malformed piece, or whose pieces all lie beyond the
// last page, is not.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings_ui/validation_formatter.h"

namespace orval {

class PageRangeFormatter : public ValidationFormatter {
 public:
  using ValidationFormatter::ValidationFormatter;

  // setValidationFormatter:maxBytes:withCharacterSet:messageString: (no minimum)
  static std::shared_ptr<PageRangeFormatter> setValidationFormatter(tk::TextField* field, int maxBytes,
                                                                    std::optional<CharacterSet> characterSet,
                                                                    std::optional<std::string> messageString);

  // True when text is a valid page range list.
  bool isValid(const std::string& text) const override;

 private:
  // The page range check against the pages minimum ... maximum.
  static bool _isValidPageRange(std::string_view text, std::int64_t minimum, std::int64_t maximum);
};

}  // namespace orval

#include "settings_ui/max_bytes_formatter.h"

#include <utility>

#include "common/byte_length.h"

namespace orval {

std::size_t MaxBytesFormatter::lengthOfText(std::string_view text) const { return lengthByBytes(text); }

std::shared_ptr<MaxBytesFormatter> MaxBytesFormatter::setLengthFormatter(tk::TextField* field, int minBytes,
                                                                         int maxBytes) {
  return attach(field, std::make_shared<MaxBytesFormatter>(minBytes, maxBytes));
}

std::shared_ptr<MaxBytesFormatter> MaxBytesFormatter::setMaxBytesFormatter(tk::TextField* field, int maxBytes) {
  return setLengthFormatter(field, 0, maxBytes);
}

std::shared_ptr<MaxBytesFormatterWithCharacterSet> MaxBytesFormatterWithCharacterSet::setMaxBytesFormatter(
    tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet) {
  return setMaxBytesFormatter(field, 0, maxBytes, std::move(characterSet));
}

std::shared_ptr<MaxBytesFormatterWithCharacterSet> MaxBytesFormatterWithCharacterSet::setMaxBytesFormatter(
    tk::TextField* field, int minBytes, int maxBytes, std::optional<CharacterSet> characterSet) {
  return attach(field, std::make_shared<MaxBytesFormatterWithCharacterSet>(minBytes, maxBytes, std::move(characterSet)));
}

std::shared_ptr<MaxBytesFormatterWithEscape> MaxBytesFormatterWithEscape::setLengthFormatter(tk::TextField* field,
                                                                                             int minBytes,
                                                                                             int maxBytes) {
  return attach(field, std::make_shared<MaxBytesFormatterWithEscape>(minBytes, maxBytes));
}

std::shared_ptr<MaxBytesFormatterWithEscape> MaxBytesFormatterWithEscape::setMaxBytesFormatter(tk::TextField* field,
                                                                                               int maxBytes) {
  return setLengthFormatter(field, 0, maxBytes);
}

std::shared_ptr<MaxBytesFormatterWithEscapeAndCharacterSet>
MaxBytesFormatterWithEscapeAndCharacterSet::setMaxBytesFormatter(tk::TextField* field, int maxBytes,
                                                                 std::optional<CharacterSet> characterSet) {
  return setMaxBytesFormatter(field, 0, maxBytes, std::move(characterSet));
}

std::shared_ptr<MaxBytesFormatterWithEscapeAndCharacterSet>
MaxBytesFormatterWithEscapeAndCharacterSet::setMaxBytesFormatter(tk::TextField* field, int minBytes, int maxBytes,
                                                                 std::optional<CharacterSet> characterSet) {
  return attach(field, std::make_shared<MaxBytesFormatterWithEscapeAndCharacterSet>(minBytes, maxBytes,
                                                                                     std::move(characterSet)));
}

}  // namespace orval

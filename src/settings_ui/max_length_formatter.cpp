#include "settings_ui/max_length_formatter.h"

#include <utility>

#include "platform/foundation/text_encoding.h"

namespace orval {

std::size_t MaxLengthFormatter::lengthOfText(std::string_view text) const { return utf16Length(text); }

std::shared_ptr<MaxLengthFormatter> MaxLengthFormatter::setLengthFormatter(tk::TextField* field, int minLength,
                                                                         int maxLength) {
  return attach(field, std::make_shared<MaxLengthFormatter>(minLength, maxLength));
}

std::shared_ptr<MaxLengthFormatter> MaxLengthFormatter::setMaxLengthFormatter(tk::TextField* field, int maxLength) {
  return setLengthFormatter(field, 0, maxLength);
}

std::shared_ptr<MaxLengthFormatterWithCharacterSet> MaxLengthFormatterWithCharacterSet::setMaxLengthFormatter(
    tk::TextField* field, int maxLength, std::optional<CharacterSet> characterSet) {
  return setMaxLengthFormatter(field, 0, maxLength, std::move(characterSet));
}

std::shared_ptr<MaxLengthFormatterWithCharacterSet> MaxLengthFormatterWithCharacterSet::setMaxLengthFormatter(
    tk::TextField* field, int minLength, int maxLength, std::optional<CharacterSet> characterSet) {
  return attach(field, std::make_shared<MaxLengthFormatterWithCharacterSet>(minLength, maxLength, std::move(characterSet)));
}

std::shared_ptr<MaxLengthFormatterWithEscape> MaxLengthFormatterWithEscape::setLengthFormatter(tk::TextField* field,
                                                                                             int minLength,
                                                                                             int maxLength) {
  return attach(field, std::make_shared<MaxLengthFormatterWithEscape>(minLength, maxLength));
}

std::shared_ptr<MaxLengthFormatterWithEscape> MaxLengthFormatterWithEscape::setMaxLengthFormatter(tk::TextField* field,
                                                                                               int maxLength) {
  return setLengthFormatter(field, 0, maxLength);
}

std::shared_ptr<MaxLengthFormatterWithEscapeAndCharacterSet>
MaxLengthFormatterWithEscapeAndCharacterSet::setMaxLengthFormatter(tk::TextField* field, int maxLength,
                                                                 std::optional<CharacterSet> characterSet) {
  return setMaxLengthFormatter(field, 0, maxLength, std::move(characterSet));
}

std::shared_ptr<MaxLengthFormatterWithEscapeAndCharacterSet>
MaxLengthFormatterWithEscapeAndCharacterSet::setMaxLengthFormatter(tk::TextField* field, int minLength, int maxLength,
                                                                 std::optional<CharacterSet> characterSet) {
  return attach(field, std::make_shared<MaxLengthFormatterWithEscapeAndCharacterSet>(minLength, maxLength,
                                                                                     std::move(characterSet)));
}

}  // namespace orval

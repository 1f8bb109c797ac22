// The helpers with which the dialogs limit their text fields: attach a byte-
// or character-limited formatter (optionally with escaping and a character
// set), show the limit as the field's placeholder and tool tip, and give an
// escaping formatter the escape rules of stored texts.
//
// The attach helpers do nothing (and answer nullptr) without a field and set
// no minimum length. The escaping ones take the Japanese-preference test
// (AppPreference's, for the dialogs); by default it asks the principal bundle.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/toolkit/text_field.h"
#include "settings_ui/character_set.h"
#include "settings_ui/formatter_mixins.h"
#include "settings_ui/max_bytes_formatter.h"
#include "settings_ui/max_length_formatter.h"

namespace orval {

// True when the first preferred localization of the principal bundle (of the
// environment's languages, without one) is "ja" or "Japanese".
bool isJapanesePreferredByPrincipalBundle();

// A MaxBytesFormatterWithCharacterSet with characterSet, else a MaxBytesFormatter, limited to limit bytes.
std::shared_ptr<MaxBytesFormatter> attachMaxBytesFormatter(tk::TextField* field, int limit,
                                                           std::string_view placeholderFormat,
                                                           std::optional<CharacterSet> characterSet = std::nullopt);
// A MaxBytesFormatterWithEscapeAndCharacterSet with characterSet, else a
// MaxBytesFormatterWithEscape, limited to limit bytes, with the escape rules.
std::shared_ptr<MaxBytesFormatterWithEscape> attachMaxBytesFormatterWithEscape(
    tk::TextField* field, int limit, std::string_view placeholderFormat,
    std::optional<CharacterSet> characterSet = std::nullopt,
    const std::function<bool()>& isJapanesePreferred = isJapanesePreferredByPrincipalBundle);
// A MaxLengthFormatterWithCharacterSet with characterSet, else a MaxLengthFormatter, limited to limit characters.
std::shared_ptr<MaxLengthFormatter> attachMaxLengthFormatter(tk::TextField* field, int limit,
                                                             std::string_view placeholderFormat,
                                                             std::optional<CharacterSet> characterSet = std::nullopt);
// A MaxLengthFormatterWithEscapeAndCharacterSet with characterSet, else a
// MaxLengthFormatterWithEscape, limited to limit characters, with the escape rules.
std::shared_ptr<MaxLengthFormatterWithEscape> attachMaxLengthFormatterWithEscape(
    tk::TextField* field, int limit, std::string_view placeholderFormat,
    std::optional<CharacterSet> characterSet = std::nullopt,
    const std::function<bool()>& isJapanesePreferred = isJapanesePreferredByPrincipalBundle);

// When field and format are both given (format not empty): the localized
// format filled with limit becomes field's tool tip and placeholder text.
void setPlaceholderStringAndToolTip(tk::TextField* field, int limit, std::string_view format);


// Gives formatter the escape rules of stored texts: backslash, YEN SIGN,
// double quote and line ends (LINE SEPARATOR reads back as a line feed). Two
// backslashes read back as a YEN SIGN when isJapanesePreferred answers true,
// else as one backslash. Nothing without a formatter.
void attachEscapeRule(EscapingFormatter* formatter,
                      const std::function<bool()>& isJapanesePreferred = isJapanesePreferredByPrincipalBundle);

}  // namespace orval

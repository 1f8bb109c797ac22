// MaxBytesFormatter and its subclasses: limit a text field's text to a
// number of bytes in the system's default byte encoding (so one Japanese
// character counts 2 on a Japanese system).
//
//   MaxBytesFormatter                           byte limit, no control characters, minimum at the end
//   MaxBytesFormatterWithCharacterSet           ... and only the characters of a set
//   MaxBytesFormatterWithEscape                 ... with escaping (no set)
//   MaxBytesFormatterWithEscapeAndCharacterSet  ... with escaping and a set
//
// The class operations make a formatter, attach it to a field as its
// formatter and delegate, and answer it (nullptr without a field); the type
// they answer is the class they made.
#pragma once

#include <memory>
#include <optional>

#include "platform/toolkit/text_field.h"
#include "settings_ui/character_set.h"
#include "settings_ui/formatter_mixins.h"
#include "settings_ui/text_limit_formatter.h"

namespace orval {

class MaxBytesFormatter : public TextLimitFormatter {
 public:
  // initWithMinBytes:max:
  MaxBytesFormatter(int minBytes, int maxBytes) : TextLimitFormatter(minBytes, maxBytes) {}

  // setLengthFormatter:min:max:
  static std::shared_ptr<MaxBytesFormatter> setLengthFormatter(tk::TextField* field, int minBytes, int maxBytes);
  // setMaxBytesFormatter:maxBytes: (no minimum)
  static std::shared_ptr<MaxBytesFormatter> setMaxBytesFormatter(tk::TextField* field, int maxBytes);

  // The fewest bytes a non-empty text must have when editing ends (0: no minimum).
  int minBytes() const { return minimum(); }
  // The most bytes the text may have.
  int maxBytes() const { return maximum(); }
  // lengthByBytes of text.
  std::size_t lengthOfText(std::string_view text) const override;
};

class MaxBytesFormatterWithCharacterSet : public WithCharacterSet<MaxBytesFormatter> {
 public:
  using WithCharacterSet::WithCharacterSet;

  // setMaxBytesFormatter:maxBytes:withCharacterSet: (no minimum)
  static std::shared_ptr<MaxBytesFormatterWithCharacterSet> setMaxBytesFormatter(
      tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet);
  // setMaxBytesFormatter:minBytes:maxBytes:withCharacterSet:
  static std::shared_ptr<MaxBytesFormatterWithCharacterSet> setMaxBytesFormatter(
      tk::TextField* field, int minBytes, int maxBytes, std::optional<CharacterSet> characterSet);
};

class MaxBytesFormatterWithEscape : public WithEscaping<MaxBytesFormatter> {
 public:
  using WithEscaping::WithEscaping;

  // setLengthFormatter:min:max:
  static std::shared_ptr<MaxBytesFormatterWithEscape> setLengthFormatter(tk::TextField* field, int minBytes,
                                                                         int maxBytes);
  // setMaxBytesFormatter:maxBytes: (no minimum)
  static std::shared_ptr<MaxBytesFormatterWithEscape> setMaxBytesFormatter(tk::TextField* field, int maxBytes);
};

class MaxBytesFormatterWithEscapeAndCharacterSet : public WithCharacterSet<MaxBytesFormatterWithEscape> {
 public:
  using WithCharacterSet::WithCharacterSet;

  // setMaxBytesFormatter:maxBytes:withCharacterSet: (no minimum)
  static std::shared_ptr<MaxBytesFormatterWithEscapeAndCharacterSet> setMaxBytesFormatter(
      tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet);
  // setMaxBytesFormatter:minBytes:maxBytes:withCharacterSet:
  static std::shared_ptr<MaxBytesFormatterWithEscapeAndCharacterSet> setMaxBytesFormatter(
      tk::TextField* field, int minBytes, int maxBytes, std::optional<CharacterSet> characterSet);
};

}  // namespace orval

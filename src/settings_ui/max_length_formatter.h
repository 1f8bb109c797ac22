// MaxLengthFormatter and its subclasses: limit a text field's text to a
// number of characters, counted as the platform's strings count them (UTF-16
// units: a character outside the basic plane counts 2).
//
//   MaxLengthFormatter                           character limit, no control characters, minimum at the end
//   MaxLengthFormatterWithCharacterSet           ... and only the characters of a set
//   MaxLengthFormatterWithEscape                 ... with escaping (no set)
//   MaxLengthFormatterWithEscapeAndCharacterSet  ... with escaping and a set
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

class MaxLengthFormatter : public TextLimitFormatter {
 public:
  // initWithMinLength:max:
  MaxLengthFormatter(int minLength, int maxLength) : TextLimitFormatter(minLength, maxLength) {}

  // setLengthFormatter:min:max:
  static std::shared_ptr<MaxLengthFormatter> setLengthFormatter(tk::TextField* field, int minLength, int maxLength);
  // setMaxLengthFormatter:maxLength: (no minimum)
  static std::shared_ptr<MaxLengthFormatter> setMaxLengthFormatter(tk::TextField* field, int maxLength);

  // The fewest characters a non-empty text must have when editing ends (0: no minimum).
  int minLength() const { return minimum(); }
  // The most characters the text may have.
  int maxLength() const { return maximum(); }
  // The number of UTF-16 units of text.
  std::size_t lengthOfText(std::string_view text) const override;
};

class MaxLengthFormatterWithCharacterSet : public WithCharacterSet<MaxLengthFormatter> {
 public:
  using WithCharacterSet::WithCharacterSet;

  // setMaxLengthFormatter:maxLength:withCharacterSet: (no minimum)
  static std::shared_ptr<MaxLengthFormatterWithCharacterSet> setMaxLengthFormatter(
      tk::TextField* field, int maxLength, std::optional<CharacterSet> characterSet);
  // setMaxLengthFormatter:minLength:maxLength:withCharacterSet:
  static std::shared_ptr<MaxLengthFormatterWithCharacterSet> setMaxLengthFormatter(
      tk::TextField* field, int minLength, int maxLength, std::optional<CharacterSet> characterSet);
};

class MaxLengthFormatterWithEscape : public WithEscaping<MaxLengthFormatter> {
 public:
  using WithEscaping::WithEscaping;

  // setLengthFormatter:min:max:
  static std::shared_ptr<MaxLengthFormatterWithEscape> setLengthFormatter(tk::TextField* field, int minLength,
                                                                         int maxLength);
  // setMaxLengthFormatter:maxLength: (no minimum)
  static std::shared_ptr<MaxLengthFormatterWithEscape> setMaxLengthFormatter(tk::TextField* field, int maxLength);
};

class MaxLengthFormatterWithEscapeAndCharacterSet : public WithCharacterSet<MaxLengthFormatterWithEscape> {
 public:
  using WithCharacterSet::WithCharacterSet;

  // setMaxLengthFormatter:maxLength:withCharacterSet: (no minimum)
  static std::shared_ptr<MaxLengthFormatterWithEscapeAndCharacterSet> setMaxLengthFormatter(
      tk::TextField* field, int maxLength, std::optional<CharacterSet> characterSet);
  // setMaxLengthFormatter:minLength:maxLength:withCharacterSet:
  static std::shared_ptr<MaxLengthFormatterWithEscapeAndCharacterSet> setMaxLengthFormatter(
      tk::TextField* field, int minLength, int maxLength, std::optional<CharacterSet> characterSet);
};

}  // namespace orval

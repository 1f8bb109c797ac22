// TextLimitFormatter: what the byte-limited (MaxBytesFormatter) and the
// character-limited (MaxLengthFormatter) formatters share.
//
// A formatter of this family is both the formatter and the delegate of an
// ordinary text field. While the person types it keeps the last acceptable
// text and selection (the undo buffer); a change that brings in a forbidden
// character or goes beyond the maximum length beeps and puts them back. When
// editing ends, a non-empty text shorter than the minimum is refused with a
// sheet and the focus stays in the field. The two families differ only in
// how they count a text's length: bytes in the default byte encoding, or
// UTF-16 units.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/formatter.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/text_field_delegate.h"
#include "platform/toolkit/text_range.h"

namespace orval {

class TextLimitFormatter : public tk::Formatter, public tk::TextFieldDelegate {
 public:
  // The formatter: the object of a shown text is the text itself; a text
  // object is shown as it is, any other object cannot be shown.
  std::optional<std::string> stringForObjectValue(const Value& object) const override;
  // Throws PlatformException (invalid argument) when object is null.
  bool getObjectValue(Value* object, const std::string& string, std::string* error) const override;

  // The delegate (didBeginEditing:, didChange:, control:textShouldEndEditing:).
  void controlTextDidBeginEditing(tk::TextField& control) override;
  void controlTextDidChange(tk::TextField& control) override;
  bool textShouldEndEditing(tk::TextField& control, tk::FieldEditor& editor) override;

  // The last acceptable text of the current editing session.
  const std::string& undoBuffer() const { return _undoBuffer; }
  // Sets the undo buffer to a copy of text.
  void setUndoBuffer(const std::string& text) { _undoBuffer = text; }
  // The selection that goes with the undo buffer.
  tk::Range undoRange() const { return _undoRange; }
  // True when control characters may be typed.
  bool controlCharactersEnabled() const { return _controlCharactersEnabled; }
  // Allows (true) or forbids (false, the default) control characters.
  void setControlCharactersEnabled(bool enabled) { _controlCharactersEnabled = enabled; }

  // True when text holds a character the field may not take
  // (containNotAllowedCharactor:): a control character unless enabled.
  virtual bool containNotAllowedCharactor(std::string_view text) const;
  // The length of text as this family counts it.
  virtual std::size_t lengthOfText(std::string_view text) const = 0;

 protected:
  TextLimitFormatter(int minimum, int maximum) : _minimum(minimum), _maximum(maximum) {}

  int minimum() const { return _minimum; }
  int maximum() const { return _maximum; }
  // True when text has no forbidden character and is not longer than the maximum.
  bool isAcceptableWhileTyping(std::string_view text) const;

  // Makes formatter field's formatter and delegate and answers it; nullptr
  // (and nothing attached) without a field. The field keeps the formatter alive.
  template <class F>
  static std::shared_ptr<F> attach(tk::TextField* field, std::shared_ptr<F> formatter) {
    if (!field) return nullptr;
    field->setFormatter(formatter);
    field->setDelegate(formatter.get());
    return formatter;
  }

 private:
  bool _controlCharactersEnabled = false;
  int _minimum;  // _minBytes or _minLength
  int _maximum;  // _maxBytes or _maxLength
  std::string _undoBuffer;
  tk::Range _undoRange;
};

}  // namespace orval

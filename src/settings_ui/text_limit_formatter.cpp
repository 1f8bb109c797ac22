#include "settings_ui/text_limit_formatter.h"

#include <cstdint>

#include "common/message_format.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/application.h"
#include "settings_ui/character_set.h"
#include "settings_ui/text_entry_messages.h"

namespace orval {

std::optional<std::string> TextLimitFormatter::stringForObjectValue(const Value& object) const {
  if (const std::string* text = object.asString()) return *text;
  return std::nullopt;
}

bool TextLimitFormatter::getObjectValue(Value* object, const std::string& string, std::string*) const {
  if (!object) throw PlatformException("NSInvalidArgumentException", "NULL Object pointer to MaxBytesFormatter");
  *object = Value(string);
  return true;
}

bool TextLimitFormatter::containNotAllowedCharactor(std::string_view text) const {
  return !_controlCharactersEnabled && CharacterSet::controlCharacterSet().containsAnyCharacterOf(text);
}

bool TextLimitFormatter::isAcceptableWhileTyping(std::string_view text) const {
  return !containNotAllowedCharactor(text) &&
         static_cast<std::int64_t>(lengthOfText(text)) <= static_cast<std::int64_t>(_maximum);
}

void TextLimitFormatter::controlTextDidBeginEditing(tk::TextField& control) {
  _undoBuffer = control.stringValue();
  if (const tk::FieldEditor* editor = control.currentEditor()) _undoRange = editor->selectedRange();
}

void TextLimitFormatter::controlTextDidChange(tk::TextField& control) {
  tk::FieldEditor* editor = control.currentEditor();
  const std::string text = editor ? editor->string() : control.stringValue();
  if (isAcceptableWhileTyping(text)) {
    _undoBuffer = text;
    if (editor) _undoRange = editor->selectedRange();
    return;
  }
  tk::beep();
  if (editor) {
    // The editor takes the text back as it was, not re-read through the formatter.
    editor->setString(_undoBuffer);
    editor->setSelectedRange(_undoRange);
  } else {
    control.setStringValue(_undoBuffer);
  }
}

bool TextLimitFormatter::textShouldEndEditing(tk::TextField& control, tk::FieldEditor& editor) {
  if (_minimum <= 0) return true;
  const std::size_t length = lengthOfText(editor.string());
  if (length == 0 || static_cast<std::int64_t>(length) >= _minimum) return true;
  showFieldSheet(control.window(), stringWithFormat(localizedMessage("Please specify at least %d characters for %@."),
                                                    _minimum, fieldTitle(control)));
  return false;
}

}  // namespace orval

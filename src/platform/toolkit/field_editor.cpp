#include "platform/toolkit/field_editor.h"

#include "platform/toolkit/application.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

FieldEditor::~FieldEditor() {
  if (field_ && window_) window_->fieldWillGoAway(*field_);
}

void FieldEditor::setString(const std::string& text) {
  text_ = text;
  selection_ = {utf16Length(text_), 0};
}

void FieldEditor::setSelectedRange(Range range) { selection_ = clampRange(range, utf16Length(text_)); }

void FieldEditor::selectAll() { selection_ = {0, utf16Length(text_)}; }

void FieldEditor::beginEditing(TextField& field, Window& window, const std::string& text) {
  field_ = &field;
  window_ = &window;
  text_ = text;
  selectAll();
  begun_ = false;
  pendingMovement_ = TextMovement::Other;
}

void FieldEditor::detach() {
  field_ = nullptr;
  window_ = nullptr;
  text_.clear();
  selection_ = {};
  begun_ = false;
  pendingMovement_ = TextMovement::Other;
}

bool FieldEditor::userChange(Range range, std::string_view replacement) {
  TextField* field = field_;
  if (!field) return false;
  if (!field->isEditable() || !field->isEnabled()) {
    beep();
    return false;
  }
  range = clampRange(range, utf16Length(text_));
  const std::string typed(replacement);
  if (!begun_) {
    if (!field->textShouldBeginEditing(*this)) return false;
    begun_ = true;
    field->textDidBeginEditing();
    if (field_ != field) return false;
  }
  if (!field->shouldChangeTextInRange(*this, range, typed)) return false;

  std::string proposed = replacingRange(text_, range, typed);
  Range selection{range.location + utf16Length(typed), 0};
  if (const Formatter* formatter = field->formatter()) {
    Range proposedSelection = selection;
    std::optional<std::string> newString;
    std::string error;
    if (!formatter->isPartialStringValid(proposed, &proposedSelection, &newString, &error)) {
      if (!newString) {
        beep();
        return false;
      }
      proposed = *newString;
      const std::size_t length = utf16Length(proposed);
      selection = proposedSelection == selection ? Range{length, 0} : clampRange(proposedSelection, length);
    }
  }
  text_ = std::move(proposed);
  selection_ = selection;
  field->textDidChange();
  return true;
}

bool FieldEditor::insertText(std::string_view text) { return userChange(selection_, text); }

bool FieldEditor::typeText(std::string_view text) {
  bool all = true;
  std::size_t i = 0;
  while (i < text.size()) {
    // One keystroke per character (a whole UTF-8 sequence).
    const std::size_t next = byteOffsetOfUtf16Position(text.substr(i), 1) + i;
    const std::size_t end = next > i ? next : i + 1;
    if (!insertText(text.substr(i, end - i))) all = false;
    i = end;
  }
  return all;
}

bool FieldEditor::replaceCharactersInRange(Range range, std::string_view text) { return userChange(range, text); }

bool FieldEditor::deleteBackward() {
  if (!field_) return false;
  if (selection_.length > 0) return userChange(selection_, "");
  const Range before = characterRangeBefore(text_, selection_.location);
  if (before.length == 0) return false;
  return userChange(before, "");
}

bool FieldEditor::deleteForward() {
  if (!field_) return false;
  if (selection_.length > 0) return userChange(selection_, "");
  const Range at = characterRangeAt(text_, selection_.location);
  if (at.length == 0) return false;
  return userChange(at, "");
}

bool FieldEditor::endEditing(TextMovement movement) {
  TextField* field = field_;
  Window* window = window_;
  if (!field) return true;
  if (!field->textShouldEndEditing(*this)) return false;
  if (field_ != field) return true;
  field->textDidEndEditing(movement);
  // A field that overrides the end of editing without passing it on still
  // lets go of the editor, keeping the typed text.
  if (field_ == field) {
    field->commitText(text_);
    window->fieldWillGoAway(*field);
  }
  return true;
}

bool FieldEditor::insertNewline() {
  TextField* field = field_;
  Window* window = window_;
  if (!field) return false;
  if (!endEditing(TextMovement::Return)) return false;
  // The field stays the focus with its text selected again, unless its
  // action moved the focus elsewhere or took the field away.
  if (window->firstResponder() == window && window->containsView(field)) window->makeFirstResponder(field);
  return true;
}

bool FieldEditor::insertTab() {
  Window* window = window_;
  if (!window) return false;
  pendingMovement_ = TextMovement::Tab;
  const bool moved = window->selectNextKeyView();
  pendingMovement_ = TextMovement::Other;
  return moved;
}

bool FieldEditor::insertBacktab() {
  Window* window = window_;
  if (!window) return false;
  pendingMovement_ = TextMovement::Backtab;
  const bool moved = window->selectPreviousKeyView();
  pendingMovement_ = TextMovement::Other;
  return moved;
}

bool FieldEditor::resignFirstResponder() { return endEditing(pendingMovement_); }

}  // namespace orval::tk

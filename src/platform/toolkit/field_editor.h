// FieldEditor: the text and selection of the field being edited, and the
// keystrokes a person types into it.
//
// A window lends its field editor to the text field that has the focus
// (a field may bring its own). Every keystroke is one change: the field's
// hooks, its formatter and its delegate are consulted exactly as the
// platform consults them, so a refused keystroke leaves text and selection as
// they were and a formatter's replacement is shown instead of the typed text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/toolkit/responder.h"
#include "platform/toolkit/text_field_delegate.h"
#include "platform/toolkit/text_range.h"

namespace orval::tk {

class TextField;
class Window;

class FieldEditor : public Responder {
 public:
  FieldEditor() = default;
  ~FieldEditor() override;
  FieldEditor(const FieldEditor&) = delete;
  FieldEditor& operator=(const FieldEditor&) = delete;

  // The field being edited (the editor's delegate), or nullptr.
  TextField* field() const { return field_; }
  // The window of the field being edited, or nullptr.
  Window* window() const { return window_; }

  const std::string& string() const { return text_; }
  // Replaces the whole text without consulting anyone (the program, not the person).
  void setString(const std::string& text);
  Range selectedRange() const { return selection_; }
  // Sets the selection, clamped to the text.
  void setSelectedRange(Range range);
  void selectAll();
  // True once a keystroke of this session was accepted (editing has begun).
  bool hasBegunEditing() const { return begun_; }

  // The person's keystrokes (each answers false when it was refused) ---------

  // Types text as one keystroke, replacing the selection.
  bool insertText(std::string_view text);
  // Types text one character at a time; false when any character was refused.
  bool typeText(std::string_view text);
  // Replaces range with text as one change (a paste or a completion).
  bool replaceCharactersInRange(Range range, std::string_view text);
  // Deletes the selection, or the character before the caret.
  bool deleteBackward();
  // Deletes the selection, or the character after the caret.
  bool deleteForward();
  // Return: ends editing (the field sends its action) and selects the text again;
  // false when the field refused to end editing.
  bool insertNewline();
  // Tab / Shift-Tab: moves the focus to the next / previous key view (or the
  // window); false when the field refused to end editing.
  bool insertTab();
  bool insertBacktab();

  // Asked by the window to give up the focus: the field may refuse to end editing.
  bool resignFirstResponder() override;

 private:
  friend class Window;
  friend class TextField;
  // The window lends the editor to field with its text, all selected.
  void beginEditing(TextField& field, Window& window, const std::string& text);
  // Lets go of the field (no calls).
  void detach();
  // Ends editing with movement through the field's hooks; false when refused.
  bool endEditing(TextMovement movement);
  bool userChange(Range range, std::string_view replacement);

  TextField* field_ = nullptr;
  Window* window_ = nullptr;
  std::string text_;
  Range selection_;
  bool begun_ = false;
  TextMovement pendingMovement_ = TextMovement::Other;
};

}  // namespace orval::tk

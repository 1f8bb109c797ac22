// TextField and SecureTextField: one-line text fields and labels.
//
// A field shows a text; with a formatter, its object value is what the
// formatter reads from that text. Editing goes through a field editor that
// the field's window lends it while it is the first responder: the editor
// holds the text and selection being typed, asks the field (and its
// formatter and delegate) about every keystroke, and commits the text to the
// field's value when editing ends. Subclasses of the system override the
// editing hooks below exactly as they override the platform's.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/toolkit/color.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/formatter.h"
#include "platform/toolkit/text_field_delegate.h"
#include "platform/toolkit/text_range.h"

namespace orval::tk {

class FieldEditor;

// Posted (through the process's notification centre, the field as sender)
// when editing of a text field ends; its user information holds the
// TextMovement that ended it (as an integer) under kTextMovementKey.
inline constexpr const char* kControlTextDidEndEditingNotification = "ControlTextDidEndEditing";
inline constexpr const char* kTextMovementKey = "TextMovement";

class TextField : public Control {
 public:
  explicit TextField(Rect frame = {});
  ~TextField() override;

  // A label: not editable, not selectable, no bezel, border or background.
  static std::unique_ptr<TextField> makeLabel(std::string text, Rect frame = {});

  std::string className() const override { return "TextField"; }

  // Values: the shown text (the field editor's while editing) and the object
  // it stands for (through the formatter, when there is one).
  Value objectValue() const override;
  void setObjectValue(const Value& value) override;
  std::string stringValue() const override;
  // Shows text (its object read by the formatter); while editing, the field
  // editor takes the text and puts the caret at its end.
  void setStringValue(const std::string& text) override;

  // Flags and appearance -------------------------------------------------------

  bool isEditable() const { return editable_; }
  void setEditable(bool editable);
  bool isSelectable() const { return selectable_ || editable_; }
  void setSelectable(bool selectable) { selectable_ = selectable; }
  bool isBezeled() const { return bezeled_; }
  void setBezeled(bool bezeled) { bezeled_ = bezeled; }
  bool isBordered() const { return bordered_; }
  void setBordered(bool bordered) { bordered_ = bordered; }
  bool drawsBackground() const { return drawsBackground_; }
  void setDrawsBackground(bool draws) { drawsBackground_ = draws; }
  const Color& textColor() const { return textColor_; }
  void setTextColor(Color color) { textColor_ = std::move(color); }
  const std::string& placeholderString() const { return placeholder_; }
  void setPlaceholderString(std::string placeholder) { placeholder_ = std::move(placeholder); }
  // Wrapping (several lines) versus one scrolling line.
  bool wraps() const { return wraps_; }
  void setWraps(bool wraps) { wraps_ = wraps; }
  bool isScrollable() const { return scrollable_; }
  void setScrollable(bool scrollable) { scrollable_ = scrollable; }
  // When true, editing ended by moving the focus sends the action too (Return always does).
  bool sendsActionOnEndEditing() const { return sendsActionOnEndEditing_; }
  void setSendsActionOnEndEditing(bool sends) { sendsActionOnEndEditing_ = sends; }

  // Formatter and delegate -----------------------------------------------------

  Formatter* formatter() const { return formatter_.get(); }
  // Sets the formatter (kept alive by the field) and re-reads the shown text through it.
  void setFormatter(std::shared_ptr<Formatter> formatter);
  TextFieldDelegate* delegate() const { return delegate_; }
  // Sets the delegate (not owned; it must outlive the field or be cleared).
  void setDelegate(TextFieldDelegate* delegate) { delegate_ = delegate; }

  // Editing --------------------------------------------------------------------

  // True when the field can take the focus: enabled and editable or selectable.
  bool acceptsFirstResponder() const override;
  // The field editor while the field is being edited, else nullptr.
  FieldEditor* currentEditor() const { return editor_; }
  // Makes the field its window's first responder with all its text selected;
  // false when it has no window or the current first responder keeps the focus.
  bool selectText();
  // Ends editing at once, dropping the typed text (no delegate calls).
  void abortEditing();
  // Commits the typed text to the field's value without ending editing.
  void validateEditing();
  // Gives the field its own field editor, used instead of the window's.
  void setCustomFieldEditor(std::unique_ptr<FieldEditor> editor);
  FieldEditor* customFieldEditor() const { return customEditor_.get(); }

  // Editing hooks, called by the field editor (override to specialise) ---------

  // Before the first keystroke of a session; the default asks the delegate.
  virtual bool textShouldBeginEditing(FieldEditor& editor);
  // After the first keystroke was allowed; the default tells the delegate.
  virtual void textDidBeginEditing();
  // Before a keystroke replaces range with replacement; the default accepts.
  virtual bool shouldChangeTextInRange(FieldEditor& editor, Range range, const std::string& replacement);
  // After a keystroke changed the text; the default tells the delegate.
  virtual void textDidChange();
  // Before editing ends: the formatter must read the text (or the delegate
  // accept the failure), then the delegate may refuse.
  virtual bool textShouldEndEditing(FieldEditor& editor);
  // Editing ends: the default commits the typed text, lets go of the editor,
  // tells the delegate, posts kControlTextDidEndEditingNotification and
  // sends the action for Return (or for any movement with sendsActionOnEndEditing). Called with nullopt (no notification) the
  // default does nothing.
  virtual void textDidEndEditing(std::optional<TextMovement> movement);

 private:
  friend class FieldEditor;
  friend class Window;
  // The window starts or stops lending the field an editor.
  void attachEditor(FieldEditor* editor) { editor_ = editor; }
  // Keeps text as the shown text and reads its object through the formatter.
  void commitText(const std::string& text);

  std::string text_;
  Value object_;
  bool editable_ = true;
  bool selectable_ = true;
  bool bezeled_ = true;
  bool bordered_ = false;
  bool drawsBackground_ = true;
  bool wraps_ = false;
  bool scrollable_ = true;
  bool sendsActionOnEndEditing_ = false;
  Color textColor_ = Color::controlTextColor();
  std::string placeholder_;
  std::shared_ptr<Formatter> formatter_;
  TextFieldDelegate* delegate_ = nullptr;
  FieldEditor* editor_ = nullptr;
  std::unique_ptr<FieldEditor> customEditor_;
};

// A password field: the same model; a host shows bullets instead of the text.
class SecureTextField : public TextField {
 public:
  explicit SecureTextField(Rect frame = {}) : TextField(frame) {}
  std::string className() const override { return "SecureTextField"; }
  // True when the host shows a bullet per character.
  bool echosBullets() const { return echosBullets_; }
  void setEchosBullets(bool echos) { echosBullets_ = echos; }

 private:
  bool echosBullets_ = true;
};

}  // namespace orval::tk

// TextFieldDelegate: the object told about, and asked about, the editing of
// a text field (the platform's control text delegate calls).
#pragma once

#include <string>

namespace orval::tk {

class TextField;
class FieldEditor;

// How editing ended: the key that ended it, or another reason (focus moved
// elsewhere, editing ended by the program).
enum class TextMovement { Other, Return, Tab, Backtab, Cancel };

class TextFieldDelegate {
 public:
  virtual ~TextFieldDelegate() = default;

  // control:textShouldBeginEditing: — false refuses the first keystroke.
  virtual bool textShouldBeginEditing(TextField& control, FieldEditor& editor) { return true; }
  // control:textShouldEndEditing: — false keeps the field editing (and the focus).
  virtual bool textShouldEndEditing(TextField& control, FieldEditor& editor) { return true; }
  // control:didFailToFormatString:errorDescription: — true accepts the text anyway.
  virtual bool didFailToFormatString(TextField& control, const std::string& string,
                                     const std::string& error) {
    return false;
  }
  // controlTextDidBeginEditing: — the first keystroke of an editing session was accepted.
  virtual void controlTextDidBeginEditing(TextField& control) {}
  // controlTextDidChange: — the text changed by a keystroke.
  virtual void controlTextDidChange(TextField& control) {}
  // controlTextDidEndEditing: — editing ended with the given movement.
  virtual void controlTextDidEndEditing(TextField& control, TextMovement movement) {}
};

}  // namespace orval::tk

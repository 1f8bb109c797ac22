// NoEmptyTextField: a text field that must not be left empty.
//
// The field brings its own field editor (NoEmptyFieldEditor), which the
// window lends it instead of its shared one. Asked to give up the focus while
// its window is visible, the editor refuses when its text is empty and tells
// the person, in a sheet, to enter the field's value ("Enter the %@." with the
// field's title).
#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/geometry.h"
#include "platform/toolkit/text_field.h"

namespace orval {

class NoEmptyFieldEditor : public tk::FieldEditor {
 public:
  // Refuses to give up the focus with an empty text (and shows the sheet).
  bool resignFirstResponder() override;

 protected:
  // The message of the sheet for the empty field.
  virtual std::string emptyTextMessage(const tk::TextField& field) const;
};

class NoEmptyTextField : public tk::TextField {
 public:
  // A field with its own NoEmptyFieldEditor.
  explicit NoEmptyTextField(tk::Rect frame = {});

  // The class name the system knows this field by.
  std::string className() const override { return "NoEmptyTextField"; }
  // The field's own editor (_fieldEditor).
  tk::FieldEditor* fieldEditor() const { return customFieldEditor(); }
};

}  // namespace orval

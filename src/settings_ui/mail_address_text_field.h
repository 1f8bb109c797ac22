// MailAddressTextField: a mail address field that must not be left empty.
//
// Like NoEmptyTextField, the field brings its own editor
// (MailAddressFieldEditor); with an empty text the editor keeps the focus and
// asks, in a sheet, for a valid address. The editor checks emptiness only;
// the address list itself is checked by a MailAddressFormatter when the field
// has one.
#pragma once

#include <string>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/geometry.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/no_empty_text_field.h"

namespace orval {

class MailAddressFieldEditor : public NoEmptyFieldEditor {
 protected:
  // "Enter a valid E-mail address.", localized.
  std::string emptyTextMessage(const tk::TextField& field) const override;
};

class MailAddressTextField : public tk::TextField {
 public:
  // A field with its own MailAddressFieldEditor.
  explicit MailAddressTextField(tk::Rect frame = {});

  // The class name the system knows this field by.
  std::string className() const override { return "MailAddressTextField"; }
  // The field's own editor (_fieldEditor).
  tk::FieldEditor* fieldEditor() const { return customFieldEditor(); }
};

}  // namespace orval

#include "settings_ui/no_empty_text_field.h"

#include "common/message_format.h"
#include "platform/toolkit/window.h"
#include "settings_ui/text_entry_messages.h"

namespace orval {

bool NoEmptyFieldEditor::resignFirstResponder() {
  tk::Window* window = this->window();
  const tk::TextField* delegate = field();
  if (window && window->isVisible() && delegate && string().empty()) {
    showFieldSheet(window, emptyTextMessage(*delegate));
    return false;
  }
  return tk::FieldEditor::resignFirstResponder();
}

std::string NoEmptyFieldEditor::emptyTextMessage(const tk::TextField& field) const {
  return stringWithFormat(localizedMessage("Enter the %@."), fieldTitle(field));
}

NoEmptyTextField::NoEmptyTextField(tk::Rect frame) : tk::TextField(frame) {
  setCustomFieldEditor(std::make_unique<NoEmptyFieldEditor>());
}

}  // namespace orval

#include "settings_ui/mail_address_text_field.h"

#include <memory>

#include "settings_ui/text_entry_messages.h"

namespace orval {

std::string MailAddressFieldEditor::emptyTextMessage(const tk::TextField&) const {
  return localizedMessage("Enter a valid E-mail address.");
}

MailAddressTextField::MailAddressTextField(tk::Rect frame) : tk::TextField(frame) {
  setCustomFieldEditor(std::make_unique<MailAddressFieldEditor>());
}

}  // namespace orval

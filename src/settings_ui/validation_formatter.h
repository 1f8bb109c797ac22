// ValidationFormatter: a byte-limited formatter with a character set that
// also checks the whole text when editing ends.
//
// While the field's window is visible, a text that fails isValid keeps the
// focus in the field and a sheet shows the formatter's message ("--" without
// one). This class accepts every text; its subclasses check page ranges
// (PageRangeFormatter) and mail address lists (MailAddressFormatter).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/character_set.h"
#include "settings_ui/max_bytes_formatter.h"

namespace orval {

class ValidationFormatter : public MaxBytesFormatterWithCharacterSet {
 public:
  // initWithMinBytes:max:characterSet:message:
  ValidationFormatter(int minBytes, int maxBytes, std::optional<CharacterSet> characterSet = std::nullopt,
                      std::optional<std::string> messageString = std::nullopt);

  // setValidationFormatter:maxBytes:withCharacterSet:messageString: (no minimum)
  static std::shared_ptr<ValidationFormatter> setValidationFormatter(tk::TextField* field, int maxBytes,
                                                                     std::optional<CharacterSet> characterSet,
                                                                     std::optional<std::string> messageString);

  // The message shown for a text that fails the check.
  const std::optional<std::string>& messageString() const { return _messageString; }
  // True when text may end the editing (isValid:); every text here.
  virtual bool isValid(const std::string& text) const;

  // Replaces the minimum-length check by isValid.
  bool textShouldEndEditing(tk::TextField& control, tk::FieldEditor& editor) override;

 protected:
  // Makes an F with no minimum, attaches it to field and answers it (nullptr without a field).
  template <class F>
  static std::shared_ptr<F> attachValidationFormatter(tk::TextField* field, int maxBytes,
                                                      std::optional<CharacterSet> characterSet,
                                                      std::optional<std::string> messageString) {
    if (!field) return nullptr;
    return attach(field, std::make_shared<F>(0, maxBytes, std::move(characterSet), std::move(messageString)));
  }

 private:
  std::optional<std::string> _messageString;
};

}  // namespace orval

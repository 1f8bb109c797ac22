// MailAddressFormatter: a validation formatter for a list of mail addresses
// separated by ";", "," or white space, with escaping.
//
// The list is valid when it holds at least one address and is at most 128
// bytes long in UTF-8; an address is any run of characters between
// separators. Its converter starts without rules.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings_ui/formatter_mixins.h"
#include "settings_ui/validation_formatter.h"

namespace orval {

class MailAddressFormatter : public WithEscaping<ValidationFormatter> {
 public:
  using WithEscaping::WithEscaping;

  // setValidationFormatter:maxBytes:withCharacterSet:messageString: (no minimum)
  static std::shared_ptr<MailAddressFormatter> setValidationFormatter(tk::TextField* field, int maxBytes,
                                                                      std::optional<CharacterSet> characterSet,
                                                                      std::optional<std::string> messageString);

  // True when text is a valid address list.
  bool isValid(const std::string& text) const override;

 private:
  // One address between separators: it must not be empty.
  static bool _checkOneAddress(std::string_view address);
};

}  // namespace orval

#include "settings_ui/mail_address_formatter.h"

#include <utility>

namespace orval {
namespace {

// The longest address list, in UTF-8 bytes.
constexpr std::size_t kMaxListBytes = 128;

bool isSeparator(char c) {
  return c == ';' || c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::shared_ptr<MailAddressFormatter> MailAddressFormatter::setValidationFormatter(
    tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet,
    std::optional<std::string> messageString) {
  return attachValidationFormatter<MailAddressFormatter>(field, maxBytes, std::move(characterSet),
                                                         std::move(messageString));
}

bool MailAddressFormatter::isValid(const std::string& text) const {
  // A longer list is refused rather than checked in part.
  if (text.size() > kMaxListBytes) return false;
  const std::string_view list(text);
  std::size_t i = 0;
  while (i < list.size() && isSeparator(list[i])) ++i;
  int addresses = 0;
  while (i < list.size()) {
    const std::size_t start = i;
    while (i < list.size() && !isSeparator(list[i])) ++i;
    if (!_checkOneAddress(list.substr(start, i - start))) return false;
    ++addresses;
    while (i < list.size() && isSeparator(list[i])) ++i;
  }
  return addresses > 0;
}

bool MailAddressFormatter::_checkOneAddress(std::string_view address) { return !address.empty(); }

}  // namespace orval

#include "common/common_alert.h"

#include "common/localized_string.h"
#include "common/message_format.h"
#include "platform/toolkit/alert.h"

namespace orval {
namespace {

// An alert is never shown blank: without a registered string bundle the key
// itself stands for its text.
std::string alertText(const std::string& key) {
  std::string text = BSLocalizedString(key);
  return text.empty() ? key : text;
}

}  // namespace

int showInformationalAlert(const std::string& message, const std::string& informativeText) {
  tk::Alert alert;
  alert.setAlertStyle(tk::AlertStyle::Informational);
  alert.setMessageText(message);
  alert.setInformativeText(informativeText);
  alert.addButtonWithTitle(alertText("OK"));
  return alert.runModal();
}

int showExceptionAlert(const PlatformException& exception) {
  return showInformationalAlert(stringWithFormat(alertText("Exception: %@"), exception.reason()));
}

}  // namespace orval

#include "common/control_enabling.h"

#include <optional>

#include "common/control_helpers.h"
#include "platform/foundation/system_version.h"

namespace orval {
namespace {

// The first toolkit release that has a colour for disabled control text.
constexpr double kDisabledControlTextColorToolkitVersion = 909;

// The process-wide choice.
std::optional<tk::Color>& chosenDisabledColor() {
  static std::optional<tk::Color> color;
  return color;
}

}  // namespace

const tk::Color& disabledTextColor() {
  std::optional<tk::Color>& color = chosenDisabledColor();
  if (!color) {
    color = toolkitVersion() >= kDisabledControlTextColorToolkitVersion
                ? tk::Color::disabledControlTextColor()
                : tk::Color::secondarySelectedControlColor();
  }
  return *color;
}

void resetDisabledTextColorForTesting() { chosenDisabledColor().reset(); }

void setEnabledWithColor(tk::TextField* field, bool enabled) {
  if (field == nullptr) return;
  field->setEnabled(enabled);
  field->setTextColor(enabled ? tk::Color::controlTextColor() : disabledTextColor());
}

void setEnabledConrtols(bool enabled, const std::vector<tk::Control*>& controls) {
  for (tk::Control* control : controls) {
    if (control == nullptr) continue;
    auto* field = dynamic_cast<tk::TextField*>(control);
    if (field != nullptr && !field->isEditable()) {
      setEnabledWithColor(field, enabled);
    } else {
      control->setEnabled(enabled);
    }
  }
}

bool setEnabledConrtolsByCheckBox(const tk::Button* checkBox, const std::vector<tk::Control*>& controls) {
  const bool enabled = isOnAndEnabled(checkBox);
  setEnabledConrtols(enabled, controls);
  return enabled;
}

}  // namespace orval

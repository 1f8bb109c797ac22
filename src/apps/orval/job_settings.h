// The change path orval's job commands share: KEY=VALUE settings made
// through their controls as a person would (see control_json.h), each
// checked to keep its value.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/orval/commands.h"
#include "apps/orval/control_json.h"
#include "settings_ui/kora_ui.h"

namespace orval::cli {

class JobSession;

struct Setting {
  std::string key;
  std::string value;
};

// texts as KEY=VALUE settings, in order; throws CommandError for one without a key or "=".
std::vector<Setting> parseSettings(const std::vector<std::string>& texts);

// The main pane's control of key; throws CommandError when the main pane has none.
KORAUI* mainPaneControl(JobSession& job, const std::string& key);

// Makes every setting through the control controlFor answers; throws
// CommandError (naming the key) when one cannot be made or the engine leaves
// it at another value (a conflict answered No, a refused combination).
template <class ControlFor>
void applySettings(const std::vector<Setting>& settings, ControlFor controlFor) {
  for (const Setting& setting : settings) {
    KORAUI* control = controlFor(setting.key);
    const std::optional<std::string> before = control->getStringValue();
    if (const std::optional<std::string> failure = changeControlAsAPerson(*control, setting.value))
      throw CommandError(*failure + "; the ticket is unchanged");
    const std::optional<std::string> after = control->getStringValue();
    if (after != setting.value)
      throw CommandError(setting.key + " was not changed to \"" + setting.value + "\" (it stays \"" +
                         before.value_or("") + "\"); the ticket is unchanged");
  }
}

}  // namespace orval::cli

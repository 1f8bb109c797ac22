// The change path orval's job commands share: KEY=VALUE settings made
// through their controls as a person would (see control_json.h), each
// checked to keep its value.
#pragma once

#include <algorithm>
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

// Makes setting through control as a person would; answers why it could not be made (naming the
// key), or why the engine left it at another value (a conflict answered No, a refused combination).
std::optional<std::string> makeSetting(KORAUI& control, const Setting& setting);

// Makes every setting through the control controlFor answers; throws
// CommandError with makeSetting's reason for the first that fails.
template <class ControlFor>
void applySettings(const std::vector<Setting>& settings, ControlFor controlFor) {
  for (const Setting& setting : settings)
    if (const std::optional<std::string> failure = makeSetting(*controlFor(setting.key), setting))
      throw CommandError(*failure + "; the ticket is unchanged");
}

// Throws CommandError, naming the key, what was asked and what the control holds, for the first
// setting whose control (controlFor answers it) does not hold the value asked; used once the job
// was saved and restored from what it saved, so that the controls show what the job holds.
template <class ControlFor>
void checkSettingsKept(const std::vector<Setting>& settings, ControlFor controlFor) {
  for (auto setting = settings.begin(); setting != settings.end(); ++setting) {
    // A key set twice keeps its last value.
    const auto later = [&setting](const Setting& other) { return other.key == setting->key; };
    if (std::find_if(setting + 1, settings.end(), later) != settings.end()) continue;
    if (const std::optional<std::string> held = controlFor(setting->key)->getStringValue(); held != setting->value)
      throw CommandError(setting->key + ": \"" + setting->value + "\" was asked, but the saved job holds \"" +
                         held.value_or("") + "\"; the ticket is unchanged");
  }
}

}  // namespace orval::cli

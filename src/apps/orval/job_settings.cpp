#include "apps/orval/job_settings.h"

#include "apps/orval/job_session.h"
#include "panel/wexo_pde_by_cocoa.h"

namespace orval::cli {

std::vector<Setting> parseSettings(const std::vector<std::string>& texts) {
  std::vector<Setting> settings;
  for (const std::string& text : texts) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) throw CommandError("a setting is KEY=VALUE, not \"" + text + "\"");
    settings.push_back({text.substr(0, equals), text.substr(equals + 1)});
  }
  return settings;
}

std::optional<std::string> makeSetting(KORAUI& control, const Setting& setting) {
  const std::optional<std::string> before = control.getStringValue();
  if (std::optional<std::string> failure = changeControlAsAPerson(control, setting.value)) return failure;
  if (control.getStringValue() == setting.value) return std::nullopt;
  return setting.key + " was not changed to \"" + setting.value + "\" (it stays \"" + before.value_or("") + "\")";
}

KORAUI* mainPaneControl(JobSession& job, const std::string& key) {
  KORAUI* control = job.panel().shortcutControl(key);
  if (control == nullptr || control->mainKeyword().empty())
    throw CommandError("\"" + key + "\" is not a setting of the main pane (orval show lists them)");
  return control;
}

}  // namespace orval::cli

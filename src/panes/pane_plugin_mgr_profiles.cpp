// PanePlugInMgr: numbered profile items of the panes' pop-ups, and the
// current profile file.
#include <cctype>

#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/menu_item.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {

namespace {

// The most items one call adds: a pane asking for millions of profiles gets these, logged.
constexpr std::int64_t kMaxProfileItemsAdded = 1000;

// The decimal value of the digits text begins with (0 without; saturating).
std::int64_t leadingNumber(const std::string& text) {
  std::int64_t number = 0;
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c)) == 0) break;
    const int digit = c - '0';
    if (number > (INT64_MAX - digit) / 10) return INT64_MAX;
    number = number * 10 + digit;
  }
  return number;
}

}  // namespace

void PanePlugInMgr::_addProfileItem(const std::string& key, tk::PopUpButton* control, std::int64_t lastNo,
                                    const std::string& option, const std::shared_ptr<Bundle>& bundle) {
  if (control == nullptr) return;
  std::string choicePrefix;
  std::string titlePrefix;
  std::int64_t start = 0;
  if (control->numberOfItems() == 0) {
    if (option.ends_with("%d")) choicePrefix = option.substr(0, option.size() - 2);
    titlePrefix = bundle ? bundle->localizedString(choicePrefix) : choicePrefix;
  } else {
    const tk::MenuItem* last = control->lastItem();
    const Value choice = representedObjectOfMenuItem(last, "optionKeyword");
    const std::string keyword = choice.isString() ? *choice.asString() : std::string();
    const std::size_t digit = keyword.find_first_of("0123456789");
    if (digit != std::string::npos) {
      const std::string numberText = keyword.substr(digit);
      choicePrefix = keyword.substr(0, digit);
      start = leadingNumber(numberText);
      if (last->title().ends_with(numberText))
        titlePrefix = last->title().substr(0, last->title().size() - numberText.size());
    }
  }
  if (lastNo <= start) return;  // also keeps start + 1 from passing the largest number
  std::int64_t count = lastNo - start;
  if (count > kMaxProfileItemsAdded) {
    logMessage("###Error: " + key + " asks for " + std::to_string(count) + " profile items; " +
               std::to_string(kMaxProfileItemsAdded) + " are added");
    count = kMaxProfileItemsAdded;
  }
  // Counting up to count, never past lastNo: no number here can overflow.
  for (std::int64_t i = 1; i <= count; ++i) {
    const std::string number = std::to_string(start + i);
    addMenuItem(control, key, titlePrefix + number, choicePrefix + number);
  }
}

void PanePlugInMgr::updateProfileByBundleName(const std::string& bundleName,
                                              const std::optional<std::string>& withProfilePath) {
  const PlugInEntry* entry = _entryNamed(bundleName);
  if (entry == nullptr) return;
  if (withProfilePath != _currentProfilePath) _currentProfilePath = withProfilePath;
  // The pane is told by the question; its answer is not needed here.
  entry->paneConroller->profileUiInformations();
}

void PanePlugInMgr::updateProfilesOfAllBundles(const std::optional<std::string>& profilePath) {
  const std::vector<PlugInEntry>& table = _requirePlugInTable();
  for (std::size_t i = 0; i < table.size(); ++i) updateProfileByBundleName(table[i].name, profilePath);
}

void PanePlugInMgr::_setProfilePath(const std::optional<std::string>& profilePath) {
  _currentProfilePath = profilePath;
  updateProfilesOfAllBundles(profilePath);
}

std::optional<Dict> PanePlugInMgr::dictionaryOfCurrentProfile() const {
  if (!_currentProfilePath) return std::nullopt;
  return AppPreference::sharedInstance().profileDictionaryWithContentsOfFile(
      std::filesystem::path(*_currentProfilePath));
}

}  // namespace orval

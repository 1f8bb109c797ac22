// AppPreference: the user's favorite folder.
//
// The desktop kept favorites in the user's "Library/Preferences" folder (and,
// with no user Library folder at all, in the classic system domain). On Linux
// the user's preferences folder is the XDG configuration folder; there is no
// classic domain and no system version to tell folder layouts apart, so a
// user without a configuration folder has no favorite folder.
#include <sys/stat.h>

#include "favorites/app_preference.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/user.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

// A folder name from the information dictionary names one folder: not
// empty, no separator, not "." or "..", so it can never lead elsewhere.
bool isSingleFolderName(const std::optional<std::string>& name) {
  return name && !name->empty() && name->find('/') == std::string::npos && *name != "." && *name != "..";
}

}  // namespace

std::vector<fs::path> AppPreference::favoriteFolderPathArray(bool createIfNeed) const {
  return _subFolderPathArray(kFavoriteFolderName, createIfNeed);
}

std::vector<fs::path> AppPreference::_subFolderPathArray(const std::string& subFolder, bool createIfNeed) const {
  const fs::path preferences = xdgConfigHome();
  if (preferences.empty() || !preferences.is_absolute()) return {};
  const std::optional<std::string> product = _infomationsForAppType(std::nullopt, kProductFolderName);
  const std::optional<std::string> sub = _infomationsForAppType(std::nullopt, kSubFolderName);
  if (!isSingleFolderName(product) || !isSingleFolderName(sub)) return {};

  const fs::path folder = preferences / kMakerFolderName / *product / *sub / subFolder;
  if (createIfNeed && !files::isDirectory(folder)) {
    // The configuration folder itself is the user's private folder.
    if (!files::isDirectory(preferences)) files::createDirectory(preferences, S_IRWXU, true);
    _createDirectoryRecursively(folder);
  }
  return {folder};
}

void AppPreference::_createDirectoryRecursively(const fs::path& path) {
  // Each missing level is made and then given the mode explicitly, whatever
  // the process's umask; a level that cannot be made is left as it is.
  files::createDirectory(path, static_cast<mode_t>(kFolderMode), true);
}

}  // namespace orval

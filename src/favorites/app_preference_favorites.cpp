// AppPreference: the favorite folder's listing, saving a favorite from the
// panel, and the panel's favorites pop-up.
//
// The listing is in name order (the folder's own order is arbitrary on
// Linux), so the pop-up and the favorite manager show favorites the same way
// every time. Every listing reads the folder again; nothing is cached.
#include "common/localized_string.h"
#include "common/message_format.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_file.h"
#include "favorites/favorite_list.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

constexpr tk::Size kFavoriteIconSize{16, 16};

// The icon of a favorite file: favorite files have no icon of their own on
// Linux, so they show the generic document icon, as the default item does.
tk::Image favoriteIcon() { return tk::Image::systemIcon(tk::SystemIcon::GenericDocument).scaledTo(kFavoriteIconSize); }

}  // namespace

std::vector<fs::path> AppPreference::_pathArrayForOneFavoriteFolder(const fs::path& folder, std::string* error) const {
  std::string reason;
  const std::optional<std::vector<std::string>> names = files::contentsOfDirectory(folder, &reason);
  if (!names) {
    logMessage(stringWithFormat("##### Fail to list \"%@\" (%@)", folder.string(), reason));
    if (error != nullptr) *error = stringWithFormat(BSLocalizedString("Fail to list favorite folder"), folder.string());
    return {};
  }
  std::vector<fs::path> paths;
  for (const std::string& name : *names) {
    const fs::path path = folder / name;
    if (isListedFavoriteFile(path) && files::exists(path) && !files::isDirectory(path)) paths.push_back(path);
  }
  return paths;
}

bool AppPreference::isListedFavoriteFile(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.starts_with('.') && FavoriteFile::hasExtension(name) && !files::isInvisible(path);
}

std::vector<fs::path> AppPreference::arrayForFavoritePath(std::string* error) const {
  std::vector<fs::path> paths;
  for (const fs::path& folder : favoriteFolderPathArray(true)) {
    if (!files::isDirectory(folder)) {
      logMessage(stringWithFormat("##### Fail to create \"%@\"", folder.string()));
      if (error != nullptr)
        *error = stringWithFormat(BSLocalizedString("Fail to create favorite folder"), folder.string());
      continue;
    }
    for (fs::path& path : _pathArrayForOneFavoriteFolder(folder, error)) paths.push_back(std::move(path));
  }
  return paths;
}

std::optional<fs::path> AppPreference::saveFavoriteOnFavoriteDirectory(const std::optional<std::string>& name,
                                                                       const std::optional<std::string>& comment,
                                                                       const std::optional<Dict>& options,
                                                                       std::string* error) const {
  if (!name || !options) return std::nullopt;
  const std::vector<fs::path> folders = favoriteFolderPathArray(true);
  if (folders.empty()) return std::nullopt;
  const std::optional<fs::path> target = FavoriteFile::pathWithName(name, folders.front());
  if (!target) return std::nullopt;
  FavoriteFile file;
  file.setOptions(options);
  file.setComment(comment);
  const FavoriteWriteFailure failure = file.writeToFile(target);
  if (failure != FavoriteWriteFailure::None && error != nullptr) *error = favoriteWriteFailureMessage(failure, *name);
  return target;
}

void AppPreference::buildFavoritePopup(tk::PopUpButton* popUp) const {
  if (popUp == nullptr) return;
  popUp->removeAllItems();
  tk::MenuItem defaultItem(BSLocalizedString("DefaultFavorite"));
  defaultItem.setRepresentedObject(Value(""));
  defaultItem.setImage(favoriteIcon());
  popUp->addItem(std::move(defaultItem));

  const std::vector<fs::path> folders = favoriteFolderPathArray(true);
  if (!folders.empty()) {
    const std::vector<fs::path> paths = _pathArrayForOneFavoriteFolder(folders.front());
    if (!paths.empty() && popUp->numberOfItems() > 0) popUp->addItem(tk::MenuItem::separatorItem());
    for (const fs::path& path : paths) {
      tk::MenuItem item(FavoriteFile::nameWithPath(path).value_or(""));
      item.setRepresentedObject(Value(path.string()));
      item.setImage(favoriteIcon());
      popUp->addItem(std::move(item));
    }
  }
  popUp->selectItemAtIndex(0);
}

}  // namespace orval

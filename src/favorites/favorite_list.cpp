#include "favorites/favorite_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/localized_string.h"
#include "common/message_format.h"
#include "favorites/app_preference.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

std::string localizedFormat(const char* key, const std::string& argument) {
  return stringWithFormat(BSLocalizedString(key), argument);
}

// The favorite folder that holds path directly, if any.
std::optional<fs::path> favoriteFolderHolding(const fs::path& path, const std::vector<fs::path>& folders) {
  const fs::path parent = path.lexically_normal().parent_path();
  for (const fs::path& folder : folders)
    if (parent == folder.lexically_normal()) return folder;
  return std::nullopt;
}

// The favorite folder that lists the file at path as one of its favorites, if any. Any other
// file in a favorite folder (another extension, a hidden one) is imported like one from elsewhere:
// left as it is, it would never show as a favorite.
std::optional<fs::path> favoriteFolderListing(const fs::path& path, const std::vector<fs::path>& folders) {
  if (!AppPreference::isListedFavoriteFile(path)) return std::nullopt;
  return favoriteFolderHolding(path, folders);
}

// True when a row of list refers to the file at path (by any spelling of its path).
bool shownInList(const std::vector<FavoriteItem>& list, const fs::path& path) {
  return std::any_of(list.begin(), list.end(), [&path](const FavoriteItem& row) {
    const std::optional<std::string> rowPath = row.path();
    std::error_code ec;
    return rowPath && fs::equivalent(*rowPath, path, ec);
  });
}

void logFailure(const std::string& action, const std::string& error) {
  logMessage("##### Fail to " + action + " (" + error + ")");
}

}  // namespace

std::string favoriteWriteFailureMessage(FavoriteWriteFailure failure, const std::string& name) {
  switch (failure) {
    case FavoriteWriteFailure::None: return {};
    case FavoriteWriteFailure::NoLocalEncoding: return BSLocalizedString("No favorite encoding for locale");
    case FavoriteWriteFailure::NoOptions:
    case FavoriteWriteFailure::UnstorableText: return localizedFormat("Favorite cannot be stored", name);
    case FavoriteWriteFailure::NoPath:
    case FavoriteWriteFailure::FileSystem: break;
  }
  return localizedFormat("Fail to save favorite file", name);
}

std::vector<FavoriteItem> favoriteListItems() {
  std::vector<FavoriteItem> list{FavoriteItem(FavoriteItem::currentSettingName()),
                                 FavoriteItem(FavoriteItem::defaultFavoriteName())};
  for (const fs::path& path : AppPreference::sharedInstance().arrayForFavoritePath()) {
    FavoriteItem item(FavoriteFile::nameWithPath(path));
    item.setComment(FavoriteFile(path).comment());
    item.setPath(path.string());
    list.push_back(std::move(item));
  }
  return list;
}

void sortFavoriteList(std::vector<FavoriteItem>& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const FavoriteItem& a, const FavoriteItem& b) { return a.compare(b) < 0; });
}

std::optional<std::string> checkDuplicateFavoriteName(const std::vector<FavoriteItem>& list, int selectedRow,
                                                      const std::string& name, const std::optional<std::string>& path) {
  const std::optional<fs::path> renamed =
      path ? FavoriteFile::pathWithName(name, fs::path(*path).parent_path()) : std::nullopt;
  for (std::size_t row = 0; row < list.size(); ++row) {
    if (static_cast<int>(row) == selectedRow || list[row].name() != name) continue;
    const std::optional<std::string> rowPath = list[row].path();
    if (!path || (renamed && rowPath && *renamed == fs::path(*rowPath) && files::exists(*renamed)))
      return localizedFormat("There is same favorite name", name);
  }
  return std::nullopt;
}

std::optional<std::string> importFavorite(std::vector<FavoriteItem>& list, const fs::path& path) {
  const FavoriteFile file(path);
  if (file.version() == kFavoriteFile_UnknownVersion) return BSLocalizedString("Fail to loading favorite file");
  const std::optional<std::string> name = FavoriteFile::nameWithPath(path);
  if (std::optional<std::string> duplicate = checkDuplicateFavoriteName(list, -1, *name, std::nullopt))
    return duplicate;
  FavoriteItem item(name);
  // The row shows the file's comment; an unchanged import is copied as it is.
  item.setComment(file.comment());
  item.setPath(path.string());
  list.push_back(std::move(item));
  sortFavoriteList(list);
  return std::nullopt;
}

std::optional<std::string> exportFavorite(const FavoriteItem& item, const fs::path& target) {
  FavoriteFile file(item.path());
  if (file.version() == kFavoriteFile_UnknownVersion) return BSLocalizedString("Fail to loading favorite file");
  file.setComment(item.comment());
  // The target may be another favorite or any file of the person's: it is never replaced.
  if (files::exists(target)) return localizedFormat("Favorite export target exists", target.string());
  const FavoriteWriteFailure failure = file.writeToNewFile(target);
  if (failure == FavoriteWriteFailure::None) return std::nullopt;
  if (failure == FavoriteWriteFailure::FileSystem)
    return localizedFormat("Fail to export favorite file", target.string());
  return favoriteWriteFailureMessage(failure, item.name().value_or(""));
}

std::vector<std::string> applyFavoriteList(const std::vector<FavoriteItem>& list,
                                           const std::vector<FavoriteItem>& removed) {
  std::vector<std::string> messages;
  const std::vector<fs::path> folders = AppPreference::sharedInstance().favoriteFolderPathArray(true);

  // Only favorites of the folder go to the trash: a removed import was never
  // applied, and the file it came from is the person's own. A removed favorite
  // that a row still shows (deleted, then imported again from the folder) stays.
  for (const FavoriteItem& item : removed) {
    const std::optional<std::string> path = item.path();
    if (!path || !favoriteFolderListing(*path, folders) || shownInList(list, *path)) continue;
    std::string error;
    if (!files::trashItem(*path, &error)) {
      logFailure("trash \"" + *path + "\"", error);
      messages.push_back(localizedFormat("Fail to delete favorite file", item.name().value_or("")));
    }
  }

  for (std::size_t row = FavoriteItem::kFavoriteListOffset; row < list.size(); ++row) {
    const FavoriteItem& item = list[row];
    const std::optional<std::string> itemPath = item.path();
    const std::optional<std::string> name = item.name();
    if (!itemPath || !name) continue;
    const fs::path path(*itemPath);
    FavoriteFile file(path);
    const bool nameChanged = *name != FavoriteFile::nameWithPath(path);
    const bool commentChanged = item.comment().value_or("") != file.comment().value_or("");
    file.setComment(item.comment());

    if (favoriteFolderListing(path, folders)) {
      if (commentChanged) {
        const FavoriteWriteFailure failure = file.writeToFile(path);
        if (failure != FavoriteWriteFailure::None) messages.push_back(favoriteWriteFailureMessage(failure, *name));
      }
      if (nameChanged) {
        const std::optional<fs::path> target = FavoriteFile::pathWithName(name, path.parent_path());
        std::string error = "the name cannot be a file name";
        if (!target || !files::moveItem(path, *target, &error)) {
          logFailure("rename \"" + path.string() + "\"", error);
          messages.push_back(stringWithFormat(BSLocalizedString("Fail to rename favorite file"),
                                              FavoriteFile::nameWithPath(path).value_or(""), *name));
        }
      }
      continue;
    }

    // An import: written under its new name or comment, else copied as it is; never over another file.
    const std::optional<fs::path> target =
        folders.empty() ? std::nullopt : FavoriteFile::pathWithName(name, folders.front());
    bool imported = false;
    std::string error = "there is no favorite folder";
    if (target && (nameChanged || commentChanged)) {
      const FavoriteWriteFailure failure = file.writeToNewFile(*target, &error);
      if (failure != FavoriteWriteFailure::None && failure != FavoriteWriteFailure::FileSystem) {
        messages.push_back(favoriteWriteFailureMessage(failure, *name));
        continue;
      }
      imported = failure == FavoriteWriteFailure::None;
    } else if (target) {
      imported = files::copyItem(path, *target, &error);
    }
    if (!imported) {
      logFailure("import \"" + path.string() + "\"", error);
      messages.push_back(localizedFormat("Fail to import favorite file", *name));
    }
  }
  return messages;
}

}  // namespace orval

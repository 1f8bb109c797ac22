#include "favorites/favorite_exports.h"

#include "favorites/favorite_file.h"

namespace orval {

std::optional<std::string> FavoriteNameAppendingClassic(const char* name) {
  if (name == nullptr) return std::nullopt;
  return FavoriteFile::nameAppendingClassic(std::string(name));
}

std::optional<std::string> FavoriteNameWithPath(const char* path) {
  if (path == nullptr) return std::nullopt;
  return FavoriteFile::nameWithPath(std::filesystem::path(path));
}

std::optional<std::string> FavoriteCommentWithContentsOfFile(const char* path) {
  if (path == nullptr) return std::nullopt;
  return FavoriteFile(std::filesystem::path(path)).comment();
}

std::optional<Dict> FavoriteDictionaryWithContentsOfFile(const char* path) {
  if (path == nullptr) return std::nullopt;
  return FavoriteFile(std::filesystem::path(path)).options();
}

}  // namespace orval

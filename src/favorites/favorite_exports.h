// The favorite store's plain functions, the form in which the bundle exports
// them for other modules (nothing inside the plug-in calls them). A missing
// argument gives nothing.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"

namespace orval {

// name + " (Classic)".
std::optional<std::string> FavoriteNameAppendingClassic(const char* name);
// The favorite name of the file at path: its last component without the extension.
std::optional<std::string> FavoriteNameWithPath(const char* path);
// The comment of the favorite file at path; none when it has none or does not read.
std::optional<std::string> FavoriteCommentWithContentsOfFile(const char* path);
// The settings of the favorite file at path; none when it does not read.
std::optional<Dict> FavoriteDictionaryWithContentsOfFile(const char* path);

}  // namespace orval

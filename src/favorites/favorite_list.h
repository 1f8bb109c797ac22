// The file operations behind an edited favorite list (the favorite manager
// holds the list): the duplicate-name check, import, export, and applying
// the edited list to the favorite folder.
//
// Nothing changes on disk until the list is applied. Applying never replaces
// a file it did not come from: renames, copies and new files fail when their
// name is taken, and the favorite they came from stays as it was. Every
// failure is answered as a localized message for the person.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "favorites/favorite_file.h"
#include "favorites/favorite_item.h"

namespace orval {

// The list the favorite manager opens with: the current settings, the
// default favorite, then one item per favorite file (its name, comment and
// path) in arrayForFavoritePath order.
std::vector<FavoriteItem> favoriteListItems();

// Sorts list with FavoriteItem::compare (a stable sort: equal items keep their order).
void sortFavoriteList(std::vector<FavoriteItem>& list);

// The localized "There is same favorite name" message when name is taken by
// a row other than selectedRow, or none. Without path any row of that name
// counts; with path only a row whose file is the one a rename of path to
// name would produce, and which exists.
std::optional<std::string> checkDuplicateFavoriteName(const std::vector<FavoriteItem>& list, int selectedRow,
                                                      const std::string& name, const std::optional<std::string>& path);

// Adds the favorite file at path to list (sorted) and answers none, or
// answers the localized message that refuses it: a file that does not read,
// or a name the list already has.
std::optional<std::string> importFavorite(std::vector<FavoriteItem>& list, const std::filesystem::path& path);

// Writes item's favorite, with the item's current comment, to the new file
// target in the local encoding; none, or the localized message of the
// failure. An existing target is never replaced.
std::optional<std::string> exportFavorite(const FavoriteItem& item, const std::filesystem::path& target);

// Applies an edited list: removed favorites go to the trash (unless a row
// of list still refers to the same file), changed
// comments are written, renamed favorites are moved, imported ones are
// written or copied into the first favorite folder. Answers the localized
// message of each step that failed (empty when all went well).
std::vector<std::string> applyFavoriteList(const std::vector<FavoriteItem>& list,
                                           const std::vector<FavoriteItem>& removed);

// The localized message for a favorite named name that was not written.
std::string favoriteWriteFailureMessage(FavoriteWriteFailure failure, const std::string& name);

}  // namespace orval

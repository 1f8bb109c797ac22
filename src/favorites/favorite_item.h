// FavoriteItem: one row of a favorite list (name, comment and the file's
// path), the order of such lists, and the rules for favorite names and
// comments.
//
// Every favorite list begins with two rows without a path: the current
// settings ("<" + localized "CurrentSetting" + ">") and the default favorite
// (localized "DefaultFavorite"). Name and comment limits count bytes in the
// system's default byte encoding (lengthByBytes).
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"

namespace orval {

class FavoriteItem {
 public:
  // The number of fixed rows that head every favorite list.
  static constexpr int kFavoriteListOffset = 2;
  // The keys of an item's dictionary (the favorite manager's column identifiers).
  static constexpr const char* kNameKey = "name";
  static constexpr const char* kCommentKey = "comment";
  static constexpr const char* kPathKey = "path";

  // initWithName: an item with name (none set when absent).
  explicit FavoriteItem(const std::optional<std::string>& name = std::nullopt);
  static FavoriteItem favoriteItemWithName(const std::optional<std::string>& name) { return FavoriteItem(name); }

  std::optional<std::string> name() const { return _string(kNameKey); }
  std::optional<std::string> comment() const { return _string(kCommentKey); }
  std::optional<std::string> path() const { return _string(kPathKey); }
  // Each setter ignores an absent argument.
  void setName(const std::optional<std::string>& name) { _set(kNameKey, name); }
  void setComment(const std::optional<std::string>& comment) { _set(kCommentKey, comment); }
  void setPath(const std::optional<std::string>& path) { _set(kPathKey, path); }
  // The value stored under key (a null Value when none).
  const Value& valueForKey(const std::string& key) const { return _dictionary.get(key); }

  // Negative when this item comes before other, positive when after, 0 when
  // neither: the current settings first, then the default favorite, then
  // favorites by path (by name when either has none); literal comparison.
  int compare(const FavoriteItem& other) const;

  // The longest name and comment in bytes.
  static int maxNameLength() { return 27; }
  static int maxCommentLength() { return 255; }
  // The localized message that refuses name, or none when it passes.
  static std::optional<std::string> checkName(const std::optional<std::string>& name);
  // The localized message that refuses comment, or none when it passes.
  static std::optional<std::string> checkComment(const std::optional<std::string>& comment);
  // Whether name is the default favorite's localized name (false for none).
  static bool isEqualToDefaultFavoriteName(const std::optional<std::string>& name);
  // The names of the two fixed rows.
  static std::string currentSettingName();
  static std::string defaultFavoriteName();

 private:
  std::optional<std::string> _string(const char* key) const;
  void _set(const char* key, const std::optional<std::string>& value);

  Dict _dictionary;
};

}  // namespace orval

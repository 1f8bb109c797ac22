#include "favorites/favorite_item.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/byte_length.h"
#include "common/localized_string.h"
#include "common/message_format.h"

namespace orval {

namespace {

constexpr const char* kInvalidCharactersKey = "characterSet_InvalidCharsForFavorite";

// The code points of UTF-8 text (an invalid sequence gives a negative value).
std::vector<std::int32_t> codePoints(const std::string& text) {
  std::vector<std::int32_t> points;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  for (std::int32_t i = 0; i < length;) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    points.push_back(c);
  }
  return points;
}

// The characters no favorite name may hold: the localized set, and always
// the path separator and NUL, since a name becomes a file name.
std::vector<std::int32_t> invalidNameCharacters() {
  std::string set = BSLocalizedString(kInvalidCharactersKey);
  if (set == kInvalidCharactersKey) set.clear();  // no table entry: the key is no set
  std::vector<std::int32_t> characters = codePoints(set);
  characters.push_back('/');
  characters.push_back('\0');
  return characters;
}

// Space, tab and the other Unicode space separators; not line breaks.
bool isBlank(std::int32_t c) { return c == '\t' || (c >= 0 && u_charType(c) == U_SPACE_SEPARATOR); }

// -1 / 0 / 1 of a literal comparison.
int literalCompare(const std::string& a, const std::string& b) {
  const int order = a.compare(b);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

FavoriteItem::FavoriteItem(const std::optional<std::string>& name) { setName(name); }

std::optional<std::string> FavoriteItem::_string(const char* key) const {
  if (const std::string* text = _dictionary.get(key).asString()) return *text;
  return std::nullopt;
}

void FavoriteItem::_set(const char* key, const std::optional<std::string>& value) {
  if (value) _dictionary.set(key, Value(*value));
}

std::string FavoriteItem::currentSettingName() { return stringWithFormat("<%@>", BSLocalizedString("CurrentSetting")); }

std::string FavoriteItem::defaultFavoriteName() { return BSLocalizedString("DefaultFavorite"); }

bool FavoriteItem::isEqualToDefaultFavoriteName(const std::optional<std::string>& name) {
  return name && *name == defaultFavoriteName();
}

int FavoriteItem::compare(const FavoriteItem& other) const {
  const std::string current = currentSettingName();
  const std::string defaultName = defaultFavoriteName();
  const std::string mine = name().value_or("");
  const std::string theirs = other.name().value_or("");
  // The fixed rows keep their places; two equal fixed rows are neither before
  // nor after each other, so that sorting stays well defined.
  const auto rank = [&](const std::string& itemName) {
    return itemName == current ? 0 : itemName == defaultName ? 1 : 2;
  };
  const int myRank = rank(mine);
  const int theirRank = rank(theirs);
  if (myRank != theirRank) return myRank < theirRank ? -1 : 1;
  if (myRank < 2) return 0;
  const std::optional<std::string> myPath = path();
  const std::optional<std::string> theirPath = other.path();
  if (myPath && theirPath) return literalCompare(*myPath, *theirPath);
  return literalCompare(mine, theirs);
}

std::optional<std::string> FavoriteItem::checkName(const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  const std::string invalid = BSLocalizedString("Invalid favorite name");
  if (name->empty() || lengthByBytes(*name) > static_cast<std::size_t>(maxNameLength())) return invalid;
  const std::vector<std::int32_t> characters = codePoints(*name);
  const std::vector<std::int32_t> forbidden = invalidNameCharacters();
  for (const std::int32_t c : characters)
    if (std::find(forbidden.begin(), forbidden.end(), c) != forbidden.end()) return invalid;
  if (std::all_of(characters.begin(), characters.end(), isBlank)) return invalid;
  // A file whose name begins with "." is hidden: the favorite would never be listed.
  if (name->front() == '.') return invalid;
  if (isEqualToDefaultFavoriteName(name)) return BSLocalizedString("Invalid favorite name2");
  return std::nullopt;
}

std::optional<std::string> FavoriteItem::checkComment(const std::optional<std::string>& comment) {
  if (!comment) return std::nullopt;
  // A favorite file holds its comment on one line.
  if (lengthByBytes(*comment) > static_cast<std::size_t>(maxCommentLength()) ||
      comment->find('\n') != std::string::npos)
    return BSLocalizedString("Invalid favorite comment");
  return std::nullopt;
}

}  // namespace orval

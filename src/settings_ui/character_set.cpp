#include "settings_ui/character_set.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <utility>

namespace orval {
namespace {

// Calls visit with each character of text; a malformed byte is read as U+FFFD.
// Stops early when visit answers false; answers whether it went through.
template <class Visit>
bool forEachCharacter(std::string_view text, Visit visit) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c < 0) c = 0xFFFD;
    if (!visit(static_cast<char32_t>(c))) return false;
  }
  return true;
}

}  // namespace

CharacterSet::CharacterSet(icu::UnicodeSet set) : set_(std::move(set)) {}

CharacterSet CharacterSet::characterSetWithCharactersInString(std::string_view text) {
  icu::UnicodeSet set;
  forEachCharacter(text, [&set](char32_t c) {
    set.add(static_cast<UChar32>(c));
    return true;
  });
  return CharacterSet(std::move(set));
}

CharacterSet CharacterSet::controlCharacterSet() {
  // Made once: gathering a category walks every character, and the limited
  // fields ask for this set at every keystroke.
  static const icu::UnicodeSet controls = [] {
    icu::UnicodeSet set;
    UErrorCode status = U_ZERO_ERROR;
    set.applyIntPropertyValue(UCHAR_GENERAL_CATEGORY_MASK, U_GC_CC_MASK | U_GC_CF_MASK, status);
    return set;
  }();
  return CharacterSet(controls);
}

bool CharacterSet::characterIsMember(char32_t c) const { return set_.contains(static_cast<UChar32>(c)); }

bool CharacterSet::containsEveryCharacterOf(std::string_view text) const {
  return forEachCharacter(text, [this](char32_t c) { return characterIsMember(c); });
}

bool CharacterSet::containsAnyCharacterOf(std::string_view text) const {
  return !forEachCharacter(text, [this](char32_t c) { return !characterIsMember(c); });
}

}  // namespace orval

// CharacterSet: a set of Unicode characters that a text entry may be limited to.
//
// The byte- and character-limited formatters refuse, while the person types,
// every character outside their optional set, and (unless enabled) every
// control character. Sets are plain values: copying one copies its members.
#pragma once

#include <string_view>

#include <unicode/uniset.h>

namespace orval {

class CharacterSet {
 public:
  // The set of the characters of text (UTF-8).
  static CharacterSet characterSetWithCharactersInString(std::string_view text);
  // The control and format characters (Unicode categories Cc and Cf).
  static CharacterSet controlCharacterSet();

  // True when c is a member of the set.
  bool characterIsMember(char32_t c) const;
  // True when every character of text (UTF-8) is a member; true for an empty text.
  bool containsEveryCharacterOf(std::string_view text) const;
  // True when at least one character of text (UTF-8) is a member.
  bool containsAnyCharacterOf(std::string_view text) const;

 private:
  explicit CharacterSet(icu::UnicodeSet set);

  icu::UnicodeSet set_;
};

}  // namespace orval

// Range: a selection or a stretch of text, counted in UTF-16 code units as
// the platform's text system counts them; and the conversions between such
// positions and the byte offsets of the UTF-8 strings the model stores.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orval::tk {

struct Range {
  std::size_t location = 0;
  std::size_t length = 0;

  std::size_t end() const { return location + length; }
  friend bool operator==(const Range&, const Range&) = default;
};

// The length of text in UTF-16 code units (a character outside the basic
// plane counts 2; a malformed byte counts 1, as its replacement character).
std::size_t utf16Length(std::string_view text);

// The byte offset in text of the UTF-16 position pos; a position inside a
// surrogate pair or past the end is moved to the end of that character or
// of the text.
std::size_t byteOffsetOfUtf16Position(std::string_view text, std::size_t pos);

// The range clamped to a text of textLength UTF-16 units.
Range clampRange(Range range, std::size_t textLength);

// text with the UTF-16 range replaced by replacement (the range is clamped).
std::string replacingRange(std::string_view text, Range range, std::string_view replacement);

// The UTF-16 range of the character that ends at pos (a surrogate pair is one
// character); an empty range at 0 when pos is 0.
Range characterRangeBefore(std::string_view text, std::size_t pos);

// The UTF-16 range of the character that starts at pos; empty at the end.
Range characterRangeAt(std::string_view text, std::size_t pos);

}  // namespace orval::tk

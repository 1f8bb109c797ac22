#include "platform/toolkit/text_range.h"

#include <algorithm>

namespace orval::tk {

namespace {

// The byte length of the well-formed UTF-8 sequence at text[i], or 1 for a
// malformed byte (read as one replacement character).
std::size_t sequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t need = 0;
  unsigned min = 0;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    need = 1;
    min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    need = 2;
    min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    need = 3;
    min = 0x10000;
  } else {
    return 1;
  }
  unsigned cp = lead & (0x3F >> need);
  for (std::size_t k = 1; k <= need; ++k) {
    if (i + k >= text.size()) return 1;
    const auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) return 1;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 1;
  return need + 1;
}

// UTF-16 units of the character at text[i] of byteLength bytes.
std::size_t unitsOf(std::size_t byteLength) { return byteLength == 4 ? 2 : 1; }

}  // namespace

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = sequenceLength(text, i);
    units += unitsOf(n);
    i += n;
  }
  return units;
}

std::size_t byteOffsetOfUtf16Position(std::string_view text, std::size_t pos) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < text.size() && units < pos) {
    const std::size_t n = sequenceLength(text, i);
    units += unitsOf(n);
    i += n;
  }
  return i;
}

Range clampRange(Range range, std::size_t textLength) {
  const std::size_t location = std::min(range.location, textLength);
  const std::size_t length = std::min(range.length, textLength - location);
  return {location, length};
}

std::string replacingRange(std::string_view text, Range range, std::string_view replacement) {
  const Range r = clampRange(range, utf16Length(text));
  const std::size_t from = byteOffsetOfUtf16Position(text, r.location);
  const std::size_t to = byteOffsetOfUtf16Position(text, r.end());
  std::string result;
  result.reserve(text.size() - (to - from) + replacement.size());
  result.append(text.substr(0, from));
  result.append(replacement);
  result.append(text.substr(to));
  return result;
}

Range characterRangeBefore(std::string_view text, std::size_t pos) {
  std::size_t units = 0;
  std::size_t lastStart = 0;
  std::size_t lastUnits = 0;
  for (std::size_t i = 0; i < text.size() && units < pos;) {
    const std::size_t n = sequenceLength(text, i);
    lastStart = units;
    lastUnits = unitsOf(n);
    units += lastUnits;
    i += n;
  }
  if (units == 0) return {0, 0};
  return {lastStart, lastUnits};
}

Range characterRangeAt(std::string_view text, std::size_t pos) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = sequenceLength(text, i);
    if (units >= pos) return {units, unitsOf(n)};
    units += unitsOf(n);
    i += n;
  }
  return {units, 0};
}

}  // namespace orval::tk

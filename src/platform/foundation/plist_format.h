// Limits and small helpers shared by the strict XML property-list reader,
// the binary property-list checker and the conversions between libplist
// nodes and Values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orval::detail {

// Deeper nesting than this is refused: it only occurs in hostile input, and
// the readers and converters recurse once per level.
inline constexpr int kMaxDepth = 512;
// libplist keeps whole seconds of a date in 32 bits: dates (seconds since the
// reference date) in [kMinDate, kMaxDate) are the ones it can hold.
inline constexpr double kMinDate = -2147483648.0;
inline constexpr double kMaxDate = 2147483648.0;

// True for the white space of XML: space, tab, line feed, carriage return.
inline bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// s without leading and trailing XML white space.
inline std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isXmlSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isXmlSpace(s.back())) s.remove_suffix(1);
  return s;
}

// The unsigned big-endian number in the n (at most 8) bytes at p.
inline std::uint64_t readBigEndian(const std::uint8_t* p, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

}  // namespace orval::detail

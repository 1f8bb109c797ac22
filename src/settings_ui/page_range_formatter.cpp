#include "settings_ui/page_range_formatter.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace orval {
namespace {

constexpr std::int64_t kFirstPage = 1;
constexpr std::int64_t kLastPage = 2147483647;
// Numbers are read up to this value; anything longer lies beyond every page anyway.
constexpr std::int64_t kNumberCeiling = std::int64_t{1} << 40;

// text without its white space (spaces and tabs of every kind; line feeds stay).
std::string withoutWhiteSpace(std::string_view text) {
  std::string out;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t i = 0;
  while (i < length) {
    const std::int32_t start = i;
    UChar32 c = 0;
    U8_NEXT(bytes, i, length, c);
    if (c >= 0 && u_isblank(c)) continue;
    out.append(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
  }
  return out;
}

// The pieces of text between "," and line feeds, empty ones skipped.
std::vector<std::string_view> pieces(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of(",\n", start);
    const std::size_t stop = end == std::string_view::npos ? text.size() : end;
    if (stop > start) out.push_back(text.substr(start, stop - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A page number of a piece: its value, read up to the ceiling, and its digits without leading
// zeros, which order numbers past the ceiling.
struct PageNumber {
  std::int64_t value = 0;
  std::string_view digits;
};

// Reads the decimal number at piece[i] and moves i past it.
PageNumber readNumber(std::string_view piece, std::size_t& i) {
  PageNumber number;
  while (i < piece.size() && piece[i] == '0') ++i;
  const std::size_t start = i;
  for (; i < piece.size() && isDigit(piece[i]); ++i)
    number.value = std::min(number.value * 10 + (piece[i] - '0'), kNumberCeiling);
  number.digits = piece.substr(start, i - start);
  return number;
}

// a > b, exactly however long the numbers.
bool exceeds(const PageNumber& a, const PageNumber& b) {
  if (a.value != kNumberCeiling || b.value != kNumberCeiling) return a.value > b.value;
  return a.digits.size() != b.digits.size() ? a.digits.size() > b.digits.size() : a.digits > b.digits;
}

}  // namespace

std::shared_ptr<PageRangeFormatter> PageRangeFormatter::setValidationFormatter(
    tk::TextField* field, int maxBytes, std::optional<CharacterSet> characterSet,
    std::optional<std::string> messageString) {
  return attachValidationFormatter<PageRangeFormatter>(field, maxBytes, std::move(characterSet),
                                                       std::move(messageString));
}

bool PageRangeFormatter::isValid(const std::string& text) const {
  return _isValidPageRange(text, kFirstPage, kLastPage);
}

bool PageRangeFormatter::_isValidPageRange(std::string_view text, std::int64_t minimum, std::int64_t maximum) {
  const std::string compact = withoutWhiteSpace(text);
  if (compact.empty()) return true;
  bool overlaps = false;
  for (const std::string_view piece : pieces(compact)) {
    if (piece == "-") return false;
    std::size_t i = 0;
    const PageNumber first = isDigit(piece[0]) ? readNumber(piece, i) : PageNumber{minimum, {}};
    PageNumber second = first;
    if (i < piece.size() && piece[i] == '-') {
      ++i;
      if (i < piece.size() && isDigit(piece[i])) second = readNumber(piece, i);
    }
    if (i < piece.size() || exceeds(first, second) || first.value == 0) return false;
    if (first.value <= maximum && second.value >= minimum) overlaps = true;
  }
  return overlaps;
}

}  // namespace orval

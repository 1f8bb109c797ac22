#include "settings_ui/label_metrics.h"

#include <array>
#include <cstdint>

namespace orval {
namespace {

// Advance widths of U+0020 ... U+007E in thousandths of an em.
constexpr std::array<int, 95> kAsciiWidths = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,  // space ... /
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // 0 ... 9
    333, 333, 584, 584, 584, 611, 975,                                               // : ... @
    722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833,                 // A ... M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N ... Z
    333, 278, 333, 584, 556, 333,                                                    // [ ... `
    556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889,                 // a ... m
    611, 611, 611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500,                 // n ... z
    389, 280, 389, 584,                                                              // { ... ~
};
constexpr int kAverageWidth = 556;
constexpr int kEmWidth = 1000;

// True for the wide characters of East Asian scripts (set one em wide).
bool isWide(std::uint32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Decodes the code point at text[i] and advances i. A malformed or cut
// sequence counts as one character: its lead byte and the continuation bytes after it.
std::uint32_t nextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const auto isContinuation = [&](std::size_t k) { return k < text.size() && (byte(k) & 0xC0) == 0x80; };
  const unsigned char lead = byte(i);
  int extra = 0;
  std::uint32_t c = lead;
  if (lead < 0x80) {
    ++i;
    return c;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    c = lead & 0x07;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    extra = 2;
    c = lead & 0x0F;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    extra = 1;
    c = lead & 0x1F;
  }
  bool wellFormed = extra > 0;
  for (int k = 1; wellFormed && k <= extra; ++k) {
    if (!isContinuation(i + k)) wellFormed = false;
    else c = (c << 6) | (byte(i + k) & 0x3F);
  }
  if (wellFormed) {
    i += 1 + extra;
    return c;
  }
  ++i;
  while (isContinuation(i)) ++i;
  return 0xFFFD;
}

}  // namespace

double boldLabelTextWidth(std::string_view text, double pointSize) {
  long units = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::uint32_t c = nextCodePoint(text, i);
    if (c >= 0x20 && c <= 0x7E) units += kAsciiWidths[c - 0x20];
    else if (c < 0x20 || c == 0x7F) continue;  // control characters take no room
    else if (isWide(c)) units += kEmWidth;
    else units += kAverageWidth;
  }
  return static_cast<double>(units) * pointSize / 1000.0;
}

}  // namespace orval

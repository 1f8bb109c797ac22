#include "common/message_format.h"

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(MessageFormatTest, Conversions) {
  const char* none = nullptr;
  const std::pair<std::string, std::string> rows[] = {
      {stringWithFormat("%@%@dpi|%@|%@|%@", "TIFF", 600, true, Value(false), 0.5), "TIFF600dpi|True|False|0.5"},
      {stringWithFormat("%@ %d", "100%d", 3), "100%d 3"},  // a "%" inside an argument is no conversion
      {formatMessage("%@=%d", std::vector<Value>{Value("Fold"), Value(2)}), "Fold=2"},
      {stringWithFormat("%qd|%-5d|%05d|%+d|%.3d", 6, 42, -42, 5, 7), "6|42   |-0042|+5|007"},
      {stringWithFormat("%d", 5000000000LL), "5000000000"},  // never cut to 32 bits
      {stringWithFormat("%d|%d|%d|%d|%d", 12.9, -12.9, "250", "abc", true), "12|-12|250|0|1"},
      {stringWithFormat("%u|%lu", 4000000000U, 18446744073709551615ULL), "4000000000|18446744073709551615"},
      // Negative values in two's complement at the length modifier's width.
      {stringWithFormat("%u|%lu|%hu", -1, -1, -1), "4294967295|18446744073709551615|65535"},
      {stringWithFormat("%x|%04X|%#x|%o", 255, 10, 255, 8), "ff|000A|0xff|10"},
      {stringWithFormat("%lf|%f|%.2f|%08.2f", 12.5, 2, 2.675, -3.5), "12.500000|2.000000|2.67|-0003.50"},
      {stringWithFormat("%.0f|%.f|%e|%g|%G", 2.5, 3.7, 1234.5, 0.0001, 1e-10), "2|4|1.234500e+03|0.0001|1E-10"},
      {stringWithFormat("%.1f|%.1f", "12.25mm", 7), "12.2|7.0"},
      {stringWithFormat("100%%|%d%%", 50), "100%|50%"},
      {stringWithFormat("%y %d|%n %@", 4, "a"), "%y 4|%n a"},  // unknown conversions are copied, take no argument
      {stringWithFormat("ends with %5.", 1), "ends with %5."},
      {stringWithFormat("%d-%5d-%s-%f-%x-%c-%@-%*d|", 1), "1-------|"},  // never reads past the list
      {stringWithFormat("<%@><%s>", Value(), none), "<><>"},
      {stringWithFormat("[%5@][%-5s]", "ab", "ab"), "[   ab][ab   ]"},
      {stringWithFormat("[%.2@][%3@]", "自動設定", "自"), "[自動][  自]"},  // characters, not bytes
      {stringWithFormat("[%*d][%*d][%.*f]", 4, 7, -4, 7, 2, 3.14159), "[   7][7   ][3.14]"},
      {stringWithFormat("%2$@ %1$@|%1$@", "world", "hello"), "hello world|world"},
      {stringWithFormat("%2$04ld|%3$@|%0$@", 1, 7), "0007||%0$@"},
      {stringWithFormat("%2$@ %@ %@", "a", "b"), "b a b"},  // positions do not move the running count
      {stringWithFormat("%c%c%C[%c][%c]", 'O', 'K', 0x81EA, 0, 0xD800), "OK自[][]"},
  };
  for (const auto& [made, expected] : rows) EXPECT_EQ(made, expected);
  constexpr std::size_t kMax = kMaxFormatFieldWidth;
  EXPECT_EQ(stringWithFormat("%999999999999d", 1).size(), kMax);
  EXPECT_EQ(stringWithFormat("%.99999f", 1.0).size(), kMax + 2);
  EXPECT_EQ(stringWithFormat("%99999@", "a").size(), kMax);
  EXPECT_EQ(stringWithFormat("[%*d]", std::numeric_limits<std::int64_t>::min(), 1).size(), kMax + 2);
}

TEST(MessageFormatTest, RealsIgnoreTheProcessLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(stringWithFormat("%.1f|%@", 100.25, 0.5), "100.2|0.5");
  std::setlocale(LC_NUMERIC, previous.c_str());
}

}  // namespace
}  // namespace orval

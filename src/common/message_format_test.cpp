#include "common/message_format.h"

#include <clocale>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(MessageFormatTest, ObjectsAreTheirText) {
  EXPECT_EQ(stringWithFormat("Exception: %@", "Bad tray"), "Exception: Bad tray");
  EXPECT_EQ(stringWithFormat("%@:%@", "StapleMode", "Left"), "StapleMode:Left");
  EXPECT_EQ(stringWithFormat("%@%@dpi", "TIFF", 600), "TIFF600dpi");
  EXPECT_EQ(stringWithFormat("%@", true), "True");
  EXPECT_EQ(stringWithFormat("%@", Value(false)), "False");
  EXPECT_EQ(stringWithFormat("More Than %@", 10), "More Than 10");
  EXPECT_EQ(stringWithFormat("%@", 0.5), "0.5");
  EXPECT_EQ(stringWithFormat("<%@>", "現在の設定"), "<現在の設定>");
  EXPECT_EQ(stringWithFormat("/%@.plist", "PanesTree"), "/PanesTree.plist");
  // A "%" inside an argument is never read as a conversion.
  EXPECT_EQ(stringWithFormat("%@ %d", "100%d", 3), "100%d 3");
}

TEST(MessageFormatTest, ByteStringsAndMixedConversions) {
  EXPECT_EQ(stringWithFormat("%s%@", "jp.co.quillant.print.PrintSettingsTicket.", "Fold"),
            "jp.co.quillant.print.PrintSettingsTicket.Fold");
  EXPECT_EQ(stringWithFormat("xxx dlopen(%s) error %d\n", "/x/libencryption.so", 2),
            "xxx dlopen(/x/libencryption.so) error 2\n");
  EXPECT_EQ(stringWithFormat("\"%s\" -> \"%s\"\n", "abc", "xyz"), "\"abc\" -> \"xyz\"\n");
  EXPECT_EQ(stringWithFormat("%@=%d\t\t", "NumCopies", 3), "NumCopies=3\t\t");
  EXPECT_EQ(stringWithFormat("Please specify at least %d characters for %@.", 3, "Job Name"),
            "Please specify at least 3 characters for Job Name.");
}

TEST(MessageFormatTest, SignedIntegersWithWidthAndPadding) {
  EXPECT_EQ(stringWithFormat("%d", -42), "-42");
  EXPECT_EQ(stringWithFormat("%i", 7), "7");
  EXPECT_EQ(stringWithFormat("%ld", 123456789012LL), "123456789012");
  EXPECT_EQ(stringWithFormat("%lld|%qd", -5, 6), "-5|6");
  EXPECT_EQ(stringWithFormat("%5d|%-5d|%05d", 42, 42, -42), "   42|42   |-0042");
  EXPECT_EQ(stringWithFormat("%+d|% d", 5, 5), "+5| 5");
  EXPECT_EQ(stringWithFormat("%.3d", 7), "007");
  EXPECT_EQ(stringWithFormat("%04ld-%02ld-%02ldT%02ld:%02ld:%02ld", 2024, 3, 9, 7, 5, 0),
            "2024-03-09T07:05:00");
  EXPECT_EQ(stringWithFormat("%04ld", 12345), "12345");
  EXPECT_EQ(stringWithFormat("%d", std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  // A signed conversion is never cut to 32 bits.
  EXPECT_EQ(stringWithFormat("%d", 5000000000LL), "5000000000");
}

TEST(MessageFormatTest, IntegersFromOtherValues) {
  EXPECT_EQ(stringWithFormat("%d", 12.9), "12");
  EXPECT_EQ(stringWithFormat("%d", -12.9), "-12");
  EXPECT_EQ(stringWithFormat("%d", "250"), "250");
  EXPECT_EQ(stringWithFormat("%d", "abc"), "0");
  EXPECT_EQ(stringWithFormat("%d|%d", true, false), "1|0");
}

TEST(MessageFormatTest, UnsignedAndHexadecimal) {
  EXPECT_EQ(stringWithFormat("%u", 4000000000U), "4000000000");
  EXPECT_EQ(stringWithFormat("%lu", 18446744073709551615ULL), "18446744073709551615");
  EXPECT_EQ(stringWithFormat("%u", 5000000000LL), "5000000000");
  // Negative values in two's complement at the length modifier's width.
  EXPECT_EQ(stringWithFormat("%u", -1), "4294967295");
  EXPECT_EQ(stringWithFormat("%lu", -1), "18446744073709551615");
  EXPECT_EQ(stringWithFormat("%hu", -1), "65535");
  EXPECT_EQ(stringWithFormat("%x", 255), "ff");
  EXPECT_EQ(stringWithFormat("%s%04X", "QZFeederInfoList", 10), "QZFeederInfoList000A");
  EXPECT_EQ(stringWithFormat("%04X", 0xBEEF), "BEEF");
  EXPECT_EQ(stringWithFormat("0x%x", 0x10A0), "0x10a0");
  EXPECT_EQ(stringWithFormat("%#x|%o", 255, 8), "0xff|10");
}

TEST(MessageFormatTest, RealsWithPrecision) {
  EXPECT_EQ(stringWithFormat("%lf", 12.5), "12.500000");
  EXPECT_EQ(stringWithFormat("%f", 2), "2.000000");
  EXPECT_EQ(stringWithFormat("%.1f", 100.0), "100.0");
  EXPECT_EQ(stringWithFormat("%.01f", 100.0), "100.0");
  EXPECT_EQ(stringWithFormat("%.2f", 1.005), "1.00");  // the binary value is below 1.005
  EXPECT_EQ(stringWithFormat("%.2f", 2.675), "2.67");
  EXPECT_EQ(stringWithFormat("%.2f", 12.345678), "12.35");
  EXPECT_EQ(stringWithFormat("%05.3f", 0.25), "0.250");
  EXPECT_EQ(stringWithFormat("%08.2f", -3.5), "-0003.50");
  EXPECT_EQ(stringWithFormat("%.0f", 2.5), "2");
  EXPECT_EQ(stringWithFormat("%.f", 3.7), "4");
  EXPECT_EQ(stringWithFormat("%e", 1234.5), "1.234500e+03");
  EXPECT_EQ(stringWithFormat("%g|%G", 0.0001, 1e-10), "0.0001|1E-10");
  EXPECT_EQ(stringWithFormat("%.1f", "12.25mm"), "12.2");
  EXPECT_EQ(stringWithFormat("%.1f", 7), "7.0");
}

TEST(MessageFormatTest, RealsIgnoreTheProcessLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  const bool german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                      std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
  EXPECT_EQ(stringWithFormat("%.1f|%@", 100.25, 0.5), "100.2|0.5");
  std::setlocale(LC_NUMERIC, previous.c_str());
  if (!german) GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(MessageFormatTest, PercentSignsAndUnknownConversions) {
  EXPECT_EQ(stringWithFormat("100%%"), "100%");
  EXPECT_EQ(stringWithFormat("%%x25%%x2C"), "%x25%x2C");
  EXPECT_EQ(stringWithFormat("%d%%", 50), "50%");
  // Unknown and incomplete conversions are copied and take no argument.
  EXPECT_EQ(stringWithFormat("%y %d", 4), "%y 4");
  EXPECT_EQ(stringWithFormat("%n %@", "a"), "%n a");
  EXPECT_EQ(stringWithFormat("50%", 1), "50%");
  EXPECT_EQ(stringWithFormat("ends with %5.", 1), "ends with %5.");
  EXPECT_EQ(stringWithFormat("%"), "%");
  EXPECT_EQ(stringWithFormat(""), "");
  EXPECT_EQ(stringWithFormat("plain text"), "plain text");
}

TEST(MessageFormatTest, MissingAndNullArgumentsRenderAsNothing) {
  EXPECT_EQ(stringWithFormat("Exception: %@"), "Exception: ");
  EXPECT_EQ(stringWithFormat("[%@]:[%@]\r", "Staple"), "[Staple]:[]\r");
  EXPECT_EQ(stringWithFormat("%d-%5d-%s-%f-%x-%c|", 1), "1-----|");
  EXPECT_EQ(stringWithFormat("<%@>", Value()), "<>");
  const char* none = nullptr;
  EXPECT_EQ(stringWithFormat("<%s>", none), "<>");
  // Many more conversions than arguments never read past the list.
  std::string format;
  for (int i = 0; i < 200; ++i) format += "%@%d%s%lf%*d";
  EXPECT_EQ(stringWithFormat(format, "x", 1), "x1");
  EXPECT_EQ(formatMessage("%@%@", {}), "");
}

TEST(MessageFormatTest, TextWidthAndPrecisionCountCharacters) {
  EXPECT_EQ(stringWithFormat("[%5@]", "ab"), "[   ab]");
  EXPECT_EQ(stringWithFormat("[%-5s]", "ab"), "[ab   ]");
  EXPECT_EQ(stringWithFormat("[%.2s]", "abcdef"), "[ab]");
  EXPECT_EQ(stringWithFormat("[%.2@]", "自動設定"), "[自動]");
  EXPECT_EQ(stringWithFormat("[%3@]", "自"), "[  自]");
  EXPECT_EQ(stringWithFormat("  %@", "Paper"), "  Paper");
}

TEST(MessageFormatTest, StarWidthAndPrecisionTakeArguments) {
  EXPECT_EQ(stringWithFormat("[%*d]", 4, 7), "[   7]");
  EXPECT_EQ(stringWithFormat("[%*d]", -4, 7), "[7   ]");
  EXPECT_EQ(stringWithFormat("[%.*f]", 2, 3.14159), "[3.14]");
  EXPECT_EQ(stringWithFormat("[%*.*s]", 5, 2, "abcdef"), "[   ab]");
  EXPECT_EQ(stringWithFormat("[%*d]", std::numeric_limits<std::int64_t>::min(), 1).size(),
            static_cast<std::size_t>(kMaxFormatFieldWidth) + 2);
}

TEST(MessageFormatTest, HugeWidthsAreClamped) {
  EXPECT_EQ(stringWithFormat("%999999999999d", 1).size(), static_cast<std::size_t>(kMaxFormatFieldWidth));
  EXPECT_EQ(stringWithFormat("%.99999f", 1.0).size(), static_cast<std::size_t>(kMaxFormatFieldWidth) + 2);
  EXPECT_EQ(stringWithFormat("%99999@", "a").size(), static_cast<std::size_t>(kMaxFormatFieldWidth));
}

TEST(MessageFormatTest, PositionalArguments) {
  EXPECT_EQ(stringWithFormat("%2$@ %1$@", "world", "hello"), "hello world");
  EXPECT_EQ(stringWithFormat("%1$@/%1$@", "x"), "x/x");
  EXPECT_EQ(stringWithFormat("%2$04ld", 1, 7), "0007");
  EXPECT_EQ(stringWithFormat("%3$@|%0$@", "a"), "|%0$@");
  // Positional conversions do not move the running count.
  EXPECT_EQ(stringWithFormat("%2$@ %@ %@", "a", "b"), "b a b");
}

TEST(MessageFormatTest, Characters) {
  EXPECT_EQ(stringWithFormat("%c%c", 'O', 'K'), "OK");
  EXPECT_EQ(stringWithFormat("%C", 0x81EA), "自");
  EXPECT_EQ(stringWithFormat("[%c]", 0), "[]");
  EXPECT_EQ(stringWithFormat("[%c]", 0xD800), "[]");
}

TEST(MessageFormatTest, ArgumentsAsAValueList) {
  const std::vector<Value> arguments{Value("Fold"), Value(2)};
  EXPECT_EQ(formatMessage("%@=%d", arguments), "Fold=2");
  const std::string key = "StapleMode";
  EXPECT_EQ(stringWithFormat("%@_Button", key), "StapleMode_Button");
  EXPECT_EQ(stringWithFormat("ValueChangFinished_%@", std::string_view("Fold")),
            "ValueChangFinished_Fold");
  EXPECT_EQ(stringWithFormat("%u", static_cast<std::size_t>(7)), "7");
}

}  // namespace
}  // namespace orval

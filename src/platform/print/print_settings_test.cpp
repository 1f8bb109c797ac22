#include "platform/print/print_settings.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(PrintSettingsTest, RemovingSaysWhetherTheKeyWasThere) {
  PrintSettings settings;
  settings.setValue("c", true);
  EXPECT_TRUE(settings.remove("c"));
  EXPECT_FALSE(settings.remove("c"));
}

TEST(PrintSettingsTest, Int32ValueOnlyForNumbersThatConvertExactly) {
  PrintSettings settings;
  const std::pair<Value, std::optional<std::int32_t>> rows[] = {
      {Value(-7), -7},     {Value(2147483647LL), 2147483647}, {Value(2147483648LL), std::nullopt},
      {Value(-2147483649LL), std::nullopt}, {Value(3.0), 3}, {Value(3.5), std::nullopt},
      {Value("5"), std::nullopt},           {Value(true), std::nullopt}};
  for (const auto& [value, expected] : rows) {
    settings.setValue("key", value);
    EXPECT_EQ(settings.int32Value("key"), expected) << value.text();
  }
}

TEST(PrintSettingsTest, CollateAndDuplexLiveUnderTheHostKeys) {
  PrintSettings settings;
  EXPECT_TRUE(settings.collate());  // on until turned off
  EXPECT_EQ(settings.duplex(), DuplexMode::None);
  for (const auto& [mode, code] : {std::pair{DuplexMode::NoTumble, 2}, std::pair{DuplexMode::Tumble, 3},
                                   std::pair{DuplexMode::SimplexTumble, 4}}) {
    settings.setDuplex(mode);
    EXPECT_EQ(settings.duplex(), mode);
    // A panel reading the host's key directly sees the code.
    EXPECT_EQ(settings.int32Value("com.apple.print.PrintSettings.PMDuplexing"), code);
  }
  // A code stored by someone else that is no known kind reads as one-sided.
  for (const Value& other : {Value(9), Value("2")}) {
    settings.setValue(PrintSettings::kDuplexKey, other);
    EXPECT_EQ(settings.duplex(), DuplexMode::None) << other.text();
  }
}

}  // namespace
}  // namespace orval

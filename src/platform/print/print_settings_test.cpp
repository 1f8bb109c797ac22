#include "platform/print/print_settings.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(PrintSettingsTest, KeysKeepTheirOrderAndANullValueRemoves) {
  PrintSettings settings;
  settings.setValue("b", "1");
  settings.setValue("a", 2);
  settings.setValue("c", true);
  settings.setValue("b", "replaced");
  EXPECT_EQ(settings.values().keys(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(*settings.value("b"), Value("replaced"));

  settings.setValue("a", Value());
  EXPECT_EQ(settings.value("a"), nullptr);
  EXPECT_TRUE(settings.remove("c"));
  EXPECT_FALSE(settings.remove("c"));
  EXPECT_EQ(settings.values().keys(), (std::vector<std::string>{"b"}));
}

TEST(PrintSettingsTest, Int32ValueOnlyForNumbersThatConvertExactly) {
  PrintSettings settings;
  settings.setValue("int", 42);
  settings.setValue("negative", -7);
  settings.setValue("max", 2147483647LL);
  settings.setValue("tooBig", 2147483648LL);
  settings.setValue("tooSmall", -2147483649LL);
  settings.setValue("wholeReal", 3.0);
  settings.setValue("fraction", 3.5);
  settings.setValue("text", "5");
  settings.setValue("flag", true);

  EXPECT_EQ(settings.int32Value("int"), 42);
  EXPECT_EQ(settings.int32Value("negative"), -7);
  EXPECT_EQ(settings.int32Value("max"), 2147483647);
  EXPECT_EQ(settings.int32Value("tooBig"), std::nullopt);
  EXPECT_EQ(settings.int32Value("tooSmall"), std::nullopt);
  EXPECT_EQ(settings.int32Value("wholeReal"), 3);
  EXPECT_EQ(settings.int32Value("fraction"), std::nullopt);
  EXPECT_EQ(settings.int32Value("text"), std::nullopt);
  EXPECT_EQ(settings.int32Value("flag"), std::nullopt);
  EXPECT_EQ(settings.int32Value("absent"), std::nullopt);
}

TEST(PrintSettingsTest, CollateIsOnUntilTurnedOff) {
  PrintSettings settings;
  EXPECT_TRUE(settings.collate());
  settings.setCollate(false);
  EXPECT_FALSE(settings.collate());
  EXPECT_EQ(*settings.value(PrintSettings::kCollateKey), Value(false));
  settings.setCollate(true);
  EXPECT_TRUE(settings.collate());
}

TEST(PrintSettingsTest, DuplexIsTheIntegerCodeUnderTheHostKey) {
  PrintSettings settings;
  EXPECT_EQ(settings.duplex(), DuplexMode::None);

  settings.setDuplex(DuplexMode::NoTumble);
  EXPECT_EQ(settings.duplex(), DuplexMode::NoTumble);
  // A panel reading the host's key directly sees the code.
  EXPECT_EQ(settings.int32Value("com.apple.print.PrintSettings.PMDuplexing"), 2);
  settings.setDuplex(DuplexMode::Tumble);
  EXPECT_EQ(settings.int32Value(PrintSettings::kDuplexKey), 3);
  EXPECT_EQ(settings.duplex(), DuplexMode::Tumble);
  settings.setDuplex(DuplexMode::SimplexTumble);
  EXPECT_EQ(settings.duplex(), DuplexMode::SimplexTumble);

  // A code stored by someone else that is no known kind reads as one-sided.
  settings.setValue(PrintSettings::kDuplexKey, 9);
  EXPECT_EQ(settings.duplex(), DuplexMode::None);
  settings.setValue(PrintSettings::kDuplexKey, "2");
  EXPECT_EQ(settings.duplex(), DuplexMode::None);
}

}  // namespace
}  // namespace orval

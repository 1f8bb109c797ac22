#include "settings_ui/kora_secure_text_field.h"

#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

using KORASecureTextFieldTest = testing_support::TextEntryTest;

TEST_F(KORASecureTextFieldTest, NumericTypingIsLooser) {
  auto& field = numericField<KORASecureTextField>("PinCode", 0, 1, 500);
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("099"));
  editor.selectAll();
  EXPECT_TRUE(editor.typeText("999"));
  EXPECT_FALSE(editor.typeText("9"));
  EXPECT_FALSE(editor.typeText("."));
  editor.selectAll();
  EXPECT_FALSE(editor.typeText("-"));
  EXPECT_EQ(editor.string(), "999");
}

TEST_F(KORASecureTextFieldTest, TextModeTakesAnyText) {
  auto& field = addField(std::make_unique<KORASecureTextField>());
  field.setUnit(8);
  field.setDigit(4);
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("pass word!"));  // not ASCII-kind text, and longer than four
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(field.lastEndEditingText(), "pass word!");
}

}  // namespace
}  // namespace orval

#include "settings_ui/max_bytes_formatter.h"

#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

using MaxBytesFormatterTest = testing_support::PlainFieldTest;

TEST_F(MaxBytesFormatterTest, CountsBytesOfTheDefaultEncoding) {
  setDefaultCStringEncoding(TextEncoding::CP932);
  MaxBytesFormatter::setMaxBytesFormatter(&field, 4);

  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("あい"));
  editor.typeText("う");
  EXPECT_EQ(editor.string(), "あい");
  EXPECT_EQ(beeps(), 1);
  editor.deleteBackward();
  editor.typeText("abc");
  EXPECT_EQ(editor.string(), "あab");
  EXPECT_EQ(beeps(), 2);
}

TEST_F(MaxBytesFormatterTest, RefusedPasteRestoresTextAndSelection) {
  MaxBytesFormatter::setMaxBytesFormatter(&field, 6);
  field.setStringValue("abcdef");
  tk::FieldEditor& editor = edit(field);
  editor.setSelectedRange({1, 2});
  editor.replaceCharactersInRange({1, 2}, "XYZ");
  EXPECT_EQ(beeps(), 1);
  EXPECT_EQ(editor.string(), "abcdef");
  EXPECT_EQ(editor.selectedRange(), (tk::Range{1, 2}));
}

TEST_F(MaxBytesFormatterTest, ControlCharactersAndCharactersOutsideTheSet) {
  const auto formatter = MaxBytesFormatter::setMaxBytesFormatter(&field, 20);
  tk::FieldEditor& editor = edit(field);
  editor.typeText("a");
  editor.insertText("\t");
  editor.insertText("\xE2\x80\x8B");  // ZERO WIDTH SPACE, a format character
  EXPECT_EQ(editor.string(), "a");
  EXPECT_EQ(beeps(), 2);
  formatter->setControlCharactersEnabled(true);
  editor.insertText("\t");
  EXPECT_EQ(editor.string(), "a\t");
  EXPECT_TRUE(leaveField());

  tk::TextField& digits = addField(std::make_unique<tk::TextField>());
  digits.setRepresentedObject(Dict{{"title", Value("Account")}});
  MaxBytesFormatterWithCharacterSet::setMaxBytesFormatter(
      &digits, 4, 10, CharacterSet::characterSetWithCharactersInString("0123456789-"));
  tk::FieldEditor& digitsEditor = edit(digits);
  digitsEditor.typeText("12a3");
  digitsEditor.insertText("\x01");
  EXPECT_EQ(digitsEditor.string(), "123");
  EXPECT_EQ(beeps(), 4);
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"Please specify at least 4 characters for Account."});
}

}  // namespace
}  // namespace orval

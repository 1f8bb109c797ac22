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
  const auto formatter = MaxBytesFormatterWithCharacterSet::setMaxBytesFormatter(
      &field, 20, CharacterSet::characterSetWithCharactersInString("a\t\xE2\x80\x8B"));
  tk::FieldEditor& editor = edit(field);
  editor.typeText("ab");
  editor.insertText("\t");
  editor.insertText("\xE2\x80\x8B");  // ZERO WIDTH SPACE, a format character
  EXPECT_EQ(editor.string(), "a");
  EXPECT_EQ(beeps(), 3);
  formatter->setControlCharactersEnabled(true);
  editor.insertText("\t");
  EXPECT_EQ(editor.string(), "a\t");
  EXPECT_TRUE(leaveField());
}

}  // namespace
}  // namespace orval

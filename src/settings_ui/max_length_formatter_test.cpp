#include "settings_ui/max_length_formatter.h"

#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

using MaxLengthFormatterTest = testing_support::PlainFieldTest;

TEST_F(MaxLengthFormatterTest, CountsUTF16UnitsNotBytes) {
  setDefaultCStringEncoding(TextEncoding::CP932);
  MaxLengthFormatter::setMaxLengthFormatter(&field, 4);
  tk::FieldEditor& editor = edit(field);
  editor.typeText("あいうえお");
  EXPECT_EQ(editor.string(), "あいうえ");
  MaxLengthFormatter::setLengthFormatter(&field, 0, 3);
  editor.selectAll();
  editor.typeText("a\xF0\x9F\x98\x80" "b");  // a + GRINNING FACE: three UTF-16 units
  EXPECT_EQ(editor.string(), "a\xF0\x9F\x98\x80");
  EXPECT_EQ(beeps(), 2);
}

TEST_F(MaxLengthFormatterTest, EscapingLimitsTheShownTextAndStoresTheEscapedOne) {
  const auto formatter = MaxLengthFormatterWithEscape::setMaxLengthFormatter(&field, 3);
  formatter->replace("\"", "\\\"");
  tk::FieldEditor& editor = edit(field);
  editor.typeText("\"\"\"");
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(field.stringValue(), "\"\"\"");
  EXPECT_EQ(field.objectValue(), Value("\\\"\\\"\\\""));
}

TEST_F(MaxLengthFormatterTest, CharacterSetAndMinimumTogether) {
  field.setRepresentedObject(Dict{{"title", Value("Code")}});
  MaxLengthFormatterWithEscapeAndCharacterSet::setMaxLengthFormatter(
      &field, 2, 4, CharacterSet::characterSetWithCharactersInString("ABC"));
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(leaveField());  // an empty text is accepted
  edit(field).typeText("Ax");
  EXPECT_EQ(editor.string(), "A");
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"Please specify at least 2 characters for Code."});
  editor.typeText("B");
  EXPECT_TRUE(leaveField());
}

TEST_F(MaxLengthFormatterTest, EndingAnEditingSessionStartsTheNextFromTheFieldsText) {
  MaxLengthFormatter::setMaxLengthFormatter(&field, 3);
  edit(field).typeText("abc");
  EXPECT_TRUE(leaveField());
  field.setStringValue("x");
  tk::FieldEditor& editor = edit(field);
  editor.setSelectedRange({1, 0});
  editor.insertText("yzw");
  EXPECT_EQ(editor.string(), "x");
}

}  // namespace
}  // namespace orval

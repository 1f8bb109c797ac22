#include "settings_ui/validation_formatter.h"

#include "settings_ui/mail_address_formatter.h"
#include "settings_ui/page_range_formatter.h"
#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

TEST(PageRangeFormatterTest, PageRangeGrammar) {
  const PageRangeFormatter formatter(0, 255);
  // Past 2^40 numbers are ordered by their digits: first by their count, leading zeros left out.
  for (const char* valid : {"", "  ", "1-3,5", " 1 - 3 ,\t5 ", "-5", "5-", "1,,3", "1\n2-4", "2147483647",
                            "3-2147483648", "1-1", "1,20000000000000-100000000000000",
                            "1,099999999999999999998-99999999999999999999"})
    EXPECT_TRUE(formatter.isValid(valid)) << '"' << valid << '"';
  for (const char* invalid : {"3-1", "0-4", "-", "1-2-3", "a", "1-b", ",", "2147483648", "99999999999999999999",
                              "1;2", "1,20000000000000-10000000000000"})
    EXPECT_FALSE(formatter.isValid(invalid)) << '"' << invalid << '"';
}

TEST(MailAddressFormatterTest, AddressLists) {
  const MailAddressFormatter formatter(0, 255);
  for (const char* valid : {"a@example.com; b@example.com", ";, a@x.jp ,", "x y\tz"})
    EXPECT_TRUE(formatter.isValid(valid)) << '"' << valid << '"';
  for (const char* invalid : {"", " ; , ", "\t\n"})
    EXPECT_FALSE(formatter.isValid(invalid)) << '"' << invalid << '"';
  EXPECT_TRUE(formatter.isValid(std::string(128, 'a')));
  EXPECT_FALSE(formatter.isValid(std::string(129, 'a')));
}

using ValidationFormatterTest = testing_support::PlainFieldTest;

TEST_F(ValidationFormatterTest, InvalidTextKeepsTheFocusWithTheMessage) {
  PageRangeFormatter::setValidationFormatter(&field, 20, std::nullopt, std::string("Enter valid pages."));
  tk::FieldEditor& editor = edit(field);
  editor.typeText("3-1");
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"Enter valid pages."});
  EXPECT_TRUE(person->alertsShown()[0].asSheet);

  editor.selectAll();
  editor.typeText("1-3, 5");
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(field.stringValue(), "1-3, 5");
}

TEST_F(ValidationFormatterTest, OnlyAVisibleWindowChecks) {
  MailAddressFormatter::setValidationFormatter(&field, 128, std::nullopt, std::nullopt);
  edit(field);
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"--"});
  window->orderOut();
  EXPECT_TRUE(leaveField());
}

TEST_F(ValidationFormatterTest, TypingLimitsStillApply) {
  setDefaultCStringEncoding(TextEncoding::CP932);
  ValidationFormatter::setValidationFormatter(
      &field, 4, CharacterSet::characterSetWithCharactersInString("0123456789-,あ"), std::nullopt);
  tk::FieldEditor& editor = edit(field);
  editor.typeText("1x2あ3");
  EXPECT_EQ(editor.string(), "12あ");
  EXPECT_TRUE(leaveField());  // the base class accepts every text
}

}  // namespace
}  // namespace orval

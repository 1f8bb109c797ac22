#include "settings_ui/text_field_attach.h"

#include <typeinfo>

#include "common/localized_string.h"
#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

const std::string kYen = "\u00A5";
const std::string kLineSeparator = "\u2028";

using TextFieldAttachTest = testing_support::PlainFieldTest;

TEST_F(TextFieldAttachTest, EscapeRulesForJapaneseAndOtherUsers) {
  MaxLengthFormatterWithEscape japanese(0, 255);
  attachEscapeRule(&japanese, [] { return true; });
  EXPECT_EQ(japanese.escapeConverter().escape(kYen + "\\"), "\\\\\\\\");
  EXPECT_EQ(japanese.escapeConverter().unEscape("\\\\\\\\"), kYen + kYen);
  MaxBytesFormatterWithEscape formatter(0, 255);
  attachEscapeRule(&formatter, [] { return false; });
  const StringEscapeConverter& converter = formatter.escapeConverter();
  EXPECT_EQ(converter.escape(kYen + "\\"), "\\\\\\\\");
  EXPECT_EQ(converter.unEscape("\\\\\\\\"), "\\\\");
  EXPECT_EQ(converter.escape("a\nb" + kLineSeparator + "c"), "a\\nb\\nc");
  EXPECT_EQ(converter.unEscape("a\\nb\\nc"), "a\nb\nc");
  EXPECT_EQ(converter.unEscape(converter.escape("\\\"")), "\\\"");
}

TEST_F(TextFieldAttachTest, JapanesePreferenceComesFromThePrincipalBundle) {
  EXPECT_FALSE(isJapanesePreferredByPrincipalBundle());
  {
    testing_support::ScopedEnvironment japanese("LANGUAGE", "ja");
    EXPECT_TRUE(isJapanesePreferredByPrincipalBundle());
  }
  SetBSPrincipalBundle(testing_support::textEntryPrincipalBundle());
  EXPECT_FALSE(isJapanesePreferredByPrincipalBundle());
  {
    testing_support::ScopedEnvironment japanese("LANGUAGE", "ja:en");
    EXPECT_TRUE(isJapanesePreferredByPrincipalBundle());
    attachMaxLengthFormatterWithEscape(&field, 255, "Placeholder Max chars");
    field.setObjectValue(Value("C:\\\\"));
    EXPECT_EQ(field.stringValue(), "C:" + kYen);
  }
  testing_support::ScopedEnvironment french("LANGUAGE", "fr:ja");
  EXPECT_TRUE(isJapanesePreferredByPrincipalBundle());  // no fr.lproj: ja comes first
}

TEST_F(TextFieldAttachTest, AttachHelpersChooseTheClassBySet) {
  const CharacterSet digits = CharacterSet::characterSetWithCharactersInString("0123456789");
  EXPECT_EQ(attachMaxBytesFormatter(&field, 27, "")->maxBytes(), 27);
  attachMaxBytesFormatterWithEscape(&field, 27, "", digits);
  const auto* escaping = field.formatter();
  EXPECT_EQ(typeid(*escaping), typeid(MaxBytesFormatterWithEscapeAndCharacterSet));
  attachMaxLengthFormatter(&field, 27, "", digits);
  const auto* limiting = field.formatter();
  EXPECT_EQ(typeid(*limiting), typeid(MaxLengthFormatterWithCharacterSet));
  EXPECT_EQ(attachMaxLengthFormatterWithEscape(nullptr, 255, "Placeholder Max chars"), nullptr);
}

TEST_F(TextFieldAttachTest, PlaceholderAndToolTipShowTheLimit) {
  attachMaxBytesFormatter(&field, 27, "Placeholder Max chars");
  EXPECT_EQ(field.placeholderString(), "Placeholder Max chars");
  SetNSBundleForLocalizedString(testing_support::textEntryPrincipalBundle());
  attachMaxBytesFormatter(&field, 255, "Placeholder Max chars");
  EXPECT_EQ(field.placeholderString(), "Up to 255 characters");
  EXPECT_EQ(field.toolTip(), "Up to 255 characters");
}

}  // namespace
}  // namespace orval

#include "settings_ui/no_empty_text_field.h"

#include "common/localized_string.h"
#include "settings_ui/mail_address_text_field.h"
#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

class NoEmptyTextFieldTest : public testing_support::TextEntryTest {};

TEST_F(NoEmptyTextFieldTest, EmptyFieldKeepsTheFocus) {
  auto& field = addField(std::make_unique<NoEmptyTextField>());
  field.setRepresentedObject(Dict{{"title", Value("Job name")}});
  tk::FieldEditor& editor = edit(field);
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"Enter the Job name."});
  EXPECT_TRUE(person->alertsShown()[0].asSheet);
  editor.typeText("Report");
  EXPECT_TRUE(leaveField());
}

TEST_F(NoEmptyTextFieldTest, MessageIsLocalizedAndOnlyAVisibleWindowAsks) {
  testing_support::ScopedEnvironment japanese("LANGUAGE", "ja");
  SetNSBundleForLocalizedString(testing_support::textEntryPrincipalBundle());
  auto& field = addField(std::make_unique<NoEmptyTextField>());
  edit(field);
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"--を入力してください。"});
  window->orderOut();
  EXPECT_TRUE(leaveField());
}

TEST_F(NoEmptyTextFieldTest, MailAddressFieldAsksForAnAddress) {
  auto& field = addField(std::make_unique<MailAddressTextField>());
  tk::FieldEditor& editor = edit(field);
  EXPECT_EQ(refusedLeave(), std::vector<std::string>{"Enter a valid E-mail address."});
  editor.typeText("not an address");
  EXPECT_TRUE(leaveField());
}

}  // namespace
}  // namespace orval

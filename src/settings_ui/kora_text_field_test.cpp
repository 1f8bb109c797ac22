#include "settings_ui/kora_text_field.h"

#include "common/notify_unit.h"
#include "platform/toolkit/stepper.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

class KORATextFieldTest : public testing_support::TextEntryTest {
 protected:
  KORATextField& numericField(int unit, double minimum, double maximum) {
    return TextEntryTest::numericField<KORATextField>("Thickness", unit, minimum, maximum);
  }

  kora_ui_testing::NotificationRecorder recorder{{"Thickness", "TEXTFIELD_VALIDATE_CANCEL"}};
};

// Typing into numeric fields: each step is typed ("*" first selects all) and is accepted or refused.
TEST_F(KORATextFieldTest, NumericTypingFollowsTheDecimalsTheBoundsAndThePrintedMaximum) {
  using Steps = std::vector<std::pair<std::string, bool>>;
  const struct {
    int unit;
    double minimum, maximum;
    int maxDigit;  // the printed maximum's length
    Steps steps;
    const char* shown;
  } rows[] = {
      // One decimal; no sign with a minimum of 0; 150 is above the maximum.
      {3, 0, 100, 5, Steps{{"12.5", true}, {"5", false}, {"*-", false}, {"*15", true}, {"0", false}, {".5", true},
                           {"a", false}}, "15.5"},
      {3, 0.5, 100, 5, Steps{{"0.7", true}, {"*0", true}, {"7", false}}, "0"},  // a positive minimum: no leading zero
      {3, 0, 100, 5, Steps{{"07", true}}, "07"},
      {0, -9999, 9999, 4, Steps{{"9999.", false}, {"*-9999", true}, {"9", false}}, "-9999"},  // the sign is free
      {4, 0, 9999, 7, Steps{{"1234.56", true}}, "1234.56"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.steps));
    KORATextField& field = numericField(row.unit, row.minimum, row.maximum);
    EXPECT_EQ(field.maxDigit(), row.maxDigit);
    tk::FieldEditor& editor = edit(field);
    for (const auto& [text, accepted] : row.steps) {
      if (text.starts_with('*')) editor.selectAll();
      EXPECT_EQ(editor.typeText(std::string_view(text).substr(text.starts_with('*') ? 1 : 0)), accepted) << text;
    }
    EXPECT_EQ(editor.string(), row.shown);
    EXPECT_TRUE(leaveField());
  }
  EXPECT_EQ(beeps(), 0);
}

TEST_F(KORATextFieldTest, EndingReformatsAndClampsWithTheAlertOnlyWhenOutOfRange) {
  KORATextField& silent = numericField(0, 10, 20);  // without the message bundle: clamped, no alert
  edit(silent).typeText("5");
  EXPECT_TRUE(leaveField());
  EXPECT_TRUE(person->alertsShown().empty());
  EXPECT_EQ(silent.stringValue(), "10");
  recorder.clear();

  SetBSPrincipalBundle(testing_support::textEntryPrincipalBundle());
  KORATextField& field = numericField(4, 10, 100);
  edit(field).typeText("17.5");
  EXPECT_TRUE(leaveField());  // in range: no alert, the script has no answer to give
  EXPECT_EQ(field.stringValue(), "17.50");
  field.setStringValue("");  // an empty text is 0
  edit(field);
  person->answerAlert(0);
  EXPECT_TRUE(leaveField());
  ASSERT_EQ(alertTexts(), std::vector<std::string>{"Enter a value from 10.00 to 100.00."});
  EXPECT_EQ(person->alertsShown()[0].messageText, "");  // the text is the informative one
  EXPECT_EQ(field.stringValue(), "10.00");
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"Thickness", "Thickness"}));
}

TEST_F(KORATextFieldTest, TextModeAnnouncesOnlyRealChanges) {
  auto& field = addField(std::make_unique<KORATextField>());
  field.setKeyword("Thickness");
  field.setUnit(10);
  field.setDigit(256);
  int actions = 0;
  field.setAction("textAction:", [&actions](tk::Control&) { ++actions; });
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("Any text, -12.345 日本"));
  EXPECT_TRUE(editor.insertNewline());
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(recorder.names(), std::vector<std::string>{"Thickness"});

  EXPECT_TRUE(editor.insertNewline());
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(recorder.posted.size(), 1u);
  edit(field).typeText("x");
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(recorder.posted.size(), 2u);
}

TEST_F(KORATextFieldTest, ProgramSettersValidateAndOnlyTakingAStepperValueEndsEditing) {
  KORATextField& field = numericField(3, -5, 100);
  field.setDoubleValue(250);
  EXPECT_EQ(field.stringValue(), "100.0");
  field.setIntValue(-30);
  EXPECT_EQ(field.stringValue(), "-5.0");
  field.setStringValue("12");
  field.setUnit(4);
  EXPECT_EQ(field.stringValue(), "12.00");
  field.setUnit(8);  // a text kind: the text stays
  EXPECT_EQ(field.stringValue(), "12.00");
  EXPECT_TRUE(recorder.posted.empty());

  tk::Stepper stepper;
  stepper.setIntValue(42);
  field.takeIntValueFrom(stepper);
  EXPECT_EQ(field.stringValue(), "42");
  EXPECT_NE(field.currentEditor(), nullptr);  // it took the focus
  EXPECT_EQ(recorder.names(), std::vector<std::string>{"Thickness"});
}

TEST_F(KORATextFieldTest, InterfaceFileFieldAnswersValidate) {
  auto& field = addField(KORATextField::fromInterfaceFile());
  EXPECT_EQ(std::pair(field.unit(), field.maxDigit()), std::pair(2, 4));
  field.setStringValue("1e300");
  EXPECT_EQ(field.intValueInRange(), 2147483647);

  field.setMin(1);
  field.setMax(10);
  for (const char* outside : {"20", "0"}) {  // without the message bundle: clamped, no alert
    field.setStringValue(outside);
    NotifyUnit::postNotificationName("VALIDATE");
  }
  EXPECT_EQ(field.stringValue(), "1");
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"TEXTFIELD_VALIDATE_CANCEL", "TEXTFIELD_VALIDATE_CANCEL"}));

  field.setStringValue("20");
  field.setEnabled(false);
  NotifyUnit::postNotificationName("VALIDATE");
  field.setEnabled(true);
  field.setNum(false);
  NotifyUnit::postNotificationName("VALIDATE");
  EXPECT_EQ(field.stringValue(), "20");

  KORATextField& built = numericField(0, 1, 10);
  built.setStringValue("20");
  NotifyUnit::postNotificationName("VALIDATE");
  EXPECT_EQ(built.stringValue(), "20");
  EXPECT_EQ(recorder.posted.size(), 2u);
}

TEST_F(KORATextFieldTest, TextKinds) {
  KORATextField field;
  field.setDigit(20);
  for (const auto& [unit, text, accepted] :
       {std::tuple{7, std::string("ab.c@example.com"), true}, {7, "example.com", false}, {9, "1-3,5", true},
        {9, "1-3;5", false}, {8, "Job_1.pdf", true}, {8, "Job 1", false}, {8, std::string(21, 'a'), false}}) {
    field.setUnit(unit);
    EXPECT_EQ(field.isTextFormat(text), accepted) << unit << " " << text;
  }
}

using KORASecureTextFieldTest = testing_support::TextEntryTest;

TEST_F(KORASecureTextFieldTest, NumericTypingIsLooserAndTextModeTakesAnyText) {
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

  field.setNum(false);
  EXPECT_TRUE(editor.typeText(" pass word!"));  // neither of the kind of unit 0 nor within three characters
}

}  // namespace
}  // namespace orval

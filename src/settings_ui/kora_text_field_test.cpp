#include "settings_ui/kora_text_field.h"

#include "common/notify_unit.h"
#include "platform/toolkit/stepper.h"
#include "settings_ui/text_entry_test_support.h"

namespace orval {
namespace {

class KORATextFieldTest : public testing_support::TextEntryTest {
 protected:
  KORATextFieldTest() {
    NotifyUnit::addObserver(this, [this](const Notification& n) { posted.push_back(n.name); }, "Thickness");
    NotifyUnit::addObserver(this, [this](const Notification& n) { posted.push_back(n.name); },
                            "TEXTFIELD_VALIDATE_CANCEL");
  }
  ~KORATextFieldTest() override { NotifyUnit::removeObserver(this); }

  KORATextField& numericField(int unit, double minimum, double maximum) {
    return TextEntryTest::numericField<KORATextField>("Thickness", unit, minimum, maximum);
  }
  void useMessageBundle() { SetBSPrincipalBundle(testing_support::textEntryPrincipalBundle()); }

  std::vector<std::string> posted;
};

TEST_F(KORATextFieldTest, OneDecimalUnitTyping) {
  KORATextField& field = numericField(3, 0, 100);
  EXPECT_EQ(field.maxDigit(), 5);  // "100.0"
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("12.5"));
  EXPECT_FALSE(editor.typeText("5"));  // a second decimal
  EXPECT_EQ(editor.string(), "12.5");

  editor.selectAll();
  EXPECT_FALSE(editor.insertText("-1"));  // no sign with a minimum of 0

  editor.selectAll();
  EXPECT_TRUE(editor.typeText("15"));
  EXPECT_FALSE(editor.typeText("0"));  // 150 is above the maximum
  EXPECT_TRUE(editor.typeText(".5"));
  EXPECT_FALSE(editor.typeText("a"));
  EXPECT_EQ(editor.string(), "15.5");
  EXPECT_EQ(beeps(), 0);
}

TEST_F(KORATextFieldTest, LeadingZeroWithAPositiveMinimum) {
  KORATextField& field = numericField(3, 0.5, 100);
  tk::FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("0.7"));
  editor.selectAll();
  EXPECT_TRUE(editor.typeText("0"));
  EXPECT_FALSE(editor.typeText("7"));
  EXPECT_TRUE(leaveField());

  KORATextField& other = numericField(3, 0, 100);
  EXPECT_TRUE(edit(other).typeText("07"));
}

TEST_F(KORATextFieldTest, DigitCountFollowsThePrintedMaximum) {
  KORATextField& whole = numericField(0, -9999, 9999);
  EXPECT_EQ(whole.maxDigit(), 4);
  tk::FieldEditor& editor = edit(whole);
  EXPECT_FALSE(editor.typeText("9999."));  // no decimals for unit 0
  editor.selectAll();
  EXPECT_TRUE(editor.typeText("-9999"));  // the sign does not count
  EXPECT_FALSE(editor.typeText("9"));
  EXPECT_TRUE(leaveField());

  KORATextField& hundredths = numericField(4, 0, 9999);
  EXPECT_EQ(hundredths.maxDigit(), 7);  // "9999.00"
  EXPECT_TRUE(edit(hundredths).typeText("1234.56"));
  EXPECT_TRUE(leaveField());
  hundredths.setDigit(5);
  tk::FieldEditor& again = edit(hundredths);
  EXPECT_TRUE(again.typeText("123.4"));
  EXPECT_FALSE(again.typeText("5"));
}

TEST_F(KORATextFieldTest, OutOfRangeAtTheEndShowsTheAlertAndClamps) {
  KORATextField& silent = numericField(0, 10, 20);  // without the message bundle: clamped, no alert
  edit(silent).typeText("5");
  EXPECT_TRUE(leaveField());
  EXPECT_TRUE(person->alertsShown().empty());
  EXPECT_EQ(silent.stringValue(), "10");
  posted.clear();

  useMessageBundle();
  KORATextField& field = numericField(3, 10, 100);
  edit(field).typeText("5");
  person->answerAlert(0);
  EXPECT_TRUE(leaveField());
  ASSERT_EQ(person->alertsShown().size(), 1u);
  EXPECT_EQ(person->alertsShown()[0].messageText, "");
  EXPECT_EQ(alertTexts(), std::vector<std::string>{"Enter a value from 10.0 to 100.0."});
  EXPECT_EQ(field.stringValue(), "10.0");
  EXPECT_EQ(posted, std::vector<std::string>{"Thickness"});
}

TEST_F(KORATextFieldTest, InRangeAndEmptyTextsAreReformatted) {
  useMessageBundle();
  KORATextField& field = numericField(4, 0, 50);
  edit(field).typeText("7.5");
  EXPECT_TRUE(leaveField());  // no alert: the script has no answer to give
  EXPECT_EQ(field.stringValue(), "7.50");
  field.setStringValue("");
  edit(field);
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(field.stringValue(), "0.00");
  EXPECT_EQ(posted, (std::vector<std::string>{"Thickness", "Thickness"}));

  KORATextField& positive = numericField(0, 1, 99);
  edit(positive);
  person->answerAlert(0);
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(positive.stringValue(), "1");
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
  EXPECT_EQ(field.lastEndEditingText(), "Any text, -12.345 日本");
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(posted, std::vector<std::string>{"Thickness"});

  EXPECT_TRUE(editor.insertNewline());
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(posted.size(), 1u);
  edit(field).typeText("x");
  EXPECT_TRUE(leaveField());
  EXPECT_EQ(field.stringValue(), "x");
  EXPECT_EQ(posted.size(), 2u);
}

TEST_F(KORATextFieldTest, ProgramSettersValidate) {
  KORATextField& field = numericField(3, -5, 100);
  field.setDoubleValue(12.5);
  EXPECT_EQ(field.stringValue(), "12.5");
  field.setDoubleValue(250);
  EXPECT_EQ(field.stringValue(), "100.0");
  field.setIntValue(-30);
  EXPECT_EQ(field.stringValue(), "-5.0");
  EXPECT_TRUE(posted.empty());

  field.setStringValue("12");
  field.setUnit(4);
  EXPECT_EQ(field.stringValue(), "12.00");
  field.setUnit(8);  // a text kind: the text stays
  EXPECT_EQ(field.stringValue(), "12.00");
}

TEST_F(KORATextFieldTest, TakeIntValueFromEndsEditing) {
  KORATextField& field = numericField(0, 0, 10);
  tk::Stepper stepper;
  stepper.setIntValue(42);
  field.takeIntValueFrom(stepper);
  EXPECT_EQ(field.stringValue(), "10");
  EXPECT_NE(field.currentEditor(), nullptr);  // it took the focus
  EXPECT_EQ(posted, std::vector<std::string>{"Thickness"});
}

TEST_F(KORATextFieldTest, InterfaceFileFieldAnswersValidate) {
  useMessageBundle();
  auto& field = addField(KORATextField::fromInterfaceFile());
  EXPECT_EQ(field.unit(), 2);
  EXPECT_EQ(field.maxDigit(), 4);
  field.setStringValue("1e300");
  EXPECT_EQ(field.intValueInRange(), 2147483647);

  field.setMin(1);
  field.setMax(10);
  for (const char* outside : {"20", "0"}) {
    field.setStringValue(outside);
    person->answerAlert(0);
    NotifyUnit::postNotificationName("VALIDATE");
  }
  EXPECT_EQ(field.stringValue(), "1");
  EXPECT_EQ(posted, (std::vector<std::string>{"TEXTFIELD_VALIDATE_CANCEL", "TEXTFIELD_VALIDATE_CANCEL"}));

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
  EXPECT_EQ(posted.size(), 2u);
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

}  // namespace
}  // namespace orval

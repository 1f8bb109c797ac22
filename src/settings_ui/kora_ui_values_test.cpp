#include <chrono>

#include "platform/foundation/log.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using namespace kora_ui_testing;

class KoraUIValuesTest : public KoraUITest {};

const Value kOnOff = choices({{"True", "On"}, {"False", "Off"}});
const Value kSizes = choices({{"A4", "A4 text"}, {"A3", "A3 text"}, {"B4", "B4 text"}});

TEST_F(KoraUIValuesTest, TextFieldWritesOnlyRealChanges) {
  auto plain = build(Dict{{"mainKeyword", "T"}, {"control_type", "TextField_text"}});
  EXPECT_FALSE(plain->value());  // no default: nothing stored yet
  plain->text()->setStringValue("shown");
  plain->updateValue("first");
  EXPECT_EQ(plain->value(), "first");
  EXPECT_EQ(plain->text()->stringValue(), "shown");  // stored equals the string: not shown again
  plain->updateValue("second");
  EXPECT_EQ(plain->text()->stringValue(), "second");
  plain->text()->setStringValue("typed");
  plain->updateValueFont("second");
  EXPECT_EQ(plain->text()->stringValue(), "second");
}

TEST_F(KoraUIValuesTest, NumberFieldsFormatValuesAndTakeNewBounds) {
  auto control = build(Dict{{"mainKeyword", "Zoom"}, {"control_type", "TextField_number"}, {"min", "0.5"},
                            {"max", "10.0"}, {"defchoice", "1.0"}});
  control->setStringValue("4");  // the field shows a point (unit 3), the value none: re-formatted
  EXPECT_EQ(control->text()->stringValue(), "4.0");
  EXPECT_DOUBLE_EQ(control->stepper()->doubleValue(), 4.0);

  auto whole = build(Dict{{"mainKeyword", "Copies"}, {"control_type", "TextField_number"}, {"min", "1"},
                          {"max", "999"}, {"defchoice", "3"}});
  whole->setStringValue("4.75");
  EXPECT_EQ(whole->text()->stringValue(), "5");  // "%.0f"
  whole->setDoubleValue(7.2);
  EXPECT_EQ(whole->text()->stringValue(), "7");

  auto bounded = build(Dict{{"mainKeyword", "Zoom"}, {"control_type", "TextField_number"}, {"min", "0.5"},
                            {"max", "10.0"}, {"desc_text", "(%@ - %@)"}});  // new bounds reach field and description
  bounded->updateMin(1.26, 20);
  EXPECT_DOUBLE_EQ(dynamic_cast<KORATextField*>(bounded->text())->minValue(), 1.3);  // with the field's one decimal
  EXPECT_EQ(bounded->descText()->stringValue(), "(1.3 - 20.0)");
  EXPECT_EQ(bounded->minValue(), "0.5");  // the description keeps its own bounds
}

TEST_F(KoraUIValuesTest, CheckBoxesMapBothChoicesAndIgnoreOthers) {
  auto control = build(Dict{{"mainKeyword", "Collate"}, {"control_type", "CheckBox"}, {"text", "Collate"},
                            {"defchoice", "False"}, {"choices", kOnOff}});
  control->setStringValue("True");
  control->setStringValue("Maybe");
  EXPECT_EQ(control->checkbox()->state(), tk::ControlState::On);
  control->checkbox()->setState(tk::ControlState::Off);
  EXPECT_EQ(control->getStringValue(), "False");
  EXPECT_EQ(control->getOptionText("True"), "On");
  EXPECT_EQ(control->getOptionText("anything else"), "Off");

  control->checkbox()->setAllowsMixedState(true);
  control->checkbox()->setState(tk::ControlState::Mixed);
  EXPECT_EQ(control->getStringValue(), "False");

  auto inverted = build(Dict{{"mainKeyword", "Blank"}, {"control_type", "CheckBox"}, {"isInvert", true},
                             {"choices", kOnOff}});  // shows the opposite state
  inverted->setStringValue("True");
  EXPECT_EQ(inverted->checkbox()->state(), tk::ControlState::Off);
  EXPECT_EQ(inverted->checkBoxState(), 1);
  inverted->setCheckBoxState(0);
  EXPECT_EQ(inverted->checkbox()->state(), tk::ControlState::On);
  EXPECT_EQ(inverted->getStringValue(), "False");
}

TEST_F(KoraUIValuesTest, PopupKeepsUnsupportedValuesUntilItCanShowOne) {
  auto control = build(Dict{{"mainKeyword", "PaperSize"}, {"control_type", "PopupButton"}, {"default", "A4"},
                            {"choices", kSizes}});
  control->setStringValue("A3");
  EXPECT_EQ(control->popupButton()->indexOfSelectedItem(), 1);
  control->setStringValue("Letter");
  EXPECT_EQ(control->popupButton()->indexOfSelectedItem(), 1);  // the old selection stays
  EXPECT_EQ(control->getUnsportValue(), "Letter");
  EXPECT_EQ(control->getStringValue(), "A3");
  control->setStringValue("B4");
  EXPECT_FALSE(control->getUnsportValue());
  EXPECT_FALSE(control->getOptionText("Letter"));

  Array list{Dict{{"choice", "a"}, {"text", "A"}}, Dict{{"choice", "quiet"}, {"text", ""}},
             Dict{{"choice", "b"}, {"text", "B"}}};  // values follow the items, not the choice index
  auto quiet = build(Dict{{"mainKeyword", "K"}, {"control_type", "PopupButton"}, {"choices", list}});
  quiet->popupButton()->selectItemAtIndex(1);
  EXPECT_EQ(quiet->getStringValue(), "b");
  quiet->setStringValue("a");
  EXPECT_EQ(quiet->popupButton()->indexOfSelectedItem(), 0);
}

TEST_F(KoraUIValuesTest, RadioGroupMapsRowsAndSelectsOnTheNextTurn) {
  for (const char* type : {"RadioButton", "HRadioButton"}) {
    SCOPED_TRACE(type);
    auto control = build(Dict{{"mainKeyword", "Side"}, {"control_type", type}, {"choices", kSizes}});
    tk::Matrix* matrix = control->radioButtonMatrix();
    const bool vertical = std::string(type) == "RadioButton";
    const auto cell = [&](int i) { return vertical ? matrix->cellAtRow(i, 0) : matrix->cellAtRow(0, i); };
    const auto selectedIndex = [&] { return vertical ? matrix->selectedRow() : matrix->selectedColumn(); };
    control->setStringValue("A3");
    EXPECT_EQ(cell(1)->state(), tk::ControlState::On);
    EXPECT_EQ(control->getStringValue(), "A3");
    EXPECT_EQ(selectedIndex(), -1);  // the matrix follows on the next turn, also in a modal panel
    tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::ModalPanel);
    EXPECT_EQ(selectedIndex(), 1);

    control->setStringValue("Letter");
    EXPECT_EQ(control->getUnsportValue(), "Letter");
    EXPECT_EQ(cell(1)->state(), tk::ControlState::Off);
    EXPECT_EQ(control->getOptionText("A3"), "A3 text");  // leaves the stored value alone
    EXPECT_EQ(control->getStringValue(), "Letter");  // no row on: the stored value stands
  }
  tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::Default);
  auto outlived = build(Dict{{"mainKeyword", "Side"}, {"control_type", "RadioButton"}, {"choices", kSizes}});
  outlived->setStringValue("A3");
  outlived.reset();  // the deferred selection outlives its control
  EXPECT_EQ(tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::Default), 1);
}

TEST_F(KoraUIValuesTest, SliderMapsChoicesAndFreeValues) {
  auto chosen = build(Dict{{"mainKeyword", "Level"}, {"control_type", "Slider"},
                           {"choices", choices({{"l1", "Low"}, {"l2", "Mid"}, {"l3", "High"}})}});
  chosen->setStringValue("l3");
  chosen->setStringValue("l9");
  EXPECT_EQ(chosen->slider()->doubleValue(), 2);
  chosen->slider()->setDoubleValue(1);
  EXPECT_EQ(chosen->getStringValue(), "l2");

  auto free = build(Dict{{"mainKeyword", "Gamma"}, {"control_type", "Slider"}});
  free->setStringValue("37");
  EXPECT_EQ(free->slider()->doubleValue(), 37);
  free->slider()->setDoubleValue(64);
  EXPECT_EQ(free->getStringValue(), "64");
}

TEST_F(KoraUIValuesTest, DateValuesAreSecondsSince1970OrNowOffsetsHeldAtTheCalendarsEnds) {
  auto picker = build(Dict{{"mainKeyword", "PrintAt"}, {"control_type", "DatePicker"}}, nullptr, 400, 250);
  picker->setStringValue("86400");
  EXPECT_EQ(picker->getDatePickers()[3]->dateValue(), (Date{86400 - 978307200.0}));
  picker->getDatePickers()[0]->setDateValue(Date{0.75});
  EXPECT_EQ(picker->getStringValue(), "978307200");  // whole seconds
  picker->setStringValue("1e30");
  EXPECT_EQ(picker->getStringValue(), "253402300799");
  picker->getDatePickers()[0]->setDateValue(Date{-1e300});
  EXPECT_EQ(picker->getStringValue(), "-62135596800");

  KORAUI control;
  control.setClock([] { return std::chrono::system_clock::time_point(std::chrono::seconds(1'700'000'000)); });
  LogCapture log;
  const struct {
    Value value;
    const char* seconds;
  } rows[] = {
      {Value("now"), "1700000000"},    {Value("now-3600"), "1699996400"},  {Value(1234), "1234"},
      {Value("1e20"), "253402300799"}, {Value("-1e30"), "-62135596800"},  {Value("1e999"), "253402300799"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(control.datePickerDictionaryValueToStringValue(row.value), row.seconds) << row.value.text();
  EXPECT_TRUE(log.contains("date"));
  EXPECT_EQ(control.datePickerDictionaryValueToDate(Value("0")), (Date{-978307200.0}));
}

TEST_F(KoraUIValuesTest, DefaultsOfEachKind) {
  auto popup =
      build(Dict{{"mainKeyword", "P"}, {"control_type", "PopupButton"}, {"defchoice", "A3"}, {"choices", kSizes}});
  EXPECT_FALSE(popup->getDefault());  // "defchoice" sets the build, "default" is the default
  EXPECT_EQ(popup->getStringValue(), "A4");
  NotificationRecorder recorder;
  popup->setStringValue("B4");
  popup->setDefault();  // no default: the value stays, the keyword is still announced
  EXPECT_EQ(popup->getStringValue(), "B4");
  EXPECT_THAT(recorder.posted,
              ElementsAre(AllOf(Field(&Notification::name, "P"), Field(&Notification::userInfo, IsEmpty()))));
}

TEST_F(KoraUIValuesTest, APendingPrintOptionWithTheKeywordSetsTheValueAndTheOldValue) {
  auto control = build(Dict{{"mainKeyword", "PaperSize"}, {"control_type", "PopupButton"}, {"default", "A4"},
                            {"choices", kSizes}});
  control->setStringValue("A3");
  KORAUI::setUpdateWithPrintOption(PrintOption{{"Other", "x"}});
  EXPECT_FALSE(control->updateWithPrintOption());
  EXPECT_EQ(control->getStringValue(), "A3");
  KORAUI::setUpdateWithPrintOption(PrintOption{{"PaperSize", "B4"}});
  EXPECT_TRUE(control->updateWithPrintOption());
  EXPECT_EQ(control->getOldValue(), "B4");  // the restored value is the old one
}

}  // namespace
}  // namespace orval

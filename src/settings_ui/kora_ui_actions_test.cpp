#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using namespace kora_ui_testing;

class KoraUIActionsTest : public KoraUITest {};

// The items of a pop-up, a separator shown as "-".
std::vector<std::string> shownItems(const tk::PopUpButton& popup) {
  std::vector<std::string> items;
  for (int i = 0; i < popup.numberOfItems(); ++i)
    items.push_back(popup.itemAtIndex(i)->isSeparatorItem() ? "-" : popup.itemAtIndex(i)->title());
  return items;
}

TEST_F(KoraUIActionsTest, AddedAndRemovedChoicesKeepSeparatorsAndMayEmptyThePopup) {
  Array list{Dict{{"choice", "a"}, {"text", "A"}}, Dict{{"choice", "-"}, {"text", ""}, {"separator", true}},
             Dict{{"choice", "b"}, {"text", "B"}}, Dict{{"choice", "c"}, {"text", "C"}}};
  auto control = build(Dict{{"mainKeyword", "Tray"}, {"control_type", "PopupButton"}, {"choices", list}});
  using Items = std::vector<std::string>;
  const struct {
    Array removed;
    Items shown;
  } rows[] = {
      {Array{"b", "c"}, Items{"A"}},  // a separator stands only between choices (the added list keeps one)
      {Array{"a"}, Items{"B", "C"}},
      {Array{"a", "b", "c"}, Items{}},
  };
  for (const auto& row : rows) {
    control->removePopupButtonArray(row.removed);
    EXPECT_EQ(shownItems(*control->popupButton()), row.shown) << "row " << &row - rows;
  }
  control->addPopupButtonArray(Array{Value(Array{"D", "d"})});  // Value(...): Array{Array{...}} may copy
  EXPECT_EQ(shownItems(*control->popupButton()), (Items{"A", "-", "B", "C", "D"}));
  control->setStringValue("d");
  EXPECT_EQ(control->getStringValue(), "d");
}

TEST_F(KoraUIActionsTest, CheckBoxClickPostsItsChoiceAndMovesIconsAndChildren) {
  Dict description = fixtureControl("Parent");
  description.set("isEnabledIcon", true);
  description.set("mainKeyword", "Staple");  // the fixture's "Staple_True" / "Staple_False" icons
  auto control = build(description, fixtureBundle(), 400, 300);
  NotificationRecorder recorder;
  ASSERT_TRUE(control->checkbox()->performClick());
  EXPECT_THAT(recorder.posted, ElementsAre(Field(&Notification::userInfo, Dict{{"Paramater", "False"}})));
  EXPECT_TRUE(control->iconImageviewTrue()->isHidden());
  EXPECT_FALSE(control->iconImageviewFalse()->isHidden());
  for (KORAUI* child : control->childControls()) EXPECT_FALSE(child->isEnabled());
}

TEST_F(KoraUIActionsTest, RadioChoiceUpdatesValueAndIconAndPostsPlainly) {
  auto control = build(Dict{{"mainKeyword", "Side"}, {"control_type", "RadioButton"}, {"isEnabledIcon", true},
                            {"default", "Left"}, {"choices", choices({{"Left", "L"}, {"Right", "R"}})}},
                       fixtureBundle(), 300, 120);
  NotificationRecorder recorder;
  ASSERT_TRUE(control->radioButtonMatrix()->chooseCellAtRow(1, 0));
  EXPECT_EQ(control->value(), "Right");
  EXPECT_EQ(control->iconImageviewGroup()->image()->name(), "Side_Right");
  EXPECT_THAT(recorder.posted, ElementsAre(Field(&Notification::userInfo, IsEmpty())));
}

TEST_F(KoraUIActionsTest, NumberFieldStepperAndTextKeepInStep) {
  auto control = build(Dict{{"mainKeyword", "Zoom"}, {"control_type", "TextField_number"}, {"min", "0.5"},
                            {"max", "10.0"}, {"defchoice", "1.0"}});
  NotificationRecorder recorder;
  ASSERT_TRUE(control->stepper()->clickUp());
  EXPECT_EQ(control->text()->stringValue(), "1.1");
  EXPECT_EQ(recorder.names(), std::vector<std::string>{"Zoom"});

  control->text()->setStringValue("4.5");
  control->controlTextDidChange(*control->text());
  EXPECT_DOUBLE_EQ(control->stepper()->doubleValue(), 4.5);
  control->text()->setStringValue("6.5");
  control->text()->sendAction();
  EXPECT_DOUBLE_EQ(control->stepper()->doubleValue(), 6.5);
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"Zoom", "Zoom"}));
}

TEST_F(KoraUIActionsTest, SideButtonDatePickerAndSliderPostTheirNames) {
  auto mail = build(Dict{{"mainKeyword", "Mail"}, {"control_type", "TextField_text"}, {"isEnabledButton", true}});
  auto date = build(Dict{{"mainKeyword", "At"}, {"control_type", "DatePicker"}}, nullptr, 400, 250);
  auto slider = build(Dict{{"mainKeyword", "Level"}, {"control_type", "Slider"},
                           {"choices", choices({{"l1", "Low"}, {"l2", "High"}})}});
  NotificationRecorder recorder;
  ASSERT_TRUE(mail->button()->performClick());
  ASSERT_TRUE(date->getDatePickers()[3]->chooseDate(Date{1000}));
  EXPECT_EQ(date->getDatePickers()[0]->dateValue(), (Date{1000}));  // the others follow the changed one
  ASSERT_TRUE(slider->slider()->slideTo(0.8));
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"Mail_Button", "At", "Level"}));
}

TEST_F(KoraUIActionsTest, DisclosureTriangleCollapsesKeepingTheTopEdge) {
  auto control = build(Dict{{"mainKeyword", "Group"}, {"control_type", "PopupButton"}}, nullptr, 300, 120);
  control->setFrameOrigin({10, 50});  // top edge at 170
  tk::Button triangle(tk::Rect{}, tk::ButtonType::PushOnPushOff);
  control->setDisclosureTriangle(&triangle);
  control->setMaxHeight(120);
  triangle.setState(tk::ControlState::Off);
  control->disclosureTriangleAction(triangle);
  EXPECT_EQ(control->frame(), (tk::Rect{10, 146, 300, 24}));
  triangle.setState(tk::ControlState::On);
  control->disclosureTriangleAction(triangle);
  EXPECT_EQ(control->frame(), (tk::Rect{10, 50, 300, 120}));
}

}  // namespace
}  // namespace orval

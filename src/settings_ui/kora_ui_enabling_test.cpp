#include "common/control_enabling.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using namespace kora_ui_testing;

class KoraUIEnablingTest : public KoraUITest {};

const Value kTrays = choices({{"t1", "Tray 1"}, {"t2", "Tray 2"}, {"t3", "Tray 3"}});

std::unique_ptr<KORAUI> trayPopup() {
  return build(Dict{{"mainKeyword", "Tray"}, {"control_type", "PopupButton"}, {"text", "Tray"}, {"head_text", "H"},
                    {"head_title_text", "HT"}, {"groupTitle", "G"}, {"default", "t1"}, {"choices", kTrays}});
}

TEST_F(KoraUIEnablingTest, SetEnabledReachesWidgetsAndPaintsLabels) {
  auto control = build(Dict{{"mainKeyword", "Zoom"}, {"control_type", "TextField_number"}, {"text", "Zoom"},
                            {"head_text", "H"}, {"min", "1"}, {"max", "9"}, {"desc_text", "d"}});
  control->setEnabled(false);
  EXPECT_FALSE(control->text()->isEnabled());
  EXPECT_FALSE(control->stepper()->isEnabled());
  for (tk::TextField* label : {control->titleText(), control->headText(), control->descText()})
    EXPECT_EQ(label->textColor(), disabledTextColor());
  control->setEnabled(true);
  EXPECT_EQ(control->headText()->textColor(), tk::Color::controlTextColor());

  auto dates = build(Dict{{"mainKeyword", "At"}, {"control_type", "DatePicker"}}, nullptr, 400, 250);
  dates->setEnabled(false);
  for (tk::DatePicker* picker : dates->getDatePickers()) EXPECT_FALSE(picker->isEnabled());
}

TEST_F(KoraUIEnablingTest, DisabledWhileAnySourceDisablesAndTheLogicalSumWhileNoneEnables) {
  auto control = trayPopup();
  control->setEnabled(false, "Duplex");
  control->setEnabled(false, "Staple");
  control->setEnabled(false, "Duplex");  // counted once
  EXPECT_EQ(control->theNameOfDisabledKey(), (std::vector<std::string>{"Duplex", "Staple"}));
  control->setEnabled(true, "Duplex");
  EXPECT_FALSE(control->isEnabled());
  control->setEnabled(true, "Fold");  // never disabled it
  EXPECT_FALSE(control->isEnabled());
  control->setEnabled(true, "Staple");
  EXPECT_TRUE(control->isEnabled());

  control->setEnabledPositively(true, "A");
  control->setEnabledPositively(true, "B");
  control->setEnabledPositively(false, "A");
  EXPECT_TRUE(control->isEnabled());
  EXPECT_EQ(control->theNameOfEnabledKey(), std::vector<std::string>{"B"});
  control->setEnabledPositively(false, "B");
  EXPECT_FALSE(control->isEnabled());
  EXPECT_EQ(control->theNameOfDisabledKey(), std::vector<std::string>{"logical_sum_condition"});
  control->setEnabledPositively(true, "A");
  EXPECT_TRUE(control->isEnabled());

  control->setEnabled(false, "Condition");
  control->setEnabledPositively(true, "B");
  EXPECT_FALSE(control->isEnabled());

  auto fresh = trayPopup();
  fresh->setEnabledPositively(false, "Never");  // an empty list: disabled through the logical sum
  EXPECT_FALSE(fresh->isEnabled());
}

TEST_F(KoraUIEnablingTest, PerItemEnablingMovesADisabledSelection) {
  auto control = trayPopup();
  ASSERT_EQ(control->getStringValue(), "t1");
  NotificationRecorder recorder;
  control->setEnabledByDictionary(Dict{{"t1", false}, {"t2", "False"}, {"t3", "True"}});
  tk::PopUpButton* popup = control->popupButton();
  EXPECT_FALSE(popup->isItemEnabled(0));
  EXPECT_EQ(control->value(), "t3");
  EXPECT_THAT(recorder.posted, ElementsAre(AllOf(Field(&Notification::object, control.get()),
                                                 Field(&Notification::userInfo, Dict{{"Paramater", "t3"}}))));

  recorder.posted.clear();
  control->setEnabledByDictionary(Dict{{"t1", true}, {"t3", true}});
  EXPECT_TRUE(recorder.posted.empty());
  EXPECT_FALSE(popup->isItemEnabled(1));
  EXPECT_EQ(popup->indexOfSelectedItem(), 2);
}

TEST_F(KoraUIEnablingTest, HidingEveryWidgetReadingTheStateAndGreyingRadioCells) {
  auto control = trayPopup();
  control->setHidden(true);
  for (tk::View* view : control->subviews()) EXPECT_TRUE(view->isHidden()) << view->className();
  EXPECT_FALSE(control->tk::View::isHidden());  // the control's own view stays shown
  control->setHidden(false);
  for (tk::View* view : control->subviews()) EXPECT_FALSE(view->isHidden()) << view->className();

  EXPECT_TRUE(control->isEmptycheck());  // only text fields can be empty
  auto titleOnly = build(Dict{{"mainKeyword", "Info"}, {"control_type", "Gauge"}, {"text", "Info"}});
  ASSERT_EQ(titleOnly->subviewCount(), 1u);  // an unknown type builds only the title
  EXPECT_TRUE(titleOnly->isHidden());
  EXPECT_TRUE(titleOnly->isEnabled());

  auto radio = build(Dict{{"mainKeyword", "Tray"}, {"control_type", "RadioButton"}, {"choices", kTrays},
                          {"disableForPDE", Array{"t2", "t9"}}});
  radio->disableForPDE();  // greys the listed cells
  tk::Matrix* matrix = radio->radioButtonMatrix();
  EXPECT_TRUE(matrix->cellAtRow(0, 0)->isEnabled());
  EXPECT_FALSE(matrix->cellAtRow(1, 0)->isEnabled());
}

}  // namespace
}  // namespace orval

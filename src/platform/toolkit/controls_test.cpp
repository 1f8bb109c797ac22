#include <gtest/gtest.h>

#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

TEST(ButtonTest, EachKindKeepsOrCyclesItsStateAndSendsTheAction) {
  Button box({}, ButtonType::Switch);
  std::vector<ControlState> seen;
  box.setAction("checkboxAction:", [&](Control& sender) { seen.push_back(static_cast<Button&>(sender).state()); });
  EXPECT_TRUE(box.performClick());
  EXPECT_TRUE(box.performClick());
  EXPECT_EQ(seen, (std::vector<ControlState>{ControlState::On, ControlState::Off}));
  box.setState(ControlState::Mixed);  // not allowed: reads as on
  EXPECT_EQ(box.state(), ControlState::On);
  box.setAllowsMixedState(true);
  box.setState(ControlState::Off);
  box.performClick();
  EXPECT_EQ(box.state(), ControlState::Mixed);
  box.performClick();
  EXPECT_EQ(std::tuple(box.state(), box.intValue()), std::tuple(ControlState::On, 1));
  box.setEnabled(false);
  EXPECT_FALSE(box.performClick());
  EXPECT_EQ(std::tuple(box.state(), seen.size()), std::tuple(ControlState::On, 4u));

  // A push button keeps its state; a radio button only turns on.
  Button push;
  push.performClick();
  EXPECT_EQ(push.state(), ControlState::Off);
  Button radio({}, ButtonType::Radio);
  radio.performClick();
  radio.performClick();
  EXPECT_EQ(radio.state(), ControlState::On);
  EXPECT_FALSE(Button().sendAction());  // no action: nothing sent
}

TEST(MatrixTest, RadioSelectionIsExclusiveAndRespectsCellEnabling) {
  Matrix matrix({0, 0, 100, 72}, 3, 1, ButtonCell("radioButton"));
  EXPECT_EQ(matrix.cellAtRow(2, 0)->title(), "radioButton");
  for (int r = 0; r < 3; ++r) matrix.cellAtRow(r, 0)->setTag(10 + r);
  int actions = 0;
  matrix.setAction("radioButtonAction:", [&](Control&) { ++actions; });
  matrix.selectCellAtRow(0, 0);
  EXPECT_TRUE(matrix.chooseCellAtRow(2, 0));
  EXPECT_EQ(std::tuple(matrix.selectedRow(), matrix.selectedTag(), matrix.cellAtRow(0, 0)->state()),
            std::tuple(2, 12L, ControlState::Off));
  matrix.cellAtRow(1, 0)->setEnabled(false);
  EXPECT_FALSE(matrix.chooseCellAtRow(1, 0));
  EXPECT_EQ(std::pair(matrix.selectedRow(), actions), std::pair(2, 1));
  // A cell's own state does not move the selection; the matrix's setState does.
  matrix.cellAtRow(0, 0)->setState(ControlState::On);
  EXPECT_EQ(matrix.selectedRow(), 2);
  matrix.setState(ControlState::On, 1, 0);
  EXPECT_EQ(std::pair(matrix.selectedRow(), matrix.cellAtRow(0, 0)->state()), std::pair(1, ControlState::Off));
  EXPECT_TRUE(matrix.selectCellWithTag(10));
  EXPECT_FALSE(matrix.selectCellWithTag(99));
  matrix.deselectAllCells();  // radio without empty selection keeps one
  EXPECT_EQ(matrix.selectedRow(), 0);
}

TEST(MatrixTest, RowsComeAndGoWithTheSelection) {
  Matrix matrix({0, 0, 100, 48}, 2, 1);
  matrix.selectCellAtRow(1, 0);
  matrix.addRow();
  EXPECT_EQ(matrix.numberOfRows(), 3);
  matrix.removeRow(0);
  EXPECT_EQ(matrix.selectedRow(), 0);
  matrix.removeRow(0);
  EXPECT_EQ(matrix.selectedCell(), nullptr);
  matrix.renewRows(4, 2);
  EXPECT_EQ(matrix.cells().size(), 8u);
}

TEST(StepperTest, StepsWithinBoundsAndWrapsOnlyWhenAsked) {
  Stepper stepper;
  stepper.setMinValue(1);
  stepper.setMaxValue(3);
  stepper.setIncrement(1);
  stepper.setDoubleValue(3);
  stepper.setValueWraps(false);
  stepper.clickUp();
  EXPECT_EQ(stepper.doubleValue(), 3);
  stepper.setValueWraps(true);
  stepper.clickUp();
  EXPECT_EQ(stepper.doubleValue(), 1);
  stepper.clickDown();
  EXPECT_EQ(stepper.doubleValue(), 3);
  stepper.setDoubleValue(-5);
  EXPECT_EQ(stepper.doubleValue(), 1);
  stepper.setIncrement(0.1);
  stepper.clickUp();
  EXPECT_NEAR(stepper.doubleValue(), 1.1, 1e-9);
}

TEST(SliderTest, TickMarksSpreadEvenlyAndCatchTheValue) {
  Slider slider;
  slider.setMinValue(0);
  slider.setMaxValue(4);
  slider.setNumberOfTickMarks(5);
  slider.setDoubleValue(2.4);
  EXPECT_DOUBLE_EQ(slider.doubleValue(), 2.4);
  slider.setAllowsTickMarkValuesOnly(true);
  EXPECT_EQ(slider.doubleValue(), 2);
  EXPECT_TRUE(slider.slideTo(3.6));
  EXPECT_EQ(slider.doubleValue(), 4);
  slider.setDoubleValue(-1);
  EXPECT_EQ(slider.doubleValue(), 0);
  slider.setNumberOfTickMarks(1);
  EXPECT_EQ(slider.tickMarkValueAtIndex(0), 2);
}

TEST(DatePickerTest, KeepsTheDateWithinItsBounds) {
  DatePicker picker;
  picker.setDateValue(Date{500});
  picker.setMinDate(Date{1000});
  EXPECT_EQ(picker.dateValue(), Date{1000});
  picker.setMaxDate(Date{2000});
  picker.setObjectValue(Value(Date{5000}));
  EXPECT_EQ(picker.dateValue(), Date{2000});
  picker.setObjectValue(Value(1500));
  EXPECT_EQ(picker.doubleValue(), 1500);
  picker.setMinDate(std::nullopt);
  picker.setDateValue(Date{-10});
  EXPECT_EQ(picker.dateValue(), Date{-10});
}

}  // namespace
}  // namespace orval::tk

#include "common/control_enabling.h"

#include <gtest/gtest.h>

#include "platform/foundation/system_version.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {
namespace {

class ControlEnablingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPlatformVersions();
    resetDisabledTextColorForTesting();
  }
  void TearDown() override {
    resetPlatformVersions();
    resetDisabledTextColorForTesting();
  }
};

TEST_F(ControlEnablingTest, DisabledColourFollowsTheToolkitVersionOncePerProcess) {
  setToolkitVersion(909);
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());
  // Chosen once: a later version change does not move it.
  setToolkitVersion(908.9);
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());

  resetDisabledTextColorForTesting();
  EXPECT_EQ(disabledTextColor(), tk::Color::secondarySelectedControlColor());
}

TEST_F(ControlEnablingTest, SetEnabledWithColorPaintsTheText) {
  auto label = tk::TextField::makeLabel("Staple:");
  setEnabledWithColor(label.get(), false);
  EXPECT_FALSE(label->isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::disabledControlTextColor());
  setEnabledWithColor(label.get(), true);
  EXPECT_TRUE(label->isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::controlTextColor());
  setEnabledWithColor(nullptr, true);
}

TEST_F(ControlEnablingTest, GroupsRecolourOnlyNonEditableFields) {
  auto label = tk::TextField::makeLabel("Name:");
  tk::TextField field;
  tk::PopUpButton popup;
  field.setTextColor(tk::Color::blueColor());

  setEnabledConrtols(false, {label.get(), &field, nullptr, &popup});
  EXPECT_FALSE(label->isEnabled());
  EXPECT_FALSE(field.isEnabled());
  EXPECT_FALSE(popup.isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::disabledControlTextColor());
  EXPECT_EQ(field.textColor(), tk::Color::blueColor());

  setEnabledConrtols(true, {label.get(), &field, &popup});
  EXPECT_TRUE(label->isEnabled() && field.isEnabled() && popup.isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::controlTextColor());
}

TEST_F(ControlEnablingTest, CheckBoxDrivesItsDependents) {
  tk::Button checkBox({}, tk::ButtonType::Switch);
  tk::TextField field;
  checkBox.setState(tk::ControlState::On);
  EXPECT_TRUE(setEnabledConrtolsByCheckBox(&checkBox, {&field}));
  EXPECT_TRUE(field.isEnabled());

  // A disabled check box disables its dependents even when on.
  checkBox.setEnabled(false);
  EXPECT_FALSE(setEnabledConrtolsByCheckBox(&checkBox, {&field}));
  EXPECT_FALSE(field.isEnabled());

  checkBox.setEnabled(true);
  checkBox.setState(tk::ControlState::Off);
  field.setEnabled(true);
  EXPECT_FALSE(setEnabledConrtolsByCheckBox(&checkBox, {&field}));
  EXPECT_FALSE(field.isEnabled());

  field.setEnabled(true);
  EXPECT_FALSE(setEnabledConrtolsByCheckBox(nullptr, {&field}));
  EXPECT_FALSE(field.isEnabled());
}

}  // namespace
}  // namespace orval

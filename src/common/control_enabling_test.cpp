#include "common/control_enabling.h"

#include <gtest/gtest.h>

#include "platform/foundation/system_version.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {
namespace {

class ControlEnablingTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    resetPlatformVersions();
    resetDisabledTextColorForTesting();
  }
};

TEST_F(ControlEnablingTest, DisabledColourFollowsTheToolkitVersionOncePerProcess) {
  setToolkitVersion(909);
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());
  setToolkitVersion(908.9);  // chosen once: a later version change does not move it
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());
  resetDisabledTextColorForTesting();
  EXPECT_EQ(disabledTextColor(), tk::Color::secondarySelectedControlColor());
}

TEST_F(ControlEnablingTest, GroupsRecolourOnlyNonEditableFields) {
  auto label = tk::TextField::makeLabel("Name:");
  tk::TextField field;
  tk::PopUpButton popup;
  field.setTextColor(tk::Color::blueColor());
  setEnabledConrtols(false, {label.get(), &field, nullptr, &popup});
  EXPECT_FALSE(label->isEnabled() || field.isEnabled() || popup.isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::disabledControlTextColor());
  EXPECT_EQ(field.textColor(), tk::Color::blueColor());
  setEnabledConrtols(true, {label.get(), &field, &popup});
  EXPECT_TRUE(label->isEnabled() && field.isEnabled() && popup.isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::controlTextColor());
  setEnabledWithColor(nullptr, true);
}

TEST_F(ControlEnablingTest, CheckBoxDrivesItsDependents) {
  tk::Button checkBox({}, tk::ButtonType::Switch);
  tk::TextField field;
  const struct {
    bool on, enabled;
  } rows[] = {{true, true}, {true, false}, {false, true}};  // a disabled box disables even when on
  for (const auto& row : rows) {
    checkBox.setState(row.on ? tk::ControlState::On : tk::ControlState::Off);
    checkBox.setEnabled(row.enabled);
    field.setEnabled(!(row.on && row.enabled));
    EXPECT_EQ(setEnabledConrtolsByCheckBox(&checkBox, {&field}), row.on && row.enabled);
    EXPECT_EQ(field.isEnabled(), row.on && row.enabled);
  }
  field.setEnabled(true);
  EXPECT_FALSE(setEnabledConrtolsByCheckBox(nullptr, {&field}));
  EXPECT_FALSE(field.isEnabled());
}

}  // namespace
}  // namespace orval

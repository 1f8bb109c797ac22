#include "common/control_enabling.h"

#include <gtest/gtest.h>

#include "platform/foundation/system_version.h"
#include "platform/toolkit/pop_up_button.h"

namespace orval {
namespace {

TEST(ControlEnablingTest, DisabledColourFollowsTheToolkitVersionOncePerProcess) {
  resetDisabledTextColorForTesting();
  setToolkitVersion(909);
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());
  setToolkitVersion(908.9);  // chosen once: a later version change does not move it
  EXPECT_EQ(disabledTextColor(), tk::Color::disabledControlTextColor());
  resetDisabledTextColorForTesting();
  EXPECT_EQ(disabledTextColor(), tk::Color::secondarySelectedControlColor());
  resetPlatformVersions();
  resetDisabledTextColorForTesting();
}

TEST(ControlEnablingTest, GroupsRecolourOnlyNonEditableFieldsAndFollowACheckBox) {
  auto label = tk::TextField::makeLabel("Name:");
  tk::TextField field;
  tk::PopUpButton popup;
  field.setTextColor(tk::Color::blueColor());
  setEnabledConrtols(false, {label.get(), &field, nullptr, &popup});
  EXPECT_FALSE(label->isEnabled() || field.isEnabled() || popup.isEnabled());
  EXPECT_EQ(label->textColor(), tk::Color::disabledControlTextColor());
  EXPECT_EQ(field.textColor(), tk::Color::blueColor());
  setEnabledConrtols(true, {label.get(), &field, &popup});
  EXPECT_EQ(label->textColor(), tk::Color::controlTextColor());

  tk::Button checkBox({}, tk::ButtonType::Switch);
  // A disabled box disables even when on; no box disables.
  for (const auto& [on, enabled] : {std::pair{true, true}, std::pair{true, false}, std::pair{false, true}}) {
    checkBox.setState(on ? tk::ControlState::On : tk::ControlState::Off);
    checkBox.setEnabled(enabled);
    field.setEnabled(!(on && enabled));
    EXPECT_EQ(setEnabledConrtolsByCheckBox(&checkBox, {&field}), on && enabled);
    EXPECT_EQ(field.isEnabled(), on && enabled);
  }
  EXPECT_FALSE(setEnabledConrtolsByCheckBox(nullptr, {&field}));
  EXPECT_FALSE(field.isEnabled());
}

}  // namespace
}  // namespace orval

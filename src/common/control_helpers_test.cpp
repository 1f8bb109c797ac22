#include "common/control_helpers.h"

#include <gtest/gtest.h>

#include <tuple>

namespace orval {
namespace {

TEST(ControlHelpersTest, SelectWithTitleFallsBackOnlyWithinTheItems) {
  tk::PopUpButton popup;
  for (const char* title : {"A4", "A3", "Letter"}) popup.addItemWithTitle(title).setRepresentedObject(Value(title));
  const struct {
    const char* title;
    int fallback;
    bool found;
    int selected;
  } rows[] = {{"Letter", 0, true, 2}, {"B5", 1, false, 1}, {"B5", 3, false, 1}, {"B5", -1, false, 1},
              {"letter", 0, false, 0}};  // titles compare exactly; a fallback outside the items changes nothing
  for (const auto& row : rows) {
    EXPECT_EQ(selectWithTitle(&popup, row.title, row.fallback), row.found) << row.title << row.fallback;
    EXPECT_EQ(popup.indexOfSelectedItem(), row.selected) << row.title << row.fallback;
  }
  EXPECT_EQ(representedObjectOfSelectedItem(&popup), Value("A4"));
  EXPECT_FALSE(selectWithTitle(nullptr, "A4", 0));
}

TEST(ControlHelpersTest, OnAndEnabledAndTitleSuffix) {
  tk::Button box({}, tk::ButtonType::Switch);
  box.setAllowsMixedState(true);
  for (const auto& [state, enabled, expected] :
       {std::tuple{tk::ControlState::On, true, true}, std::tuple{tk::ControlState::On, false, false},
        std::tuple{tk::ControlState::Mixed, true, false}}) {
    box.setState(state);
    box.setEnabled(enabled);
    EXPECT_EQ(isOnAndEnabled(&box), expected);
  }
  for (const auto& [title, bare] : {std::pair{"Staple:", "Staple"}, std::pair{"Ratio::", "Ratio:"},
                                    std::pair{"Staple", "Staple"}, std::pair{":", ""}})
    EXPECT_EQ(stringByDeletingControlTitleSuffix(title), bare) << title;
}

}  // namespace
}  // namespace orval

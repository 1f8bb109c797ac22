#include "pane_plugins/pane_layout.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

Dict tab(const char* identifier, std::initializer_list<const char*> controls) {
  Array names;
  for (const char* name : controls) names.push_back(Value(name));
  return Dict{{"identifier", identifier}, {"controls", names}};
}

TEST(PaneLayoutTest, TopLevelLayoutWithoutRoleAndNestedTabsInOrder) {
  Dict colour = tab("Colour", {"ColorMode"});
  colour.set("tabs", Array{Value(tab("parent_main", {"CMYKSimulation"})), Value(tab("RGB", {"RGBSource"}))});
  const Dict resource{{"panelName", "Page"},
                      {"tabs", Array{Value(tab("Paper", {"QZMediaType"})), Value(colour),
                                     Value(Dict{{"identifier", "Print"}, {"label", "Printing"}})}}};
  std::string error;
  const std::optional<PaneLayout> layout = PaneLayout::fromDictionary(resource, std::nullopt, &error);
  ASSERT_TRUE(layout) << error;
  EXPECT_EQ(layout->panelName, "Page");
  ASSERT_EQ(layout->tabs.size(), 3u);
  EXPECT_EQ(layout->tabs[0].label, "Paper");  // the identifier when no label is given
  EXPECT_EQ(layout->tabs[2].label, "Printing");
  EXPECT_EQ(layout->controlNames(),
            (std::vector<std::string>{"QZMediaType", "ColorMode", "CMYKSimulation", "RGBSource"}));
}

TEST(PaneLayoutTest, RoleTakesItsOwnEntryNamedAfterTheRoleByDefault) {
  const Dict resource{{"roles", Dict{{"Staple", Dict{{"tabs", Array{Value(tab("S", {"StapleMode"}))}}}},
                                     {"Punch", Dict{{"panelName", "Holes"},
                                                    {"tabs", Array{Value(tab("P", {"Punch_PunchHoles"}))}}}}}}};
  const std::optional<PaneLayout> staple = PaneLayout::fromDictionary(resource, std::string("Staple"));
  ASSERT_TRUE(staple);
  EXPECT_EQ(staple->panelName, "Staple");
  EXPECT_EQ(staple->controlNames(), std::vector<std::string>{"StapleMode"});
  const std::optional<PaneLayout> punch = PaneLayout::fromDictionary(resource, std::string("Punch"));
  ASSERT_TRUE(punch);
  EXPECT_EQ(punch->panelName, "Holes");

  std::string error;
  EXPECT_FALSE(PaneLayout::fromDictionary(resource, std::string("Fold"), &error));
  EXPECT_NE(error.find("no role \"Fold\""), std::string::npos) << error;
  EXPECT_FALSE(PaneLayout::fromDictionary(resource, std::nullopt, &error));
  EXPECT_NE(error.find("no \"panelName\""), std::string::npos) << error;
}

// A layout "P" of the given top-level tabs.
Dict panel(Array tabs) { return Dict{{"panelName", "P"}, {"tabs", std::move(tabs)}}; }

// A layout of one tab "Colour" (control ColorMode) holding the nested tabs.
Dict nesting(Array tabs) {
  Dict colour = tab("Colour", {"ColorMode"});
  colour.set("tabs", std::move(tabs));
  return panel(Array{Value(colour)});
}

// A layout of one tab "t" holding only the classic control.
Dict holding(const Dict& classic) {
  Dict only = tab("t", {});
  only.set("controls", Array{Value(classic)});
  return panel(Array{Value(only)});
}

TEST(PaneLayoutTest, MalformedLayoutsAndClassicControlsAreRefusedWithTheReason) {
  Value deep = Value(tab("leaf", {}));
  for (int i = 0; i <= PaneLayout::kMaxDepth; ++i) {
    Dict outer = tab("t", {});
    outer.set("tabs", Array{deep});
    deep = Value(outer);
  }
  const std::pair<Dict, const char*> refused[] = {
      {Dict{{"panelName", "P"}}, "no \"tabs\""},
      {panel(Array{}), "no \"tabs\""},
      {panel(Array{Value("Paper")}), "tab 1 is not a dictionary"},
      {panel(Array{Value(Dict{{"label", "x"}})}), "tab 1 has no \"identifier\""},
      {panel(Array{Value(Dict{{"identifier", "a"}, {"controls", Array{Value(3)}}})}), "not a non-empty string"},
      {panel(Array{Value(tab("a", {"Fold"})), Value(tab("b", {"Fold"}))}), "the control Fold appears twice"},
      {Dict{{"panelName", Value(7)}, {"tabs", Array{Value(tab("a", {}))}}}, "not a string"},
      {nesting(Array{Value(tab("parent_main", {"Fold"})), Value(Dict{{"label", "x"}})}), "tab 1, tab 2 has no"},
      {nesting(Array{Value(tab("parent_main", {"ColorMode"}))}), "ColorMode appears twice"},
      {nesting(Array{}), "not a non-empty array"},
      {panel(Array{deep}), "nest too deep"},
      {holding(Dict{{"classic", "Knob"}, {"key", "K"}}), "no known \"classic\" kind"},
      {holding(Dict{{"classic", "CheckBox"}}), "has no \"key\""},
      {holding(Dict{{"classic", "CheckBox"}, {"key", "K"}, {"choices", Array{Value("a"), Value("b"), Value("c")}}}),
       "two choices"},
      {holding(Dict{{"classic", "Slider"}, {"key", "K"}, {"choices", Array{Value("a")}},
                    {"titles", Array{Value("x"), Value("y")}}}),
       "differ in length"},
      {holding(Dict{{"classic", "ProfilePopUpButton"}, {"key", "K"}, {"format", "P"}}), "ending in %d"},
      {holding(Dict{{"classic", "ProfilePopUpButton"}, {"key", "K"}, {"format", "P%d"}, {"max", "9"}}), "\"max\""},
  };
  for (const auto& [resource, reason] : refused) {
    std::string error;
    EXPECT_FALSE(PaneLayout::fromDictionary(resource, std::nullopt, &error)) << reason;
    EXPECT_NE(error.find(reason), std::string::npos) << reason << ": " << error;
  }
}

// (Their titles, places and profile counts: the generic pane's tests and the refusals above.)
TEST(PaneLayoutTest, ClassicControlsAreNoSettingsControls) {
  const std::optional<PaneLayout> layout =
      PaneLayout::fromDictionary(holding(Dict{{"classic", "CheckBox"}, {"key", "K"}}), std::nullopt);
  ASSERT_TRUE(layout);
  EXPECT_TRUE(layout->controlNames().empty());
}

}  // namespace
}  // namespace orval

#include "settings_ui/ui_description_check.h"

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orval {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(UiDescriptionCheckTest, ControlTypesAndChildren) {
  const Dict description{
      {"B", Dict{{"mainKeyword", "B"}, {"control_type", "TextField_date"}}},
      {"C", Dict{{"mainKeyword", "C"}, {"control_type", 3}}},
      {"D", "not a description"},
      {"E", Dict{{"mainKeyword", "E"}, {"control_type", "PopupButton"}, {"other_controls", Array{"F"}}}},
      {"F", Dict{{"mainKeyword", "F"}, {"control_type", "TextField_number"}}},
  };
  const auto findings = checkUiDescription(description);
  std::vector<std::string> where;
  for (const auto& f : findings) where.push_back(f.control + "/" + f.key);
  EXPECT_THAT(where, ElementsAre("B/control_type", "C/control_type", "D/"));
  EXPECT_EQ(findings[0].severity, UiFindingSeverity::Warning);
  EXPECT_EQ(countFindings(findings, UiFindingSeverity::Error), 2u);
}

// A check box without choices, and sliders that pass (the command's check tests refuse three choices and one).
TEST(UiDescriptionCheckTest, CheckBoxesNeedTwoChoicesAndChoiceSlidersTwoAtLeast) {
  const Array one{Dict{{"choice", "1"}, {"text", "One"}}};
  const Dict description{
      {"Box", Dict{{"mainKeyword", "Box"}, {"control_type", "CheckBox"}}},
      {"FreeSlider", Dict{{"mainKeyword", "FreeSlider"}, {"control_type", "Slider"}}},
      {"Slider", Dict{{"mainKeyword", "Slider"}, {"control_type", "Slider"}, {"choices", Array{one[0], one[0]}}}},
  };
  const auto findings = checkUiDescription(description);
  std::vector<std::string> where;
  for (const auto& f : findings) where.push_back(f.control + "/" + f.key);
  ASSERT_THAT(where, ElementsAre("Box/choices"));
  EXPECT_THAT(findings[0].message, HasSubstr("it has 0"));
}

TEST(UiDescriptionCheckTest, RangePatternsNeedNumbersAtEveryLevel) {
  const Dict restore{{"restore", "1"}};
  const Dict nested{{"Other", Dict{{"__GREATER__:1O", restore}, {"__LESS__:-2.5", restore}}}};
  const Dict description{
      {"Other", Dict{{"mainKeyword", "Other"}}},
      {"Self",
       Dict{{"mainKeyword", "Self"},
            {"conflict", Dict{{"__LESS__:", nested}, {"__GREATER__:10", nested}}},
            {"unrestorable_conflict",
             Dict{{"title", "T"}, {"__LESS__:ten", Dict{{"Other", Dict{{"x", Dict{}}, {"title", "__LESS__:no"}}}}}}}}}};
  const auto findings = checkUiDescription(description);
  std::vector<std::string> where;  // "title" keys are never patterns
  for (const auto& f : findings) where.push_back(f.control + "/" + f.key + ": " + ::testing::PrintToString(f.path));
  EXPECT_THAT(where, ElementsAre("Self/conflict: { \"__LESS__:\" }",
                                 "Self/conflict: { \"__LESS__:\", \"Other\", \"__GREATER__:1O\" }",
                                 "Self/conflict: { \"__GREATER__:10\", \"Other\", \"__GREATER__:1O\" }",
                                 "Self/unrestorable_conflict: { \"__LESS__:ten\" }"));
}

TEST(UiDescriptionCheckTest, TargetsThatNoControlEditsAreWarnings) {
  const Dict description{
      {"A",
       Dict{{"mainKeyword", "A"},
            {"cooperation", Dict{{"1", Dict{{"B", "2"}, {"Ghost1", "2"}}}}},
            {"hide", Dict{{"1", Dict{{"Ghost2", true}}}}},
            {"conflict",
             Dict{{"1", Dict{{"Ghost3", Dict{{"x", Dict{{"restore", Dict{{"B", "1"}, {"Ghost4", "1"}}}}}}}}}}},
            {"unrestorable_conflict", Dict{{"1", Dict{{"B", Dict{{"2", Dict{{"Ghost5", Dict{{"3", Dict{}}}}}}}}}}}}}},
      {"B", Dict{{"mainKeyword", "B"}}},
  };
  const auto findings = checkUiDescription(description);
  std::vector<std::string> messages;
  for (const auto& f : findings) {
    EXPECT_EQ(f.severity, UiFindingSeverity::Warning);
    messages.push_back(f.key + ": " + f.message);
  }
  EXPECT_THAT(messages, ElementsAre("cooperation: target \"Ghost1\" is edited by no control",
                                    "hide: target \"Ghost2\" is edited by no control",
                                    "conflict: target \"Ghost3\" is edited by no control",
                                    "conflict: target \"Ghost4\" is edited by no control",
                                    "unrestorable_conflict: target \"Ghost5\" is edited by no control"));
  EXPECT_EQ(findings[3].path, (std::vector<std::string>{"1", "Ghost3", "x", "restore", "Ghost4"}));
}

TEST(UiDescriptionCheckTest, CyclesAmongAnnouncedTargetsAreFoundOnce) {
  const Dict description{
      {"First", Dict{{"mainKeyword", "A"}, {"condition", Dict{{"On", Dict{{"B", true}}}}}}},
      {"Second", Dict{{"mainKeyword", "B"}, {"cooperation", Dict{{"On", Dict{{"C", "On"}}}}}}},
      {"Third", Dict{{"mainKeyword", "C"}, {"hide", Dict{{"Off", Dict{{"A", true}, {"D", true}}}}}}},
      {"Fourth", Dict{{"mainKeyword", "D"}, {"logical_sum_condition", Dict{{"On", Dict{{"D", true}}}}}}},
      {"Fifth",
       Dict{{"mainKeyword", "E"}, {"conflict", Dict{{"On", Dict{{"E", Dict{{"On", Dict{{"restore", "Off"}}}}}}}}}}},
  };
  const auto findings = checkUiDescription(description);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[1].message, "cycle among announced targets: D -> D (logical_sum_condition)");
}

TEST(UiDescriptionCheckTest, ALongChainWithoutCyclesHasNone) {
  Dict description;
  for (int i = 0; i < 2000; ++i) {
    const std::string key = "K" + std::to_string(i);
    const std::string next = "K" + std::to_string(i + 1);
    Dict control{{"mainKeyword", key}};
    if (i + 1 < 2000) control.set("condition", Dict{{"On", Dict{{next, true}}}});
    description.set(key, control);
  }
  EXPECT_THAT(checkUiDescription(description), IsEmpty());
  Dict last = *description.get("K1999").asDict();
  last.set("hide", Dict{{"On", Dict{{"K0", false}}}});
  description.set("K1999", last);
  EXPECT_THAT(checkUiDescription(description),
              ElementsAre(::testing::Field(&UiDescriptionFinding::message, HasSubstr("K1998 -> K1999 -> K0 ("))));
}

}  // namespace
}  // namespace orval

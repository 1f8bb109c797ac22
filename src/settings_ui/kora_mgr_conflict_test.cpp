#include <gmock/gmock.h>

#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/window.h"
#include "settings_ui/kora_mgr_test_support.h"

namespace orval {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace testing_support;

Dict paperDescription() {
  return popupDescription("PaperType", "Paper Type", {{"Plain", "Plain Paper"}, {"Thick", "Thick Paper"}}, "Thick");
}

constexpr const char* kStapleQuestion =
    "The following properties cannot be set at the same time.\r[Staple]:[Left Staple]\r"
    "[Paper Type]:[Thick Paper]\r"
    "\rDo you want to change to the following settings to enable the selection?\r"
    "[Paper Type]:[Plain Paper]\r";

class ConflictTest : public KORAMgrTest {
 protected:
  // StapleMode "Left" conflicts with a thick paper; the proposal is plain paper.
  void addStapleAndPaper() {
    Dict staple = popupDescription("StapleMode", "Staple", {{"Off", "No Staple"}, {"Left", "Left Staple"}}, "Off");
    staple.set("conflict", Dict{{"Left", Dict{{"PaperType", Dict{{"Thick", Dict{{"restore", "Plain"}}}}}}}});
    add(staple);
    add(paperDescription());
    recorder.clear();
  }
  NotificationRecorder recorder{{"StapleMode", "PaperType", "ValueChangFinished_StapleMode",
                                 "ValueChangFinished_PaperType"}};
};

TEST_F(ConflictTest, NoReturnsTheChangeYesChangesTheOtherSettingAndAnnouncesIt) {
  addStapleAndPaper();
  person->answerAlert("No");
  change("StapleMode", "Left");
  EXPECT_EQ(value("StapleMode") + value("PaperType"), "OffThick");
  EXPECT_THAT(recorder.names(), ElementsAre("StapleMode"));
  recorder.clear();

  person->answerAlert("Yes");
  change("StapleMode", "Left");
  EXPECT_THAT(alertTexts(), ElementsAre(kStapleQuestion, kStapleQuestion));  // asked again after a No
  EXPECT_EQ(value("StapleMode") + value("PaperType"), "LeftPlain");
  EXPECT_THAT(recorder.names(), ElementsAre("StapleMode", "PaperType", "ValueChangFinished_PaperType",
                                            "ValueChangFinished_StapleMode"));
  EXPECT_EQ(recorder.posted.back().userInfo, (Dict{{"isCollectiveChange", "False"}}));
}

TEST_F(ConflictTest, RefusedTextTypedAgainIsAskedAgain) {
  add(paperDescription());
  Dict name = textDescription("JobName", "Job Name", "Report");
  name.set("conflict", Dict{{"Secret", Dict{{"PaperType", Dict{{"Thick", Dict{{"restore", "Plain"}}}}}}}});
  tk::Window window;
  window.makeKeyAndOrderFront();
  KORAUI& control = window.contentView().add(kora_ui_testing::build(name, nullptr, 400, 72));
  registerControl(control);

  for (std::size_t attempt = 1; attempt <= 2; ++attempt) {
    person->answerAlert("No");
    ASSERT_TRUE(window.makeFirstResponder(control.text()));
    control.text()->currentEditor()->selectAll();
    control.text()->currentEditor()->typeText("Secret");
    ASSERT_TRUE(window.makeFirstResponder(nullptr));
    EXPECT_EQ(person->alertsShown().size(), attempt);
    EXPECT_EQ(control.text()->stringValue(), "Report");
  }
}

// A collective change skips the "__ALL__" entries only: the value's own entries are still asked.
TEST_F(ConflictTest, AllEntryAsksOnEveryChangeButNotInACollectiveChange) {
  addStapleAndPaper();
  Dict tray = popupDescription("OutputTray", "Output Tray", {{"Top", "Top Tray"}, {"Stacker", "Stacker"}}, "Top");
  tray.set("conflict", Dict{{"__ALL__", Dict{{"OffsetMode", Dict{{"On", Dict{{"restore", "Off"}}}}}}}});
  add(tray);
  add(popupDescription("OffsetMode", "Offset", {{"On", "Offset On"}, {"Off", "Offset Off"}}, "On"));

  person->answerAlert("Yes");
  change("OutputTray", "Stacker");
  EXPECT_THAT(alertTexts(), ElementsAre("Do you want to change the settings to the following in order to change "
                                        "[Output Tray]?\r[Offset]:[Offset Off]\r"));
  EXPECT_EQ(value("OffsetMode"), "Off");

  person->answerAlert("Yes");
  engine->setSettings(Dict{{"OffsetMode", "On"}, {"OutputTray", "Top"}, {"StapleMode", "Left"}});
  EXPECT_THAT(alertTexts(), ElementsAre(_, kStapleQuestion));
  EXPECT_EQ(value("OffsetMode") + value("PaperType"), "OnPlain");
}

TEST_F(ConflictTest, RangePatternsShowTheirBound) {
  Dict trim = textDescription("TrimWidth", "Trim Width", "5");
  trim.set("conflict", Dict{{"__LESS__:10", Dict{{"FoldMode", Dict{{"Half", Dict{{"restore", "Off"}}}}}}},
                            {"__GREATER__:10", Dict{{"Margin", Dict{{"__LESS__:3", Dict{{"restore", "3"}}}}},
                                                    {"FoldMode", Dict{{"Half", Dict{{"restore", "Off"}}}}}}}});
  add(popupDescription("FoldMode", "Fold", {{"Off", "No Fold"}, {"Half", "Half Fold"}}, "Half"));
  add(textDescription("Margin", "Margin", "2"));
  person->answerAlert("No");  // 5 is below 10 at registration
  add(trim);
  EXPECT_THAT(alertTexts(), ElementsAre(HasSubstr("\r[Trim Width]:[Less Than 10]\r[Fold]:[Half Fold]\r")));

  person->answerAlert("Yes");
  change("TrimWidth", "12");
  EXPECT_THAT(alertTexts(),
              ElementsAre(_, "The following properties cannot be set at the same time.\r[Trim Width]:[More Than 10]\r"
                             "[Margin]:[Less Than 3]\r[Fold]:[Half Fold]\r"
                             "\rDo you want to change to the following settings to enable the selection?\r"
                             "[Margin]:[]\r[Fold]:[No Fold]\r"));
  EXPECT_EQ(value("Margin") + value("FoldMode"), "3Off");
}

TEST_F(ConflictTest, FindingsOfSeveralKeywordsAreMerged) {
  for (const char* keyword : {"A", "B", "C"}) add(textDescription(keyword, keyword, "1"));
  for (const char* keyword : {"R1", "R2", "R3"})
    add(popupDescription(keyword, keyword, {{"a", "Alpha"}, {"b", "Beta"}, {"c", "Gamma"}, {"z", "Zeta"}}, "a"));
  Dict mode = popupDescription("Mode", "Mode", {{"W", "Plain"}, {"X", "Special"}}, "W");
  const Dict restoreR2R3{{"restore", Dict{{"R2", "z"}, {"R3", "c"}}}};
  mode.set("conflict", Dict{{"X", Dict{{"A", Dict{{"1", Dict{{"restore", Dict{{"R1", "a"}, {"R2", "b"}}}}}}},
                                       {"B", Dict{{"1", Dict{{"C", Dict{{"1", restoreR2R3}}}}}}},
                                       {"Missing", Dict{{"1", Dict{{"restore", "a"}}}}}}}});
  add(mode);
  person->answerAlert("Yes");
  change("Mode", "X");
  EXPECT_THAT(alertTexts(), ElementsAre(::testing::AllOf(HasSubstr("[A]:[1]\r[C]:[1]\r[B]:[1]\r"),
                                                         HasSubstr("[R1]:[Alpha]\r[R2]:[Beta]\r[R3]:[Gamma]\r"))));
  EXPECT_EQ(value("R1") + value("R2") + value("R3"), "abc");  // the earlier proposal stays
}

TEST_F(ConflictTest, AskingBeforeAValueIsSetFromOutside) {
  addStapleAndPaper();
  person->answerAlert("No");
  EXPECT_FALSE(engine->validateBeforeChange("StapleMode", "Left", std::nullopt));
  EXPECT_THAT(alertTexts(), ElementsAre(HasSubstr("made, Staple cannot")));
  EXPECT_EQ(value("PaperType"), "Thick");
  person->answerAlert("Yes");
  EXPECT_TRUE(engine->validateBeforeChange("StapleMode", "Left", std::string("Stapling")));
  EXPECT_THAT(alertTexts(),
              ElementsAre(HasSubstr("made, Staple cannot"),
                          "When the following settings are made, Stapling cannot be set.\r[Paper Type]:[Thick Paper]\r"
                          "\rDo you want to change the settings to the following?\r[Paper Type]:[Plain Paper]\r"));
  EXPECT_EQ(value("PaperType") + " " + value("StapleMode"), "Plain Off");  // the caller sets the candidate
  EXPECT_THAT(recorder.names(), ElementsAre("PaperType", "ValueChangFinished_PaperType"));
}

TEST_F(ConflictTest, SilentResolutionSetsTheProposalsWithoutAskingOrAnnouncing) {
  addStapleAndPaper();
  EXPECT_EQ(engine->setStringValueWithRestoreConfliction("StapleMode", "Left"),
            std::optional<std::vector<std::string>>(std::vector<std::string>{"PaperType"}));
  EXPECT_EQ(value("StapleMode") + value("PaperType"), "LeftPlain");
  EXPECT_EQ(engine->setStringValueWithRestoreConfliction("StapleMode", "Off"), std::nullopt);
  EXPECT_THAT(person->alertsShown(), IsEmpty());
  EXPECT_THAT(recorder.names(), IsEmpty());
}

TEST_F(ConflictTest, MessagesAreLocalizedThroughTheResourceBundlesUITable) {
  engine->setPdeResourcePath(engineBundlePath().string() + "/Contents/Resources");
  engine->setPdeResourcePath("/nowhere");  // the first path stays
  const auto bundle = Bundle::bundleWithPath(engineBundlePath());
  KORAUI& finisher = add(fixtureControl("Finisher", bundle), bundle);
  ASSERT_EQ(finisher.childControls().size(), 2u);

  change("Finisher", "Booklet");
  change("FoldMode", "Half");
  person->answerAlert(0);
  change("TrimWidth", "15");
  ASSERT_THAT(alertTexts(), ElementsAre("These settings clash.\r[Trim width]=[over 10 mm]\r[Fold]:[Folded in half]\r"
                                        "\rChange these?\r[Fold]:[Flat]\r"));
  EXPECT_THAT(person->alertsShown()[0].buttons, ElementsAre("Change", "Keep"));
  EXPECT_EQ(value("FoldMode"), "Off");
}

class UnrestorableTest : public KORAMgrTest {
 protected:
  void SetUp() override {
    engine->setInitializedNetworkDataProvider([this] { return networkDataLoaded; });
    add(popupDescription("MediaType", "Media", {{"Plain", "Plain"}, {"Film", "Film"}}, "Film"));
    add(popupDescription("ColorMode", "Color", {{"Color", "Full Color"}, {"Mono", "Black"}}, "Mono"));
  }
  Dict duplex(const Dict& table) {
    Dict d = popupDescription("Duplex", "Duplex", {{"Off", "One-Sided"}, {"On", "Two-Sided"}}, "Off");
    d.set("unrestorable_conflict", table);
    d.set("condition", Dict{{"Off", Dict{{"Binding", true}}}, {"On", Dict{{"Binding", false}}}});
    return d;
  }
  bool networkDataLoaded = true;
  NotificationRecorder recorder{{"Duplex", "Binding", "ValueChangFinished_Duplex"}};
};

TEST_F(UnrestorableTest, RefusesWithOKOnlyAndReturnsToTheOldValue) {
  add(duplex(Dict{{"On", Dict{{"MediaType", Dict{{"Film", Dict{}}}}}}}));
  KORAUI& binding = add(popupDescription("Binding", "Binding", {{"Left", "Left"}}, "Left"));
  recorder.clear();

  person->answerAlert(0);
  change("Duplex", "On");
  ASSERT_THAT(alertTexts(),
              ElementsAre("The following properties cannot be set at the same time.\r[Duplex]:[Two-Sided]\r"
                          "[Media]:[Film]\r\r選択を無効にして、以下の設定に戻します。\r[Duplex]:[One-Sided]\r"));
  EXPECT_THAT(person->alertsShown()[0].buttons, ElementsAre("OK"));
  EXPECT_EQ(value("Duplex"), "Off");
  EXPECT_TRUE(binding.isEnabled());
  EXPECT_THAT(recorder.names(), ElementsAre("Duplex", "Binding"));
}

TEST_F(UnrestorableTest, NothingIsFoundBeforeTheServerDataAreLoaded) {
  const Dict film{{"MediaType", Dict{{"Film", Dict{}}}}};
  ASSERT_TRUE(engine->findUnrestorableConflictInfo(film, 3, "").has_value());
  networkDataLoaded = false;
  EXPECT_FALSE(engine->findUnrestorableConflictInfo(film, 3, "").has_value());
  engine->setInitializedNetworkDataProvider(nullptr);  // no provider at all: never loaded
  EXPECT_FALSE(engine->findUnrestorableConflictInfo(film, 3, "").has_value());
}

TEST_F(UnrestorableTest, OuterTitlesAndMessagesOverrideInnerOnes) {
  const Dict table{
      {"title", "Outer title"},
      {"On", Dict{{"title", "Level title"},
                  {"message", "Level message"},
                  {"MediaType", Dict{{"title", "Keyword title"},
                                     {"Film", Dict{{"title", "Node title"}, {"message", "Node message"}}}}}}}};
  add(duplex(table));
  person->answerAlert(0);
  change("Duplex", "On");
  EXPECT_THAT(alertTexts(), ElementsAre("Outer title\r[Duplex]:[Two-Sided]\r[Media]:[Film]\r\rLevel message"));
  const std::optional<ConflictInfo> inner = engine->findUnrestorableConflictInfo(*table.get("On").asDict(), 3, "");
  EXPECT_EQ(inner ? inner->title : std::nullopt, "Level title");
}

TEST_F(UnrestorableTest, EveryConditionAlongAPathMustHold) {
  add(duplex(Dict{{"On", Dict{{"MediaType", Dict{{"Film", Dict{{"ColorMode", Dict{{"Color", Dict{}}}}}}}}}}}));
  change("Duplex", "On");  // the colour is "Mono": the path does not hold
  EXPECT_THAT(person->alertsShown(), IsEmpty());
  change("Duplex", "Off");

  engine->setStringValue("ColorMode", "Color");
  person->answerAlert(0);
  change("Duplex", "On");
  EXPECT_THAT(alertTexts(), ElementsAre(HasSubstr("[Duplex]:[Two-Sided]\r[Color]:[Full Color]\r[Media]:[Film]\r")));
}

}  // namespace
}  // namespace orval

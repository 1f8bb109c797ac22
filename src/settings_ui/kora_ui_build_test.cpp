#include <chrono>
#include <tuple>

#include "platform/foundation/log.h"
#include "settings_ui/kora_secure_text_field.h"
#include "settings_ui/kora_text_field.h"
#include "settings_ui/kora_ui_test_support.h"
#include "settings_ui/label_metrics.h"

namespace orval {
namespace {

using namespace kora_ui_testing;
using tk::Rect;

class KoraUIBuildTest : public KoraUITest {};

// Matches a view whose frame is rect.
auto framed(const Rect& rect) { return Property(&tk::View::frame, rect); }

TEST_F(KoraUIBuildTest, TextFieldsWithAndWithoutHeadColumnTitleAndButton) {
  auto control = build(Dict{{"mainKeyword", "JobName"}, {"control_type", "TextField_text"}, {"text", "Name"},
                            {"head_text", "Hd"}, {"head_text_width", "50"}, {"head_title_text", "HT"},
                            {"isEnabledButton", true}, {"button_text", "Browse"}, {"defchoice", "abc"},
                            {"max_digit", 0}, {"text_type", "EMAIL"}, {"isParagraph", true}});
  EXPECT_EQ(control->headTitleText()->frame(), (Rect{42, 76, 50, 20}));
  EXPECT_EQ(control->titleText()->frame(), (Rect{92, 76, 308, 20}));
  EXPECT_EQ(control->headText()->frame(), (Rect{42, 52, 50, 20}));
  auto* field = dynamic_cast<KORATextField*>(control->text());
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->frame(), (Rect{92, 52, 189, 24}));
  EXPECT_EQ(field->stringValue(), "abc");
  EXPECT_EQ(std::pair(field->unit(), field->maxDigit()), std::pair(7, 256));  // max_digit below 1: the default
  EXPECT_EQ(control->button()->frame(), (Rect{285, 52, 100, 24}));

  auto secure = build(Dict{{"mainKeyword", "Password"}, {"control_type", "SecureTextField_text"},
                           {"max_digit", "8"}, {"text_type", "ASCII"}});
  auto* password = dynamic_cast<KORASecureTextField*>(secure->text());
  ASSERT_NE(password, nullptr);  // no title, no button
  EXPECT_EQ(password->frame(), (Rect{24, 76, 361, 24}));
  EXPECT_EQ(std::pair(password->maxDigit(), password->unit()), std::pair(8, 8));
  EXPECT_EQ(secure->getControlHeight(), 24);
}

TEST_F(KoraUIBuildTest, NumberFieldLayoutStepperAndDescription) {
  auto control = build(Dict{{"mainKeyword", "Copies"}, {"control_type", "TextField_number"}, {"text", "Copies"},
                            {"head_text", "N"}, {"min", "0.5"}, {"max", "10.0"}, {"defchoice", "2.5"},
                            {"desc_text", "Copies %@ to %@"}},
                       fixtureBundle());
  auto* field = dynamic_cast<KORATextField*>(control->text());
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->frame(), (Rect{60, 52, 42, 24}));  // 7 x 4 characters + 14
  EXPECT_EQ(std::pair(field->minValue(), field->maxValue()), std::pair(0.5, 10.0));
  EXPECT_EQ(control->descText()->stringValue(), "From 0.5 to 10.0 copies");

  auto iconic = build(Dict{{"mainKeyword", "Copies"}, {"control_type", "TextField_number"}, {"isEnabledIcon", true}},
                      fixtureBundle());
  EXPECT_EQ(iconic->iconImageviewNumber()->frame(), (Rect{24, 52, 48, 48}));
  EXPECT_EQ(iconic->text()->frame(), (Rect{72, 76, 100, 24}));  // no title: the field is on the first row
  EXPECT_GT(dynamic_cast<KORATextField*>(iconic->text())->maxValue(), 1e9);  // no bounds
}

TEST_F(KoraUIBuildTest, NumberFieldDecimalsFollowTheBounds) {
  for (const auto& [min, max, unit, step] :
       {std::tuple{"0.5", "10.0", 3, 0.1}, std::tuple{"0.25", "10.5", 4, 0.01}, std::tuple{"1", "10.25", 5, 0.001},
        std::tuple{"0.125", "1.5", 5, 0.001}, std::tuple{"1", "10", 0, 1.0}}) {  // no point: unit as built
    auto control = build(Dict{{"mainKeyword", "N"}, {"control_type", "TextField_number"}, {"min", min}, {"max", max}});
    EXPECT_EQ(dynamic_cast<KORATextField*>(control->text())->unit(), unit) << min << " .. " << max;
    EXPECT_DOUBLE_EQ(control->stepper()->increment(), step) << min << " .. " << max;
  }
}

TEST_F(KoraUIBuildTest, CheckBoxWithMultiLineTitleAndIcons) {
  auto control = build(Dict{{"mainKeyword", "Staple"}, {"control_type", "CheckBox"}, {"text", "A\rB\rC"},
                            {"isEnabledIcon", true}, {"isGroupMain", true}, {"defchoice", "True"},
                            {"choices", choices({{"True", "On"}, {"False", "Off"}})}},
                       fixtureBundle());
  EXPECT_EQ(control->checkbox()->frame(), (Rect{24, 28, 376, 72}));
  EXPECT_EQ(control->titleText(), nullptr);  // the box carries the title
  EXPECT_EQ(control->iconImageviewGroup(), nullptr);
  EXPECT_FALSE(control->iconImageviewTrue()->isHidden());
  EXPECT_TRUE(control->iconImageviewFalse()->isHidden());
}

TEST_F(KoraUIBuildTest, GroupTitleLowersTheWholeControl) {
  const Dict plain{{"mainKeyword", "Duplex"}, {"control_type", "PopupButton"}, {"text", "Duplex"},
                   {"isGroupMain", true},     {"choices", choices({{"a", "A"}})}};
  auto without = build(plain, fixtureBundle());
  EXPECT_EQ(without->iconImageviewGroup()->frame(), (Rect{0, 76, 24, 24}));
  Dict grouped = plain;
  grouped.set("groupTitle", "Finishing group");
  auto with = build(grouped, fixtureBundle());
  EXPECT_EQ(with->groupTitleText()->frame(), (Rect{24, 76, 376, 20}));
  EXPECT_EQ(with->groupTitleText()->stringValue(), "Finishing");
  EXPECT_EQ(with->popupButton()->frame(), (Rect{24, 28, 376, 24}));
  auto box = build(Dict{{"mainKeyword", "B"}, {"control_type", "CheckBox"}, {"text", "B"}, {"groupTitle", "G"},
                        {"choices", choices({{"True", "On"}, {"False", "Off"}})}});
  EXPECT_EQ(box->checkbox()->frame(), (Rect{24, 52, 376, 24}));
}

TEST_F(KoraUIBuildTest, PopupItemsIconsOptionsAndPaneTitles) {
  const Dict duplex = fixtureControl("DuplexMode");
  auto control = build(duplex, fixtureBundle());
  tk::PopUpButton* popup = control->popupButton();
  EXPECT_EQ(popup->itemAtIndex(0)->image()->size(), (tk::Size{16, 16}));  // 32 x 8 drawn into 16 x 16
  EXPECT_EQ(popup->itemAtIndex(1)->image()->size(), (tk::Size{12, 12}));
  EXPECT_EQ(control->optionsKey(), (std::vector<std::string>{"None", "DuplexNoTumble"}));
  const std::string pane = "Finisher";
  auto onPane = build(duplex, fixtureBundle(), 400, 100, &pane);
  EXPECT_EQ(onPane->titleText()->stringValue(), "Two-Sided (Finisher)");
  auto three = build(Dict{{"mainKeyword", "S"}, {"control_type", "PopupButton"},
                          {"choices", choices({{"a", "A"}, {"b", "B"}, {"c", "C"}})}});
  EXPECT_TRUE(three->optionsKey().empty());  // only a two-choice pop-up keeps its options
}

TEST_F(KoraUIBuildTest, ReplacementListSetBeforeTheBuildFillsThePopup) {
  KORAUI control(Rect{0, 0, 300, 48});
  control.setControlDictionary(Dict{{"mainKeyword", "Tray"}, {"control_type", "PopupButton"},
                                    {"choices", choices({{"x", "X"}})}});
  control.setPopupButtonArray(Array{Array{"Tray 1", "T1"}, Array{"Tray 2", "T2"}});
  control.updateControl();
  EXPECT_EQ(control.popupButton()->itemTitles(), (std::vector<std::string>{"Tray 1", "Tray 2"}));
  EXPECT_EQ(control.getStringValue(), "T1");
}

TEST_F(KoraUIBuildTest, RadioGroupsVerticalAndHorizontal) {
  const Value sides = choices({{"Left", "L"}, {"Right", "R"}, {"Top", "T"}});
  auto row = build(Dict{{"mainKeyword", "Side"}, {"control_type", "HRadioButton"}, {"text", "Side"},
                        {"choices", sides}}, nullptr, 300, 120);
  tk::Matrix* horizontal = row->radioButtonMatrix();
  EXPECT_EQ(std::pair(horizontal->frame(), horizontal->cellSize()), std::pair(Rect{24, 72, 276, 24}, tk::Size{92, 24}));
  EXPECT_EQ(horizontal->cellAtRow(0, 1)->title(), "R");
  auto iconic = build(Dict{{"mainKeyword", "Side"}, {"control_type", "RadioButton"}, {"isEnabledIcon", true},
                           {"isGroupMain", true}, {"default", "Left"}, {"choices", sides}},
                      fixtureBundle(), 300, 120);
  EXPECT_EQ(iconic->iconImageviewGroup()->image()->name(), "Side_Left");
}

TEST_F(KoraUIBuildTest, SlidersLabelsIconsEndLabelsAndBounds) {
  auto control = build(Dict{{"mainKeyword", "Level"}, {"control_type", "Slider"}, {"text", "Level"},
                            {"isEnabledIcon", true}, {"min_icon", "light"}, {"max_icon", "dark"},
                            {"min_icon_text", "Lighter"}, {"max_icon_text", "Darker"},
                            {"choices", choices({{"l1", "Low"}, {"l2", "M"}, {"l3", "High"}})}},
                       fixtureBundle());
  EXPECT_EQ(control->slider()->frame(), (Rect{48, 50, 308, 30}));
  ASSERT_THAT(control->sliderLavelTextArray(),  // (308 - 13) / 2 apart, the last ending at the slider's end
              ElementsAre(::testing::_, framed({195, 100 - 67.2, 40, 20}), framed({316, 100 - 67.2, 40, 20})));
  EXPECT_EQ(control->sliderLavelTextArray()[1]->stringValue(), " M");
  EXPECT_EQ(control->iconImageviewSliderMax()->frame(), (Rect{356, 58, 24, 24}));
  const double lightWidth = boldLabelTextWidth("Light", kSliderEndLabelFontSize);
  const double darkerWidth = boldLabelTextWidth("Darker", kSliderEndLabelFontSize);
  EXPECT_EQ(control->sliderStartLavelText()->stringValue(), "Light");
  EXPECT_EQ(control->sliderStartLavelText()->frame(), (Rect{12, 100 - 67.2 - 20, lightWidth, 20}));  // below the labels
  EXPECT_EQ(control->sliderEndLavelText()->frame(), (Rect{400 - darkerWidth, 100 - 67.2 - 20, darkerWidth, 20}));

  auto free = build(Dict{{"mainKeyword", "Gamma"}, {"control_type", "Slider"}, {"min", "10"}, {"max", "20"},
                         {"defchoice", "15"}, {"isEnabledIcon", true}, {"icon", "light"}, {"max_icon", "dark"}},
                    fixtureBundle());
  const tk::Slider& slider = *free->slider();
  EXPECT_EQ((std::vector{slider.maxValue(), slider.doubleValue()}), (std::vector{20.0, 15.0}));
  EXPECT_EQ(slider.numberOfTickMarks(), 10);
  EXPECT_EQ(free->iconImageviewSliderMin()->image()->name(), "light");
  EXPECT_EQ(free->iconImageviewSliderMax(), nullptr);  // "icon" replaces both end icons
  auto defaults = build(Dict{{"mainKeyword", "Gamma"}, {"control_type", "Slider"}});
  EXPECT_EQ((std::vector{defaults->slider()->maxValue(), defaults->slider()->doubleValue()}),
            (std::vector{100.0, 50.0}));
}

TEST_F(KoraUIBuildTest, DatePickersFramesStylesAndDates) {
  KORAUI control(Rect{0, 0, 400, 250});
  control.setClock([] { return std::chrono::system_clock::time_point(std::chrono::seconds(1'700'000'000)); });
  control.setControlDictionary(Dict{{"mainKeyword", "PrintAt"}, {"control_type", "DatePicker"}, {"text", "When"},
                                    {"head_text", "At"}, {"head_text_width", "30"},
                                    {"default", "now+3600"}, {"max", "now+7200"}});
  control.updateControl();
  EXPECT_THAT(control.getDatePickers(),
              ElementsAre(Property(&tk::DatePicker::maxDate, Date{1'700'007'200.0 - 978'307'200.0}),
                          framed({226, 202, 95, 24}),
                          Property(&tk::DatePicker::datePickerStyle, tk::DatePickerStyle::ClockAndCalendar),
                          AllOf(framed({209, 72, 130, 130}),
                                Property(&tk::DatePicker::dateValue, Date{1'700'003'600.0 - 978'307'200.0}))));
}

TEST_F(KoraUIBuildTest, HiddenAndTargetOnlyHidden) {
  Dict description{{"mainKeyword", "Duplex"}, {"control_type", "PopupButton"}, {"text", "Duplex"}, {"isHidden", true}};
  EXPECT_TRUE(build(description)->titleText()->isHidden());
  description.set("isHidden", false);
  description.set("isTargetOnlyHidden", true);
  auto target = build(description);
  EXPECT_TRUE(target->popupButton()->isHidden());
  EXPECT_FALSE(target->titleText()->isHidden());
}

TEST_F(KoraUIBuildTest, ControlHeightRules) {
  const Value three = choices({{"a", "A"}, {"b", "B"}, {"c", "C"}});
  const std::pair<Dict, double> rows[] = {
      {Dict{{"control_type", "TextField_text"}, {"text", "T"}, {"isGroupMain", false}, {"groupTitle", "G"}}, 72},
      {Dict{{"control_type", "TextField_text"}, {"text", "T"}, {"isGroupMain", true}, {"groupTitle", "G"}}, 48},
      {Dict{{"control_type", "CheckBox"}, {"text", "A\rB"}, {"isGroupMain", false}, {"groupTitle", "G"}}, 72},
      {Dict{{"control_type", "CheckBox"}, {"text", "A\rB\rC"}}, 72},
      {Dict{{"control_type", "RadioButton"}, {"choices", three}}, 60},
      {Dict{{"control_type", "HRadioButton"}, {"text", "H"}, {"choices", three}}, 48},
      {Dict{{"control_type", "DatePicker"}}, 179},
      {Dict{{"control_type", "DatePicker"}, {"text", "D"}}, 203},
      {Dict{{"control_type", "PopupButton"}, {"text", "P"}, {"blank_line_count", 2}}, 96},
      {Dict{{"control_type", "PopupButton"}, {"blank_line_count", "1"}}, 48},
      {Dict{{"control_type", "Other"}, {"blank_line_count", 2}}, 0},
  };
  for (const auto& [description, height] : rows)
    EXPECT_EQ(build(description, nullptr, 400, 250)->getControlHeight(), height) << &height - &rows[0].second;
}

TEST_F(KoraUIBuildTest, ChildrenShareRowsStackBelowTheParentAndFollowItsEnablingChoice) {
  NotificationRecorder recorder;
  auto parent = build(fixtureControl("Parent"), fixtureBundle(), 400, 300);
  const std::vector<KORAUI*>& children = parent->childControls();
  ASSERT_THAT(children, ElementsAre(framed({0, 204, 400.0 / 3, 72}), framed({400.0 / 3, 204, 400.0 / 3, 72}),
                                    framed({800.0 / 3, 204, 400.0 / 3, 72}), framed({0, 180, 400, 72}),
                                    framed({0, 126, 400, 54})));  // a row's children share its width
  EXPECT_EQ(parent->getChildKORAUI("RowC"), children[2]);
  EXPECT_EQ(recorder.names(), (std::vector<std::string>{"RowA", "RowB", "RowC", "Level", "Para", "Parent"}));
  parent->setStringValue("False");
  for (KORAUI* child : children) EXPECT_FALSE(child->isEnabled()) << child->mainKeyword();
  parent->setStringValue("True");
  for (KORAUI* child : children) EXPECT_TRUE(child->isEnabled());
}

TEST_F(KoraUIBuildTest, ADescriptionListingItselfStopsAfterOneLevelAndTheFallbackHasChildren) {
  LogCapture log;
  auto loop = build(fixtureControl("Loop"), fixtureBundle(), 400, 200);
  EXPECT_THAT(loop->childControls(),
              ElementsAre(Property(&KORAUI::childControls, ElementsAre(Property(&KORAUI::childControls, IsEmpty())))));
  EXPECT_TRUE(log.contains("contains itself"));

  auto bundle = Bundle::bundleWithPath(testdataPath("Fallback.bundle"));  // children from the fallback description
  auto parent = build(fixtureControl("Parent", bundle), bundle, 400, 200);
  EXPECT_THAT(parent->childControls(), ElementsAre(Property(&KORAUI::mainKeyword, "FallbackChild")));
}

TEST_F(KoraUIBuildTest, AHandedDescriptionBuildsTheChildrenAndIsShared) {
  auto ui = std::make_shared<const Dict>(Dict{
      {"Top", Dict{{"mainKeyword", "Top"}, {"control_type", "CheckBox"}, {"other_controls", Array{"Mid"}}}},
      {"Mid", Dict{{"mainKeyword", "Mid"}, {"control_type", "CheckBox"}, {"other_controls", Array{"Leaf"}}}},
      {"Leaf", Dict{{"mainKeyword", "Leaf"}, {"control_type", "PopupButton"}}}});
  auto top = std::make_unique<KORAUI>(Rect{0, 0, 400, 300});
  top->setControlDictionary(*ui->get("Top").asDict(), nullptr);
  top->setUIDescription(ui);
  top->updateControl();
  EXPECT_THAT(top->childControls(),
              ElementsAre(Property(&KORAUI::childControls, ElementsAre(Property(&KORAUI::uiDescription, ui)))));
}

TEST_F(KoraUIBuildTest, HelpersMessageNameAndRemovingEverything) {
  EXPECT_EQ(KORAUI::getLineCount("a\nb"), 1);
  EXPECT_FALSE(KORAUI::getIconImage(testdataPath("KoraUI.plugin/Contents/Resources/none.png").string()));
  const std::optional<Dict> ui = loadUIDescription(fixtureBundle().get());
  EXPECT_EQ(KORAUI::getMainKeywordType(*ui, "Collate"), "checkbox");
  EXPECT_EQ(KORAUI::getMainKeywordType(*ui, "PaperSize"), "unknown");
  EXPECT_EQ(KORAUI::getMainKeywordType(*ui, "Parent"), "checkbox");

  auto control = build(Dict{{"mainKeyword", "K"}, {"control_type", "PopupButton"}, {"text", "Title"},
                            {"text_for_message", "Duplex printing"}, {"conflict", Dict{{"A", Dict{}}}},
                            {"choices", choices({{"A", "a"}})}},
                       fixtureBundle());
  EXPECT_EQ(control->mainKeywordText(), "Two-sided printing");
  control->controlRemoveAll();
  EXPECT_EQ(control->subviewCount(), 0u);
  EXPECT_TRUE(control->getConflictDictionary().empty());
  EXPECT_EQ(control->getChoicesCount(), -1);
}

}  // namespace
}  // namespace orval

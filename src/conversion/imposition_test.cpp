#include "conversion/imposition.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/log.h"

namespace orval {
namespace {

std::string text(const PrintOption& options, std::string_view key) {
  const Value* v = options.find(key);
  return v ? v->text() : std::string("<absent>");
}

constexpr const char* kAbsent = "<absent>";

// Checks each key's text; kAbsent stands for a key that must not be there.
void expectTexts(const PrintOption& options,
                 std::initializer_list<std::pair<const char*, std::string>> expected) {
  for (const auto& [key, value] : expected) EXPECT_EQ(text(options, key), value) << key;
}

PrintOption nup(std::string_view pages, std::string_view orientation, std::string_view paper) {
  return PrintOption{{"ImpositionMode_ImpositionCustomMode", "Nup"},
                     {"ImpositionNup_NumOfPages", pages},
                     {"DocumentOrientation", orientation},
                     {"ChgPrintPaperSizeType", paper}};
}

TEST(ImpositionTest, NupFourUpPortraitOnA4) {
  PrintOption options = nup("4up", "Portrait", "A4SEF");
  convertToCanonicalImpositionKeyword(options);
  expectTexts(options, {{"ImpositionMode", "Job"}, {"ImpositionCustomMode", "Nup"}, {"LayoutRepeatX", "2"},
                        {"LayoutRepeatY", "2"}, {"SheetDirection", "Portrait"}, {"FinishSheetDirection", "Portrait"},
                        {"FinishFixedForm", "Custom"}, {"FinishedSizeName", ""}, {"FinishedSizeHeight", "84189"},
                        {"FinishedSizeWidth", "59528"}, {"LayoutBaseFile", "NUp-1side.json"},
                        {"ImpositionAutoDuplex", "False"}, {"FixedForm", "A4SEF"}, {"SheetSizeName", ""},
                        {"SheetSizeHeight", ""}, {"SheetSizeWidth", ""}, {"FascicleMode", "None"},
                        {"NumberOfFascicle", "16"}, {"RotationAngle", "Rotate0"}, {"Fitting", "False"}});
  // The internal keys are gone.
  for (const char* key : {"ImpositionMode_ImpositionCustomMode", "ImpositionNup_NumOfPages",
                          "ImpositionBooklet_LayoutBaseFile", "ImpositionBooklet_CreepTotalOffset"})
    EXPECT_FALSE(options.contains(key)) << key;
}

TEST(ImpositionTest, NupOrientationFollowsThePaperWhenNotGiven) {
  PrintOption options = nup("2up", "Auto", "A4LEF");
  convertToCanonicalImpositionKeyword(options);
  expectTexts(options, {{"FinishSheetDirection", "Landscape"}, {"LayoutRepeatX", "1"}, {"LayoutRepeatY", "2"},
                        {"SheetDirection", "Portrait"}});

  PrintOption absent = nup("2up", "", "A4SEF");
  convertToCanonicalImpositionKeyword(absent);
  expectTexts(absent, {{"FinishSheetDirection", "Portrait"}, {"LayoutRepeatX", "2"}});
}

// Every pages-per-sheet value in both orientations, on a custom sheet whose
// sides do not halve evenly, then back to the internal form.
TEST(ImpositionTest, NupLayoutsAndFinishedSizesBothWays) {
  struct Row {
    const char *orientation, *pages, *layout, *height, *width;
  };
  // Sheet length 700001, width 1000003: long 1000003, short 700001.
  const Row rows[] = {
      {"Portrait", "2up", "2_1_Landscape", "700001", "500001"},  {"Portrait", "4up", "2_2_Portrait", "500001", "350000"},
      {"Portrait", "8up", "4_2_Landscape", "350000", "250000"},  {"Portrait", "16up", "4_4_Portrait", "250000", "175000"},
      {"Portrait", "32up", "8_4_Landscape", "175000", "125000"}, {"Landscape", "2up", "1_2_Portrait", "700001", "500001"},
      {"Landscape", "4up", "2_2_Landscape", "500001", "350000"}, {"Landscape", "8up", "2_4_Portrait", "350000", "250000"},
      {"Landscape", "16up", "4_4_Landscape", "250000", "175000"}, {"Landscape", "32up", "4_8_Portrait", "175000", "125000"},
  };
  for (const Row& row : rows) {
    PrintOption options = nup(row.pages, row.orientation, "Custom");
    options.set("ChgPrintPaperSizeLength", "700001");
    options.set("ChgPrintPaperSizeWidth", "1000003");
    convertToCanonicalImpositionKeyword(options);
    const std::string layout = text(options, "LayoutRepeatX") + "_" +
                               text(options, "LayoutRepeatY") + "_" +
                               text(options, "SheetDirection");
    EXPECT_EQ(layout, row.layout) << row.orientation << " " << row.pages;
    expectTexts(options, {{"FinishedSizeHeight", row.height}, {"FinishedSizeWidth", row.width}, {"FixedForm", "Custom"},
                          {"SheetSizeHeight", "700001"}, {"SheetSizeWidth", "1000003"}});

    convertToInternalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", "Nup"}, {"ImpositionNup_NumOfPages", row.pages},
                          {"ImpositionBooklet_LayoutBaseFile", "Left"},
                          {"ImpositionBooklet_CreepTotalOffset", "0.00"}});
  }
}

TEST(ImpositionTest, BookletOnACustomSheetWithoutCreep) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_LayoutBaseFile", "Left"},
                      {"DocumentOrientation", "Portrait"}, {"ChgPrintPaperSizeType", "Custom"},
                      {"ChgPrintPaperSizeLength", "200000"}, {"ChgPrintPaperSizeWidth", "150000"}};
  convertToCanonicalImpositionKeyword(options);
  expectTexts(options, {{"FinishedSizeHeight", "150000"}, {"FinishedSizeWidth", "100000"},
                        {"SheetSizeHeight", "200000"}, {"LayoutBaseFile", "SaddleStiching2x1(LeftBinding).json"},
                        {"RotationAngle", "Rotate0"}, {"FinishSheetDirection", "Portrait"},
                        {"SheetDirection", "Landscape"}, {"NupLayout", "Z"}, {"LayoutRepeatY", "1"},
                        // Without a creep value the creep and back margin keys are not touched.
                        {"BackMargin", kAbsent}, {"CreepSetting", kAbsent}, {"FascicleMode", kAbsent}});
}

TEST(ImpositionTest, BookletCreepBindingAndRotationBothWays) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_LayoutBaseFile", "Right"},
                      {"ImpositionBooklet_CreepTotalOffset", "1"}, {"DocumentOrientation", "Landscape"},
                      {"ChgPrintPaperSizeType", "A3"}};
  convertToCanonicalImpositionKeyword(options);
  expectTexts(options, {{"BackMargin", "567"}, {"CreepSetting", "False"}, {"CreepTotalOffset", "0"},
                        {"CreepInitialOffsetX", "0"}, {"LayoutBaseFile", "SaddleStiching2x1(RightBinding).json"},
                        {"RotationAngle", "Rotate90"}, {"FinishedSizeHeight", "168378"},
                        {"FinishedSizeWidth", "119055"}, {"FixedForm", "A3"}, {"SheetSizeHeight", ""}});

  convertToInternalImpositionKeyword(options);
  expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                        {"ImpositionBooklet_CreepTotalOffset", "1.00"}, {"ImpositionBooklet_LayoutBaseFile", "Right"},
                        {"ImpositionNup_NumOfPages", "2up"}});
  // The companion values stay with the options.
  expectTexts(options, {{"RotationAngle", "Rotate90"}, {"ImpositionAutoDuplex", "True"}, {"NupLayout", "Z"}});
  for (const char* key :
       {"ImpositionMode", "ImpositionCustomMode", "LayoutRepeatX", "BackMargin", "CreepSetting",
        "CreepTotalOffset", "CreepInitialOffsetX", "LayoutBaseFile", "FinishSheetDirection",
        "FinishFixedForm", "FinishedSizeName", "FinishedSizeHeight", "FinishedSizeWidth",
        "SheetDirection", "FixedForm", "SheetSizeName", "SheetSizeHeight", "SheetSizeWidth"})
    EXPECT_FALSE(options.contains(key)) << key;

  // A creep with two decimals survives the round trip through cep.
  PrintOption creep{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_CreepTotalOffset", "2.35"},
                    {"ImpositionBooklet_LayoutBaseFile", "Top"}, {"ChgPrintPaperSizeType", "A4LEF"},
                    {"DocumentOrientation", "Auto"}, {"RotationAngle", "Rotate180"}};
  convertToCanonicalImpositionKeyword(creep);
  expectTexts(creep, {{"BackMargin", "1332"}, {"LayoutBaseFile", "SaddleStiching2x1(LeftBinding).json"},
                      {"RotationAngle", "Rotate180"}});
  convertToInternalImpositionKeyword(creep);
  expectTexts(creep, {{"ImpositionBooklet_CreepTotalOffset", "2.35"}, {"ImpositionBooklet_LayoutBaseFile", "Left"}});
}

TEST(ImpositionTest, OffWritesNoSizesAndComesBackWithDefaults) {
  for (const char* mode : {"Off", "Template"}) {
    PrintOption options{{"ImpositionMode_ImpositionCustomMode", mode}, {"ChgPrintPaperSizeType", "A4SEF"},
                        {"ImpositionNup_NumOfPages", "8up"}, {"ImpositionNup_Fitting", "True"}};
    convertToCanonicalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode", mode}, {"ImpositionCustomMode", "Advanced"}, {"Fitting", "False"},
                          {"LayoutRepeatX", "1"}, {"LayoutRepeatY", "1"}, {"LayoutBaseFile", "Normal-1side.json"},
                          {"SheetDirection", "Landscape"}, {"CreepTotalOffset", "0"}, {"BackMargin", "0"}});
    for (const char* key :
         {"FinishedSizeHeight", "FinishedSizeWidth", "FixedForm", "SheetSizeName",
          "SheetSizeHeight", "SheetSizeWidth", "ImpositionNup_Fitting", "ImpositionNup_NumOfPages"})
      EXPECT_FALSE(options.contains(key)) << key;

    convertToInternalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", mode}, {"ImpositionNup_NumOfPages", "2up"},
                          {"ImpositionBooklet_LayoutBaseFile", "Left"},
                          {"ImpositionBooklet_CreepTotalOffset", "0.00"}});
  }
}

TEST(ImpositionTest, CanonicalToInternalModesAndUnknownLayouts) {
  PrintOption layout{{"ImpositionMode", "Job"}, {"ImpositionCustomMode", "Nup"}, {"LayoutRepeatX", "3"},
                     {"LayoutRepeatY", "2"}, {"SheetDirection", "Landscape"}};
  convertToInternalImpositionKeyword(layout);
  EXPECT_EQ(text(layout, "ImpositionNup_NumOfPages"), "2up");

  struct Case {
    const char* mode;
    const char* custom;
    const char* expected;
  };
  for (const Case& c : {Case{"Job", "Booklet", "Booklet"}, Case{"Job", "Advanced", "Off"},
                        Case{"Template", "Nup", "Template"}, Case{"Off", "Nup", "Off"},
                        Case{"Other", "Nup", "Off"}}) {
    PrintOption options{{"ImpositionMode", c.mode}, {"ImpositionCustomMode", c.custom}};
    convertToInternalImpositionKeyword(options);
    EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), c.expected) << c.mode << "/" << c.custom;
    EXPECT_FALSE(options.contains("ImpositionMode"));
  }

  // With one of the two mode keys missing nothing is joined, but the internal
  // defaults are set and the canonical description is cleared.
  PrintOption half{{"ImpositionMode", "Job"}, {"LayoutRepeatX", "2"}, {"Fitting", "True"}};
  convertToInternalImpositionKeyword(half);
  expectTexts(half, {{"ImpositionMode_ImpositionCustomMode", kAbsent}, {"ImpositionMode", "Job"},
                     {"ImpositionNup_NumOfPages", "2up"}, {"LayoutRepeatX", kAbsent}, {"Fitting", "True"}});

  PrintOption empty;
  convertToInternalImpositionKeyword(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(ImpositionTest, FittingFollowsTheModeBothWays) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Nup"}, {"ImpositionNup_Fitting", "True"},
                      {"ImpositionBooklet_Fitting", "False"}};
  saveScaleToFitValue(options);
  EXPECT_EQ(text(options, "Fitting"), "True");
  options.set("ImpositionMode_ImpositionCustomMode", "Booklet");
  saveScaleToFitValue(options);
  EXPECT_EQ(text(options, "Fitting"), "False");
  PrintOption noMode{{"ImpositionNup_Fitting", "True"}};
  saveScaleToFitValue(noMode);
  EXPECT_EQ(text(noMode, "Fitting"), "False");

  PrintOption canonical{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"Fitting", "True"}};
  setupScaleToFitValue(canonical);
  expectTexts(canonical, {{"ImpositionBooklet_Fitting", "True"}, {"ImpositionNup_Fitting", kAbsent},
                          {"Fitting", "True"}});

  // Inside the imposition conversion the switches are replaced by "Fitting".
  PrintOption booklet{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_Fitting", "True"},
                      {"ImpositionNup_Fitting", "False"}, {"ChgPrintPaperSizeType", "A4SEF"}};
  convertToCanonicalImpositionKeyword(booklet);
  expectTexts(booklet, {{"Fitting", "True"}, {"ImpositionBooklet_Fitting", kAbsent},
                        {"ImpositionNup_Fitting", kAbsent}});
  convertToInternalImpositionKeyword(booklet);
  setupScaleToFitValue(booklet);
  EXPECT_EQ(text(booklet, "ImpositionBooklet_Fitting"), "True");

  PrintOption none{{"ImpositionNup_Fitting", "True"}};
  convertToCanonicalImpositionKeyword(none);
  expectTexts(none, {{"Fitting", "False"}, {"ImpositionNup_Fitting", kAbsent}, {"ImpositionMode", kAbsent}});
}

TEST(ImpositionTest, CompanionValuesOfEachMode) {
  PrintOption off{{"RotationAngle", "Rotate90"}};
  restoreDefaultSettigImposition(off, "Off");
  EXPECT_EQ(off, (PrintOption{{"RotationAngle", "Rotate90"}}));
  restoreDefaultSettigImposition(off, "Nup");
  EXPECT_EQ(off, (PrintOption{{"RotationAngle", "Rotate0"}, {"FascicleMode", "None"}, {"NumberOfFascicle", "16"}}));
}

TEST(ImpositionTest, UnknownOrMissingSizes) {
  // "NoChange": no sheet size keys, and no known sheet to take the finished size from.
  PrintOption noChange = nup("2up", "Portrait", "NoChange");
  convertToCanonicalImpositionKeyword(noChange);
  expectTexts(noChange, {{"FixedForm", kAbsent}, {"SheetSizeHeight", kAbsent}, {"FinishedSizeHeight", "0"},
                         {"FinishedSizeWidth", "0"}});

  PrintOption unknown = nup("4up", "Portrait", "Poster");
  convertToCanonicalImpositionKeyword(unknown);
  expectTexts(unknown, {{"FixedForm", "Poster"}, {"FinishedSizeHeight", "0"}});

  PrintOption missing{{"ImpositionMode_ImpositionCustomMode", "Booklet"}};
  convertToCanonicalImpositionKeyword(missing);
  expectTexts(missing, {{"FixedForm", kAbsent}, {"FinishedSizeWidth", "0"},
                        {"LayoutBaseFile", "SaddleStiching2x1(LeftBinding).json"}});

  // A negative custom side counts as no size rather than as a huge unsigned one.
  PrintOption negative = nup("2up", "Portrait", "Custom");
  negative.set("ChgPrintPaperSizeLength", "-200000");
  negative.set("ChgPrintPaperSizeWidth", "150000");
  convertToCanonicalImpositionKeyword(negative);
  expectTexts(negative, {{"FinishedSizeHeight", "0"}, {"FinishedSizeWidth", "75000"}, {"SheetSizeHeight", "-200000"}});
}

TEST(ImpositionTest, ValuesThePanesNeverProduce) {
  LogCapture log;
  PrintOption mode{{"ImpositionMode_ImpositionCustomMode", "Poster"}, {"ImpositionNup_Fitting", "True"},
                   {"ChgPrintPaperSizeType", "A4SEF"}};
  convertToCanonicalImpositionKeyword(mode);
  expectTexts(mode, {{"ImpositionMode", "Off"}, {"ImpositionCustomMode", "Advanced"}, {"Fitting", "False"},
                     {"LayoutBaseFile", "Normal-1side.json"}, {"ImpositionMode_ImpositionCustomMode", kAbsent}});
  EXPECT_TRUE(log.contains("Poster"));

  PrintOption pages = nup("6up", "Landscape", "A4SEF");
  convertToCanonicalImpositionKeyword(pages);
  expectTexts(pages, {{"LayoutRepeatX", "1"}, {"LayoutRepeatY", "2"}, {"FinishedSizeWidth", "84189"}});
  EXPECT_TRUE(log.contains("6up"));
}

}  // namespace
}  // namespace orval

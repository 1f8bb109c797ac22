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

PrintOption nup(std::string_view pages, std::string_view orientation, std::string_view paper) {
  return PrintOption{{"ImpositionMode_ImpositionCustomMode", "Nup"},
                     {"ImpositionNup_NumOfPages", pages},
                     {"DocumentOrientation", orientation},
                     {"ChgPrintPaperSizeType", paper}};
}

TEST(ImpositionTest, NupFourUpPortraitOnA4) {
  PrintOption options = nup("4up", "Portrait", "A4SEF");
  convertToCanonicalImpositionKeyword(options);
  EXPECT_EQ(text(options, "ImpositionMode"), "Job");
  EXPECT_EQ(text(options, "ImpositionCustomMode"), "Nup");
  EXPECT_EQ(text(options, "LayoutRepeatX"), "2");
  EXPECT_EQ(text(options, "LayoutRepeatY"), "2");
  EXPECT_EQ(text(options, "SheetDirection"), "Portrait");
  EXPECT_EQ(text(options, "FinishSheetDirection"), "Portrait");
  EXPECT_EQ(text(options, "FinishFixedForm"), "Custom");
  EXPECT_EQ(text(options, "FinishedSizeName"), "");
  EXPECT_EQ(text(options, "FinishedSizeHeight"), "84189");
  EXPECT_EQ(text(options, "FinishedSizeWidth"), "59528");
  EXPECT_EQ(text(options, "LayoutBaseFile"), "NUp-1side.json");
  EXPECT_EQ(text(options, "ImpositionAutoDuplex"), "False");
  EXPECT_EQ(text(options, "FixedForm"), "A4SEF");
  EXPECT_EQ(text(options, "SheetSizeName"), "");
  EXPECT_EQ(text(options, "SheetSizeHeight"), "");
  EXPECT_EQ(text(options, "SheetSizeWidth"), "");
  EXPECT_EQ(text(options, "FascicleMode"), "None");
  EXPECT_EQ(text(options, "NumberOfFascicle"), "16");
  EXPECT_EQ(text(options, "RotationAngle"), "Rotate0");
  EXPECT_EQ(text(options, "Fitting"), "False");
  // The internal keys are gone.
  for (const char* key : {"ImpositionMode_ImpositionCustomMode", "ImpositionNup_NumOfPages",
                          "ImpositionBooklet_LayoutBaseFile", "ImpositionBooklet_CreepTotalOffset"})
    EXPECT_FALSE(options.contains(key)) << key;
}

TEST(ImpositionTest, NupOrientationFollowsThePaperWhenNotGiven) {
  PrintOption options = nup("2up", "Auto", "A4LEF");
  convertToCanonicalImpositionKeyword(options);
  EXPECT_EQ(text(options, "FinishSheetDirection"), "Landscape");
  EXPECT_EQ(text(options, "LayoutRepeatX"), "1");
  EXPECT_EQ(text(options, "LayoutRepeatY"), "2");
  EXPECT_EQ(text(options, "SheetDirection"), "Portrait");

  PrintOption absent = nup("2up", "", "A4SEF");
  convertToCanonicalImpositionKeyword(absent);
  EXPECT_EQ(text(absent, "FinishSheetDirection"), "Portrait");
  EXPECT_EQ(text(absent, "LayoutRepeatX"), "2");
}

// Every pages-per-sheet value in both orientations, on a custom sheet whose
// sides do not halve evenly, then back to the internal form.
TEST(ImpositionTest, NupLayoutsAndFinishedSizesBothWays) {
  struct Row {
    const char* orientation;
    const char* pages;
    const char* layout;
    const char* height;
    const char* width;
  };
  // Sheet length 700001, width 1000003: long 1000003, short 700001.
  const Row rows[] = {
      {"Portrait", "2up", "2_1_Landscape", "700001", "500001"},
      {"Portrait", "4up", "2_2_Portrait", "500001", "350000"},
      {"Portrait", "8up", "4_2_Landscape", "350000", "250000"},
      {"Portrait", "16up", "4_4_Portrait", "250000", "175000"},
      {"Portrait", "32up", "8_4_Landscape", "175000", "125000"},
      {"Landscape", "2up", "1_2_Portrait", "700001", "500001"},
      {"Landscape", "4up", "2_2_Landscape", "500001", "350000"},
      {"Landscape", "8up", "2_4_Portrait", "350000", "250000"},
      {"Landscape", "16up", "4_4_Landscape", "250000", "175000"},
      {"Landscape", "32up", "4_8_Portrait", "175000", "125000"},
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
    EXPECT_EQ(text(options, "FinishedSizeHeight"), row.height) << row.orientation << row.pages;
    EXPECT_EQ(text(options, "FinishedSizeWidth"), row.width) << row.orientation << row.pages;
    EXPECT_EQ(text(options, "FixedForm"), "Custom");
    EXPECT_EQ(text(options, "SheetSizeHeight"), "700001");
    EXPECT_EQ(text(options, "SheetSizeWidth"), "1000003");

    convertToInternalImpositionKeyword(options);
    EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), "Nup");
    EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), row.pages) << row.layout;
    EXPECT_EQ(text(options, "ImpositionBooklet_LayoutBaseFile"), "Left");
    EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "0.00");
  }
}

TEST(ImpositionTest, BookletOnACustomSheet) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                      {"ImpositionBooklet_LayoutBaseFile", "Left"},
                      {"DocumentOrientation", "Portrait"},
                      {"ChgPrintPaperSizeType", "Custom"},
                      {"ChgPrintPaperSizeLength", "200000"},
                      {"ChgPrintPaperSizeWidth", "150000"}};
  convertToCanonicalImpositionKeyword(options);
  EXPECT_EQ(text(options, "ImpositionMode"), "Job");
  EXPECT_EQ(text(options, "ImpositionCustomMode"), "Booklet");
  EXPECT_EQ(text(options, "FinishedSizeHeight"), "150000");
  EXPECT_EQ(text(options, "FinishedSizeWidth"), "100000");
  EXPECT_EQ(text(options, "SheetSizeHeight"), "200000");
  EXPECT_EQ(text(options, "SheetSizeWidth"), "150000");
  EXPECT_EQ(text(options, "FixedForm"), "Custom");
  EXPECT_EQ(text(options, "LayoutBaseFile"), "SaddleStiching2x1(LeftBinding).json");
  EXPECT_EQ(text(options, "RotationAngle"), "Rotate0");
  EXPECT_EQ(text(options, "FinishSheetDirection"), "Portrait");
  EXPECT_EQ(text(options, "SheetDirection"), "Landscape");
  EXPECT_EQ(text(options, "ImpositionAutoDuplex"), "True");
  EXPECT_EQ(text(options, "NupLayout"), "Z");
  EXPECT_EQ(text(options, "LayoutRepeatX"), "1");
  EXPECT_EQ(text(options, "LayoutRepeatY"), "1");
  // Without a creep value the creep and back margin keys are not touched.
  EXPECT_FALSE(options.contains("BackMargin"));
  EXPECT_FALSE(options.contains("CreepSetting"));
  EXPECT_FALSE(options.contains("FascicleMode"));  // an N-up companion value
}

TEST(ImpositionTest, BookletCreepBindingAndRotationBothWays) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                      {"ImpositionBooklet_LayoutBaseFile", "Right"},
                      {"ImpositionBooklet_CreepTotalOffset", "1"},
                      {"DocumentOrientation", "Landscape"},
                      {"ChgPrintPaperSizeType", "A3"}};
  convertToCanonicalImpositionKeyword(options);
  EXPECT_EQ(text(options, "BackMargin"), "567");
  EXPECT_EQ(text(options, "CreepSetting"), "False");
  EXPECT_EQ(text(options, "CreepTotalOffset"), "0");
  EXPECT_EQ(text(options, "CreepInitialOffsetX"), "0");
  EXPECT_EQ(text(options, "LayoutBaseFile"), "SaddleStiching2x1(RightBinding).json");
  EXPECT_EQ(text(options, "RotationAngle"), "Rotate90");
  EXPECT_EQ(text(options, "FinishedSizeHeight"), "168378");  // A3: width 168378, height 238111
  EXPECT_EQ(text(options, "FinishedSizeWidth"), "119055");   // 238111 / 2, rounded down
  EXPECT_EQ(text(options, "FixedForm"), "A3");
  EXPECT_EQ(text(options, "SheetSizeHeight"), "");

  convertToInternalImpositionKeyword(options);
  EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), "Booklet");
  EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "1.00");
  EXPECT_EQ(text(options, "ImpositionBooklet_LayoutBaseFile"), "Right");
  EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), "2up");
  // The companion values stay with the options.
  EXPECT_EQ(text(options, "RotationAngle"), "Rotate90");
  EXPECT_EQ(text(options, "ImpositionAutoDuplex"), "True");
  EXPECT_EQ(text(options, "NupLayout"), "Z");
  for (const char* key :
       {"ImpositionMode", "ImpositionCustomMode", "LayoutRepeatX", "BackMargin", "CreepSetting",
        "CreepTotalOffset", "CreepInitialOffsetX", "LayoutBaseFile", "FinishSheetDirection",
        "FinishFixedForm", "FinishedSizeName", "FinishedSizeHeight", "FinishedSizeWidth",
        "SheetDirection", "FixedForm", "SheetSizeName", "SheetSizeHeight", "SheetSizeWidth"})
    EXPECT_FALSE(options.contains(key)) << key;

  // A creep with two decimals survives the round trip through cep.
  PrintOption creep{{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                    {"ImpositionBooklet_CreepTotalOffset", "2.35"},
                    {"ImpositionBooklet_LayoutBaseFile", "Top"},
                    {"ChgPrintPaperSizeType", "A4LEF"},
                    {"DocumentOrientation", "Auto"},
                    {"RotationAngle", "Rotate180"}};
  convertToCanonicalImpositionKeyword(creep);
  EXPECT_EQ(text(creep, "BackMargin"), "1332");
  EXPECT_EQ(text(creep, "LayoutBaseFile"), "SaddleStiching2x1(LeftBinding).json");
  EXPECT_EQ(text(creep, "RotationAngle"), "Rotate180");  // orientation neither way: left alone
  convertToInternalImpositionKeyword(creep);
  EXPECT_EQ(text(creep, "ImpositionBooklet_CreepTotalOffset"), "2.35");
  EXPECT_EQ(text(creep, "ImpositionBooklet_LayoutBaseFile"), "Left");
}

TEST(ImpositionTest, OffWritesNoSizesAndComesBackWithDefaults) {
  for (const char* mode : {"Off", "Template"}) {
    PrintOption options{{"ImpositionMode_ImpositionCustomMode", mode},
                        {"ChgPrintPaperSizeType", "A4SEF"},
                        {"ImpositionNup_NumOfPages", "8up"},
                        {"ImpositionNup_Fitting", "True"}};
    convertToCanonicalImpositionKeyword(options);
    EXPECT_EQ(text(options, "ImpositionMode"), mode);
    EXPECT_EQ(text(options, "ImpositionCustomMode"), "Advanced");
    EXPECT_EQ(text(options, "Fitting"), "False");
    EXPECT_EQ(text(options, "LayoutRepeatX"), "1");
    EXPECT_EQ(text(options, "LayoutRepeatY"), "1");
    EXPECT_EQ(text(options, "LayoutBaseFile"), "Normal-1side.json");
    EXPECT_EQ(text(options, "SheetDirection"), "Landscape");
    EXPECT_EQ(text(options, "CreepTotalOffset"), "0");
    EXPECT_EQ(text(options, "BackMargin"), "0");
    for (const char* key :
         {"FinishedSizeHeight", "FinishedSizeWidth", "FixedForm", "SheetSizeName",
          "SheetSizeHeight", "SheetSizeWidth", "ImpositionNup_Fitting", "ImpositionNup_NumOfPages"})
      EXPECT_FALSE(options.contains(key)) << key;

    convertToInternalImpositionKeyword(options);
    EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), mode);
    EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), "2up");
    EXPECT_EQ(text(options, "ImpositionBooklet_LayoutBaseFile"), "Left");
    EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "0.00");
  }
}

TEST(ImpositionTest, CanonicalToInternalModesAndUnknownLayouts) {
  PrintOption layout{{"ImpositionMode", "Job"},
                     {"ImpositionCustomMode", "Nup"},
                     {"LayoutRepeatX", "3"},
                     {"LayoutRepeatY", "2"},
                     {"SheetDirection", "Landscape"}};
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
    EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), c.expected)
        << c.mode << "/" << c.custom;
    EXPECT_FALSE(options.contains("ImpositionMode"));
  }

  // With one of the two mode keys missing nothing is joined, but the internal
  // defaults are set and the canonical description is cleared.
  PrintOption half{{"ImpositionMode", "Job"}, {"LayoutRepeatX", "2"}, {"Fitting", "True"}};
  convertToInternalImpositionKeyword(half);
  EXPECT_FALSE(half.contains("ImpositionMode_ImpositionCustomMode"));
  EXPECT_EQ(text(half, "ImpositionMode"), "Job");
  EXPECT_EQ(text(half, "ImpositionNup_NumOfPages"), "2up");
  EXPECT_FALSE(half.contains("LayoutRepeatX"));
  EXPECT_EQ(text(half, "Fitting"), "True");

  PrintOption empty;
  convertToInternalImpositionKeyword(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(ImpositionTest, FittingFollowsTheModeBothWays) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Nup"},
                      {"ImpositionNup_Fitting", "True"},
                      {"ImpositionBooklet_Fitting", "False"}};
  saveScaleToFitValue(options);
  EXPECT_EQ(text(options, "Fitting"), "True");
  options.set("ImpositionMode_ImpositionCustomMode", "Booklet");
  saveScaleToFitValue(options);
  EXPECT_EQ(text(options, "Fitting"), "False");
  options.set("ImpositionMode_ImpositionCustomMode", "Nup");
  options.remove("ImpositionNup_Fitting");
  options.set("ImpositionBooklet_Fitting", "True");
  saveScaleToFitValue(options);
  EXPECT_EQ(text(options, "Fitting"), "False");  // the other mode's switch does not count
  PrintOption noMode{{"ImpositionNup_Fitting", "True"}};
  saveScaleToFitValue(noMode);
  EXPECT_EQ(text(noMode, "Fitting"), "False");

  PrintOption canonical{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"Fitting", "True"}};
  setupScaleToFitValue(canonical);
  EXPECT_EQ(text(canonical, "ImpositionBooklet_Fitting"), "True");
  EXPECT_FALSE(canonical.contains("ImpositionNup_Fitting"));
  EXPECT_EQ(text(canonical, "Fitting"), "True");
  PrintOption withoutFitting{{"ImpositionMode_ImpositionCustomMode", "Nup"}};
  setupScaleToFitValue(withoutFitting);
  EXPECT_FALSE(withoutFitting.contains("ImpositionNup_Fitting"));

  // Inside the imposition conversion the switches are replaced by "Fitting".
  PrintOption booklet{{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                      {"ImpositionBooklet_Fitting", "True"},
                      {"ImpositionNup_Fitting", "False"},
                      {"ChgPrintPaperSizeType", "A4SEF"}};
  convertToCanonicalImpositionKeyword(booklet);
  EXPECT_EQ(text(booklet, "Fitting"), "True");
  EXPECT_FALSE(booklet.contains("ImpositionBooklet_Fitting"));
  EXPECT_FALSE(booklet.contains("ImpositionNup_Fitting"));
  convertToInternalImpositionKeyword(booklet);
  setupScaleToFitValue(booklet);
  EXPECT_EQ(text(booklet, "ImpositionBooklet_Fitting"), "True");

  PrintOption none{{"ImpositionNup_Fitting", "True"}};
  convertToCanonicalImpositionKeyword(none);
  EXPECT_EQ(text(none, "Fitting"), "False");
  EXPECT_FALSE(none.contains("ImpositionNup_Fitting"));
  EXPECT_FALSE(none.contains("ImpositionMode"));
}

TEST(ImpositionTest, SheetSizeStepAndCompanionValues) {
  PrintOption noChange{{"ChgPrintPaperSizeType", "NoChange"}};
  convertImpositionSheetSize(noChange);
  EXPECT_EQ(noChange.size(), 1u);
  PrintOption named{{"ChgPrintPaperSizeType", "B4"}, {"ChgPrintPaperSizeLength", "1"}};
  convertImpositionSheetSize(named);
  EXPECT_EQ(text(named, "FixedForm"), "B4");
  EXPECT_EQ(text(named, "SheetSizeHeight"), "");  // a named size sends no custom length
  EXPECT_EQ(text(named, "SheetSizeWidth"), "");

  PrintOption off{{"RotationAngle", "Rotate90"}};
  restoreDefaultSettigImposition(off, "Off");
  EXPECT_EQ(off, (PrintOption{{"RotationAngle", "Rotate90"}}));
  restoreDefaultSettigImposition(off, "Nup");
  EXPECT_EQ(off, (PrintOption{{"RotationAngle", "Rotate0"},
                              {"FascicleMode", "None"},
                              {"NumberOfFascicle", "16"}}));
}

TEST(ImpositionTest, UnknownOrMissingSizes) {
  // "NoChange": no sheet size keys, and no known sheet to take the finished size from.
  PrintOption noChange = nup("2up", "Portrait", "NoChange");
  convertToCanonicalImpositionKeyword(noChange);
  EXPECT_FALSE(noChange.contains("FixedForm"));
  EXPECT_FALSE(noChange.contains("SheetSizeHeight"));
  EXPECT_EQ(text(noChange, "FinishedSizeHeight"), "0");
  EXPECT_EQ(text(noChange, "FinishedSizeWidth"), "0");

  PrintOption unknown = nup("4up", "Portrait", "Poster");
  convertToCanonicalImpositionKeyword(unknown);
  EXPECT_EQ(text(unknown, "FixedForm"), "Poster");
  EXPECT_EQ(text(unknown, "FinishedSizeHeight"), "0");

  PrintOption missing{{"ImpositionMode_ImpositionCustomMode", "Booklet"}};
  convertToCanonicalImpositionKeyword(missing);
  EXPECT_FALSE(missing.contains("FixedForm"));
  EXPECT_EQ(text(missing, "FinishedSizeWidth"), "0");
  EXPECT_EQ(text(missing, "LayoutBaseFile"), "SaddleStiching2x1(LeftBinding).json");

  // A negative custom side counts as no size rather than as a huge unsigned one.
  PrintOption negative = nup("2up", "Portrait", "Custom");
  negative.set("ChgPrintPaperSizeLength", "-200000");
  negative.set("ChgPrintPaperSizeWidth", "150000");
  convertToCanonicalImpositionKeyword(negative);
  EXPECT_EQ(text(negative, "FinishedSizeHeight"), "0");
  EXPECT_EQ(text(negative, "FinishedSizeWidth"), "75000");
  EXPECT_EQ(text(negative, "SheetSizeHeight"), "-200000");  // passed on as given
}

TEST(ImpositionTest, ValuesThePanesNeverProduce) {
  LogCapture log;
  PrintOption mode{{"ImpositionMode_ImpositionCustomMode", "Poster"},
                   {"ImpositionNup_Fitting", "True"},
                   {"ChgPrintPaperSizeType", "A4SEF"}};
  convertToCanonicalImpositionKeyword(mode);
  EXPECT_EQ(text(mode, "ImpositionMode"), "Off");
  EXPECT_EQ(text(mode, "ImpositionCustomMode"), "Advanced");
  EXPECT_EQ(text(mode, "Fitting"), "False");
  EXPECT_EQ(text(mode, "LayoutBaseFile"), "Normal-1side.json");
  EXPECT_FALSE(mode.contains("ImpositionMode_ImpositionCustomMode"));
  EXPECT_TRUE(log.contains("Poster"));

  PrintOption pages = nup("6up", "Landscape", "A4SEF");
  convertToCanonicalImpositionKeyword(pages);
  EXPECT_EQ(text(pages, "LayoutRepeatX"), "1");
  EXPECT_EQ(text(pages, "LayoutRepeatY"), "2");
  EXPECT_EQ(text(pages, "FinishedSizeWidth"), "84189");
  EXPECT_TRUE(log.contains("6up"));
}

}  // namespace
}  // namespace orval

#include "conversion/imposition.h"

#include <gtest/gtest.h>

#include "conversion/converter_test_support.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

using converter_testing::expectTexts;
using converter_testing::kAbsent;
using converter_testing::text;

PrintOption nup(std::string_view pages, std::string_view orientation, std::string_view paper) {
  return PrintOption{{"ImpositionMode_ImpositionCustomMode", "Nup"}, {"ImpositionNup_NumOfPages", pages},
                     {"DocumentOrientation", orientation}, {"ChgPrintPaperSizeType", paper}};
}

TEST(ImpositionTest, NupFourUpPortraitOnA4) {
  PrintOption options = nup("4up", "Portrait", "A4SEF");
  options.set("ChgPrintPaperSizeLength", "700001");  // a custom length left from before: not this paper's
  convertToCanonicalImpositionKeyword(options);
  // A fixed paper names its size and leaves the sheet's sides empty (sizes from the table: the booklet's test).
  expectTexts(options, {{"FixedForm", "A4SEF"}, {"SheetSizeHeight", ""}, {"RotationAngle", "Rotate0"}});
  PrintOption lef = nup("2up", "Auto", "A4LEF");  // without an orientation the finished sheet follows the paper
  convertToCanonicalImpositionKeyword(lef);
  expectTexts(lef, {{"FinishSheetDirection", "Landscape"}, {"LayoutRepeatX", "1"}, {"LayoutRepeatY", "2"}});
}

// Every pages-per-sheet value in both orientations, on a custom sheet (long side 1000003, short 700001)
// whose sides do not halve evenly, then back to the internal form.
TEST(ImpositionTest, NupLayoutsAndFinishedSizesBothWays) {
  const struct {
    const char *orientation, *pages, *layout, *height, *width;
  } rows[] = {
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
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.orientation) + " " + row.pages);
    PrintOption options = nup(row.pages, row.orientation, "Custom");
    options.set("ChgPrintPaperSizeLength", "700001");
    options.set("ChgPrintPaperSizeWidth", "1000003");
    convertToCanonicalImpositionKeyword(options);
    EXPECT_EQ(text(options, "LayoutRepeatX") + "_" + text(options, "LayoutRepeatY") + "_" +
                  text(options, "SheetDirection"), row.layout);
    expectTexts(options, {{"FinishedSizeHeight", row.height}, {"FinishedSizeWidth", row.width},
                          {"SheetSizeHeight", "700001"}, {"SheetSizeWidth", "1000003"}});
    convertToInternalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", "Nup"}, {"ImpositionNup_NumOfPages", row.pages},
                          {"ImpositionBooklet_CreepTotalOffset", "0.00"}});
  }
}

TEST(ImpositionTest, BookletCreepBindingAndRotationBothWays) {
  PrintOption plain{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"DocumentOrientation", "Portrait"},
                    {"ChgPrintPaperSizeType", "Custom"}, {"ChgPrintPaperSizeLength", "200000"},
                    {"ChgPrintPaperSizeWidth", "150000"}};
  convertToCanonicalImpositionKeyword(plain);
  expectTexts(plain, {{"FinishedSizeHeight", "150000"}, {"FinishedSizeWidth", "100000"},
                      {"SheetDirection", "Landscape"}, {"NupLayout", "Z"}, {"BackMargin", kAbsent},
                      {"CreepSetting", kAbsent}});  // no creep value
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_LayoutBaseFile", "Right"},
                      {"ImpositionBooklet_CreepTotalOffset", "1"}, {"DocumentOrientation", "Landscape"},
                      {"ChgPrintPaperSizeType", "A3"}};
  convertToCanonicalImpositionKeyword(options);
  expectTexts(options, {{"BackMargin", "567"}, {"CreepSetting", "False"}, {"CreepTotalOffset", "0"},
                        {"LayoutBaseFile", "SaddleStiching2x1(RightBinding).json"}, {"RotationAngle", "Rotate90"},
                        {"FinishedSizeHeight", "168378"}, {"FinishedSizeWidth", "119055"}});
  convertToInternalImpositionKeyword(options);
  expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                        {"ImpositionBooklet_CreepTotalOffset", "1.00"}, {"ImpositionBooklet_LayoutBaseFile", "Right"},
                        {"RotationAngle", "Rotate90"}, {"ImpositionAutoDuplex", "True"}});
  for (const char* key : {"ImpositionMode", "BackMargin", "LayoutBaseFile", "FinishedSizeHeight", "FixedForm"})
    EXPECT_FALSE(options.contains(key)) << key;
  // A creep with two decimals survives the round trip through cep; top binding is left binding.
  PrintOption creep{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionBooklet_CreepTotalOffset", "2.35"},
                    {"ImpositionBooklet_LayoutBaseFile", "Top"}, {"ChgPrintPaperSizeType", "A4LEF"},
                    {"RotationAngle", "Rotate180"}};
  convertToCanonicalImpositionKeyword(creep);
  expectTexts(creep, {{"BackMargin", "1332"}, {"RotationAngle", "Rotate180"}});
  convertToInternalImpositionKeyword(creep);
  expectTexts(creep, {{"ImpositionBooklet_CreepTotalOffset", "2.35"}, {"ImpositionBooklet_LayoutBaseFile", "Left"}});
}

TEST(ImpositionTest, OffWritesNoSizesAndComesBackWithDefaults) {
  for (const char* mode : {"Off", "Template"}) {
    PrintOption options{{"ImpositionMode_ImpositionCustomMode", mode}, {"ChgPrintPaperSizeType", "A4SEF"},
                        {"ImpositionNup_NumOfPages", "8up"}, {"ImpositionNup_Fitting", "True"}};
    convertToCanonicalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode", mode}, {"ImpositionCustomMode", "Advanced"}, {"Fitting", "False"},
                          {"LayoutRepeatX", "1"}, {"LayoutBaseFile", "Normal-1side.json"}, {"BackMargin", "0"},
                          {"FinishedSizeHeight", kAbsent}, {"FixedForm", kAbsent}, {"SheetSizeWidth", kAbsent},
                          {"ImpositionNup_NumOfPages", kAbsent}});
    convertToInternalImpositionKeyword(options);
    expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", mode}, {"ImpositionNup_NumOfPages", "2up"},
                          {"ImpositionBooklet_LayoutBaseFile", "Left"}});
  }
}

TEST(ImpositionTest, CanonicalToInternalModes) {
  // Only a job's own N-up or booklet is joined as that mode; any other pair is off.
  for (const auto& [mode, custom] :
       {std::pair{"Job", "Advanced"}, std::pair{"Off", "Nup"}, std::pair{"Other", "Nup"}}) {
    PrintOption options{{"ImpositionMode", mode}, {"ImpositionCustomMode", custom}};
    convertToInternalImpositionKeyword(options);
    EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), "Off") << mode << "/" << custom;
  }
  // With one mode key missing nothing is joined; the pages take their default and the layout keys go.
  PrintOption half{{"ImpositionMode", "Job"}, {"LayoutRepeatX", "3"}, {"LayoutRepeatY", "2"}, {"Fitting", "True"}};
  convertToInternalImpositionKeyword(half);
  expectTexts(half, {{"ImpositionMode_ImpositionCustomMode", kAbsent}, {"ImpositionMode", "Job"},
                     {"ImpositionNup_NumOfPages", "2up"}, {"LayoutRepeatX", kAbsent}, {"Fitting", "True"}});
}

TEST(ImpositionTest, UnknownMissingOrNegativeSizes) {
  PrintOption noChange = nup("2up", "Portrait", "NoChange");
  convertToCanonicalImpositionKeyword(noChange);
  expectTexts(noChange, {{"FixedForm", kAbsent}, {"SheetSizeHeight", kAbsent}, {"FinishedSizeHeight", "0"}});
  PrintOption negative = nup("2up", "Portrait", "Custom");
  negative.set("ChgPrintPaperSizeLength", "-200000");
  negative.set("ChgPrintPaperSizeWidth", "150000");
  convertToCanonicalImpositionKeyword(negative);
  expectTexts(negative, {{"FinishedSizeHeight", "0"}, {"FinishedSizeWidth", "75000"}});  // not a huge unsigned size
  // Values the panes never produce are logged and fall back.
  LogCapture log;
  PrintOption mode{{"ImpositionMode_ImpositionCustomMode", "Poster"}, {"ChgPrintPaperSizeType", "A4SEF"}};
  convertToCanonicalImpositionKeyword(mode);
  expectTexts(mode, {{"ImpositionMode", "Off"}, {"ImpositionCustomMode", "Advanced"}});
  EXPECT_TRUE(log.contains("Poster"));
  PrintOption pages = nup("64up", "Portrait", "A4SEF");
  convertToCanonicalImpositionKeyword(pages);
  expectTexts(pages, {{"LayoutRepeatX", "2"}, {"LayoutRepeatY", "1"}, {"SheetDirection", "Landscape"}});
  EXPECT_TRUE(log.contains("\"64up\" unknown, converted as 2up"));
}

}  // namespace
}  // namespace orval

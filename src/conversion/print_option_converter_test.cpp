#include "conversion/print_option_converter.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "conversion/converter_test_support.h"
#include "conversion/password_encoder.h"
#include "platform/foundation/log.h"
#include "platform/foundation/user.h"

namespace orval {
namespace {

using Converter = PrintOptionConverter;

constexpr const char* kPaperType =
    "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber";
constexpr const char* kPaperTypeBypass =
    "PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_"
    "MediaTypeDrilledBypass_PaperTypeCustomNumberBypass";

using converter_testing::expectTexts;
using converter_testing::kAbsent;
using converter_testing::stdoutOf;
using converter_testing::text;

// The encoder writes its progress on standard output; tests keep it out of their own output.
class PrintOptionConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { unloadEncDec(); }
  void TearDown() override { unloadEncDec(); }
  static void toCanonical(PrintOption& options, bool flag = true) {
    stdoutOf([&] { Converter::convertToCanonicalPpdKeyword(options, flag); });
  }
  static void toInternal(PrintOption& options) { stdoutOf([&] { Converter::convertToInternalPpdKeyword(options); }); }
};

// A booklet of a custom 100 x 210 mm sheet with three creases and most of the converted keys (punch and page
// order: print_option_converter_keys_test). Each row:
// the internal value, its canonical text (kAbsent: split into other keys) and the text it comes back as.
struct JobRow {
  const char *key, *internal, *canonical, *back = nullptr;  // back: the internal value when none
};
const JobRow kBookletJob[] = {
    {"ImpositionMode_ImpositionCustomMode", "Booklet", kAbsent}, {"ImpositionBooklet_Fitting", "True", kAbsent},
    {"DocumentOrientation", "Portrait", "Portrait"}, {"ChgPrintPaperSizeType", "Custom", "Custom"},
    {"ChgPrintPaperSizeLength", "100", "56693", "100.00"}, {"ChgPrintPaperSizeWidth", "210", "119055", "210.00"},
    {"CreaseNum", "3", "3"}, {"CreasePosition1", "10", "39685", "10.00"}, {"CreasePosition2", "20", "45354", "20.00"},
    {"CreasePosition3", "30", "51024", "30.00"}, {"CreaseDirection1", "Mountain", "Valley"},
    {"CreaseDirection3", "Valley", "Mountain"}, {"TrimmerCutSize", "3", "1701", "3.00"},
    {"FormPositionWidth", "20", "11339", "20.00"},
    {kPaperType, "Plain_True_Matte_False_False_3", kAbsent},
    {kPaperTypeBypass, "Coated_False_Gloss_True_False_0", kAbsent},
    {"SpTonerSpecifyColorFront_SpTonerColorFront", "True_Clear", kAbsent}, {"Magnification", "100.0", "1000"},
    {"HairLineWarningPoint", "0.250", "250"}, {"MinimumLineWidthValue", "1.5", "1500", "1.500"},
    {"SpTonerColorReplaceCyanFront", "0.50", "50"}, {"SpTonerColorReplaceBlackBack", "1", "100", "1.00"},
    {"PrintPositionFrontWidth", "12.70", "7200"}, {"PrintPositionFrontWidthMag", "50.0", "-500"},
    {"PrintPositionBackLengthMag", "100.0", "0"}, {"GraphicsTreatmentEx", "JobText", "JobText"},
};

TEST_F(PrintOptionConverterTest, BookletJobToCanonicalAndBack) {
  PrintOption options{{"AuthJobUserIdType", "Login"}, {"AuthJobUserId", "someone-else"}};
  for (const JobRow& row : kBookletJob) options.set(row.key, row.internal);
  toCanonical(options);
  for (const JobRow& row : kBookletJob) EXPECT_EQ(text(options, row.key), row.canonical) << row.key;
  // The booklet takes half the sheet per page; joined keys are split.
  expectTexts(options, {{"FinishedSizeWidth", "59527"},
                        {"PaperType", "Plain"},
                        {"PaperTypeCustomNumber", "3"},
                        {"AuthJobUserId", userName()}});

  options.remove("GraphicsTreatmentEx");  // derived again from the base and the mode
  toInternal(options);
  for (const JobRow& row : kBookletJob)
    EXPECT_EQ(text(options, row.key), row.back ? row.back : row.internal) << row.key;
  for (const char* gone : {"PaperType", "SpTonerColorFront", "FixedForm", "ImpositionNup_Fitting"})
    EXPECT_FALSE(options.contains(gone)) << gone;
}

// (Passwords and paper lengths stay as well: `orval convert --no-custom`'s test.)
TEST_F(PrintOptionConverterTest, WithoutTheCustomFlagPrintPositionsStayAndFinishingLengthsConvert) {
  PrintOption options{{"PrintPositionBackWidthMag", "90"}, {"TopAndTailTrimFinishSize", "1"}};
  toCanonical(options, false);
  expectTexts(options, {{"PrintPositionBackWidthMag", "90"}, {"TopAndTailTrimFinishSize", "567"}});
}

TEST_F(PrintOptionConverterTest, RenderingProfileSwitch) {
  for (const auto& [profile, type, name, expected] :
       {std::tuple{"True", "ICC", "", "PrinterStandard"}, std::tuple{"False", "PrinterStandard", "", "ICC"},
        std::tuple{"False", "PrinterStandard", "Coated.icc", "PrinterStandard"},
        std::tuple{"False", "Measurement", "", "Measurement"}}) {
    PrintOption options{{"RenderingProfile", profile}, {"RenderingProfileType", type}};
    if (*name) options.set("RenderingProfileName", name);
    toCanonical(options);
    expectTexts(options, {{"RenderingProfileType", expected}, {"RenderingProfile", kAbsent}});
  }
  for (const auto& [type, expected] : {std::pair{"ICC", "False"}, std::pair{"Measurement", "False"},
                                       std::pair{"PrinterStandard", "True"}, std::pair{"Other", "True"}}) {
    PrintOption back{{"RenderingProfileType", type}};
    toInternal(back);
    expectTexts(back, {{"RenderingProfile", expected}, {"RenderingProfileType", type}});
  }
}

TEST_F(PrintOptionConverterTest, SpotColorProfileStockTypesAndAJobOwnerGivenById) {
  PrintOption options{{"SpotColorCorrectionProfile", "UseOther"}, {"QZInputSlot", "TrayStock"},
                      {"BlankPapersFrontTray", "Tray2"}, {"BlankPapersBackTray", ""}, {"SeparatorsTray", "TrayStock"},
                      {"Imposition1stTray", "Manual"}, {"AuthJobUserIdType", "ID"}, {"AuthJobUserId", "operator7"}};
  toCanonical(options);
  expectTexts(options, {{"SpotColorCorrectionProfileType", "PrinterStandard"}, {"StockType", "Name"},
                        {"BlankPapersFrontStockType", "Property"}, {"BlankPapersBackStockType", kAbsent},
                        {"SeparatorsStockType", "Name"}, {"Imposition1stStockType", "Property"},
                        {"AuthJobUserId", "operator7"}, {"AuthJobUserIdType", kAbsent}});
  for (const auto& [profile, type] : {std::pair{"Standard", "PrinterStandard"}, std::pair{"Profile", kAbsent}}) {
    PrintOption spot{{"SpotColorCorrectionProfile", profile}};
    toCanonical(spot);
    expectTexts(spot, {{"SpotColorCorrectionProfileType", type}});
  }
}

TEST_F(PrintOptionConverterTest, PasswordsBothWaysAndNeverKeptInClear) {
  PrintOption unloaded{{"RscPassword", "abc"}, {"AuthJobPassword", ""}};
  LogCapture log;
  toCanonical(unloaded);
  EXPECT_TRUE(log.contains("###### encode error"));
  expectTexts(unloaded, {{"RscPassword", ""}, {"AuthJobPassword", ""}});
  PrintOption encoded{{"AuthJobPassword", "ENC1:00"}};
  toInternal(encoded);
  EXPECT_TRUE(log.contains("###### decode error"));

  stdoutOf([] { ASSERT_EQ(loadEncDec(converter_testing::kEncryptionLibraryDir.c_str()), 0); });
  log.clear();
  PrintOption options{{"SecurityPrintPassword", "one"}, {"RscPassword", "two"}, {"AuthJobPassword", "three"}};
  toCanonical(options);
  for (const char* key : {"SecurityPrintPassword", "RscPassword", "AuthJobPassword"})
    EXPECT_TRUE(text(options, key).starts_with("ENC1:")) << key;
  toInternal(options);
  expectTexts(options, {{"SecurityPrintPassword", "one"}, {"RscPassword", "two"}, {"AuthJobPassword", "three"}});
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(PrintOptionConverterTest, EmptyValuesAreNotConverted) {
  PrintOption options{{"Magnification", ""}, {"HairLineWarningPoint", ""}, {"CreasePosition1", ""},
                      {"Punch_PunchHoles", ""}, {"PageOrder_new", ""}, {"GraphicsTreatmentEx", ""}};
  toCanonical(options);
  expectTexts(options, {{"Magnification", ""}, {"HairLineWarningPoint", ""}, {"CreasePosition1", ""},
                        {"Punch_PunchHoles", ""}, {"PageOrder_new", ""}, {"GraphicsTreatmentEx", ""},
                        {"Punch", kAbsent}, {"PageOrder", kAbsent}, {"GraphicsTreatmentBase", kAbsent}});
}

}  // namespace
}  // namespace orval

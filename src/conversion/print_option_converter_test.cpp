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

const std::string kLibraryDir = ORVAL_BINARY_DIR "/src/encryption";

constexpr const char* kPaperType =
    "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber";
constexpr const char* kPaperTypeBypass =
    "PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_"
    "MediaTypeDrilledBypass_PaperTypeCustomNumberBypass";

using converter_testing::expectTexts;
using converter_testing::kAbsent;
using converter_testing::text;

// The encoder writes its progress on standard output; tests keep it out of their own output.
class PrintOptionConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { unloadEncDec(); }
  void TearDown() override { unloadEncDec(); }
  template <class Action>
  static void quietly(Action action) {
    testing::internal::CaptureStdout();
    action();
    testing::internal::GetCapturedStdout();
  }
  static void loadEncoder() { quietly([] { ASSERT_EQ(loadEncDec(kLibraryDir.c_str()), 0); }); }
  static void toCanonical(PrintOption& options, bool flag = true) {
    quietly([&] { Converter::convertToCanonicalPpdKeyword(options, flag); });
  }
  static void toInternal(PrintOption& options) { quietly([&] { Converter::convertToInternalPpdKeyword(options); }); }
};

// A booklet of a custom 100 x 210 mm sheet with three creases and most of the converted keys.
PrintOption bookletJob() {
  return PrintOption{{"ImpositionMode_ImpositionCustomMode", "Booklet"}, {"ImpositionNup_NumOfPages", "2up"},
                     {"ImpositionBooklet_LayoutBaseFile", "Right"}, {"ImpositionBooklet_CreepTotalOffset", "1"},
                     {"ImpositionBooklet_Fitting", "True"}, {"ImpositionNup_Fitting", "False"},
                     {"DocumentOrientation", "Portrait"}, {"ChgPrintPaperSizeType", "Custom"},
                     {"ChgPrintPaperSizeLength", "100"}, {"ChgPrintPaperSizeWidth", "210"}, {"CreaseNum", "3"},
                     {"CreasePosition1", "10"}, {"CreasePosition2", "20"}, {"CreasePosition3", "30"},
                     {"CreaseDirection1", "Mountain"}, {"CreaseDirection3", "Valley"},
                     {"Punch_PunchHoles", "LeftHoles2"}, {"PageOrder_new", "FaceUpReverse"},
                     {kPaperType, "Plain_True_Matte_False_False_3"},
                     {kPaperTypeBypass, "Coated_False_Gloss_True_False_0"},
                     {"SpTonerSpecifyColorFront_SpTonerColorFront", "True_Clear"}, {"Magnification", "100.0"},
                     {"HairLineWarningPoint", "0.250"}, {"MinimumLineWidthValue", "1.5"},
                     {"SpTonerColorReplaceCyanFront", "0.50"}, {"SpTonerColorReplaceBlackBack", "1"},
                     {"PrintPositionFrontWidth", "12.70"}, {"PrintPositionFrontWidthMag", "50.0"},
                     {"PrintPositionBackLengthMag", "100.0"}, {"TrimmerCutSize", "3"},
                     {"GraphicsTreatmentEx", "JobText"}, {"AuthJobUserIdType", "Login"},
                     {"AuthJobUserId", "someone-else"}, {"SecurityPrintPassword", "s3cret"}};
}

TEST_F(PrintOptionConverterTest, BookletJobToCanonicalAndBack) {
  loadEncoder();
  PrintOption options = bookletJob();
  toCanonical(options);
  // Creases reversed (1 <-> 3) and mirrored on the 100 mm sheet; the booklet takes half the sheet per page.
  expectTexts(options, {{"ChgPrintPaperSizeLength", "56693"}, {"ChgPrintPaperSizeWidth", "119055"},
                        {"CreasePosition1", "39685"}, {"CreasePosition2", "45354"}, {"CreasePosition3", "51024"},
                        {"CreaseDirection1", "Valley"}, {"TrimmerCutSize", "1701"}, {"BackMargin", "567"},
                        {"FinishedSizeWidth", "59527"}, {"ImpositionBooklet_Fitting", kAbsent}});
  expectTexts(options, {{"Punch", "Left"}, {"PageOrder", "Reverse"}, {"PaperType", "Plain"},
                        {"PaperTypeCustomNumber", "3"}, {"MediaTypePreprintedBypass", "True"},
                        {"SpTonerColorFront", "Clear"}, {kPaperType, kAbsent}});
  expectTexts(options, {{"Magnification", "1000"}, {"HairLineWarningPoint", "250"}, {"MinimumLineWidthValue", "1500"},
                        {"SpTonerColorReplaceCyanFront", "50"}, {"SpTonerColorReplaceBlackBack", "100"},
                        {"PrintPositionFrontWidth", "7200"}, {"PrintPositionFrontWidthMag", "-500"},
                        {"PrintPositionBackLengthMag", "0"}, {"GraphicsTreatmentMode", "Text"}});
  expectTexts(options, {{"AuthJobUserId", userName()}, {"AuthJobUserIdType", kAbsent}});
  EXPECT_TRUE(text(options, "SecurityPrintPassword").starts_with("ENC1:"));

  toInternal(options);
  expectTexts(options, {{"ImpositionBooklet_Fitting", "True"}, {"ChgPrintPaperSizeLength", "100.00"},
                        {"ChgPrintPaperSizeWidth", "210.00"}, {"CreasePosition1", "10.00"},
                        {"CreasePosition3", "30.00"}, {"CreaseDirection1", "Mountain"}, {"TrimmerCutSize", "3.00"},
                        {"Punch_PunchHoles", "LeftHoles2"}, {"PageOrder_new", "FaceUpReverse"},
                        {kPaperType, "Plain_True_Matte_False_False_3"},
                        {kPaperTypeBypass, "Coated_False_Gloss_True_False_0"},
                        {"SpTonerSpecifyColorFront_SpTonerColorFront", "True_Clear"}, {"Magnification", "100.0"},
                        {"HairLineWarningPoint", "0.250"}, {"MinimumLineWidthValue", "1.500"},
                        {"SpTonerColorReplaceCyanFront", "0.50"}, {"SpTonerColorReplaceBlackBack", "1.00"},
                        {"PrintPositionFrontWidth", "12.70"}, {"PrintPositionFrontWidthMag", "50.0"},
                        {"PrintPositionBackLengthMag", "100.0"}, {"GraphicsTreatmentEx", "JobText"},
                        {"SecurityPrintPassword", "s3cret"}});
  for (const char* gone : {"Punch", "PageOrder", "PaperType", "SpTonerColorFront", "BackMargin", "FixedForm"})
    EXPECT_FALSE(options.contains(gone)) << gone;
}

TEST_F(PrintOptionConverterTest, WithoutTheCustomFlagPasswordsAndPaperLengthsStayAsTheyAre) {
  PrintOption options{{"SecurityPrintPassword", "s3cret"}, {"ChgPrintPaperSizeLength", "297"},
                      {"PrintPositionBackWidthMag", "90"}, {"TopAndTailTrimFinishSize", "1"}, {"CreasePosition4", "2"}};
  toCanonical(options, false);
  expectTexts(options, {{"SecurityPrintPassword", "s3cret"}, {"ChgPrintPaperSizeLength", "297"},
                        {"PrintPositionBackWidthMag", "90"}, {"TopAndTailTrimFinishSize", "567"},
                        {"CreasePosition4", "1134"}});
}

TEST_F(PrintOptionConverterTest, JoinedPaperTypeWithAPaperWeight) {
  PrintOption options{{"PaperType_MediaTypeTabbed", "Plain_False"}, {"MediaTypeCoatingMaterial", "Matte"},
                      {"MediaTypePreprinted", "False"}, {"MediaTypeDrilled", "True"}, {"PaperTypeCustomNumber", "2"},
                      {"MediaTypeWeightValue", "120"}};
  toCanonical(options);
  expectTexts(options, {{"PaperType", "Plain"}, {"MediaTypeTabbed", "False"}});
  toInternal(options);
  expectTexts(options, {{"PaperType_MediaTypeTabbed", "Plain_False"}, {kPaperType, kAbsent}});
  // A joined value with one part fewer than its key stays joined in the canonical form.
  PrintOption short_{{kPaperType, "Plain_False_Matte_False_False"}};
  toCanonical(short_);
  expectTexts(short_, {{kPaperType, "Plain_False_Matte_False_False"}, {"PaperType", kAbsent}});
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

  loadEncoder();
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
                      {"Punch_PunchHoles", ""}, {"PageOrder_new", ""}, {"GraphicsTreatmentEx", ""},
                      {"ImpositionMode_ImpositionCustomMode", "Off"}};
  toCanonical(options);
  expectTexts(options, {{"Magnification", ""}, {"HairLineWarningPoint", ""}, {"CreasePosition1", ""},
                        {"Punch_PunchHoles", ""}, {"PageOrder_new", ""}, {"GraphicsTreatmentEx", ""},
                        {"Punch", kAbsent}, {"PageOrder", kAbsent}, {"GraphicsTreatmentBase", kAbsent},
                        {"FinishedSizeHeight", kAbsent}, {"SheetSizeWidth", kAbsent}});
  toInternal(options);
  expectTexts(options, {{"ImpositionNup_NumOfPages", "2up"}, {"ImpositionBooklet_LayoutBaseFile", "Left"},
                        {"ImpositionBooklet_CreepTotalOffset", "0.00"}});
}

}  // namespace
}  // namespace orval

#include "conversion/print_option_converter.h"

#include <gtest/gtest.h>

#include <string>

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

// The encoder writes its progress on standard output; tests keep it out of their own output.
class PrintOptionConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { unloadEncDec(); }
  void TearDown() override { unloadEncDec(); }

  static void loadEncoder() {
    testing::internal::CaptureStdout();
    const int status = loadEncDec(kLibraryDir.c_str());
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(status, 0);
  }
  static void toCanonical(PrintOption& options, bool flag = true) {
    testing::internal::CaptureStdout();
    Converter::convertToCanonicalPpdKeyword(options, flag);
    testing::internal::GetCapturedStdout();
  }
  static void toInternal(PrintOption& options) {
    testing::internal::CaptureStdout();
    Converter::convertToInternalPpdKeyword(options);
    testing::internal::GetCapturedStdout();
  }
};

// A booklet of a custom 100 x 210 mm sheet with three creases and most of the converted keys.
PrintOption bookletJob() {
  return PrintOption{{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                     {"ImpositionNup_NumOfPages", "2up"},
                     {"ImpositionBooklet_LayoutBaseFile", "Right"},
                     {"ImpositionBooklet_CreepTotalOffset", "1"},
                     {"ImpositionBooklet_Fitting", "True"},
                     {"ImpositionNup_Fitting", "False"},
                     {"DocumentOrientation", "Portrait"},
                     {"ChgPrintPaperSizeType", "Custom"},
                     {"ChgPrintPaperSizeLength", "100"},
                     {"ChgPrintPaperSizeWidth", "210"},
                     {"CreaseNum", "3"},
                     {"CreasePosition1", "10"},
                     {"CreasePosition2", "20"},
                     {"CreasePosition3", "30"},
                     {"CreaseDirection1", "Mountain"},
                     {"CreaseDirection3", "Valley"},
                     {"Punch_PunchHoles", "LeftHoles2"},
                     {"PageOrder_new", "FaceUpReverse"},
                     {kPaperType, "Plain_True_Matte_False_False_3"},
                     {kPaperTypeBypass, "Coated_False_Gloss_True_False_0"},
                     {"SpTonerSpecifyColorFront_SpTonerColorFront", "True_Clear"},
                     {"Magnification", "100.0"},
                     {"HairLineWarningPoint", "0.250"},
                     {"MinimumLineWidthValue", "1.5"},
                     {"SpTonerColorReplaceCyanFront", "0.50"},
                     {"SpTonerColorReplaceBlackBack", "1"},
                     {"PrintPositionFrontWidth", "12.70"},
                     {"PrintPositionFrontWidthMag", "50.0"},
                     {"PrintPositionBackLengthMag", "100.0"},
                     {"TrimmerCutSize", "3"},
                     {"GraphicsTreatmentEx", "JobText"},
                     {"AuthJobUserIdType", "Login"},
                     {"AuthJobUserId", "someone-else"},
                     {"SecurityPrintPassword", "s3cret"}};
}

TEST_F(PrintOptionConverterTest, BookletJobToCanonicalAndBack) {
  loadEncoder();
  PrintOption options = bookletJob();
  toCanonical(options);
  // Lengths in cep; the creases reversed (1 <-> 3) and measured from the other end of the 100 mm sheet;
  // the booklet takes half the sheet per page and the creep as back margin.
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
  expectTexts(options, {{"ImpositionMode_ImpositionCustomMode", "Booklet"},
                        {"ImpositionBooklet_LayoutBaseFile", "Right"}, {"ImpositionBooklet_CreepTotalOffset", "1.00"},
                        {"ImpositionBooklet_Fitting", "True"}, {"ChgPrintPaperSizeLength", "100.00"},
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
                        {"SecurityPrintPassword", "s3cret"}, {"ImpositionAutoDuplex", "True"}});
  // Nothing of the canonical description is left but the values that stay.
  for (const char* gone : {"Punch", "PageOrder", "PaperType", "SpTonerColorFront", "BackMargin", "FixedForm"})
    EXPECT_FALSE(options.contains(gone)) << gone;
}

TEST_F(PrintOptionConverterTest, WithoutTheCustomFlagPasswordsAndPaperLengthsStayAsTheyAre) {
  PrintOption options{{"SecurityPrintPassword", "s3cret"}, {"ChgPrintPaperSizeLength", "297"},
                      {"FormPositionWidth", "10"}, {"PrintPositionBackWidth", "5"}, {"PrintPositionBackWidthMag", "90"},
                      {"TopAndTailTrimFinishSize", "1"}, {"CreasePosition4", "2"}};
  LogCapture log;
  toCanonical(options, false);
  expectTexts(options, {{"SecurityPrintPassword", "s3cret"}, {"ChgPrintPaperSizeLength", "297"},
                        {"FormPositionWidth", "10"}, {"PrintPositionBackWidth", "5"},
                        {"PrintPositionBackWidthMag", "90"}});
  // Trimming and crease lengths are converted in any case.
  expectTexts(options, {{"TopAndTailTrimFinishSize", "567"}, {"CreasePosition4", "1134"}});
  EXPECT_FALSE(log.contains("encode error"));
}

TEST_F(PrintOptionConverterTest, JoinedPaperTypeWithAPaperWeight) {
  PrintOption options{{"PaperType_MediaTypeTabbed", "Plain_False"}, {"MediaTypeCoatingMaterial", "Matte"},
                      {"MediaTypePreprinted", "False"}, {"MediaTypeDrilled", "True"}, {"PaperTypeCustomNumber", "2"},
                      {"MediaTypeWeightValue", "120"}};
  toCanonical(options);
  expectTexts(options, {{"PaperType", "Plain"}, {"MediaTypeTabbed", "False"}});
  toInternal(options);
  expectTexts(options, {{"PaperType_MediaTypeTabbed", "Plain_False"}, {"MediaTypeCoatingMaterial", "Matte"},
                        {"MediaTypeDrilled", "True"}, {"PaperTypeCustomNumber", "2"}, {kPaperType, kAbsent}});

  // A joined value with one part fewer than its key stays joined in the canonical form.
  PrintOption short_{{kPaperType, "Plain_False_Matte_False_False"}};
  toCanonical(short_);
  expectTexts(short_, {{kPaperType, "Plain_False_Matte_False_False"}, {"PaperType", kAbsent}});
}

TEST_F(PrintOptionConverterTest, RenderingProfileSwitch) {
  struct Case {
    const char *profile, *type, *name, *expected;
  };
  for (const Case& c : {Case{"True", "ICC", nullptr, "PrinterStandard"}, Case{"False", "PrinterStandard", nullptr, "ICC"},
                        Case{"False", "PrinterStandard", "Coated.icc", "PrinterStandard"},
                        Case{"False", "Measurement", nullptr, "Measurement"}}) {
    PrintOption options{{"RenderingProfile", c.profile}, {"RenderingProfileType", c.type}};
    if (c.name) options.set("RenderingProfileName", c.name);
    toCanonical(options);
    expectTexts(options, {{"RenderingProfileType", c.expected}, {"RenderingProfile", kAbsent}});
  }
  for (const auto& [type, expected] : {std::pair{"ICC", "False"}, std::pair{"Measurement", "False"},
                                       std::pair{"PrinterStandard", "True"}, std::pair{"Other", "True"}}) {
    PrintOption back{{"RenderingProfileType", type}};
    toInternal(back);
    expectTexts(back, {{"RenderingProfile", expected}, {"RenderingProfileType", type}});
  }
}

TEST_F(PrintOptionConverterTest, SpotColorProfileAndStockTypes) {
  PrintOption options{{"SpotColorCorrectionProfile", "UseOther"}, {"QZInputSlot", "TrayStock"},
                      {"BlankPapersFrontTray", "Tray2"}, {"BlankPapersBackTray", ""}, {"SeparatorsTray", "TrayStock"},
                      {"Imposition1stTray", "Manual"}, {"CoverPageTray", "TrayStock"}};
  toCanonical(options);
  expectTexts(options, {{"SpotColorCorrectionProfileType", "PrinterStandard"}, {"StockType", "Name"},
                        {"BlankPapersFrontStockType", "Property"}, {"BlankPapersBackStockType", kAbsent},
                        {"SeparatorsStockType", "Name"}, {"Imposition1stStockType", "Property"},
                        {"CoverPageStockType", "Name"}});

  PrintOption profile{{"SpotColorCorrectionProfile", "Profile"}};
  toCanonical(profile);
  EXPECT_FALSE(profile.contains("SpotColorCorrectionProfileType"));
}

TEST_F(PrintOptionConverterTest, AJobOwnerGivenByIdStays) {
  PrintOption byId{{"AuthJobUserIdType", "ID"}, {"AuthJobUserId", "operator7"}};
  toCanonical(byId);
  expectTexts(byId, {{"AuthJobUserId", "operator7"}, {"AuthJobUserIdType", kAbsent}});
}

TEST_F(PrintOptionConverterTest, PasswordsWithoutTheEncoderAreLoggedAndNotKeptInClear) {
  PrintOption options{{"RscPassword", "abc"}, {"AuthJobPassword", ""}};
  LogCapture log;
  toCanonical(options);
  EXPECT_TRUE(log.contains("###### encode error"));
  expectTexts(options, {{"RscPassword", ""}, {"AuthJobPassword", ""}});

  log.clear();
  PrintOption encoded{{"AuthJobPassword", "ENC1:00"}};
  toInternal(encoded);
  EXPECT_TRUE(log.contains("###### decode error"));
}

TEST_F(PrintOptionConverterTest, EveryPasswordIsEncodedAndDecoded) {
  loadEncoder();
  PrintOption options{{"SecurityPrintPassword", "one"}, {"RscPassword", "two"}, {"AuthJobPassword", "three"}};
  LogCapture log;
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

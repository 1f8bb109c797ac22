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

TEST_F(PrintOptionConverterTest, BookletJobToCanonical) {
  loadEncoder();
  PrintOption options = bookletJob();
  toCanonical(options);

  // Lengths in cep; the creases reversed (1 <-> 3) and measured from the other end of the 100 mm sheet.
  EXPECT_EQ(text(options, "ChgPrintPaperSizeLength"), "56693");
  EXPECT_EQ(text(options, "ChgPrintPaperSizeWidth"), "119055");
  EXPECT_EQ(text(options, "CreasePosition1"), "39685");  // 100 - 30 mm
  EXPECT_EQ(text(options, "CreasePosition2"), "45354");  // 100 - 20 mm
  EXPECT_EQ(text(options, "CreasePosition3"), "51024");  // 100 - 10 mm
  EXPECT_EQ(text(options, "CreaseDirection1"), "Valley");
  EXPECT_EQ(text(options, "CreaseDirection3"), "Mountain");
  EXPECT_EQ(text(options, "TrimmerCutSize"), "1701");

  // The booklet: half the sheet per page, the creep as back margin.
  EXPECT_EQ(text(options, "ImpositionMode"), "Job");
  EXPECT_EQ(text(options, "ImpositionCustomMode"), "Booklet");
  EXPECT_EQ(text(options, "Fitting"), "True");
  EXPECT_EQ(text(options, "LayoutBaseFile"), "SaddleStiching2x1(RightBinding).json");
  EXPECT_EQ(text(options, "BackMargin"), "567");
  EXPECT_EQ(text(options, "FinishedSizeHeight"), "56693");
  EXPECT_EQ(text(options, "FinishedSizeWidth"), "59527");
  EXPECT_EQ(text(options, "SheetSizeHeight"), "56693");
  EXPECT_EQ(text(options, "SheetSizeWidth"), "119055");
  EXPECT_FALSE(options.contains("ImpositionBooklet_Fitting"));
  EXPECT_FALSE(options.contains("ImpositionMode_ImpositionCustomMode"));

  EXPECT_EQ(text(options, "Punch"), "Left");
  EXPECT_EQ(text(options, "PunchHoles"), "Holes2");
  EXPECT_EQ(text(options, "PageOrder"), "Reverse");
  EXPECT_EQ(text(options, "OutputMode"), "FaceUp");
  EXPECT_EQ(text(options, "PaperType"), "Plain");
  EXPECT_EQ(text(options, "MediaTypeTabbed"), "True");
  EXPECT_EQ(text(options, "MediaTypeCoatingMaterial"), "Matte");
  EXPECT_EQ(text(options, "PaperTypeCustomNumber"), "3");
  EXPECT_EQ(text(options, "MediaTypePreprintedBypass"), "True");
  EXPECT_EQ(text(options, "SpTonerColorFront"), "Clear");
  EXPECT_FALSE(options.contains(kPaperType));

  EXPECT_EQ(text(options, "Magnification"), "1000");
  EXPECT_EQ(text(options, "HairLineWarningPoint"), "250");
  EXPECT_EQ(text(options, "MinimumLineWidthValue"), "1500");
  EXPECT_EQ(text(options, "SpTonerColorReplaceCyanFront"), "50");
  EXPECT_EQ(text(options, "SpTonerColorReplaceBlackBack"), "100");
  EXPECT_EQ(text(options, "PrintPositionFrontWidth"), "7200");
  EXPECT_EQ(text(options, "PrintPositionFrontWidthMag"), "-500");
  EXPECT_EQ(text(options, "PrintPositionBackLengthMag"), "0");
  EXPECT_EQ(text(options, "GraphicsTreatmentBase"), "Job");
  EXPECT_EQ(text(options, "GraphicsTreatmentMode"), "Text");

  EXPECT_EQ(text(options, "AuthJobUserId"), userName());
  EXPECT_FALSE(options.contains("AuthJobUserIdType"));
  EXPECT_TRUE(text(options, "SecurityPrintPassword").starts_with("ENC1:"));
}

TEST_F(PrintOptionConverterTest, BookletJobRoundTrip) {
  loadEncoder();
  PrintOption options = bookletJob();
  toCanonical(options);
  toInternal(options);

  EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), "Booklet");
  EXPECT_EQ(text(options, "ImpositionBooklet_LayoutBaseFile"), "Right");
  EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "1.00");
  EXPECT_EQ(text(options, "ImpositionBooklet_Fitting"), "True");
  EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), "2up");
  EXPECT_EQ(text(options, "ChgPrintPaperSizeLength"), "100.00");
  EXPECT_EQ(text(options, "ChgPrintPaperSizeWidth"), "210.00");
  EXPECT_EQ(text(options, "CreasePosition1"), "10.00");
  EXPECT_EQ(text(options, "CreasePosition2"), "20.00");
  EXPECT_EQ(text(options, "CreasePosition3"), "30.00");
  EXPECT_EQ(text(options, "CreaseDirection1"), "Mountain");
  EXPECT_EQ(text(options, "CreaseDirection3"), "Valley");
  EXPECT_EQ(text(options, "TrimmerCutSize"), "3.00");
  EXPECT_EQ(text(options, "Punch_PunchHoles"), "LeftHoles2");
  EXPECT_EQ(text(options, "PageOrder_new"), "FaceUpReverse");
  EXPECT_EQ(text(options, kPaperType), "Plain_True_Matte_False_False_3");
  EXPECT_EQ(text(options, kPaperTypeBypass), "Coated_False_Gloss_True_False_0");
  EXPECT_EQ(text(options, "SpTonerSpecifyColorFront_SpTonerColorFront"), "True_Clear");
  EXPECT_EQ(text(options, "Magnification"), "100.0");
  EXPECT_EQ(text(options, "HairLineWarningPoint"), "0.250");
  EXPECT_EQ(text(options, "MinimumLineWidthValue"), "1.500");
  EXPECT_EQ(text(options, "SpTonerColorReplaceCyanFront"), "0.50");
  EXPECT_EQ(text(options, "SpTonerColorReplaceBlackBack"), "1.00");
  EXPECT_EQ(text(options, "PrintPositionFrontWidth"), "12.70");
  EXPECT_EQ(text(options, "PrintPositionFrontWidthMag"), "50.0");
  EXPECT_EQ(text(options, "PrintPositionBackLengthMag"), "100.0");
  EXPECT_EQ(text(options, "GraphicsTreatmentEx"), "JobText");
  EXPECT_EQ(text(options, "SecurityPrintPassword"), "s3cret");
  EXPECT_FALSE(options.contains("AuthJobUserIdType"));

  // Nothing of the canonical imposition description is left but the values that stay.
  for (const char* gone : {"Punch", "PunchHoles", "PageOrder", "OutputMode", "PaperType", "SpTonerColorFront",
                           "LayoutBaseFile", "BackMargin", "FinishedSizeWidth", "SheetSizeHeight", "FixedForm"})
    EXPECT_FALSE(options.contains(gone)) << gone;
  EXPECT_EQ(text(options, "ImpositionAutoDuplex"), "True");
}

TEST_F(PrintOptionConverterTest, NupOnANamedPaperSizeRoundTrip) {
  PrintOption options{{"ImpositionMode_ImpositionCustomMode", "Nup"}, {"ImpositionNup_NumOfPages", "4up"},
                      {"ImpositionNup_Fitting", "True"},             {"DocumentOrientation", "Portrait"},
                      {"ChgPrintPaperSizeType", "A4SEF"}};
  toCanonical(options);
  EXPECT_EQ(text(options, "LayoutRepeatX"), "2");
  EXPECT_EQ(text(options, "LayoutRepeatY"), "2");
  EXPECT_EQ(text(options, "SheetDirection"), "Portrait");
  EXPECT_EQ(text(options, "FinishedSizeHeight"), "84189");
  EXPECT_EQ(text(options, "FinishedSizeWidth"), "59528");
  EXPECT_EQ(text(options, "FixedForm"), "A4SEF");
  EXPECT_EQ(text(options, "SheetSizeHeight"), "");
  EXPECT_EQ(text(options, "Fitting"), "True");

  toInternal(options);
  EXPECT_EQ(text(options, "ImpositionMode_ImpositionCustomMode"), "Nup");
  EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), "4up");
  EXPECT_EQ(text(options, "ImpositionNup_Fitting"), "True");
  EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "0.00");
  EXPECT_EQ(text(options, "ChgPrintPaperSizeType"), "A4SEF");
}

TEST_F(PrintOptionConverterTest, WithoutTheCustomFlagPasswordsAndPaperLengthsStayAsTheyAre) {
  PrintOption options{{"SecurityPrintPassword", "s3cret"},  {"ChgPrintPaperSizeLength", "297"},
                      {"FormPositionWidth", "10"},          {"PrintPositionBackWidth", "5"},
                      {"PrintPositionBackWidthMag", "90"},  {"TopAndTailTrimFinishSize", "1"},
                      {"CreasePosition4", "2"}};
  LogCapture log;
  toCanonical(options, false);
  EXPECT_EQ(text(options, "SecurityPrintPassword"), "s3cret");
  EXPECT_EQ(text(options, "ChgPrintPaperSizeLength"), "297");
  EXPECT_EQ(text(options, "FormPositionWidth"), "10");
  EXPECT_EQ(text(options, "PrintPositionBackWidth"), "5");
  EXPECT_EQ(text(options, "PrintPositionBackWidthMag"), "90");
  // Trimming and crease lengths are converted in any case.
  EXPECT_EQ(text(options, "TopAndTailTrimFinishSize"), "567");
  EXPECT_EQ(text(options, "CreasePosition4"), "1134");
  EXPECT_FALSE(log.contains("encode error"));
}

TEST_F(PrintOptionConverterTest, JoinedPaperTypeWithAPaperWeight) {
  PrintOption options{{"PaperType_MediaTypeTabbed", "Plain_False"}, {"MediaTypeCoatingMaterial", "Matte"},
                      {"MediaTypePreprinted", "False"},             {"MediaTypeDrilled", "True"},
                      {"PaperTypeCustomNumber", "2"},               {"MediaTypeWeightValue", "120"}};
  toCanonical(options);
  EXPECT_EQ(text(options, "PaperType"), "Plain");
  EXPECT_EQ(text(options, "MediaTypeTabbed"), "False");
  toInternal(options);
  EXPECT_EQ(text(options, "PaperType_MediaTypeTabbed"), "Plain_False");
  EXPECT_EQ(text(options, "MediaTypeCoatingMaterial"), "Matte");
  EXPECT_EQ(text(options, "MediaTypeDrilled"), "True");
  EXPECT_EQ(text(options, "PaperTypeCustomNumber"), "2");
  EXPECT_FALSE(options.contains(kPaperType));

  // A joined value with one part fewer than its key stays joined in the canonical form.
  PrintOption short_{{kPaperType, "Plain_False_Matte_False_False"}};
  toCanonical(short_);
  EXPECT_EQ(text(short_, kPaperType), "Plain_False_Matte_False_False");
  EXPECT_FALSE(short_.contains("PaperType"));
}

TEST_F(PrintOptionConverterTest, RenderingProfileSwitch) {
  PrintOption standard{{"RenderingProfile", "True"}, {"RenderingProfileType", "ICC"}};
  toCanonical(standard);
  EXPECT_EQ(text(standard, "RenderingProfileType"), "PrinterStandard");
  EXPECT_FALSE(standard.contains("RenderingProfile"));

  PrintOption noName{{"RenderingProfile", "False"}, {"RenderingProfileType", "PrinterStandard"}};
  toCanonical(noName);
  EXPECT_EQ(text(noName, "RenderingProfileType"), "ICC");
  EXPECT_FALSE(noName.contains("RenderingProfile"));

  PrintOption named{{"RenderingProfile", "False"},
                    {"RenderingProfileType", "PrinterStandard"},
                    {"RenderingProfileName", "Coated.icc"}};
  toCanonical(named);
  EXPECT_EQ(text(named, "RenderingProfileType"), "PrinterStandard");

  PrintOption measured{{"RenderingProfile", "False"}, {"RenderingProfileType", "Measurement"}};
  toCanonical(measured);
  EXPECT_EQ(text(measured, "RenderingProfileType"), "Measurement");

  for (const auto& [type, expected] : {std::pair{"ICC", "False"}, std::pair{"Measurement", "False"},
                                       std::pair{"PrinterStandard", "True"}, std::pair{"Other", "True"}}) {
    PrintOption back{{"RenderingProfileType", type}};
    toInternal(back);
    EXPECT_EQ(text(back, "RenderingProfile"), expected) << type;
    EXPECT_EQ(text(back, "RenderingProfileType"), type);
  }
}

TEST_F(PrintOptionConverterTest, SpotColorProfileAndStockTypes) {
  PrintOption options{{"SpotColorCorrectionProfile", "UseOther"}, {"QZInputSlot", "TrayStock"},
                      {"BlankPapersFrontTray", "Tray2"},         {"BlankPapersBackTray", ""},
                      {"SeparatorsTray", "TrayStock"},           {"Imposition1stTray", "Manual"},
                      {"CoverPageTray", "TrayStock"}};
  toCanonical(options);
  EXPECT_EQ(text(options, "SpotColorCorrectionProfileType"), "PrinterStandard");
  EXPECT_EQ(text(options, "StockType"), "Name");
  EXPECT_EQ(text(options, "BlankPapersFrontStockType"), "Property");
  EXPECT_FALSE(options.contains("BlankPapersBackStockType"));
  EXPECT_EQ(text(options, "SeparatorsStockType"), "Name");
  EXPECT_EQ(text(options, "Imposition1stStockType"), "Property");
  EXPECT_EQ(text(options, "CoverPageStockType"), "Name");

  PrintOption profile{{"SpotColorCorrectionProfile", "Profile"}};
  toCanonical(profile);
  EXPECT_FALSE(profile.contains("SpotColorCorrectionProfileType"));
}

TEST_F(PrintOptionConverterTest, JobOwnerTypeNeverReachesTheCanonicalForm) {
  PrintOption byId{{"AuthJobUserIdType", "ID"}, {"AuthJobUserId", "operator7"}};
  toCanonical(byId);
  EXPECT_EQ(text(byId, "AuthJobUserId"), "operator7");
  EXPECT_FALSE(byId.contains("AuthJobUserIdType"));

  PrintOption byLogin{{"AuthJobUserIdType", "Login"}};
  toCanonical(byLogin);
  ASSERT_FALSE(userName().empty());
  EXPECT_EQ(text(byLogin, "AuthJobUserId"), userName());
  EXPECT_FALSE(byLogin.contains("AuthJobUserIdType"));
}

TEST_F(PrintOptionConverterTest, PasswordsWithoutTheEncoderAreLoggedAndNotKeptInClear) {
  PrintOption options{{"RscPassword", "abc"}, {"AuthJobPassword", ""}};
  LogCapture log;
  toCanonical(options);
  EXPECT_TRUE(log.contains("###### encode error"));
  EXPECT_EQ(text(options, "RscPassword"), "");
  EXPECT_EQ(text(options, "AuthJobPassword"), "");

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
  EXPECT_EQ(text(options, "SecurityPrintPassword"), "one");
  EXPECT_EQ(text(options, "RscPassword"), "two");
  EXPECT_EQ(text(options, "AuthJobPassword"), "three");
  EXPECT_TRUE(log.lines().empty());
}

TEST_F(PrintOptionConverterTest, EmptyValuesAreNotConverted) {
  PrintOption options{{"Magnification", ""},       {"HairLineWarningPoint", ""}, {"CreasePosition1", ""},
                      {"Punch_PunchHoles", ""},    {"PageOrder_new", ""},        {"GraphicsTreatmentEx", ""},
                      {"ImpositionMode_ImpositionCustomMode", "Off"}};
  toCanonical(options);
  for (const char* key : {"Magnification", "HairLineWarningPoint", "CreasePosition1", "Punch_PunchHoles",
                          "PageOrder_new", "GraphicsTreatmentEx"})
    EXPECT_EQ(text(options, key), "") << key;
  for (const char* key : {"Punch", "PageOrder", "GraphicsTreatmentBase"}) EXPECT_FALSE(options.contains(key)) << key;
  // "Off" imposition: no finished or sheet sizes.
  EXPECT_FALSE(options.contains("FinishedSizeHeight"));
  EXPECT_FALSE(options.contains("SheetSizeWidth"));
  toInternal(options);
  EXPECT_EQ(text(options, "ImpositionNup_NumOfPages"), "2up");
  EXPECT_EQ(text(options, "ImpositionBooklet_LayoutBaseFile"), "Left");
  EXPECT_EQ(text(options, "ImpositionBooklet_CreepTotalOffset"), "0.00");
}

}  // namespace
}  // namespace orval

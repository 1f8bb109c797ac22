#include "panes/print_option_consistency_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/common_reset.h"
#include "common/localized_string.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/operator_error.h"
#include "platform/toolkit/scripted_operator.h"

namespace orval {
namespace {

using Keys = std::vector<std::string>;

class PrintOptionConsistencyCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
    tk::Application::shared().setOperator(operator_);
  }
  void TearDown() override {
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
  }

  void useMessages() {
    SetNSBundleForLocalizedString(Bundle::bundleWithPath(std::filesystem::path(ORVAL_SOURCE_DIR) /
                                                         "src/panes/testdata/CheckMessages.bundle"));
  }

  std::shared_ptr<tk::ScriptedOperator> operator_ = std::make_shared<tk::ScriptedOperator>();
};

// One rule: a set that meets its condition, and its required key and message.
struct RuleCase {
  PrintOption condition;
  const char* required;
  const char* message;
};

const std::vector<RuleCase>& ruleCases() {
  static const std::vector<RuleCase> cases{
      {{{"SecurityPrint", "True"}}, "SecurityPrintPassword", "Alert_SecurityPrintPassword"},
      {{{"MailNotifyJobEnd", "True"}}, "MailAddress", "Alert_MailAddress"},
      {{{"AuthJob", "True"}}, "AuthJobUserId", "Alert_AuthJobUserId"},
      {{{"QZInputSlot", "TrayStock"}}, "StockName", "Alert_StockName"},
      {{{"PhysicalPageRangeMode", "Appoint"}}, "PhysicalPageRange", "Alert_PhysicalPageRange"},
      {{{"RecordDiv", "Page"}, {"RecordSpec", "True"}}, "RecordSpecNumber", "Alert_RecordSpecNumber"},
      {{{"LogicalPageRangeMode", "Appoint"}}, "LogicalPageRange", "Alert_LogicalPageRange"},
      {{{"BlankPapersFrontTray", "TrayStock"}}, "BlankPapersFrontStockName", "Alert_BlankPapersFrontStockName"},
      {{{"BlankPapersBackTray", "TrayStock"}}, "BlankPapersBackStockName", "Alert_BlankPapersBackStockName"},
      {{{"SeparatorsTray", "TrayStock"}}, "SeparatorsStockName", "Alert_SeparatorsStockName"},
      {{{"ImpositionMode", "Template"}}, "ImpositionTemplate", "Alert_ImpositionTemplate"},
      {{{"ImpositionMode_ImpositionCustomMode", "Template"}}, "ImpositionTemplate", "Alert_ImpositionTemplate"},
      {{{"Imposition1stTray", "TrayStock"}}, "Imposition1stStockName", "Alert_Imposition1stStockName"},
      {{{"ImpositionVariablePrintMode", "UseForm"}}, "ImpositionFormName", "Alert_ImpositionFormName"},
      {{{"ImpositionPaginationMode", "Template"}}, "ImpositionPaginationTemplate",
       "Alert_ImpositionPaginationTemplate"},
      {{{"ImpositionWaterMark", "True"}}, "ImpositionWaterMarkName", "Alert_ImpositionWaterMarkName"},
      {{{"PaginationMode", "Template"}}, "PaginationTemplate", "Alert_PaginationTemplate"},
      {{{"VariablePrintMode", "UseForm"}}, "FormName", "Alert_FormName"},
      {{{"WaterMark", "True"}}, "WaterMarkName", "Alert_WaterMarkName"},
      {{{"ColorPatch", "True"}}, "ColorPatchFile", "Alert_ColorPatchFile"},
      {{{"OptionMemo", "True"}}, "OptionMemoFile", "Alert_OptionMemoFile"},
      {{{"UserDefineMemo", "True"}}, "UserDefineMemoFile", "Alert_UserDefineMemoFile"},
      {{{"MemoComment", "True"}}, "MemoCommentContent", "Alert_MemoCommentContent"},
      {{{"CmykColorCorrection", "True"}, {"CmykColorCorrectionProfileType", "DeviceLink"}}, "CmykDeviceLinkProfile",
       "Alert_CmykDeviceLinkProfile"},
      {{{"CmykColorCorrection", "True"}, {"CmykColorCorrectionProfileType", "Profile"}}, "CmykImageProfileName",
       "Alert_CmykImageProfileName"},
      {{{"RgbColorCorrection", "True"}, {"RgbImageCcMode", "Custom"}}, "RgbImageCcModeCustomName",
       "Alert_RgbImageCcModeCustomName"},
      {{{"SpotColorCorrection", "True"}, {"SpotColorCorrectionProfile", "Profile"}}, "SpotColorCorrectionProfileName",
       "Alert_SpotColorCorrectionProfileName"},
      {{{"RenderingProfile", "False"}}, "RenderingProfileName", "Alert_RenderingProfileName"},
      {{{"RenderingProfileType", "ICC"}}, "RenderingProfileName", "Alert_RenderingProfileName"},
      {{{"ImageUserAdjust", "True"}}, "ImageUserAdjustName", "Alert_ImageUserAdjustName"},
      {{{"ImageTonerCurve", "True"}}, "ImageTonerCurveName", "Alert_ImageTonerCurveName"},
      {{{"TextUserAdjust", "True"}}, "TextUserAdjustName", "Alert_TextUserAdjustName"},
      {{{"TextTonerCurve", "True"}}, "TextTonerCurveName", "Alert_TextTonerCurveName"},
      {{{"ImageCalibrationType", "File"}}, "ImageCalibration", "Alert_ImageCalibration"},
      {{{"TextCalibrationType", "File"}}, "TextCalibration", "Alert_TextCalibration"},
      {{{"ReplaceColorSettings", "True"}}, "ReplaceColorSettingsName", "Alert_ReplaceColorSettingsName"},
      {{{"TrappingProcessMode", "Template"}}, "TrappingProcessFile", "Alert_TrappingProcessFile"},
  };
  return cases;
}

TEST_F(PrintOptionConsistencyCheckTest, EachRuleFiresOnlyWhileItsValueIsMissing) {
  for (const RuleCase& rule : ruleCases()) {
    PrintOption options = rule.condition;
    EXPECT_EQ(printOptionConsistencyMessageKeys(options), Keys{rule.message}) << rule.message;
    options.set(rule.required, "");
    EXPECT_EQ(printOptionConsistencyMessageKeys(options), Keys{rule.message}) << rule.message;
    options.set(rule.required, " ");
    EXPECT_TRUE(printOptionConsistencyMessageKeys(options).empty()) << rule.message;
  }
}

TEST_F(PrintOptionConsistencyCheckTest, ConditionsCompareExactlyAndSpecialRules) {
  struct Case {
    PrintOption options;
    Keys keys;
  };
  const Case cases[] = {
      {{{"SecurityPrint", "true"}}, {}},
      {{{"WaterMark", "False"}}, {}},
      {{{"QZInputSlot", "Tray1"}}, {}},
      {{{"WaterMark", true}}, {"Alert_WaterMarkName"}},
      {{{"CmykColorCorrectionProfileType", "Profile"}, {"RgbImageCcMode", "Custom"}, {"SpotColorCorrectionProfile", "Profile"}}, {}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", "ID"}}, {"Alert_AuthJobUserId"}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", ""}, {"AuthJobUserId", ""}}, {"Alert_AuthJobUserId"}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", "Login"}}, {}},
      {{{"RecordDiv", "Off"}, {"RecordSpec", "True"}}, {}},
      {{{"RecordSpec", "True"}}, {}},
      {{{"RecordDiv", "Page"}, {"RecordSpec", "False"}}, {}},
      {{{"RenderingProfile", "False"}, {"RenderingProfileType", "PrinterStandard"}}, {"Alert_RenderingProfileName"}},
      {{{"RenderingProfile", "True"}, {"RenderingProfileType", "PrinterStandard"}}, {}},
      {{{"RenderingProfile", "True"}, {"RenderingProfileType", "Measurement"}}, {"Alert_RenderingProfileName"}},
      {{{"CmykColorCorrection", "True"}, {"CmykColorCorrectionProfileType", "DeviceLink"}, {"CmykImageProfileName", ""}},
       {"Alert_CmykDeviceLinkProfile"}},
  };
  for (const Case& c : cases) EXPECT_EQ(printOptionConsistencyMessageKeys(c.options), c.keys) << &c - cases;
}

TEST_F(PrintOptionConsistencyCheckTest, ConsistentSetsShowNothing) {
  EXPECT_TRUE(isPrintOptionConsistencyCheck(PrintOption{}));
  EXPECT_TRUE(isPrintOptionConsistencyCheck(nullptr));
  EXPECT_TRUE(isPrintOptionConsistencyCheck(PrintOption{{"SecurityPrint", "True"}, {"SecurityPrintPassword", "x"}}));
  EXPECT_TRUE(operator_->alertsShown().empty());
}

TEST_F(PrintOptionConsistencyCheckTest, OneAlertListsEveryMissingValueInRuleOrder) {
  useMessages();
  operator_->answerAlert(0);
  const PrintOption options{{"MailNotifyJobEnd", "True"}, {"TrappingProcessMode", "Template"},
                            {"SecurityPrint", "True"}};
  EXPECT_FALSE(isPrintOptionConsistencyCheck(options));
  ASSERT_EQ(operator_->alertsShown().size(), 1u);
  const auto& alert = operator_->alertsShown()[0];
  EXPECT_EQ(alert.messageText, "Some settings are incomplete.");
  EXPECT_EQ(alert.informativeText,
            "Enter the secure print password.\rEnter the mail address for the notification.\r"
            "Alert_TrappingProcessFile\r");
  EXPECT_EQ(alert.buttons, std::vector<std::string>{"OK"});
}

TEST_F(PrintOptionConsistencyCheckTest, WithoutStringsTheKeysAreShown) {
  operator_->answerAlert("OK");
  EXPECT_FALSE(isPrintOptionConsistencyCheck(PrintOption{{"ColorPatch", "True"}}));
  ASSERT_EQ(operator_->alertsShown().size(), 1u);
  EXPECT_EQ(operator_->alertsShown()[0].messageText, "Alert_ChkMsg");
  EXPECT_EQ(operator_->alertsShown()[0].informativeText, "Alert_ColorPatchFile\r");
}

}  // namespace
}  // namespace orval

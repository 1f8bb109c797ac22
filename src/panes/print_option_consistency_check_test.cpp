#include "panes/print_option_consistency_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/localized_string.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using Keys = std::vector<std::string>;

// Fresh common state and a scripted person to answer the alert.
using PrintOptionConsistencyCheckTest = kora_ui_testing::ScriptedPersonTest;

TEST_F(PrintOptionConsistencyCheckTest, EachRuleFiresOnlyWhileItsValueIsMissing) {
  // A set that meets the rule's condition, and the key it requires (its message is "Alert_" and the key).
  const std::vector<std::pair<PrintOption, std::string>> rules{
      {{{"SecurityPrint", "True"}}, "SecurityPrintPassword"}, {{{"MailNotifyJobEnd", "True"}}, "MailAddress"},
      {{{"AuthJob", "True"}}, "AuthJobUserId"}, {{{"QZInputSlot", "TrayStock"}}, "StockName"},
      {{{"PhysicalPageRangeMode", "Appoint"}}, "PhysicalPageRange"},
      {{{"RecordDiv", "Page"}, {"RecordSpec", "True"}}, "RecordSpecNumber"},
      {{{"LogicalPageRangeMode", "Appoint"}}, "LogicalPageRange"},
      {{{"BlankPapersFrontTray", "TrayStock"}}, "BlankPapersFrontStockName"},
      {{{"BlankPapersBackTray", "TrayStock"}}, "BlankPapersBackStockName"},
      {{{"SeparatorsTray", "TrayStock"}}, "SeparatorsStockName"},
      {{{"ImpositionMode", "Template"}}, "ImpositionTemplate"},
      {{{"ImpositionMode_ImpositionCustomMode", "Template"}}, "ImpositionTemplate"},
      {{{"Imposition1stTray", "TrayStock"}}, "Imposition1stStockName"},
      {{{"ImpositionVariablePrintMode", "UseForm"}}, "ImpositionFormName"},
      {{{"ImpositionPaginationMode", "Template"}}, "ImpositionPaginationTemplate"},
      {{{"ImpositionWaterMark", "True"}}, "ImpositionWaterMarkName"},
      {{{"PaginationMode", "Template"}}, "PaginationTemplate"}, {{{"VariablePrintMode", "UseForm"}}, "FormName"},
      {{{"WaterMark", "True"}}, "WaterMarkName"}, {{{"ColorPatch", "True"}}, "ColorPatchFile"},
      {{{"OptionMemo", "True"}}, "OptionMemoFile"}, {{{"UserDefineMemo", "True"}}, "UserDefineMemoFile"},
      {{{"MemoComment", "True"}}, "MemoCommentContent"},
      {{{"CmykColorCorrection", "True"}, {"CmykColorCorrectionProfileType", "DeviceLink"}}, "CmykDeviceLinkProfile"},
      {{{"CmykColorCorrection", "True"}, {"CmykColorCorrectionProfileType", "Profile"}}, "CmykImageProfileName"},
      {{{"RgbColorCorrection", "True"}, {"RgbImageCcMode", "Custom"}}, "RgbImageCcModeCustomName"},
      {{{"SpotColorCorrection", "True"}, {"SpotColorCorrectionProfile", "Profile"}}, "SpotColorCorrectionProfileName"},
      {{{"RenderingProfile", "False"}}, "RenderingProfileName"},
      {{{"RenderingProfileType", "ICC"}}, "RenderingProfileName"},
      {{{"ImageUserAdjust", "True"}}, "ImageUserAdjustName"}, {{{"ImageTonerCurve", "True"}}, "ImageTonerCurveName"},
      {{{"TextUserAdjust", "True"}}, "TextUserAdjustName"}, {{{"TextTonerCurve", "True"}}, "TextTonerCurveName"},
      {{{"ImageCalibrationType", "File"}}, "ImageCalibration"}, {{{"TextCalibrationType", "File"}}, "TextCalibration"},
      {{{"ReplaceColorSettings", "True"}}, "ReplaceColorSettingsName"},
      {{{"TrappingProcessMode", "Template"}}, "TrappingProcessFile"},
  };
  for (auto [options, required] : rules) {
    const Keys message{"Alert_" + required};
    EXPECT_EQ(printOptionConsistencyMessageKeys(options), message) << required;
    options.set(required, " ");
    EXPECT_TRUE(printOptionConsistencyMessageKeys(options).empty()) << required;
  }
}

TEST_F(PrintOptionConsistencyCheckTest, ConditionsCompareExactlyAndSpecialRules) {
  const std::pair<PrintOption, Keys> cases[] = {
      {{{"SecurityPrint", "true"}}, {}},
      {{{"WaterMark", true}}, {"Alert_WaterMarkName"}},
      {{{"CmykColorCorrectionProfileType", "Profile"}, {"RgbImageCcMode", "Custom"},
        {"SpotColorCorrectionProfile", "Profile"}},
       {}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", "ID"}}, {"Alert_AuthJobUserId"}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", ""}, {"AuthJobUserId", ""}}, {"Alert_AuthJobUserId"}},
      {{{"AuthJob", "True"}, {"AuthJobUserIdType", "Login"}}, {}},
      {{{"RecordDiv", "Off"}, {"RecordSpec", "True"}}, {}},
      {{{"RecordSpec", "True"}}, {}},
      {{{"RecordDiv", "Page"}, {"RecordSpec", "False"}}, {}},
      {{{"RenderingProfile", "False"}, {"RenderingProfileType", "PrinterStandard"}}, {"Alert_RenderingProfileName"}},
      {{{"RenderingProfile", "True"}, {"RenderingProfileType", "PrinterStandard"}}, {}},
  };
  for (const auto& [options, keys] : cases) EXPECT_EQ(printOptionConsistencyMessageKeys(options), keys) << &options;
}

TEST_F(PrintOptionConsistencyCheckTest, OneAlertListsEveryMissingValueInRuleOrderAndConsistentSetsShowNothing) {
  EXPECT_TRUE(isPrintOptionConsistencyCheck(PrintOption{}));
  EXPECT_TRUE(isPrintOptionConsistencyCheck(nullptr));

  person->answerAlert("OK");  // without string tables the keys are shown
  EXPECT_FALSE(isPrintOptionConsistencyCheck(PrintOption{{"ColorPatch", "True"}}));
  ASSERT_EQ(person->alertsShown().size(), 1u);
  EXPECT_EQ(person->alertsShown()[0].messageText, "Alert_ChkMsg");
  EXPECT_EQ(person->alertsShown()[0].informativeText, "Alert_ColorPatchFile\r");

  SetNSBundleForLocalizedString(Bundle::bundleWithPath(std::filesystem::path(ORVAL_SOURCE_DIR) /
                                                       "src/panes/testdata/CheckMessages.bundle"));
  person->answerAlert(0);
  EXPECT_FALSE(isPrintOptionConsistencyCheck(
      PrintOption{{"MailNotifyJobEnd", "True"}, {"TrappingProcessMode", "Template"}, {"SecurityPrint", "True"}}));
  ASSERT_EQ(person->alertsShown().size(), 2u);
  const auto& alert = person->alertsShown()[1];
  EXPECT_EQ(alert.messageText, "Some settings are incomplete.");
  EXPECT_EQ(alert.informativeText,
            "Enter the secure print password.\rEnter the mail address for the notification.\r"
            "Alert_TrappingProcessFile\r");
  EXPECT_EQ(alert.buttons, std::vector<std::string>{"OK"});
}

}  // namespace
}  // namespace orval

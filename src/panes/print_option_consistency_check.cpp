#include "panes/print_option_consistency_check.h"

#include <functional>
#include <string_view>

#include "common/localized_string.h"
#include "platform/toolkit/alert.h"

namespace orval {
namespace {

// The option set as the rules read it.
class OptionReader {
 public:
  explicit OptionReader(const PrintOption& options) : options_(options) {}

  bool isSet(std::string_view key) const { return !text(key).empty(); }
  bool equals(std::string_view key, std::string_view expected) const {
    const std::string value = text(key);
    return !value.empty() && value == expected;
  }

 private:
  std::string text(std::string_view key) const {
    const Value* value = options_.find(key);
    return value != nullptr ? value->text() : std::string();
  }

  const PrintOption& options_;
};

// One rule: when its condition holds, the required value must be set.
struct ConsistencyRule {
  std::function<bool(const OptionReader&)> condition;
  std::string_view required;
  std::string_view messageKey;
};

// A condition "key equals expected".
std::function<bool(const OptionReader&)> equals(std::string_view key, std::string_view expected) {
  return [key, expected](const OptionReader& options) { return options.equals(key, expected); };
}

const std::vector<ConsistencyRule>& consistencyRules() {
  static const std::vector<ConsistencyRule> rules{
      {equals("SecurityPrint", "True"), "SecurityPrintPassword", "Alert_SecurityPrintPassword"},
      {equals("MailNotifyJobEnd", "True"), "MailAddress", "Alert_MailAddress"},
      {[](const OptionReader& o) {
         return o.equals("AuthJob", "True") && (!o.isSet("AuthJobUserIdType") || o.equals("AuthJobUserIdType", "ID"));
       },
       "AuthJobUserId", "Alert_AuthJobUserId"},
      {equals("QZInputSlot", "TrayStock"), "StockName", "Alert_StockName"},
      {equals("PhysicalPageRangeMode", "Appoint"), "PhysicalPageRange", "Alert_PhysicalPageRange"},
      {[](const OptionReader& o) {
         return o.isSet("RecordDiv") && !o.equals("RecordDiv", "Off") && o.equals("RecordSpec", "True");
       },
       "RecordSpecNumber", "Alert_RecordSpecNumber"},
      {equals("LogicalPageRangeMode", "Appoint"), "LogicalPageRange", "Alert_LogicalPageRange"},
      {equals("BlankPapersFrontTray", "TrayStock"), "BlankPapersFrontStockName", "Alert_BlankPapersFrontStockName"},
      {equals("BlankPapersBackTray", "TrayStock"), "BlankPapersBackStockName", "Alert_BlankPapersBackStockName"},
      {equals("SeparatorsTray", "TrayStock"), "SeparatorsStockName", "Alert_SeparatorsStockName"},
      {[](const OptionReader& o) {
         return o.equals("ImpositionMode", "Template") || o.equals("ImpositionMode_ImpositionCustomMode", "Template");
       },
       "ImpositionTemplate", "Alert_ImpositionTemplate"},
      {equals("Imposition1stTray", "TrayStock"), "Imposition1stStockName", "Alert_Imposition1stStockName"},
      {equals("ImpositionVariablePrintMode", "UseForm"), "ImpositionFormName", "Alert_ImpositionFormName"},
      {equals("ImpositionPaginationMode", "Template"), "ImpositionPaginationTemplate",
       "Alert_ImpositionPaginationTemplate"},
      {equals("ImpositionWaterMark", "True"), "ImpositionWaterMarkName", "Alert_ImpositionWaterMarkName"},
      {equals("PaginationMode", "Template"), "PaginationTemplate", "Alert_PaginationTemplate"},
      {equals("VariablePrintMode", "UseForm"), "FormName", "Alert_FormName"},
      {equals("WaterMark", "True"), "WaterMarkName", "Alert_WaterMarkName"},
      {equals("ColorPatch", "True"), "ColorPatchFile", "Alert_ColorPatchFile"},
      {equals("OptionMemo", "True"), "OptionMemoFile", "Alert_OptionMemoFile"},
      {equals("UserDefineMemo", "True"), "UserDefineMemoFile", "Alert_UserDefineMemoFile"},
      {equals("MemoComment", "True"), "MemoCommentContent", "Alert_MemoCommentContent"},
      {[](const OptionReader& o) {
         return o.equals("CmykColorCorrection", "True") && o.equals("CmykColorCorrectionProfileType", "DeviceLink");
       },
       "CmykDeviceLinkProfile", "Alert_CmykDeviceLinkProfile"},
      // The profile type is either "DeviceLink" or "Profile": the two rules exclude each other.
      {[](const OptionReader& o) {
         return o.equals("CmykColorCorrection", "True") && o.equals("CmykColorCorrectionProfileType", "Profile");
       },
       "CmykImageProfileName", "Alert_CmykImageProfileName"},
      {[](const OptionReader& o) {
         return o.equals("RgbColorCorrection", "True") && o.equals("RgbImageCcMode", "Custom");
       },
       "RgbImageCcModeCustomName", "Alert_RgbImageCcModeCustomName"},
      {[](const OptionReader& o) {
         return o.equals("SpotColorCorrection", "True") && o.equals("SpotColorCorrectionProfile", "Profile");
       },
       "SpotColorCorrectionProfileName", "Alert_SpotColorCorrectionProfileName"},
      {[](const OptionReader& o) {
         return o.equals("RenderingProfile", "False") ||
                (o.isSet("RenderingProfileType") && !o.equals("RenderingProfileType", "PrinterStandard"));
       },
       "RenderingProfileName", "Alert_RenderingProfileName"},
      {equals("ImageUserAdjust", "True"), "ImageUserAdjustName", "Alert_ImageUserAdjustName"},
      {equals("ImageTonerCurve", "True"), "ImageTonerCurveName", "Alert_ImageTonerCurveName"},
      {equals("TextUserAdjust", "True"), "TextUserAdjustName", "Alert_TextUserAdjustName"},
      {equals("TextTonerCurve", "True"), "TextTonerCurveName", "Alert_TextTonerCurveName"},
      {equals("ImageCalibrationType", "File"), "ImageCalibration", "Alert_ImageCalibration"},
      {equals("TextCalibrationType", "File"), "TextCalibration", "Alert_TextCalibration"},
      {equals("ReplaceColorSettings", "True"), "ReplaceColorSettingsName", "Alert_ReplaceColorSettingsName"},
      {equals("TrappingProcessMode", "Template"), "TrappingProcessFile", "Alert_TrappingProcessFile"},
  };
  return rules;
}

// key's text from the plug-in bundle's default string table; the key itself when there is none.
std::string localized(const std::string& key) {
  std::string text = BSLocalizedString(key);
  return text.empty() ? key : text;
}

}  // namespace

std::vector<std::string> printOptionConsistencyMessageKeys(const PrintOption& options) {
  const OptionReader reader(options);
  std::vector<std::string> keys;
  for (const ConsistencyRule& rule : consistencyRules()) {
    if (rule.condition(reader) && !reader.isSet(rule.required)) keys.emplace_back(rule.messageKey);
  }
  return keys;
}

std::string printOptionConsistencyMessageText(const std::vector<std::string>& messageKeys) {
  std::string text;
  for (const std::string& key : messageKeys) text += localized(key) + "\r";
  return text;
}

bool isPrintOptionConsistencyCheck(const PrintOption& options) {
  const std::vector<std::string> keys = printOptionConsistencyMessageKeys(options);
  if (keys.empty()) return true;
  tk::Alert alert;
  alert.setMessageText(localized("Alert_ChkMsg"));
  alert.setInformativeText(printOptionConsistencyMessageText(keys));
  alert.addButtonWithTitle("OK");
  alert.runModal();
  return false;
}

bool isPrintOptionConsistencyCheck(const PrintOption* options) {
  return options == nullptr || isPrintOptionConsistencyCheck(*options);
}

}  // namespace orval

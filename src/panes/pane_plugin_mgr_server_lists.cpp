// PanePlugInMgr: the print server's lists, each asked for with one named
// command that the panel sends to the printer queue.
#include "panes/pane_plugin_mgr.h"

namespace orval {

std::optional<Value> PanePlugInMgr::_sendCommand(const std::string& name) {
  if (_pdeObject == nullptr) return std::nullopt;
  return _pdeObject->sendCommand(name);
}

std::optional<Value> PanePlugInMgr::getStackerInfoList() { return _sendCommand("StackerInfoList"); }
std::optional<Value> PanePlugInMgr::getFeederInfoList() { return _sendCommand("FeederInfoList"); }
std::optional<Value> PanePlugInMgr::getDeviceList() { return _sendCommand("DeviceList"); }
std::optional<Value> PanePlugInMgr::getJobFolderList() { return _sendCommand("JobFolder"); }
std::optional<Value> PanePlugInMgr::getPrePostDeviceList() { return _sendCommand("PrePostDevice"); }
std::optional<Value> PanePlugInMgr::getCmsSpotGetAllListData() { return _sendCommand("CmsSpotGetAll"); }
std::optional<Value> PanePlugInMgr::getColorSubstList() { return _sendCommand("ColorSubst"); }
std::optional<Value> PanePlugInMgr::getColorPatchFileList() { return _sendCommand("JobResource-COLOR_PATCH"); }
std::optional<Value> PanePlugInMgr::getNoteFileList() { return _sendCommand("JobResource-NOTE"); }
std::optional<Value> PanePlugInMgr::getCustomNoteFileList() { return _sendCommand("JobResource-CUSTOM_NOTE"); }
std::optional<Value> PanePlugInMgr::getPagenationFileList() { return _sendCommand("JobResource-PAGENATION"); }
std::optional<Value> PanePlugInMgr::getFormFileList() { return _sendCommand("JobResource-FORM"); }
std::optional<Value> PanePlugInMgr::getSpecialTonerFileList() { return _sendCommand("JobResource-SPECIAL_TONER"); }
std::optional<Value> PanePlugInMgr::getWaterMarkFileList() { return _sendCommand("JobResource-WATERMARK"); }
std::optional<Value> PanePlugInMgr::getTrappingFileList() { return _sendCommand("JobResource-TRAPPING"); }
std::optional<Value> PanePlugInMgr::getNormalizerFileList() { return _sendCommand("JobResource-NORMALIZER"); }
std::optional<Value> PanePlugInMgr::getImpositionFileList() { return _sendCommand("JobResource-IMPOSITION"); }
std::optional<Value> PanePlugInMgr::getFontList() { return _sendCommand("Font"); }

std::optional<Value> PanePlugInMgr::getOutputProfileFileList(bool isIcc) {
  return _sendCommand(isIcc ? "OutputProfileFile-ICC" : "OutputProfileFile-MEASUREMENT");
}

std::optional<Value> PanePlugInMgr::getCMYKInputProfileFileList(bool isIcc) {
  return _sendCommand(isIcc ? "CMYKInputProfileFile-ICC" : "CMYKInputProfileFile-MEASUREMENT");
}

std::optional<Value> PanePlugInMgr::getDensityAdjustProfileList() { return _sendCommand("DensityAdjustProfile"); }
std::optional<Value> PanePlugInMgr::getUserTrcProfileList() { return _sendCommand("UserTrcProfile"); }
std::optional<Value> PanePlugInMgr::getRGBInputProfileFileList() { return _sendCommand("RGBInputProfileFile"); }
std::optional<Value> PanePlugInMgr::getDeviceLinkFileList() { return _sendCommand("DeviceLinkFile"); }
std::optional<Value> PanePlugInMgr::getCalibFileList() { return _sendCommand("CalibFile"); }

const std::vector<std::string>& PanePlugInMgr::allListCommands() {
  // The special toner files are not among them.
  static const std::vector<std::string> commands{
      "CalibFile",
      "DeviceLinkFile",
      "RGBInputProfileFile",
      "UserTrcProfile",
      "DensityAdjustProfile",
      "CMYKInputProfileFile-MEASUREMENT",
      "CMYKInputProfileFile-ICC",
      "OutputProfileFile-MEASUREMENT",
      "OutputProfileFile-ICC",
      "Font",
      "JobResource-IMPOSITION",
      "JobResource-NORMALIZER",
      "JobResource-TRAPPING",
      "JobResource-WATERMARK",
      "JobResource-FORM",
      "JobResource-PAGENATION",
      "JobResource-CUSTOM_NOTE",
      "JobResource-NOTE",
      "JobResource-COLOR_PATCH",
      "ColorSubst",
      "CmsSpotGetAll",
      "PrePostDevice",
      "JobFolder",
      "DeviceList",
      "FeederInfoList",
      "StackerInfoList",
  };
  return commands;
}

void PanePlugInMgr::getAllList() {
  for (const std::string& command : allListCommands()) _sendCommand(command);
}

}  // namespace orval

#include "panes/pane_plugin_mgr.h"

#include <gtest/gtest.h>

#include <functional>

#include "conversion/password_encoder.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "panes/pde_object.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using namespace panes_testing;

// A panel stand-in: records each command and answers it with a list of one item named after it.
class RecordingPDEObject : public PDEObject {
 public:
  std::optional<Value> sendCommand(const std::string& listName) override {
    commands.push_back(listName);
    return Value(Array{Value(listName + " item")});
  }
  std::vector<std::string> commands;
};

TEST_F(PanePlugInMgrTest, CreationReadsTheBundlesInformationAndReleaseStartsAfresh) {
  {
    LogCapture log;
    PanePlugInMgr& manager = plugIn_.manager();
    EXPECT_EQ(manager.getUIFilePath(), (plugIn_.resources() / "TestUI.plist").string());
    EXPECT_FALSE(manager.isHiddenNumCopies());
    EXPECT_TRUE(manager.isHiddenCollate());  // the text "True" counts as true
    EXPECT_TRUE(encDecState().libraryOpen);
    EXPECT_FALSE(log.contains("###Error:UISetting Plist file not found!") || log.contains("###loadEncDec"));
  }
  PanePlugInMgr::release();
  EXPECT_FALSE(encDecState().libraryOpen);
  EXPECT_EQ(PanePlugInMgr::sharedInstanceIfExists(), nullptr);

  // A fresh manager; without the UI description and the password library, both logged.
  fs::remove(plugIn_.resources() / "TestUI.plist");
  fs::remove(plugIn_.resources() / "libencryption.so");
  LogCapture log;
  PanePlugInMgr& second = plugIn_.manager();
  EXPECT_EQ(second.getHostName(), std::nullopt);
  EXPECT_FALSE(second.isInitializedNetworkData());
  EXPECT_TRUE(log.contains("###Error:UISetting Plist file not found!"));
  EXPECT_TRUE(log.contains("###loadEncDec: error -1"));
  EXPECT_EQ(second.getUIFilePath(), std::nullopt);
  EXPECT_EQ(second.isPOD(), "TestUI");
  PanePlugInMgr::release();
  TestPlugIn::setInfo(plugIn_.path() / "Contents/Info.plist", "QZPOD", Value(Array{}));  // not a name
  EXPECT_EQ(plugIn_.manager().isPOD(), std::nullopt);
}

TEST_F(PanePlugInMgrTest, DefaultsAreFreshCopiesAndTheColorModelIsCorrectedToCmyk2WhenOffered) {
  PanePlugInMgr& manager = plugIn_.manager();
  ASSERT_TRUE(manager.loadPlugIns());
  EXPECT_EQ(manager.defaultSettings(), (PrintOption{{"PaperSize", Value("A4")},
                                                    {"ColorModel", Value("CMYK1")},
                                                    {"StapleMode", Value("None")},
                                                    {"StapleCount", Value("1")}}));
  manager.setStringValue(std::string("Gray"), "ColorModel");  // the set is kept from the first request
  EXPECT_EQ(manager.defaultSettings().get("ColorModel"), Value("CMYK1"));
  EXPECT_EQ(manager.selectedOptionKeyword("ColorModel"), "CMYK2");
  EXPECT_EQ(manager.selectedOptionKeyword("Unregistered"), std::nullopt);

  PanePlugInMgr::resetSharedInstanceForTesting();
  plugIn_.edit("Test.ppd", "*ColorModel CMYK2/CMYK (High Quality): \"\"\n", "");
  PanePlugInMgr& without = plugIn_.manager();
  ASSERT_TRUE(without.loadPlugIns());
  EXPECT_EQ(without.selectedOptionKeyword("ColorModel"), "CMYK1");
}

TEST_F(PanePlugInMgrTest, ExistenceAndSummaryAreAskedOfTheBundlesPrinterDescription) {
  PanePlugInMgr& manager = plugIn_.manager();
  EXPECT_TRUE(manager.isExistsInPpd("ColorModel", std::string("Gray")));
  EXPECT_FALSE(manager.isExistsInPpd("ColorModel", std::string("RGB")));
  EXPECT_FALSE(manager.isExistsInPpd("PaperSize"));
  const Dict summary = manager.summaryInfoFromPrintOption(
      PrintOption{{"ColorModel", "CMYK2"}, {"QZCollate", Value(true)}, {"PaperSize", "A4"}, {"Empty", Value()}});
  EXPECT_EQ(summary, (Dict{{"Color Model", Value("CMYK (High Quality)")}, {"Collate", Value("On")}}));

  PanePlugInMgr::resetSharedInstanceForTesting();
  fs::remove(plugIn_.resources() / "Test.ppd");
  PanePlugInMgr& without = plugIn_.manager();
  EXPECT_EQ(without.ppdInformation(), nullptr);
  EXPECT_FALSE(without.isExistsInPpd("ColorModel"));
  EXPECT_TRUE(without.summaryInfoFromPrintOption(PrintOption{{"ColorModel", Value("Gray")}}).empty());
}

TEST_F(PanePlugInMgrTest, EachListOperationSendsItsCommandAndGetAllListSendsThemAll) {
  PanePlugInMgr& manager = plugIn_.manager();
  using M = PanePlugInMgr;
  const std::vector<std::pair<std::function<std::optional<Value>(M&)>, std::string>> operations{
      {&M::getStackerInfoList, "StackerInfoList"}, {&M::getFeederInfoList, "FeederInfoList"},
      {&M::getDeviceList, "DeviceList"}, {&M::getJobFolderList, "JobFolder"},
      {&M::getPrePostDeviceList, "PrePostDevice"}, {&M::getCmsSpotGetAllListData, "CmsSpotGetAll"},
      {&M::getColorSubstList, "ColorSubst"}, {&M::getColorPatchFileList, "JobResource-COLOR_PATCH"},
      {&M::getNoteFileList, "JobResource-NOTE"}, {&M::getCustomNoteFileList, "JobResource-CUSTOM_NOTE"},
      {&M::getPagenationFileList, "JobResource-PAGENATION"}, {&M::getFormFileList, "JobResource-FORM"},
      {&M::getSpecialTonerFileList, "JobResource-SPECIAL_TONER"},
      {&M::getWaterMarkFileList, "JobResource-WATERMARK"}, {&M::getTrappingFileList, "JobResource-TRAPPING"},
      {&M::getNormalizerFileList, "JobResource-NORMALIZER"}, {&M::getImpositionFileList, "JobResource-IMPOSITION"},
      {&M::getFontList, "Font"},
      {[](M& m) { return m.getOutputProfileFileList(true); }, "OutputProfileFile-ICC"},
      {[](M& m) { return m.getOutputProfileFileList(false); }, "OutputProfileFile-MEASUREMENT"},
      {[](M& m) { return m.getCMYKInputProfileFileList(true); }, "CMYKInputProfileFile-ICC"},
      {[](M& m) { return m.getCMYKInputProfileFileList(false); }, "CMYKInputProfileFile-MEASUREMENT"},
      {&M::getDensityAdjustProfileList, "DensityAdjustProfile"}, {&M::getUserTrcProfileList, "UserTrcProfile"},
      {&M::getRGBInputProfileFileList, "RGBInputProfileFile"}, {&M::getDeviceLinkFileList, "DeviceLinkFile"},
      {&M::getCalibFileList, "CalibFile"},
  };
  for (const auto& [operation, command] : operations) {
    RecordingPDEObject panel;
    manager.setPDEObject(&panel);
    EXPECT_EQ(operation(manager), Value(Array{Value(command + " item")})) << command;
    EXPECT_EQ(panel.commands, std::vector<std::string>{command});
  }
  RecordingPDEObject all;
  manager.setPDEObject(&all);
  manager.getAllList();
  std::vector<std::string> reversed;  // all but the special toner files, last first
  for (auto it = operations.rbegin(); it != operations.rend(); ++it)
    if (it->second != "JobResource-SPECIAL_TONER") reversed.push_back(it->second);
  EXPECT_EQ(all.commands, reversed);
  manager.setPDEObject(nullptr);
  EXPECT_EQ(manager.getFontList(), std::nullopt);  // no panel, no list
}

}  // namespace
}  // namespace orval

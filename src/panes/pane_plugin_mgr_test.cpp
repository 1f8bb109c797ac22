#include "panes/pane_plugin_mgr.h"

#include <gtest/gtest.h>

#include <functional>

#include "conversion/password_encoder.h"
#include "panes/pane_plugin_mgr_test_support.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/scripted_operator.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using panes_testing::PanePlugInMgrTestBase;
using panes_testing::RecordingPDEObject;
using panes_testing::TestPlugIn;

class PanePlugInMgrTest : public PanePlugInMgrTestBase {
 protected:
  TestPlugIn plugIn_;
};

TEST_F(PanePlugInMgrTest, CreationReadsTheBundlesInformation) {
  plugIn_.registerBundle();
  LogCapture log;
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_EQ(manager.getUIFilePath(), (plugIn_.resources() / "TestUI.plist").string());
  EXPECT_FALSE(manager.isHiddenNumCopies());
  EXPECT_TRUE(manager.isHiddenDuplex());
  EXPECT_TRUE(manager.isHiddenCollate());  // the text "True" counts as true
  EXPECT_FALSE(log.contains("###Error:UISetting Plist file not found!"));
}

TEST_F(PanePlugInMgrTest, AMissingUIDescriptionIsLoggedAndLeavesNoPath) {
  plugIn_.registerBundle();
  fs::remove(plugIn_.resources() / "TestUI.plist");
  {
    LogCapture log;
    PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
    EXPECT_TRUE(log.contains("###Error:UISetting Plist file not found!"));
    EXPECT_EQ(manager.getUIFilePath(), std::nullopt);
    EXPECT_EQ(manager.isPOD(), "TestUI");
  }
  PanePlugInMgr::release();
  TestPlugIn::setInfo(plugIn_.path() / "Contents/Info.plist", "QZPOD", Value(Array{}));  // not a name
  plugIn_.registerBundle();
  LogCapture log;
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_TRUE(log.contains("###Error:UISetting Plist file not found!"));
  EXPECT_EQ(manager.getUIFilePath(), std::nullopt);
  EXPECT_EQ(manager.isPOD(), std::nullopt);
}

TEST_F(PanePlugInMgrTest, ThePasswordLibraryIsLoadedFromTheResourcesAndUnloadedOnRelease) {
  plugIn_.registerBundle();
  {
    LogCapture log;
    PanePlugInMgr::sharedInstance();
    EXPECT_FALSE(log.contains("###loadEncDec"));
    EXPECT_TRUE(encDecState().libraryOpen);
  }
  PanePlugInMgr::release();
  EXPECT_FALSE(encDecState().libraryOpen);

  fs::remove(plugIn_.resources() / "libencryption.so");
  LogCapture log;
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_TRUE(log.contains("###loadEncDec: error -1"));
  EXPECT_TRUE(manager.getUIFilePath());
}

TEST_F(PanePlugInMgrTest, AReleasedManagerIsReplacedByAFreshOne) {
  plugIn_.registerBundle();
  PanePlugInMgr& first = PanePlugInMgr::sharedInstance();
  first.setHostName(std::string("rip.example"));
  first.willShowAllBundle();
  EXPECT_TRUE(first.isInitializedNetworkData());
  EXPECT_EQ(first.destinationAddress(), "rip.example");

  PanePlugInMgr::release();
  EXPECT_EQ(PanePlugInMgr::sharedInstanceIfExists(), nullptr);
  PanePlugInMgr& second = PanePlugInMgr::sharedInstance();
  EXPECT_EQ(second.getHostName(), std::nullopt);
  EXPECT_FALSE(second.isInitializedNetworkData());
}

TEST_F(PanePlugInMgrTest, RegisteringAControlAnnouncesItThenEachChildInOrder) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const std::optional<Dict> ui = dictFromFile(plugIn_.resources() / "TestUI.plist");
  ASSERT_TRUE(ui);
  KORAUI control;
  control.setControlDictionary(*ui->get("StapleMode").asDict(), BSPrincipalBundle());
  control.updateControl();
  ASSERT_EQ(control.childControls().size(), 1u);

  std::vector<std::string> announced;
  const int observer = 0;
  NotificationCenter::defaultCenter().addObserver(&observer, "", nullptr, [&](const Notification& n) {
    if (n.name == "StapleMode" || n.name == "StapleCount") announced.push_back(n.name);
  });
  manager.setKoraUiToKoraMgr(&control);
  manager.setKoraUiToKoraMgr(nullptr);
  NotificationCenter::defaultCenter().removeObserver(&observer);

  EXPECT_EQ(announced, (std::vector<std::string>{"StapleMode", "StapleCount"}));
  EXPECT_EQ(manager.koraMgr().getControlsDictionary().primary("StapleMode"), &control);
  EXPECT_EQ(manager.koraMgr().getControlsDictionary().primary("StapleCount"), control.childControls()[0]);
  manager.koraMgr().removeControl(control.childControls()[0]);
  manager.koraMgr().removeControl(&control);
}

TEST_F(PanePlugInMgrTest, TheConsistencyCheckOfAWholeSetAsksThroughOneAlert) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  auto person = std::make_shared<tk::ScriptedOperator>();
  person->answerAlert(0);
  tk::Application::shared().setOperator(person);
  const PrintOption incomplete{{"SecurityPrint", Value("True")}};
  EXPECT_FALSE(manager.isPrintOptionConsistencyCheck(&incomplete));
  EXPECT_EQ(person->alertsShown().size(), 1u);
  EXPECT_TRUE(manager.isPrintOptionConsistencyCheck(nullptr));
  EXPECT_EQ(person->alertsShown().size(), 1u);
}

TEST_F(PanePlugInMgrTest, DefaultsComeFromTheRegisteredControlsAsFreshCopies) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  ASSERT_TRUE(manager.loadPlugIns());

  PrintOption defaults = manager.defaultSettings();
  EXPECT_EQ(defaults, (PrintOption{{"PaperSize", Value("A4")},
                                   {"ColorModel", Value("CMYK1")},
                                   {"StapleMode", Value("None")},
                                   {"StapleCount", Value("1")}}));
  defaults.set("PaperSize", Value("Letter"));
  manager.setStringValue(std::string("Gray"), "ColorModel");  // the set is kept from the first request
  EXPECT_EQ(manager.defaultSettings().get("PaperSize"), Value("A4"));
  EXPECT_EQ(manager.defaultSettings().get("ColorModel"), Value("CMYK1"));
}

TEST_F(PanePlugInMgrTest, TheDefaultColorModelIsCorrectedToCmyk2WhenThePrinterOffersIt) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  ASSERT_TRUE(manager.loadPlugIns());
  EXPECT_EQ(manager.selectedOptionKeyword("ColorModel"), "CMYK2");
  EXPECT_EQ(manager.defaultSettings().get("ColorModel"), Value("CMYK1"));
  EXPECT_EQ(manager.selectedOptionKeyword("Unregistered"), std::nullopt);
}

TEST_F(PanePlugInMgrTest, WithoutCmyk2ThePrintersDefaultColorModelStaysCmyk1) {
  plugIn_.removePpdLines("CMYK2");
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  ASSERT_TRUE(manager.loadPlugIns());
  EXPECT_EQ(manager.selectedOptionKeyword("ColorModel"), "CMYK1");
  EXPECT_EQ(manager.defaultSettings().get("ColorModel"), Value("CMYK1"));
}

TEST_F(PanePlugInMgrTest, ExistenceIsAskedOfTheBundlesPrinterDescription) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_TRUE(manager.isExistsInPpd("ColorModel", std::string("Gray")));
  EXPECT_FALSE(manager.isExistsInPpd("ColorModel", std::string("RGB")));
  EXPECT_FALSE(manager.isExistsInPpd("PaperSize"));
  EXPECT_FALSE(manager.isExistsInPpd(""));
  ASSERT_NE(manager.ppdInformation(), nullptr);
}

TEST_F(PanePlugInMgrTest, WithoutItsPrinterDescriptionNothingExists) {
  fs::remove(plugIn_.resources() / "Test.ppd");
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  EXPECT_EQ(manager.ppdInformation(), nullptr);
  EXPECT_FALSE(manager.isExistsInPpd("ColorModel"));
  EXPECT_TRUE(manager.summaryInfoFromPrintOption(PrintOption{{"ColorModel", Value("Gray")}}).empty());
}

TEST_F(PanePlugInMgrTest, TheSummaryHoldsTheTitlesThatThePrinterDescriptionGives) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  const Dict summary = manager.summaryInfoFromPrintOption(PrintOption{{"ColorModel", Value("CMYK2")},
                                                                      {"QZCollate", Value(true)},
                                                                      {"PaperSize", Value("A4")},
                                                                      {"Empty", Value()}});
  EXPECT_EQ(summary, (Dict{{"Color Model", Value("CMYK (High Quality)")}, {"Collate", Value("On")}}));
  EXPECT_TRUE(manager.summaryInfoFromPrintOption(PrintOption{{"ColorModel", Value("RGB")}}).empty());
}

TEST_F(PanePlugInMgrTest, EachListOperationSendsItsCommandAndGetAllListSendsThemAll) {
  plugIn_.registerBundle();
  PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
  using M = PanePlugInMgr;
  const std::vector<std::pair<std::function<std::optional<Value>(M&)>, std::string>> operations{
      {&M::getStackerInfoList, "StackerInfoList"},
      {&M::getFeederInfoList, "FeederInfoList"},
      {&M::getDeviceList, "DeviceList"},
      {&M::getJobFolderList, "JobFolder"},
      {&M::getPrePostDeviceList, "PrePostDevice"},
      {&M::getCmsSpotGetAllListData, "CmsSpotGetAll"},
      {&M::getColorSubstList, "ColorSubst"},
      {&M::getColorPatchFileList, "JobResource-COLOR_PATCH"},
      {&M::getNoteFileList, "JobResource-NOTE"},
      {&M::getCustomNoteFileList, "JobResource-CUSTOM_NOTE"},
      {&M::getPagenationFileList, "JobResource-PAGENATION"},
      {&M::getFormFileList, "JobResource-FORM"},
      {&M::getSpecialTonerFileList, "JobResource-SPECIAL_TONER"},
      {&M::getWaterMarkFileList, "JobResource-WATERMARK"},
      {&M::getTrappingFileList, "JobResource-TRAPPING"},
      {&M::getNormalizerFileList, "JobResource-NORMALIZER"},
      {&M::getImpositionFileList, "JobResource-IMPOSITION"},
      {&M::getFontList, "Font"},
      {[](M& m) { return m.getOutputProfileFileList(true); }, "OutputProfileFile-ICC"},
      {[](M& m) { return m.getOutputProfileFileList(false); }, "OutputProfileFile-MEASUREMENT"},
      {[](M& m) { return m.getCMYKInputProfileFileList(true); }, "CMYKInputProfileFile-ICC"},
      {[](M& m) { return m.getCMYKInputProfileFileList(false); }, "CMYKInputProfileFile-MEASUREMENT"},
      {&M::getDensityAdjustProfileList, "DensityAdjustProfile"},
      {&M::getUserTrcProfileList, "UserTrcProfile"},
      {&M::getRGBInputProfileFileList, "RGBInputProfileFile"},
      {&M::getDeviceLinkFileList, "DeviceLinkFile"},
      {&M::getCalibFileList, "CalibFile"},
  };
  for (const auto& [operation, command] : operations) {
    SCOPED_TRACE(command);
    RecordingPDEObject panel;
    panel.answers[command] = Value(Array{Value(command + " item")});
    manager.setPDEObject(&panel);
    EXPECT_EQ(operation(manager), Value(Array{Value(command + " item")}));
    EXPECT_EQ(panel.commands, std::vector<std::string>{command});
  }
  RecordingPDEObject all;
  manager.setPDEObject(&all);
  manager.getAllList();
  std::vector<std::string> reversed;
  for (auto it = operations.rbegin(); it != operations.rend(); ++it)
    if (it->second != "JobResource-SPECIAL_TONER") reversed.push_back(it->second);
  EXPECT_EQ(all.commands, reversed);  // getAllList asks for all but the special toner files, last first
  manager.setPDEObject(nullptr);
  EXPECT_EQ(manager.getFontList(), std::nullopt);  // no panel, no list
}

}  // namespace
}  // namespace orval

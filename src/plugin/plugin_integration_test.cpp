// The OrvalPDE bundle of the build tree, loaded and driven as the print dialog does.
#include <gtest/gtest.h>

#include "panel/wexo_pde_plugin.h"
#include "plugin/plugin_test_support.h"
#include "settings_ui/kora_text_field_base.h"

namespace orval {
namespace {

using plugin_testing::bundlePath;
using plugin_testing::PlugInTest;

TEST_F(PlugInTest, PrintDialogLoadsThePanelWithItsPanesDefaultsServerListsAndSummary) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(sharedPDEPluginCallback(), host.get());
  PanePlugInMgr* manager = panel->panePlugInMgr();
  ASSERT_EQ(manager, PanePlugInMgr::sharedInstanceIfExists());
  // (The panel's name and its panes, one per role of the Finishing bundle, are checked by `orval info`'s tests.)
  // The text fields' messages live in Contents/Frameworks, not in the bundle's own tables.
  const std::shared_ptr<Bundle> framework = KORATextFieldBundle();
  ASSERT_TRUE(framework);
  EXPECT_NE(framework->localizedString("IDM_MSG58"), "IDM_MSG58");

  // The engine's defaults hold every key the main pane observes (the job starts from them: the job tests).
  ASSERT_TRUE(panel->defaultPrintOption() && panel->printOption());
  const PrintOption& defaults = *panel->defaultPrintOption();
  for (const std::string& key : WexoPDEByCocoa::observedKeys()) EXPECT_TRUE(defaults.contains(key)) << key;

  // The summary is built once, from the job (another panel chose a staple the defaults lack), and names the
  // options the printer description titles.
  const std::string staple = otherChoice("StapleMode", defaults.get("StapleMode").text());
  ASSERT_TRUE(host->changePPDOption("StapleMode", staple));
  EXPECT_FALSE(panel->isIntializedUi());
  const Dict summary = panel->summaryInfo();
  EXPECT_TRUE(panel->isIntializedUi());
  ASSERT_EQ(panel->printOption()->get("StapleMode").text(), staple);
  PpdFile ppd(host->ppdFile());
  EXPECT_EQ(summary.get(ppd.mainAlias("StapleMode").value()).text(), ppd.optionAlias("StapleMode", staple));
}

TEST_F(PlugInTest, OlderSystemsAskTheQueueForEveryListOnceAtCreation) {
  setToolkitVersion(1187);  // the last release before 10.9
  WexoPDEByCocoa* panel = loadPanel("socket://rip.example.com:9100");
  ASSERT_NE(panel, nullptr);
  std::vector<PrinterCommand> every;
  for (const std::string& list : PanePlugInMgr::allListCommands()) every.push_back({"ReportLevels", list});
  EXPECT_EQ(host->printer()->sentCommands(), every);
  host->printer()->clearSentCommands();
  EXPECT_TRUE(panel->sendCommand("StackerInfoList"));
  EXPECT_EQ(host->printer()->sentCommands(), (std::vector<PrinterCommand>{{"ReportLevels", "StackerInfoList"}}));
}

TEST_F(PlugInTest, HostNameComesFromTheDeviceAddressAndAPrinterlessSessionStillGetsAPanel) {
  WexoPDEByCocoa* panel = loadPanel("ipp://[v1.fe80::1+en0]:631/printers/tz");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->panePlugInMgr()->getHostName(), "fe80::1%en0");  // the panel's own: `orval info`'s tests
  panel = loadPanel(std::nullopt, [](MemoryPrintHost& h) { h.printSession()->setCurrentPrinter(nullptr); });
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->hostName(), std::nullopt);
  EXPECT_TRUE(panel->defaultPrintOption());
}

TEST_F(PlugInTest, OnlyThePrintDialogTypeGetsAPanelAndTheBundleIsLetGoEitherWay) {
  makeHost();
  std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(bundlePath());
  ASSERT_TRUE(bundle);
  std::unique_ptr<BundlePrincipal> principal = bundle->makePrincipalObject();
  auto* plugIn = dynamic_cast<WexoPDEPlugIn*>(principal.get());
  ASSERT_NE(plugIn, nullptr);
  ASSERT_TRUE(plugIn->initWithBundle(bundle));
  EXPECT_EQ(plugIn->PDEPanelsForType("page-setup", host.get()), std::nullopt);
  EXPECT_EQ(bundle.use_count(), 1);
  EXPECT_EQ(PanePlugInMgr::sharedInstanceIfExists(), nullptr);  // no panel, no manager

  ASSERT_TRUE(plugIn->initWithBundle(bundle));
  std::optional<PDEPlugIn::Panels> panels = plugIn->PDEPanelsForType(kPrintDialogTypeID, host.get());
  ASSERT_TRUE(panels && panels->size() == 1u);
  // The panel holds the bundle now, the plug-in no longer does.
  EXPECT_EQ(plugIn->plugInBundle(), nullptr);
  EXPECT_EQ(dynamic_cast<WexoPDEByCocoa*>(panels->front().get())->plugInBundle(), bundle);
}

TEST_F(PlugInTest, OtherPanelsChangesAreTakenWhenOfferedAndTheDialogsControlsAreBridged) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  const std::string other = otherChoice("StapleMode", panel->printOption()->get("StapleMode").text());
  // The dialog's own controls are reached through the host.
  host->printSettings()->setDuplex(DuplexMode::Tumble);
  EXPECT_EQ(panel->getDuplex(), "DuplexTumble");
  panel->setQZInputSlot(std::string("Tray2"));
  panel->setQZInputSlot(std::nullopt);
  EXPECT_EQ(host->printSettings()->value("QZInputSlot")->text(), "Tray2");
  EXPECT_EQ(panel->getCopies(), std::nullopt);  // found only in the window that holds the panel

  const PrintOption before = *panel->printOption();
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), std::string("NoSuchChoice"));
  panel->PPDOptionKeyValueDidChange(std::string("PageRegion"), std::string("A3"));  // the panel holds no such key
  EXPECT_EQ(*panel->printOption(), before);

  // Without constraint handling the printer description is not reached through the host.
  panel = loadPanel(std::nullopt, [](MemoryPrintHost& h) { h.setAnswersWillChangePPDOptionKeyValue(false); });
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->_ppd(), nullptr);
  const PrintOption unchanged = *panel->printOption();
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), other);
  EXPECT_EQ(*panel->printOption(), unchanged);
  EXPECT_TRUE(panel->sendCommand("DeviceList"));
}

TEST_F(PlugInTest, ShowingListensToTheMainPaneKeysOnceAndReleaseStopsIt) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  NotificationCenter& center = NotificationCenter::defaultCenter();
  const std::size_t before = center.observerCount();
  for (int shown = 0; shown < 2; ++shown) {
    ASSERT_TRUE(host->panels().show(*panel));
    EXPECT_TRUE(panel->isMyPluginPDE());
    EXPECT_EQ(center.observerCount(), before + WexoPDEByCocoa::observedKeys().size());
    ASSERT_TRUE(host->panels().hide());
    EXPECT_FALSE(panel->isMyPluginPDE());
  }
  EXPECT_TRUE(panel->panePlugInMgr()->isInitializedNetworkData());
  EXPECT_TRUE(panel->isHiddenDuplex());
  host->panels().unloadPlugIn();
  EXPECT_EQ(center.observerCount(), before);
  EXPECT_EQ(PanePlugInMgr::sharedInstance().pdeObject(), nullptr);
  EXPECT_EQ(sharedPDEPluginCallback(), nullptr);
}

}  // namespace
}  // namespace orval

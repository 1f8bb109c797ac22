// The OrvalPDE bundle of the build tree, loaded and driven as the print dialog does.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/principal_bundle.h"
#include "panel/server_list_channel.h"
#include "panel/wexo_pde_plugin.h"
#include "panes/ppd_file.h"
#include "plugin/plugin_test_support.h"
#include "platform/foundation/plist.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/tab_view.h"
#include "settings_ui/kora_text_field_base.h"
#include "settings_ui/ui_description.h"

namespace orval {
namespace {

using plugin_testing::bundlePath;
using plugin_testing::bundlePrinterDescription;
using plugin_testing::PlugInTest;

std::vector<std::string> plugInNames(const PanePlugInMgr& manager) {
  std::vector<std::string> names;
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) names.push_back(entry.name);
  return names;
}

TEST_F(PlugInTest, PrintDialogLoadsThePanelWithItsPanePlugIns) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->panelName(), "TZ Print Server");
  EXPECT_EQ(panel->panelKind(), "com.quillant.p.orval.pde.r1_plugin.main");
  ASSERT_TRUE(panel->plugInBundle());
  EXPECT_EQ(panel->plugInBundle()->bundleIdentifier(), "com.quillant.p.orval.pde.r1_plugin.main");
  // The bundle is where every resource is now looked up.
  ASSERT_TRUE(BSPrincipalBundle());
  EXPECT_EQ(BSPrincipalBundle()->bundlePath(), bundlePath());
  EXPECT_EQ(panel->pdePluginCallbackObject(), host.get());
  EXPECT_EQ(sharedPDEPluginCallback(), host.get());
  EXPECT_TRUE(panel->useConstraintHandling());

  PanePlugInMgr* manager = panel->panePlugInMgr();
  ASSERT_EQ(manager, PanePlugInMgr::sharedInstanceIfExists());
  EXPECT_EQ(manager->pdeObject(), panel);
  // One pane per bundle, and the Finishing bundle once per role the panes tree gives it.
  EXPECT_EQ(plugInNames(*manager),
            (std::vector<std::string>{"Advanced", "Color", "Finishing+Staple", "Finishing+Punch", "Finishing+Fold",
                                      "Finishing+Crease", "Finishing+Trim", "Layout", "Notification", "Output", "Page",
                                      "Security", "Sheets", "Stamps"}));
  EXPECT_EQ(manager->paneControllerNamed("Finishing+Punch")->panelName(), "Punch");
  EXPECT_EQ(manager->paneControllerNamed("Page")->panelName(), "Page");
}

TEST_F(PlugInTest, DefaultsAreTheUIDescriptionsDefaultsOfEveryPaneControl) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(panel->defaultPrintOption());
  ASSERT_TRUE(panel->printOption());
  const PrintOption& defaults = *panel->defaultPrintOption();
  EXPECT_EQ(*panel->printOption(), defaults);
  for (const std::string& key : WexoPDEByCocoa::observedKeys()) EXPECT_TRUE(defaults.contains(key)) << key;
  for (const char* key : {"DuplexMode", "MailAddress", "SecurityPrintPassword", "ImpositionMode_ImpositionCustomMode",
                          "Resolution", "CreasePosition5", "CoverPageStockName", "WaterMarkName", "QZRIPMode"})
    EXPECT_TRUE(defaults.contains(key)) << key;

  // A pop-up or check box shows its description's default when that is one of its choices.
  const std::optional<Dict> ui = dictFromFile(bundlePath() / "Contents/Resources/QZPOD_TZPrintServer.plist");
  ASSERT_TRUE(ui);
  int compared = 0;
  for (const auto& [key, value] : defaults) {
    const Dict* description = controlDescriptionNamed(*ui, key);
    if (description == nullptr) continue;
    const std::string type = description->get("control_type").text();
    const std::string* byDefault = description->get("default").asString();
    const Array* choices = description->get("choices").asArray();
    if ((type != "PopupButton" && type != "CheckBox") || byDefault == nullptr || choices == nullptr) continue;
    const bool offered = std::any_of(choices->begin(), choices->end(), [&](const Value& choice) {
      const Dict* entry = choice.asDict();
      return entry != nullptr && entry->get("choice").text() == *byDefault;
    });
    if (!offered) continue;
    EXPECT_EQ(value.text(), *byDefault) << key;
    ++compared;
  }
  EXPECT_GE(compared, 10);
}

TEST_F(PlugInTest, ServerListsAreReadFromThePrinterDescriptionWithoutCommandsOnCurrentSystems) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(host->printer()->sentCommands().empty());

  PanePlugInMgr& manager = *panel->panePlugInMgr();
  const std::optional<Value> stackers = manager.getStackerInfoList();
  ASSERT_TRUE(stackers);
  EXPECT_EQ(*stackers, *readServerList(host->ppdFile(), "StackerInfoList"));
  EXPECT_TRUE(manager.getFeederInfoList());
  EXPECT_TRUE(manager.getDeviceList());
  EXPECT_TRUE(manager.getPrePostDeviceList());
  EXPECT_TRUE(manager.getFontList());
  EXPECT_TRUE(manager.getSpecialTonerFileList());
  // A list the printer description does not hold answers none.
  EXPECT_EQ(panel->sendCommand("NoSuchList"), std::nullopt);
  EXPECT_TRUE(host->printer()->sentCommands().empty());
}

TEST_F(PlugInTest, OlderSystemsAskTheQueueForEveryListOnceAtCreation) {
  setToolkitVersion(1187);  // the last release before 10.9
  WexoPDEByCocoa* panel = loadPanel("socket://rip.example.com:9100");
  ASSERT_NE(panel, nullptr);
  const std::vector<PrinterCommand>& sent = host->printer()->sentCommands();
  const std::vector<std::string>& lists = PanePlugInMgr::allListCommands();
  ASSERT_EQ(sent.size(), lists.size());
  ASSERT_EQ(sent.size(), 26u);
  for (std::size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].command, "ReportLevels");
    EXPECT_EQ(sent[i].jobTitle, lists[i]);
  }
  host->printer()->clearSentCommands();
  EXPECT_TRUE(panel->sendCommand("StackerInfoList"));
  EXPECT_EQ(host->printer()->sentCommands(), (std::vector<PrinterCommand>{{"ReportLevels", "StackerInfoList"}}));
}

TEST_F(PlugInTest, HostNameComesFromTheDeviceAddress) {
  // The rules of the host part are print_server_host_name's; here the name reaches panel and manager.
  WexoPDEByCocoa* panel = loadPanel("ipp://[v1.fe80::1+en0]:631/printers/tz");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->hostName(), "fe80::1%en0");
  EXPECT_EQ(panel->panePlugInMgr()->getHostName(), "fe80::1%en0");
}

TEST_F(PlugInTest, MissingPrinterOrAddressLeavesTheHostNameUnset) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->hostName(), std::nullopt);
  EXPECT_EQ(panel->panePlugInMgr()->getHostName(), std::nullopt);

  panel = loadPanel("usb:/dev/usb/lp0");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->hostName(), std::nullopt);

  // A session without a printer: the panel is still made.
  makeHost();
  host->printSession()->setCurrentPrinter(nullptr);
  ASSERT_TRUE(host->panels().loadPlugIn(Bundle::bundleWithPath(bundlePath())));
  panel = dynamic_cast<WexoPDEByCocoa*>(host->panels().panels().front().get());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->hostName(), std::nullopt);
  EXPECT_TRUE(panel->defaultPrintOption());
}

TEST_F(PlugInTest, OnlyThePrintDialogTypeGetsAPanelAndTheBundleIsLetGoEitherWay) {
  makeHost();
  std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(bundlePath());
  ASSERT_TRUE(bundle);
  std::unique_ptr<BundlePrincipal> principal = bundle->makePrincipalObject();
  auto* plugIn = dynamic_cast<PDEPlugIn*>(principal.get());
  ASSERT_NE(plugIn, nullptr);

  ASSERT_TRUE(plugIn->initWithBundle(bundle));
  EXPECT_EQ(bundle.use_count(), 2);
  EXPECT_EQ(plugIn->PDEPanelsForType("page-setup", host.get()), std::nullopt);
  EXPECT_EQ(bundle.use_count(), 1);
  EXPECT_EQ(PanePlugInMgr::sharedInstanceIfExists(), nullptr);  // no panel, no manager

  auto* wexo = dynamic_cast<WexoPDEPlugIn*>(plugIn);
  ASSERT_NE(wexo, nullptr);
  ASSERT_TRUE(plugIn->initWithBundle(bundle));
  EXPECT_EQ(wexo->plugInBundle(), bundle);
  std::optional<PDEPlugIn::Panels> panels = plugIn->PDEPanelsForType(kPrintDialogTypeID, host.get());
  ASSERT_TRUE(panels);
  ASSERT_EQ(panels->size(), 1u);
  EXPECT_EQ(panels->front()->panelName(), "TZ Print Server");
  // The panel holds the bundle now, the plug-in no longer does.
  EXPECT_EQ(wexo->plugInBundle(), nullptr);
  auto* panel = dynamic_cast<WexoPDEByCocoa*>(panels->front().get());
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->plugInBundle(), bundle);
  panels.reset();
}

TEST_F(PlugInTest, SupportedKeysAndChangesMadeByOtherPanels) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  const std::optional<Array> keys = panel->supportedPPDOptionKeys();
  ASSERT_TRUE(keys);
  EXPECT_EQ(*keys, *panel->plugInBundle()->objectForInfoDictionaryKey("PMPPDKeysSupported").asArray());

  PpdFile ppd(host->ppdFile());
  const std::vector<std::string> choices = ppd.optionKeywords("StapleMode").value();
  const std::string current = panel->printOption()->get("StapleMode").text();
  const auto other = std::find_if(choices.begin(), choices.end(), [&](const std::string& c) { return c != current; });
  ASSERT_NE(other, choices.end());

  // Another panel marks a choice: the dialog tells the panel, which takes it.
  ASSERT_TRUE(host->changePPDOption("StapleMode", *other));
  EXPECT_EQ(panel->printOption()->get("StapleMode").text(), *other);

  // A choice the printer description does not list, or a key the options do not hold, changes nothing.
  const PrintOption before = *panel->printOption();
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), std::string("NoSuchChoice"));
  panel->PPDOptionKeyValueDidChange(std::string("NoSuchKey"), std::string("A"));
  panel->PPDOptionKeyValueDidChange(std::nullopt, std::string("A"));
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), std::nullopt);
  EXPECT_EQ(*panel->printOption(), before);
}

TEST_F(PlugInTest, WithoutConstraintHandlingThePrinterDescriptionIsNotReachedThroughTheHost) {
  makeHost();
  host->setAnswersWillChangePPDOptionKeyValue(false);
  ASSERT_TRUE(host->panels().loadPlugIn(Bundle::bundleWithPath(bundlePath())));
  auto* panel = dynamic_cast<WexoPDEByCocoa*>(host->panels().panels().front().get());
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->useConstraintHandling());
  EXPECT_EQ(panel->_ppd(), nullptr);
  const std::vector<std::string> choices = PpdFile(host->ppdFile()).optionKeywords("StapleMode").value();
  const PrintOption before = *panel->printOption();
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), choices.back());
  panel->PPDOptionKeyValueDidChange(std::string("StapleMode"), choices.front());
  EXPECT_EQ(*panel->printOption(), before);
  // The server lists come through the host's printer description all the same.
  EXPECT_TRUE(panel->sendCommand("DeviceList"));
}

TEST_F(PlugInTest, ShowingListensToTheMainPaneKeysOnceAndReleaseStopsIt) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  NotificationCenter& center = NotificationCenter::defaultCenter();
  const std::size_t before = center.observerCount();

  ASSERT_TRUE(host->panels().show(*panel));
  EXPECT_TRUE(panel->isMyPluginPDE());
  EXPECT_TRUE(panel->panePlugInMgr()->isInitializedNetworkData());
  EXPECT_EQ(center.observerCount(), before + WexoPDEByCocoa::observedKeys().size());
  // The hidden host controls of the bundle's information are the panel's once it is shown.
  EXPECT_EQ(panel->isHiddenDuplex(), panel->panePlugInMgr()->isHiddenDuplex());
  EXPECT_TRUE(panel->isHiddenDuplex());
  EXPECT_EQ(panel->getDuplex(), std::nullopt);

  ASSERT_TRUE(host->panels().hide());
  EXPECT_FALSE(panel->isMyPluginPDE());
  ASSERT_TRUE(host->panels().show(*panel));
  EXPECT_EQ(center.observerCount(), before + WexoPDEByCocoa::observedKeys().size());

  host->panels().unloadPlugIn();
  EXPECT_EQ(center.observerCount(), before);
  EXPECT_EQ(PanePlugInMgr::sharedInstance().pdeObject(), nullptr);
  EXPECT_EQ(sharedPDEPluginCallback(), nullptr);
}

TEST_F(PlugInTest, ASettingChangedInTheDetailedSettingsWindowReachesThePanelsOptions) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  ASSERT_TRUE(host->panels().show(*panel));
  EXPECT_EQ(panel->printOption()->get("DuplexMode"), Value("None"));
  auto person = std::make_shared<tk::ScriptedOperator>();
  person->act([](tk::Window& window) {
    // The person picks two-sided printing on the Page pane's pop-up, then confirms.
    PanePlugInMgr& manager = PanePlugInMgr::sharedInstance();
    KORAUI* duplex = manager.koraMgr().getControlsDictionary().find("DuplexMode")->front();
    auto* page = dynamic_cast<tk::TabView*>(manager.panelViewOfBundleName("Page"));
    ASSERT_NE(page, nullptr);
    for (tk::TabViewItem* tab : page->tabViewItems())
      if (tab->view() == duplex->superview()) page->selectTabViewItem(tab);
    ASSERT_TRUE(window.containsView(duplex));
    ASSERT_TRUE(duplex->popupButton()->chooseItemAtIndex(2));
    tk::clickButton(window, "Apply");  // "Setting" in English
  });
  tk::Application::shared().setOperator(person);
  EXPECT_EQ(panel->clickedShowDetailedSettingsButton(), 1);
  EXPECT_EQ(panel->printOption()->get("DuplexMode"), Value("DuplexTumble"));
  EXPECT_EQ(person->remainingSteps(), 0u);
  EXPECT_EQ(PanePlugInMgr::sharedInstance().getStringValueFromKey("DuplexMode"), "DuplexTumble");
}

TEST_F(PlugInTest, SummaryNamesTheOptionsThePrinterDescriptionTitles) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(panel->isIntializedUi());
  const Dict summary = panel->summaryInfo();
  EXPECT_TRUE(panel->isIntializedUi());  // built once: a later summary neither builds nor saves again
  PpdFile ppd(host->ppdFile());
  const std::string staple = panel->printOption()->get("StapleMode").text();
  const std::optional<std::string> title = ppd.mainAlias("StapleMode");
  const std::optional<std::string> choiceTitle = ppd.optionAlias("StapleMode", staple);
  ASSERT_TRUE(title && choiceTitle);
  EXPECT_EQ(summary.get(*title).text(), *choiceTitle);
  // Keys the printer description does not name are left out.
  EXPECT_LT(summary.size(), panel->printOption()->size());
}

TEST_F(PlugInTest, HostControlsBridgeReadsAndWritesTheJobsSettings) {
  WexoPDEByCocoa* panel = loadPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->getCollate(), "True");
  panel->setCollate(false);
  EXPECT_EQ(panel->getCollate(), "False");
  EXPECT_FALSE(host->printSettings()->collate());
  host->printSettings()->setDuplex(DuplexMode::Tumble);
  EXPECT_EQ(panel->getDuplex(), "DuplexTumble");
  panel->setQZInputSlot(std::string("Tray2"));
  EXPECT_EQ(host->printSettings()->value("QZInputSlot")->text(), "Tray2");
  panel->setQZInputSlot(std::nullopt);
  EXPECT_EQ(host->printSettings()->value("QZInputSlot")->text(), "Tray2");
  // The dialog's copies field is found only in the window that holds the panel.
  EXPECT_EQ(panel->getCopies(), std::nullopt);
}

TEST_F(PlugInTest, TextFieldMessagesComeFromTheBundledFramework) {
  ASSERT_NE(loadPanel(), nullptr);
  // The out-of-range message lives in Contents/Frameworks, not in the bundle's own tables.
  const std::shared_ptr<Bundle> framework = KORATextFieldBundle();
  ASSERT_TRUE(framework);
  EXPECT_EQ(framework->bundlePath(), bundlePath() / "Contents/Frameworks/KORATextField.framework");
  EXPECT_NE(framework->localizedString("IDM_MSG58"), "IDM_MSG58");
}

}  // namespace
}  // namespace orval

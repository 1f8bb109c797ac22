// PanePlugInMgr: the one object that ties the panel to everything that
// describes and holds the settings.
//
// On its creation it reads the plug-in bundle's information
// ("Contents/Info.plist": the UI description's base name "QZPOD", the tab
// tree flag and the hidden host controls), creates the settings engine
// (KORAMgr) and loads the password encoding library from the bundle's
// resources. It loads the pane plug-ins of the bundle's plug-in folder (once
// per role that the panes tree gives a bundle) into its plug-in table,
// derives the default option set from the controls they register, opens the
// bundle's own printer description for titles and existence checks, and asks
// the printer queue for its server lists through the panel (PDEObject).
//
// The bundle is the principal bundle (BSPrincipalBundle) registered when the
// panel is created; its resource names come from AppPreference.
//
// Ownership: the manager owns the engine, the pane controllers, the panes
// tree, its printer description and the cached defaults. It does not own the
// panel. Released, it lets the engine go first, so that the engine never
// refers to controls of a controller that is gone.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "panes/pane_plugin_interface.h"
#include "panes/pde_object.h"
#include "panes/ppd_file_ext.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"
#include "settings_ui/kora_mgr.h"

namespace orval {

namespace tk {
class View;
}

class PanePlugInMgr {
 public:
  // One loaded pane plug-in: its table name (Name, or Name+Role), its bundle
  // and its controller. The controller is the principal object the bundle made.
  struct PlugInEntry {
    std::string name;
    std::shared_ptr<Bundle> bundle;
    std::unique_ptr<BundlePrincipal> object;
    PanePlugInInterface* paneConroller = nullptr;
  };

  // The information keys of the bundle read at creation.
  static constexpr const char* kUIPODKey = "QZPOD";
  static constexpr const char* kTabTreeViewKey = "QZTabTreeView";
  static constexpr const char* kHiddenNumCopiesKey = "isHiddenNumCopies";
  static constexpr const char* kHiddenDuplexKey = "isHiddenDuplex";
  static constexpr const char* kHiddenCollateKey = "isHiddenCollate";
  // The name of the pane plug-in that writes the automatic paper tray selection.
  static constexpr const char* kPagePlugInName = "Page";

  // The process-wide manager, created on first call.
  static PanePlugInMgr& sharedInstance();
  // The process-wide manager when it exists, else nullptr (never creates it).
  static PanePlugInMgr* sharedInstanceIfExists();
  // Releases the process-wide manager (the bundle's unload); the next
  // sharedInstance creates a new one.
  static void release();
  // Test-only: releases the process-wide manager so a test starts afresh.
  static void resetSharedInstanceForTesting();

  // Creation: reads the principal bundle's information, creates the engine and loads the password library.
  PanePlugInMgr();
  // Release: the engine, the panes tree, the controllers, the printer description, the
  // defaults; unloads the password library.
  ~PanePlugInMgr();
  PanePlugInMgr(const PanePlugInMgr&) = delete;
  PanePlugInMgr& operator=(const PanePlugInMgr&) = delete;

  // The bundle's information -----------------------------------------------------------------

  // The full path of the UI description, or none when it was not found.
  const std::optional<std::string>& getUIFilePath() const { return _uiFilePath; }
  // The UI description parsed (the file at getUIFilePath, else the bundle's
  // resource "UI"), read on first use and kept for whoever builds controls;
  // nullptr, logged, when it cannot be read (read again at the next use).
  std::shared_ptr<const Dict> uiDescription();
  // The UI description's base name ("QZPOD"), or none.
  const std::optional<std::string>& isPOD() const { return _uiPOD; }
  bool getTabTreeView() const { return _uiTabTreeView; }
  bool isHiddenNumCopies() const { return _isHiddenNumCopies; }
  bool isHiddenDuplex() const { return _isHiddenDuplex; }
  bool isHiddenCollate() const { return _isHiddenCollate; }
  // Always true: this manager serves the print dialog extension.
  bool isForPDE() const { return true; }

  // The panel and the print server -------------------------------------------------------------

  // The panel that sends server commands (not owned; nullptr clears it).
  void setPDEObject(PDEObject* pdeObject) { _pdeObject = pdeObject; }
  PDEObject* pdeObject() const { return _pdeObject; }
  // The object set around option gathering (not owned), kept for the pane plug-ins.
  void setDelegate(PDEObject* delegate) { _delegate = delegate; }
  PDEObject* delegate() const { return _delegate; }
  // The print server's host name (a copy).
  void setHostName(const std::optional<std::string>& hostName) { _hostName = hostName; }
  const std::optional<std::string>& getHostName() const { return _hostName; }
  const std::optional<std::string>& destinationAddress() const { return _hostName; }
  // True once every pane has been told that it will show.
  bool isInitializedNetworkData() const { return _isInitializedNetworkData; }
  void setInitializedNetworkData(bool initialized) { _isInitializedNetworkData = initialized; }

  // Pane plug-ins ------------------------------------------------------------------------------

  // Loads every pane plug-in of the bundle's plug-in folder; true when the table is not empty.
  bool loadPlugIns();
  // The loaded plug-ins, in the order they were loaded.
  const std::vector<PlugInEntry>& plugInTable() const { return _plugInTable; }
  // The controller stored under name, or nullptr.
  PanePlugInInterface* paneControllerNamed(const std::string& name) const;
  // The panes tree (the bundle's resource named by AppPreference's
  // "panesTreeFileName"), loaded on first use; nullptr, logged, when it
  // cannot be loaded (tried again at the next use).
  const Dict* panesTreeDictionary();
  // Tells every pane that it will show, then marks the network data as initialized.
  void willShowAllBundle();
  // The controller's view, asked with exceptions of the platform swallowed; nullptr after one.
  tk::View* safeInvokePanelViewFor(PanePlugInInterface* paneController);
  // Makes the view of the next plug-in in table order; false when every view is made.
  bool loadPanelView();
  // Loads the plug-in Name.bundle of the plug-in folder (without a role) and
  // answers its controller; nullptr when Name is already loaded or cannot be.
  PanePlugInInterface* _loadPaneControllerWithName(const std::string& name);

  // The settings engine ------------------------------------------------------------------------

  KORAMgr& koraMgr() { return *_koraMgr; }
  // Registers control with the engine, then announces its main keyword and
  // those of its children, in order, so that the engine validates each once.
  void setKoraUiToKoraMgr(KORAUI* control);
  // The engine's value of key.
  std::optional<std::string> getStringValueFromKey(const std::string& key);
  // Sets value on every control of key.
  void setStringValue(const std::optional<std::string>& value, const std::string& key);
  // Sets value on key, resolving its conflicts silently; answers the restored keywords.
  std::optional<std::vector<std::string>> setStringValueWithRestoreConfliction(const std::string& value,
                                                                                const std::string& key);
  // The engine's old value of key := its current value.
  void updateOldValue(const std::string& key);
  // Asks before candidate is set on keyword from outside its control; true = go ahead.
  bool validateBeforeChange(const std::string& keyword, const std::string& candidate,
                            const std::optional<std::string>& name);
  // Puts options into the engine and makes every pane's view; true (also when
  // the table is empty or options are missing, which changes nothing).
  bool restorePrintOptionValues(const PrintOption* options);
  // Checks a whole option set for missing required values (one alert lists
  // them); true when it may be accepted. A missing set is consistent.
  bool isPrintOptionConsistencyCheck(const PrintOption* options) const;
  // A conflict resolution for duplex and media type: always empty (none is offered).
  Dict resloveConflictAlertDuplex(const std::optional<std::string>& duplex,
                                  const std::optional<std::string>& mediaType, int order) const;

  // Defaults -------------------------------------------------------------------------------------

  // A new copy of the default option set (made from the registered controls
  // on the first request, then kept).
  PrintOption defaultSettings();
  // The default choice of key, as the panes see it; none without one.
  std::optional<std::string> selectedOptionKeyword(const std::string& key);

  // The bundle's printer description -----------------------------------------------------------

  // The manager's printer description (the bundle resource named by
  // AppPreference's "ppdFileName"), opened on first use; nullptr when it cannot be.
  PpdFileExt* ppdInformation();
  // With a choice: the printer description has that choice for key; without: it has key.
  bool isExistsInPpd(const std::string& key, const std::optional<std::string>& optionKeyword = std::nullopt);
  // Title -> choice title of every entry of options that the printer description names.
  Dict summaryInfoFromPrintOption(const PrintOption& options);
  // The titles of key and of its choice optionKeyword, as in summaryInfoFromPrintOption.
  void getAlias(std::optional<std::string>& alias, std::optional<std::string>& optionAlias, const std::string& key,
                const std::string& optionKeyword);

  // Server lists (each sends one command through the panel; none when nothing came back) --------

  std::optional<Value> getStackerInfoList();
  std::optional<Value> getFeederInfoList();
  std::optional<Value> getDeviceList();
  std::optional<Value> getJobFolderList();
  std::optional<Value> getPrePostDeviceList();
  std::optional<Value> getCmsSpotGetAllListData();
  std::optional<Value> getColorSubstList();
  std::optional<Value> getColorPatchFileList();
  std::optional<Value> getNoteFileList();
  std::optional<Value> getCustomNoteFileList();
  std::optional<Value> getPagenationFileList();
  std::optional<Value> getFormFileList();
  std::optional<Value> getSpecialTonerFileList();
  std::optional<Value> getWaterMarkFileList();
  std::optional<Value> getTrappingFileList();
  std::optional<Value> getNormalizerFileList();
  std::optional<Value> getImpositionFileList();
  std::optional<Value> getFontList();
  // ICC profiles when isIcc, else measurement files.
  std::optional<Value> getOutputProfileFileList(bool isIcc);
  std::optional<Value> getCMYKInputProfileFileList(bool isIcc);
  std::optional<Value> getDensityAdjustProfileList();
  std::optional<Value> getUserTrcProfileList();
  std::optional<Value> getRGBInputProfileFileList();
  std::optional<Value> getDeviceLinkFileList();
  std::optional<Value> getCalibFileList();
  // Sends every server list command once, discarding the answers.
  void getAllList();
  // The commands getAllList sends, in their order.
  static const std::vector<std::string>& allListCommands();

  // Helpers --------------------------------------------------------------------------------------

  // A string as it is; any other value "True" when its truth is true, else "False".
  static std::string _stringFromObject(const Value& value);

 private:
  // Reads the bundle's information and locates the UI description.
  void _readBundleInformation(const Bundle* bundle);
  // Sends one server list command through the panel.
  std::optional<Value> _sendCommand(const std::string& name);
  // Plain name -> its roles, in the order met (duplicates kept).
  using RoleNames = std::unordered_map<std::string, std::vector<std::string>>;
  // Collects the roles of node, its dependencies and its items, depth first.
  static void _gatherPlugInRoleNames(const Dict& node, RoleNames& roles);
  // Loads the plug-in at path under Name+Role (or Name); nullptr when skipped.
  PanePlugInInterface* _loadPaneControllerAtPath(const std::filesystem::path& path,
                                                 const std::optional<std::string>& roleName);
  const PlugInEntry* _entryNamed(const std::string& name) const;
  // The default set, made on the first request.
  const PrintOption& _defaultValueDictionary();
  // The default of key with the "CMYK2" correction of "ColorModel".
  std::optional<std::string> _defaultOptionKeyword(const std::string& key);

  std::unique_ptr<KORAMgr> _koraMgr;
  std::optional<Dict> _panesTreeDictionary;
  std::vector<PlugInEntry> _plugInTable;
  std::unique_ptr<PpdFileExt> _ppdFile;
  bool _ppdFailureLogged = false;
  std::optional<PrintOption> _defaultDictionary;
  std::optional<std::string> _hostName;
  std::optional<std::string> _uiFilePath;
  std::shared_ptr<const Dict> _uiDescription;
  std::optional<std::string> _uiPOD;
  bool _uiTabTreeView = false;
  bool _isHiddenNumCopies = false;
  bool _isHiddenDuplex = false;
  bool _isHiddenCollate = false;
  PDEObject* _delegate = nullptr;
  PDEObject* _pdeObject = nullptr;
  bool _isInitializedNetworkData = false;
  // How many views loadPanelView has made.
  std::size_t _panelViewCount = 0;
};

}  // namespace orval

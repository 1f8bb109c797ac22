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
// It serves the pane plug-ins (pane_plugin_mgr_services.cpp and the files
// beside it): binding their settings controls to the UI description and
// registering them, numbered profile items, menu items, the values of their
// classic controls, their names, views and roles, profiles, and gathering
// and enabling every pane for the detailed-settings window.
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
#include <cstdint>
#include <filesystem>
#include <map>
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
class Control;
class Image;
class MenuItem;
class PopUpButton;
class TextField;
class View;
class Window;
}  // namespace tk

// The settings controls a pane bound, by print option key (setupKORAUIControls).
using KORAUIControlTable = std::map<std::string, KORAUI*>;

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

  // Services to the pane plug-ins: binding and finding controls ---------------------------------
  // (pane_plugin_mgr_services.cpp)

  // The UI description (every control description by print option key): the
  // one parse of uiDescription(); nullptr, logged, when it cannot be read.
  const Dict* controlDictionary();
  // Builds the pane of paneController: its numbered profile items first
  // (profileUiInformations), then registers its settings controls
  // (getListKORAUI) with the engine and announces each control's main keyword
  // followed by its children's, so that the engine validates each once.
  // Exceptions of the platform raised meanwhile are swallowed (logged); what
  // was registered until then stays registered.
  void buildPaneUi(PanePlugInInterface* paneController, const std::shared_ptr<Bundle>& bundle);
  // Binds controls: each control's tool tip is its print option key; a
  // control with a tool tip other than "(null)" gets the control
  // dictionary's entry for that key with bundle, builds itself (for the pane
  // paneName, "" for none), loses its tool tip and is stored under the key in
  // outputDictionary. A control without a tool tip is left alone. False when
  // controls, controlDictionary or outputDictionary is missing.
  bool setupKORAUIControls(const std::vector<KORAUI*>* controls, const Dict* controlDictionary,
                           KORAUIControlTable* outputDictionary, const std::shared_ptr<Bundle>& bundle,
                           const std::string& paneName = {});
  // The settings controls among view's direct subviews and, for each tab view among them,
  // those of every tab's view (searched the same way); other containers are not searched.
  static std::vector<KORAUI*> getKORAUIControls(const tk::View* view);
  // The first control whose main keyword is key, or nullptr.
  static KORAUI* getKORAUIOneControl(const std::vector<KORAUI*>& controls, const std::string& key);

  // Menu items, represented dictionaries, images, hiding and enabling -----------------------------

  // Appends to menu an item titled optionAlias standing for the choice optionKeyword of mainKeyword.
  static void addMenuItem(tk::PopUpButton* menu, const std::optional<std::string>& mainKeyword,
                          const std::optional<std::string>& optionAlias,
                          const std::optional<std::string>& optionKeyword);
  // Titles item optionAlias and makes it represent {"optionKeyword": choice, "mainKeyword": key};
  // nothing when any argument is missing.
  static void setMenuItem(tk::MenuItem* item, const std::optional<std::string>& mainKeyword,
                          const std::optional<std::string>& optionAlias,
                          const std::optional<std::string>& optionKeyword);
  // The entry for key of the dictionary that item (or control's cell) represents, or null.
  static Value representedObjectOfMenuItem(const tk::MenuItem* item, const std::string& key);
  static Value representedObject(const tk::Control* control, const std::string& key);
  // The bundle's image resource name (a PNG), or none.
  static std::optional<tk::Image> imageWithName(const std::string& name, const Bundle* bundle);
  // Fills a classic control from the bundle's printer description: a pop-up
  // gets the choices of key, titled by the description (each standing for
  // its choice and key); title, when given, shows the key's title and ":".
  // False when the description has no choices for key (nothing changes).
  bool _buildControl(tk::Control* control, const std::string& key, tk::TextField* title);
  // Hides (or shows) every view of conrtols.
  static void setHidden(bool hidden, const std::vector<tk::View*>& conrtols);
  // Enables (or disables) every control of dependentConrtols, labels painted accordingly.
  static void setEnabled(bool enabled, const std::vector<tk::Control*>& dependentConrtols);

  // Panes by name ------------------------------------------------------------------------------

  // The pane name of the plug-in loaded as bundleName (Name or Name+Role), or none.
  std::optional<std::string> panelNameOfBundleName(const std::string& bundleName);
  // Its view (safeInvokePanelViewFor), or nullptr.
  tk::View* panelViewOfBundleName(const std::string& bundleName);
  // Its controller, after its view is made; nullptr when none is loaded under that name.
  PanePlugInInterface* paneControllerOfBundleName(const std::string& bundleName);
  // The role part of paneController's table name (Finishing+Staple: Staple) when exactly one
  // name maps to it, also while it is being loaded (initializePanel); none otherwise.
  std::optional<std::string> roleName(const PanePlugInInterface* paneController) const;
  // Forgets the panes tree, loads the plug-ins again, reopens the printer
  // description under the name panesTreeName carries when one was open
  // (false when it cannot be opened; the one open stays), forgets the
  // default set and makes every pane's view again. rebuildPanes is not read.
  bool rebuildPanes(const Value& rebuildPanes, const std::optional<std::string>& panesTreeName);

  // Profiles (pane_plugin_mgr_profiles.cpp) -------------------------------------------------------

  // Adds the numbered profile items "<prefix>n" to control, after its last
  // one, up to lastNo; option is the choice pattern (e.g. "Profile%d").
  void _addProfileItem(const std::string& key, tk::PopUpButton* control, std::int64_t lastNo,
                       const std::string& option, const std::shared_ptr<Bundle>& bundle);
  // For the plug-in loaded as bundleName: the current profile path becomes withProfilePath
  // when it differs, and the plug-in is asked for its profile pop-ups.
  void updateProfileByBundleName(const std::string& bundleName, const std::optional<std::string>& withProfilePath);
  // The same for every loaded plug-in; PlatformException "## plug-in table is nil" before any is loaded.
  void updateProfilesOfAllBundles(const std::optional<std::string>& profilePath);
  // Sets the current profile path, then updates every loaded plug-in (as above).
  void _setProfilePath(const std::optional<std::string>& profilePath);
  const std::optional<std::string>& currentProfilePath() const { return _currentProfilePath; }
  // The key = value pairs of the profile at the current path, or none.
  std::optional<Dict> dictionaryOfCurrentProfile() const;

  // Classic controls (pane_plugin_mgr_classic_controls.cpp) ----------------------------------------

  // The value of a pane's classic (non-engine) control: pop-up, slider, check
  // box, secure or plain text field, radio matrix; null for other controls.
  Value getValueFromControl(const tk::Control* control) const { return _getValueFromControl(control); }
  Value _getValueFromControl(const tk::Control* control) const;
  // Shows value in a classic control (see getValueFromControl).
  void _setValueToControl(tk::Control* control, const Value& value) const;

  // Gathering, enabling, deferred actions ----------------------------------------------------------

  // With unifiedFileType false, a copy of every current value of the engine; with it true, none.
  std::optional<PrintOption> gatherPrintOptionValues(const std::optional<std::string>& fileType,
                                                     bool useServerSetting, bool sameSettingForNext,
                                                     bool unifiedFileType);
  // Updates the enabled states of every loaded plug-in's pane
  // (updateEnabledStatesByBundleName); PlatformException "## plug-in table is nil" before any is loaded.
  void updateEnabledStates(const std::optional<std::string>& fileType, bool unifiedFileType,
                           bool useServerSetting, bool sameSettingForNext);
  // Sends control's action once, on the run loop's next turn in the modal-panel mode.
  static void delayedAction(tk::Control* control);

  // Services that answer without doing anything -----------------------------------------------------

  void updateEnabledStatesByBundleName(const std::string& bundleName, const std::optional<std::string>& fileType,
                                       bool unifiedFileType, bool useServerSetting, bool sameSettingForNext) {}
  void revertToDefaultByBundleName(const std::string& bundleName) {}
  void setParentWindow(tk::Window* window) {}
  // A panes tree node as the detailed-settings tree shows it: the node itself.
  const Dict* resolveItem(const Dict* item, bool expandDependency) const { return item; }
  const Dict* resolveItem(const Dict* item) const { return item; }
  // The view information of key: none (every caller takes its fallback).
  std::optional<Array> _findViewInfoArrayForKey(const std::string& key, const void* sender, bool fildAll,
                                                bool senderOnly) const {
    return std::nullopt;
  }

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

  // The settings engine's registration of controls, then one announcement per control and child.
  void _registerControls(const std::vector<KORAUI*>& controls);
  // The loaded plug-ins or, before any is, PlatformException "## plug-in table is nil".
  const std::vector<PlugInEntry>& _requirePlugInTable() const;

  std::unique_ptr<KORAMgr> _koraMgr;
  std::optional<Dict> _panesTreeDictionary;
  std::vector<PlugInEntry> _plugInTable;
  std::unique_ptr<PpdFileExt> _ppdFile;
  bool _ppdFailureLogged = false;
  std::optional<PrintOption> _defaultDictionary;
  std::optional<std::string> _currentProfilePath;
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
  // The plug-in being initialized, with the name it will be stored under.
  const PanePlugInInterface* _loadingController = nullptr;
  std::string _loadingName;
};

}  // namespace orval

// WexoPDEByCocoa: the controller of the "TZ Print Server" panel, the one
// panel the plug-in makes for the print dialog.
//
// It owns the panel's state (the job's PrintOption and its defaults, the
// print server's host name, the job name and profile selections), creates
// and wires the shared PanePlugInMgr, answers the host's panel protocol and
// is the PDEObject through which the manager asks the printer queue for its
// server lists.
//
// Creation (the constructor, in this order): keeps the callback object (also
// in the process-wide slot) and the bundle (registered as the bundle of
// localized strings and as the principal bundle); sets the initial field
// values; notes whether the host marks printer-description choices for its
// panels (constraint handling); takes the shared manager and has it load the
// pane plug-ins, sets itself as the manager's PDEObject and has it ask for
// every server list once; takes the print server's host name from the
// printer's device address (see print_server_host_name.h) and hands it to
// the manager; takes the manager's defaults as the default and the current
// option set. Nothing of this is reported to the host when it fails.
//
// The host operations:
// - panelView: the view of the interface file "PDE_UI_ByCocoa", loaded on the
//   first call (an empty view, logged, when the file is missing or damaged).
// - willShow: builds the main pane once, gives the tray dialogs the server's
//   custom paper types, tells the panes they will show, pushes the option set
//   into the main pane, hides the favorites row, listens to the main pane's
//   keys and marks the panel as shown.
// - summaryInfo: builds and saves once before the panel was ever shown.
// - saveValuesAndReturnError / restoreValuesAndReturnError: the job's
//   settings (wexo_pde_by_cocoa_ticket.cpp).
// - PPDOptionKeyValueDidChange: a choice another panel marked becomes the
//   option's value and shows on the main pane.
// The favorites row (wexo_pde_by_cocoa_favorites.cpp) applies, saves, deletes
// and manages favorites and marks the pop-up while the settings differ from
// the current favorite; it is hidden on show, but the tracking still runs. The
// job name button opens the job name dialog (wexo_pde_by_cocoa_job_name.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panes/pde_object.h"
#include "panes/ppd_file_ext.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/foundation/value.h"
#include "platform/print/pde_panel.h"
#include "platform/print/pde_plugin_callback.h"
#include "platform/print/ticket.h"

namespace orval {

namespace tk {
class Button;
class Control;
class PopUpButton;
class TextField;
class View;
}  // namespace tk

class KORAUI;
class PanePlugInMgr;
class PdeAutomaticPaperTraySelection;

class WexoPDEByCocoa : public PDEPanel, public PDEObject {
 public:
  // The panel's title in the dialog's panel menu.
  static constexpr const char* kPanelName = "TZ Print Server";
  // The panel's kind (also the client identifier of what it writes into a ticket).
  static constexpr const char* kPanelKind = "com.quillant.p.orval.pde.r1_plugin.main";
  // The bundle information key listing the printer-description options the panel sets.
  static constexpr const char* kPPDKeysSupportedKey = "PMPPDKeysSupported";
  // The printer command that has the queue publish a server list into its printer description.
  static constexpr const char* kReportLevelsCommand = "ReportLevels";
  // The keys whose change notifications the panel listens to while shown, in order.
  static const std::vector<std::string>& observedKeys();

  // Creates the panel for the host's callback object and the plug-in bundle (either may be missing).
  WexoPDEByCocoa(PDEPluginCallback* callback, std::shared_ptr<Bundle> bundle);
  // Stops listening, lets go of the manager's PDEObject slot and of the callback slot when they
  // still refer to this panel.
  ~WexoPDEByCocoa() override;
  WexoPDEByCocoa(const WexoPDEByCocoa&) = delete;
  WexoPDEByCocoa& operator=(const WexoPDEByCocoa&) = delete;

  // PDEPanel ----------------------------------------------------------------------------------

  // "TZ Print Server".
  std::string panelName() override;
  // "com.quillant.p.orval.pde.r1_plugin.main".
  std::string panelKind() override;
  // The root view, made on the first call (see above).
  tk::View* panelView() override;
  // Prepares and shows the panel (see above).
  void willShow() override;
  // Marks the panel as no longer shown; always allows hiding.
  bool shouldHide() override;
  // Option title -> choice title of the current option set (see above).
  Dict summaryInfo() override;
  // Stores the panel's settings into the job (see above); true.
  bool saveValuesAndReturnError(std::string* error) override;
  // Loads the panel's settings from the job (see above); true.
  bool restoreValuesAndReturnError(std::string* error) override;
  // Takes choice for key into the current option set when the set has key and the printer
  // description lists choice among key's choices; ignored otherwise.
  void PPDOptionKeyValueDidChange(const std::optional<std::string>& key,
                                  const std::optional<std::string>& choice) override;
  // The bundle's "PMPPDKeysSupported" array, or none.
  std::optional<Array> supportedPPDOptionKeys() override;

  // PDEObject ---------------------------------------------------------------------------------

  // Reads server list listName from the host's printer description (before system 10.9 the
  // printer is first sent "ReportLevels" with listName as the job title); none when the
  // description has no such list or it does not parse.
  std::optional<Value> sendCommand(const std::string& listName) override;

  // Notifications -------------------------------------------------------------------------------

  // Stops listening to every notification; with flag, listens to observedKeys() from any sender.
  void configuringNotification(bool flag);
  // A user change of a main-pane key (a notification with user information): gathers the main
  // pane and the engine's "SamplePrintMode" into the current option set.
  void keyChangeNotification(const Notification& notification);

  // The printer description ---------------------------------------------------------------------

  // The host's printer description, wrapped on first use; nullptr when the host does not mark
  // choices for its panels or has none.
  PpdFileExt* _ppd();

  // The job's settings (wexo_pde_by_cocoa_ticket.cpp) ---------------------------------------------

  // Status of a parameter error (no key, no print settings, no ticket).
  static constexpr int kParamErr = -50;
  // Status of a save refused by the conflict check.
  static constexpr int kConstraintErr = -9531;
  // The scalar entries' keys.
  static constexpr const char* kSpecificJobNameKey = "QZSpecificJobName";
  static constexpr const char* kJobNameKey = "JobName";
  static constexpr const char* kFavoriteNameKey = "FavoriteName";
  static constexpr const char* kProfilePathKey = "ProfilePath";

  // Stores the scalar entries, reformats and gathers the option set, and
  // routes every canonical value into a marked choice or a private entry
  // (see the .cpp); answers 0, or kConstraintErr when the conflict check refuses.
  int _gatherPrintOptionFromUi(Ticket* ticket, Dict* ppdDictionary);
  // Resets nothing itself: overlays the job's values (private entry, else
  // ppdDictionary's entry, else the marked choice) on the current option set
  // in canonical form, hands it to the manager, reads the scalar entries and
  // pushes the set into the main pane; answers 0.
  int _restorePrintOptionToUi(Ticket* ticket, Dict* ppdDictionary);
  // Routes one canonical value: a choice of the printer description is marked (and any private
  // entry of key removed); anything else becomes key's private entry, with key's default marked.
  void _setValueToPpdDictionary(Ticket* ticket, Dict* ppdDictionary, const std::string& mainKeyword,
                                const std::string& optionKeyword);
  // Marks choice for key: in ppdDictionary when given, else through the host when it marks choices.
  void _willChangePPDOptionKeyValue(const std::string& key, const std::string& choice, Dict* ppdDictionary);
  // Asks the manager to resolve a duplex / media type conflict; true (refuse to save) when it
  // offers a resolution, which it never does.
  bool _checkUIConstraint(Ticket* ticket, Dict* ppdDictionary);
  // Removes key's private entry.
  void removedObjectByGatheringPrintOption(const std::string& key);
  // Stores value, escaped, as key's private entry; none removes it. 0 without a key.
  int _customTicketSetString(Ticket* ticket, const std::string& key, const std::optional<std::string>& value);
  // Reads key's private entry as stored (escaped) into *value. 0 without a key.
  int _customTicketGetString(Ticket* ticket, const std::string& key, std::optional<std::string>* value);
  // The job's settings: the host's print settings when it marks choices, else ticket.
  int _ticketSetString(Ticket* ticket, const std::string& key, const std::optional<std::string>& value);
  int _ticketGetString(Ticket* ticket, const std::string& key, std::optional<std::string>* value);
  int _ticketGetSInt32(Ticket* ticket, const std::string& key, std::optional<std::int32_t>* value);

  // Sets the job name as the job name dialog would on OK: specificJobName "Auto" or "Input",
  // jobName as typed (its stored, escaped form is derived from it).
  void setJobName(const std::string& specificJobName, const std::string& jobName);

  // The main pane (wexo_pde_by_cocoa_main_pane.cpp) -----------------------------------------------

  // The interface file of the panel's view.
  static constexpr const char* kPanelInterfaceName = "PDE_UI_ByCocoa";
  // The shortcut controls' keys, in the order they are bound (the bypass switch first, when the
  // UI description has it).
  static const std::vector<std::string>& shortcutKeys();
  // The shortcut control of key (one of shortcutKeys()), or nullptr.
  KORAUI* shortcutControl(const std::string& key) const;

  // Builds the main pane once: texts, favorites, the shortcut controls bound to the UI
  // description and registered with the engine, the tray dialogs, the device-dependent lists.
  void _buildUi();
  // Pushes options into the main pane, the tray dialogs and the engine (nothing before _buildUi).
  void _restoreValuesToPane(const PrintOption& options);
  // Pulls the main pane's, the tray dialogs' and the host controls' values into options.
  void _gatherValuesFromPane(PrintOption& options);
  // Takes into options the engine's value of every key options holds that the engine holds too.
  void _takeValuesTheEngineChanged(PrintOption& options);
  void _restoreValuesToAutomaticPane(const PrintOption& options);
  void _restoreValuesToBypassPane(const PrintOption& options);
  void _gatherValuesFromAutomaticPane(PrintOption& options);
  void _gatherValuesFromBypassPane(PrintOption& options);
  // options has "AutoTraySettingToBypass".
  static bool _autoTraySettingToBypassExist(const PrintOption& options);
  // Pushes the current option set into the main pane and shows the job name.
  void _updatePaneFromModel();
  // Shows the job name, or the localized "Auto" for an automatic or empty one.
  void _updateJobNameUI();
  // Opens the automatic (tag 0) or bypass tray dialog; on its close gathers the main pane.
  void clickedSelectPaperTraySelectionButton(tk::Control& button);
  void automaticPapaerTraySelectionDidEnd();
  // Sets the texts changed in a tray dialog into every control of their keys and has the engine validate them.
  void _announceTextsOfTrayDialog(PdeAutomaticPaperTraySelection& dialog);
  // Shows in the tray dialogs' fields the texts the engine holds for their keys.
  void _showEngineTextsInTrayDialogs();
  // Returns the main pane's keys to their defaults (the panes keep the rest); answers the keys
  // the engine changed while restoring conflicts.
  std::vector<std::string> clickedRevertToDefaultSettings();
  // The device-dependent lists of the input slot, output tray and finishing controls.
  void updateInputSlotList();
  void updateInputSlotList(const Value& feederList);
  void updateOutputTrayList();
  void checkDevice();
  // Fills popup with the printer description's choices of key and title with its title and ":";
  // false when the description has no such option.
  bool _buildPopupByPpd(tk::PopUpButton* popup, tk::TextField* title, const std::string& key);
  // Selects popup's item whose represented object is ppdDic's value of key: -30870 when none is,
  // 0 otherwise (also when there is nothing to do).
  int _restoreValueToControl(tk::PopUpButton* popup, const std::string& key, const Dict& ppdDic);

  tk::TextField* jobNameLabel() const { return _jobName; }
  tk::Button* automaticPaperTraySelectionButton() const { return _automaticPaperTraySelectionButton; }
  tk::Button* bypassPaperTraySelectionButton() const { return _bypassPaperTraySelectionButton; }
  PdeAutomaticPaperTraySelection* automaticPaperTraySelection() const { return _automaticPaperTraySelection.get(); }
  PdeAutomaticPaperTraySelection* bypassPaperTraySelection() const { return _bypassPaperTraySelection.get(); }

  // The detailed-settings window ------------------------------------------------------------------

  // Opens the detailed-settings window on the current option set: stops
  // listening, saves and restores once, gives the set to the panes, asks for
  // the device link list and tells every pane it will show; runs the window.
  // Confirmed, the set holds the window's settings, collate follows its
  // "Collate" and the panel saves; cancelled, the panes get the set back.
  // Listens again. Answers the window's answer.
  int clickedShowDetailedSettingsButton();
  // Opens the job name dialog on the job's mode and job name; on OK (answer 1) the job takes
  // the dialog's mode, job name and its stored form, and the label follows. Answers the dialog's answer.
  int clickedJobNameButton();

  // The favorites row (wexo_pde_by_cocoa_favorites.cpp) ----------------------------------------------

  // The person chose an item of popup: applies that favorite (choosing the marker only updates the
  // delete button).
  void selectFavorite(tk::PopUpButton* popup);
  // Saves the current settings as a favorite under the name and comment the save dialog asks
  // for; answers the dialog's answer (1 for OK).
  int clickedSaveFavoriteButton();
  // Asks, then moves the current favorite's file to the trash; true when it was removed.
  bool clickedDeleteFavoriteButton();
  // Runs the favorite manager on the current settings; answers its answer (1 for OK).
  int clickedBrowseFavoriteButton();
  // Shows the "Change Setting" marker while the settings (reformatted first when reformat is
  // set) differ from the current favorite, else removes it and applies the favorite.
  void _checkDifferenceFromCurrentFavorite(bool reformat);
  // Whether options differ from the current favorite: a key counts only when both sides have
  // it; texts equal, or equal as decimal numbers, or passwords equal once unscrambled, agree.
  bool _isDifferFromCurrentFavorite(const PrintOption* options);
  // Whether the job's text mine and the favorite's text theirs of key agree: equal, equal as whole
  // decimal numbers ("1.0" and "1"), or, for the scrambled password keys, equal once unscrambled.
  static bool _isSameFavoriteValue(const std::string& key, std::string mine, std::string theirs);
  // The current favorite's options in canonical form: read from its file; for the default
  // favorite, the default settings. None without a pop-up or when the file does not read.
  std::optional<PrintOption> _currentFavoriteDictionary();
  // Lays the current favorite over the job's settings and pushes them into the panes.
  void _reflectCurrentFavoriteToUi();
  // Inserts the marker above the current favorite (title into *title); answers its index, or
  // -1 when there is no pop-up, a marker exists already or there is no current favorite.
  int _insertChangingPreset(std::string* title);
  // Removes the marker; answers the index it had, or -1.
  int _removeChangeingPreset();
  // Removes the marker and keeps the selection on the same favorite.
  void _removeChangedPresetTitleFromFavoritePopup();
  // A boolean as "True"/"False"; any other value unchanged.
  static Value _stringFromBooleanIfNeed(const Value& value);
  // The index of the current favorite's item (the marker stands for the item below it), or -1.
  int _currentFavoriteIndex() const;
  // The current favorite's title and path ("" for the default favorite); none without one.
  std::optional<std::string> _currentFavoriteName() const;
  std::optional<std::string> _currentFavoritePath() const;
  // The index of the marker item, or -1.
  int _indexOfChangePreset() const;
  tk::PopUpButton* favoritePopUp() const { return _favorite; }
  tk::Button* deleteFavoriteButton() const { return _deleteFavoriteButton; }

  // The print dialog's own controls ---------------------------------------------------------------

  // The text of the dialog's copies field; none when copies are hidden or there is no such field.
  std::optional<std::string> getCopies();
  // Sets the copies field's text and sends its action, unless copies are hidden.
  void setCopies(const std::string& text);
  // The job's collate flag as "True" or "False"; none when collate is hidden or there are no
  // print settings.
  std::optional<std::string> getCollate();
  // Sets the job's collate flag and the dialog's collate check box (sending its action), unless
  // collate is hidden.
  void setCollate(bool flag);
  // The job's two-sided kind: "DuplexNoTumble", "DuplexTumble", "SimplexTumble" or "None"; none
  // when duplex is hidden or there are no print settings.
  std::optional<std::string> getDuplex();
  // Stores choice in the job's print settings under "QZInputSlot" (nothing when missing).
  void setQZInputSlot(const std::optional<std::string>& choice);
  // The dialog's control for key ("Collate", "DuplexMode", "NumCopies") in the content view of
  // the window that holds the panel, or nullptr.
  tk::Control* hostControlForKey(const std::string& key) const;

  // State ---------------------------------------------------------------------------------------

  PDEPluginCallback* pdePluginCallbackObject() const { return _pdePluginCallbackObject; }
  const std::shared_ptr<Bundle>& plugInBundle() const { return _plugInBundle; }
  // The shared manager taken at creation.
  PanePlugInMgr* panePlugInMgr() const { return _panePlugInMgr; }
  const std::optional<PrintOption>& defaultPrintOption() const { return _defaultPrintOption; }
  const std::optional<PrintOption>& printOption() const { return _printOption; }
  // The print server's host name, or none when the device address gave none.
  const std::optional<std::string>& hostName() const { return _hostName; }
  const std::string& selectedProfilePath() const { return _selectedProfilePath; }
  const std::string& specificJobNameValue() const { return _specificJobNameValue; }
  const std::string& escapedJobNameValue() const { return _escapedJobNameValue; }
  const std::string& jobNameValue() const { return _jobNameValue; }
  bool isIntializedUi() const { return _isIntializedUi; }
  bool isMyPluginPDE() const { return _isMyPluginPDE; }
  bool useConstraintHandling() const { return _useConstraintHandling; }
  bool isHiddenNumCopies() const { return _isHiddenNumCopies; }
  bool isHiddenDuplex() const { return _isHiddenDuplex; }
  bool isHiddenCollate() const { return _isHiddenCollate; }

 private:
  // Takes the host name from the current printer's device address and hands it to the manager.
  void _takeHostName();
  // The manager's defaults become the default and the current option set.
  void _setDefaults();
  // Loads the panel's interface file into _view and finds its controls.
  void _loadPanelView();
  // The represented object of the selected favorites item, when it is a text.
  std::optional<std::string> _selectedFavoriteName() const;
  // Loads the view and fills the favorites pop-up when it is still empty.
  void _fillFavoritePopup();
  // Selects (without applying) the favorites item that stands for name, when there is one.
  void _selectFavoriteNamed(const std::string& name);
  // Binds the shortcut control of key to the UI description, builds and registers it.
  void _bindShortcut(KORAUI* control, const Dict* ui, const std::string& key);
  // The content view of the window holding the panel's view, or nullptr.
  tk::View* _hostControlsView() const;
  // The job's print settings, or nullptr.
  PrintSettings* _printSettings() const;

  std::unique_ptr<tk::View> _view;
  tk::Button* _deleteFavoriteButton = nullptr;
  tk::PopUpButton* _favorite = nullptr;
  tk::TextField* _jobName = nullptr;
  tk::Button* _jobNameButton = nullptr;
  tk::Button* _revertToDefaultSettingsButton = nullptr;
  tk::Button* _saveFavoriteButton = nullptr;
  tk::Button* _showDetailedSettingsButton = nullptr;
  tk::TextField* _titleFavorite = nullptr;
  KORAUI* _kora_AutoTraySettingToBypass = nullptr;
  KORAUI* _kora_DuplexMode = nullptr;
  KORAUI* _kora_PagePrintOnCenter = nullptr;
  KORAUI* _kora_ColorMode = nullptr;
  KORAUI* _kora_StapleMode = nullptr;
  KORAUI* _kora_Punch_PunchHoles = nullptr;
  KORAUI* _kora_Fold = nullptr;
  KORAUI* _kora_OutputTray = nullptr;
  KORAUI* _kora_OffsetMode = nullptr;
  KORAUI* _kora_QZInputSlot = nullptr;
  tk::Button* _automaticPaperTraySelectionButton = nullptr;
  std::unique_ptr<PdeAutomaticPaperTraySelection> _automaticPaperTraySelection;
  tk::Button* _bypassPaperTraySelectionButton = nullptr;
  std::unique_ptr<PdeAutomaticPaperTraySelection> _bypassPaperTraySelection;
  PDEPluginCallback* _pdePluginCallbackObject = nullptr;
  std::shared_ptr<Bundle> _plugInBundle;
  std::unique_ptr<PpdFileExt> _ppdFile;
  std::optional<PrintOption> _defaultPrintOption;
  std::optional<PrintOption> _printOption;
  std::optional<std::string> _hostName;
  // The title of the last chosen favorites item, and the last marker or chosen title.
  std::string _selectedFavorite;
  std::string _backupFavoriteName;
  // Set while the favorite is laid over the job, whose own notifications are not changes.
  bool _isReflectingFavorite = false;
  std::string _selectedProfilePath;
  std::string _specificJobNameValue = "Auto";
  std::string _escapedJobNameValue;
  std::string _jobNameValue;
  bool _isIntializedUi = false;
  bool _isMyPluginPDE = false;
  bool _useConstraintHandling = false;
  bool _isHiddenNumCopies = false;
  bool _isHiddenDuplex = false;
  bool _isHiddenCollate = false;
  PanePlugInMgr* _panePlugInMgr = nullptr;
};

}  // namespace orval

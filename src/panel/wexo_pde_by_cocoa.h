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
// The main pane (its shortcut controls, job name and favorites row), the
// tray selection dialogs and the job's settings store are not part of this
// panel yet; the detailed-settings window is (clickedShowDetailedSettingsButton),
// without the main pane's part. Until they are, the host
// operations do exactly this:
// - panelView: makes the panel's root view (empty, 500 x 300) on the first
//   call and answers it.
// - willShow (inside a PlatformException guard): copies the manager's hidden
//   host-control flags into the panel, tells every pane plug-in that it will
//   show, starts listening to the main pane's change notifications and marks
//   the panel as shown. The pre/post device list is not asked for: it only
//   feeds the tray selection dialogs. Building (_buildUi) copies the
//   hidden host-control flags and marks the panel built (isIntializedUi),
//   once; the main pane's controls join that step when they exist.
// - summaryInfo: while the panel is not built, builds it and saves once (as
//   below); answers the manager's summary of the current option set (of the
//   defaults when there is none).
// - saveValuesAndReturnError: stores nothing (nothing is written into the
//   job's print settings or marked in the printer description); answers true.
// - restoreValuesAndReturnError (inside a PlatformException guard): resets
//   the default and the current option set to fresh copies of the manager's
//   defaults; nothing is read from the job. Answers true.
// - keyChangeNotification: takes the engine's "SamplePrintMode" into the
//   current option set once the panel is built.
// - PPDOptionKeyValueDidChange: takes the choice into the current option set
//   (there are no main-pane controls to show it in).
// - supportedPPDOptionKeys, shouldHide, panelName, panelKind, sendCommand,
//   configuringNotification and the print dialog's own controls are complete.
#pragma once

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

namespace orval {

namespace tk {
class Control;
class View;
}  // namespace tk

class PanePlugInMgr;

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
  // A user change of a main-pane key (a notification with user information): takes the
  // engine's "SamplePrintMode" into the current option set once the main pane is built.
  void keyChangeNotification(const Notification& notification);

  // The printer description ---------------------------------------------------------------------

  // The host's printer description, wrapped on first use; nullptr when the host does not mark
  // choices for its panels or has none.
  PpdFileExt* _ppd();

  // The detailed-settings window ------------------------------------------------------------------

  // Opens the detailed-settings window on the current option set: stops
  // listening, saves and restores once, gives the set to the panes, asks for
  // the device link list and tells every pane it will show; runs the window.
  // Confirmed, the set holds the window's settings, collate follows its
  // "Collate" and the panel saves; cancelled, the panes get the set back.
  // Listens again. Answers the window's answer.
  int clickedShowDetailedSettingsButton();

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
  // Builds the main pane; for now copies the manager's hidden host-control flags.
  void _buildUi();
  // The content view of the window holding the panel's view, or nullptr.
  tk::View* _hostControlsView() const;
  // The job's print settings, or nullptr.
  PrintSettings* _printSettings() const;

  std::unique_ptr<tk::View> _view;
  PDEPluginCallback* _pdePluginCallbackObject = nullptr;
  std::shared_ptr<Bundle> _plugInBundle;
  std::unique_ptr<PpdFileExt> _ppdFile;
  std::optional<PrintOption> _defaultPrintOption;
  std::optional<PrintOption> _printOption;
  std::optional<std::string> _hostName;
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

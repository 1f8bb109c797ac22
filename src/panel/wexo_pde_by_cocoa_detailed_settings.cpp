// WexoPDEByCocoa: the detailed-settings window, opened on the panel's option set.
#include "detailed_settings/detailed_settings_win_controller.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/toolkit/modal_response.h"

namespace orval {

int WexoPDEByCocoa::clickedShowDetailedSettingsButton() {
  configuringNotification(false);
  // Listening again also when the window cannot be set up (its exception passes on).
  struct ListenAgain {
    WexoPDEByCocoa& panel;
    ~ListenAgain() { panel.configuringNotification(true); }
  } listenAgain{*this};
  saveValuesAndReturnError(nullptr);
  restoreValuesAndReturnError(nullptr);
  if (!_printOption) _printOption = PrintOption();
  _gatherValuesFromPane(*_printOption);
  _panePlugInMgr->restorePrintOptionValues(&*_printOption);

  sendCommand("DeviceLinkFile");
  _panePlugInMgr->willShowAllBundle();

  const int answer = DetailedSettingsWinController::sharedInstance().showAsModalDialog(*_printOption);
  if (answer == tk::ModalResponse::OK) {
    _restoreValuesToPane(*_printOption);
    _showEngineTextsInTrayDialogs();
    if (const Value* collate = _printOption->find("Collate")) setCollate(collate->truth());
    _checkDifferenceFromCurrentFavorite(false);
    saveValuesAndReturnError(nullptr);
  } else {
    if (_defaultPrintOption) _restoreValuesToPane(*_defaultPrintOption);
    _panePlugInMgr->restorePrintOptionValues(&*_printOption);
  }
  return answer;
}

}  // namespace orval

#include "favorite_dialogs/job_name_win_controller.h"

#include "common/control_enabling.h"
#include "common/localized_string.h"
#include "favorites/app_preference.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/text_field_attach.h"

namespace orval {

namespace {

std::unique_ptr<JobNameWinController>& sharedSlot() {
  static std::unique_ptr<JobNameWinController> shared;
  return shared;
}

}  // namespace

JobNameWinController& JobNameWinController::sharedInstance() {
  std::unique_ptr<JobNameWinController>& shared = sharedSlot();
  if (!shared) shared = std::make_unique<JobNameWinController>();
  return *shared;
}

void JobNameWinController::resetSharedInstanceForTesting() { sharedSlot().reset(); }

JobNameWinController::JobNameWinController() : TDWindowController(kWindowFileName) {}

JobNameWinController::~JobNameWinController() = default;

void JobNameWinController::windowDidLoad() {
  tk::Window& dialog = *window();
  _jobNameCaption = tk::viewWithIdentifier<tk::TextField>(dialog, "jobNameCaption");
  _jobNameEdit = tk::viewWithIdentifier<tk::TextField>(dialog, "jobNameEdit");
  _specificJobNameRadio = tk::viewWithIdentifier<tk::Matrix>(dialog, "specificJobNameRadio");
  _okButton = tk::viewWithIdentifier<tk::Button>(dialog, "okButton");
  _cancelButton = tk::viewWithIdentifier<tk::Button>(dialog, "cancelButton");
  if (_specificJobNameRadio != nullptr) {
    for (const auto& [row, mode] : {std::pair{0, kAuto}, std::pair{1, kInput}}) {
      if (tk::ButtonCell* cell = _specificJobNameRadio->cellAtRow(row, 0)) {
        cell->setTitle(BSLocalizedString(mode));
        cell->setRepresentedObject(Value(mode));
      }
    }
  }
  if (_jobNameCaption != nullptr) _jobNameCaption->setStringValue(BSLocalizedString("Job name"));
  if (_okButton != nullptr) _okButton->setTitle(BSLocalizedString("OK"));
  if (_cancelButton != nullptr) _cancelButton->setTitle(BSLocalizedString("Cancel"));
  _jobNameFormatter = attachMaxLengthFormatterWithEscape(
      _jobNameEdit, kMaxJobNameLength, "Placeholder Max chars", std::nullopt,
      [] { return AppPreference::sharedInstance().isJapanesePreferred(); });
  dialog.setTitle(BSLocalizedString("Job name setting"));
  tk::bindAction(dialog, "okButton:", [this](tk::Control& sender) { okButton(sender); });
  tk::bindAction(dialog, "cancelButton:", [this](tk::Control& sender) { cancelButton(sender); });
  tk::bindAction(dialog, "clickedSpecificJobNameRadio:",
                 [this](tk::Control& sender) { clickedSpecificJobNameRadio(sender); });
  restoreValues(std::string(kAuto), std::string());
}

void JobNameWinController::restoreValues(const std::optional<std::string>& specificJobName,
                                         const std::optional<std::string>& jobName) {
  if (window() == nullptr) return;
  if (_specificJobNameRadio != nullptr && specificJobName) {
    for (int row = 0; row < _specificJobNameRadio->numberOfRows(); ++row) {
      const tk::ButtonCell* cell = _specificJobNameRadio->cellAtRow(row, 0);
      if (cell->representedObject() == Value(*specificJobName)) _specificJobNameRadio->selectCellAtRow(row, 0);
    }
  }
  // The name as typed: the field stores its escaped form, which is what
  // escapedJobName answers, so jobName comes back unchanged. Editing left open by
  // the last run (a Cancel) ends unkept first, or a refused keystroke of the next
  // run would put that run's text back.
  if (_jobNameEdit != nullptr && jobName) {
    _jobNameEdit->abortEditing();
    _jobNameEdit->setStringValue(*jobName);
  }
  _updateEnabledStates();
}

int JobNameWinController::showAsModalDialog() {
  tk::Window* dialog = window();
  if (dialog == nullptr) return tk::ModalResponse::Abort;
  const int code = tk::Application::shared().runModalForWindow(*dialog);
  dialog->orderOut();
  return code;
}

std::string JobNameWinController::specificJobName() const {
  const tk::ButtonCell* cell = _specificJobNameRadio != nullptr ? _specificJobNameRadio->selectedCell() : nullptr;
  const std::string* mode = cell != nullptr ? cell->representedObject().asString() : nullptr;
  return mode != nullptr ? *mode : kAuto;
}

std::string JobNameWinController::jobName() const {
  return _jobNameEdit != nullptr ? _jobNameEdit->stringValue() : std::string();
}

std::string JobNameWinController::escapedJobName() const {
  return _jobNameEdit != nullptr ? _jobNameEdit->objectValue().text() : std::string();
}

void JobNameWinController::_updateEnabledStates() {
  const bool input = _specificJobNameRadio != nullptr && _specificJobNameRadio->selectedRow() > 0;
  setEnabledConrtols(input, {_jobNameCaption, _jobNameEdit});
}

void JobNameWinController::clickedSpecificJobNameRadio(tk::Control&) { _updateEnabledStates(); }

void JobNameWinController::okButton(tk::Control&) {
  // The name being typed ends its editing first, as when the focus leaves the field: the dialog
  // then answers the name as the field keeps it (its escapes applied), which the job stores.
  if (tk::Window* dialog = window(); dialog != nullptr && !dialog->makeFirstResponder(nullptr))
    dialog->endEditingFor(nullptr);
  if (specificJobName() == kInput) {
    const std::size_t length = _jobNameFormatter ? _jobNameFormatter->lengthOfText(jobName()) : jobName().size();
    if (length < 1 || length > static_cast<std::size_t>(kMaxJobNameLength)) {
      tk::Alert alert;
      alert.setInformativeText(BSLocalizedString("1 to 255 byte alart"));
      alert.addButtonWithTitle(BSLocalizedString("OK"));
      alert.beginSheetModalForWindow(window(), nullptr);
      return;
    }
  }
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::OK);
}

void JobNameWinController::cancelButton(tk::Control&) {
  tk::Application::shared().stopModalWithCode(tk::ModalResponse::Cancel);
}

}  // namespace orval

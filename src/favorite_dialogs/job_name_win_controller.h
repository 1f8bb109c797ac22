// JobNameWinController: the modal dialog that chooses between an automatic
// job name ("Auto") and one the person types ("Input").
//
// The radio group ("specificJobNameRadio") has two rows: row 0 stands for
// "Auto" (tag 0), row 1 for "Input" (its tag from the window layout). The
// job name field holds at most 255 characters and escapes what it stores:
// jobName is the text as typed, escapedJobName the stored form. In "Input"
// mode OK needs a name of 1 to 255 characters ("1 to 255 byte alart").
// The dialog keeps its last mode and text between openings; callers restore
// it from their own stored values each time. One shared instance, created
// on first use; its window is the interface file "JobName".
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "settings_ui/td_window_controller.h"

namespace orval {

class MaxLengthFormatterWithEscape;

namespace tk {
class Button;
class Control;
class Matrix;
class TextField;
}  // namespace tk

class JobNameWinController : public TDWindowController {
 public:
  static constexpr const char* kWindowFileName = "JobName";
  // The modes, the radio rows' represented values.
  static constexpr const char* kAuto = "Auto";
  static constexpr const char* kInput = "Input";
  // The longest job name, in characters.
  static constexpr int kMaxJobNameLength = 255;

  // The shared controller, created on first use.
  static JobNameWinController& sharedInstance();
  // Test-only: releases the shared controller and its window.
  static void resetSharedInstanceForTesting();

  JobNameWinController();
  ~JobNameWinController() override;

  // Selects the radio row of specificJobName (none when no row has it) and,
  // when jobName is given, shows it in the field as typed; then enables the
  // caption and the field unless the "Auto" row is selected.
  void restoreValues(const std::optional<std::string>& specificJobName, const std::optional<std::string>& jobName);
  // Runs the dialog; answers 1 (OK) or 0 (Cancel), the abort answer when the window cannot be loaded.
  int showAsModalDialog();
  // The selected row's value; "Auto" without a selection.
  std::string specificJobName() const;
  // The job name as typed; "" without a field.
  std::string jobName() const;
  // The job name as stored (escaped by the field's formatter); "" without a field.
  std::string escapedJobName() const;

  // Actions
  // OK: "Auto" ends with 1; "Input" ends with 1 only for a name of 1 to 255 characters.
  void okButton(tk::Control& sender);
  void cancelButton(tk::Control& sender);
  // A radio row was chosen: the caption and the field follow it.
  void clickedSpecificJobNameRadio(tk::Control& sender);

 protected:
  void windowDidLoad() override;

 private:
  void _updateEnabledStates();

  tk::TextField* _jobNameCaption = nullptr;
  tk::TextField* _jobNameEdit = nullptr;
  tk::Matrix* _specificJobNameRadio = nullptr;
  tk::Button* _okButton = nullptr;
  tk::Button* _cancelButton = nullptr;
  std::shared_ptr<MaxLengthFormatterWithEscape> _jobNameFormatter;
};

}  // namespace orval

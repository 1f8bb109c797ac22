// WexoPDEByCocoa: the job name dialog, opened on the job's job name.
#include "favorite_dialogs/job_name_win_controller.h"
#include "panel/wexo_pde_by_cocoa.h"

namespace orval {

int WexoPDEByCocoa::clickedJobNameButton() {
  JobNameWinController& dialog = JobNameWinController::sharedInstance();
  dialog.restoreValues(_specificJobNameValue, _jobNameValue);
  const int answer = dialog.showAsModalDialog();
  // A dialog whose window could not be loaded has no fields: it answers "", which must not
  // replace the job's name.
  if (answer == 1 && !dialog.specificJobName().empty()) {
    setJobName(dialog.specificJobName(), dialog.jobName());
    _escapedJobNameValue = dialog.escapedJobName();
  }
  return answer;
}

}  // namespace orval

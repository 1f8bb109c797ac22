// The job commands that change it: `orval set`, `orval revert`,
// `orval job-name`, `orval trays`.
//
// Every change is made through its control as a person would (see
// control_json.h), so the engine validates it and asks its conflict questions
// on the terminal (or --yes / --no answer them). A setting that cannot be
// made (unknown key, not a choice, refused text, disabled control) or that
// the engine leaves at another value (a conflict answered No, a refused
// combination) fails the command: its message names the key, the exit status
// is 1 and the ticket is not written. Otherwise the job is saved and the
// main pane (or the tray dialog) is shown.
//
// The job name and the tray settings are made in their dialogs, opened as the
// main pane opens them and worked by a DialogOperator (dialog_operator.h), so
// that the dialogs' own rules, enabling and messages apply.
#include <iostream>
#include <memory>
#include <vector>

#include "apps/orval/commands.h"
#include "apps/orval/control_json.h"
#include "apps/orval/dialog_operator.h"
#include "apps/orval/job_commands.h"
#include "apps/orval/job_session.h"
#include "apps/orval/job_settings.h"
#include "common/localized_string.h"
#include "favorite_dialogs/job_name_win_controller.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pde_automatic_paper_tray_selection.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/text_limit_formatter.h"

namespace orval::cli {

namespace {

void printReport(const JobOptions& options, const Json& report) {
  if (options.json) printJson(std::cout, report);
  else printMainPane(std::cout, report);
}

void runSet(const JobOptions& options, const std::vector<std::string>& texts) {
  const std::vector<Setting> settings = parseSettings(texts);
  Json report;
  {
    JobSession job(options);
    applySettings(settings, [&job](const std::string& key) { return mainPaneControl(job, key); });
    job.save();
    report = mainPaneJson(job);
  }
  printReport(options, report);
}

void runRevert(const JobOptions& options) {
  Json report;
  {
    JobSession job(options);
    job.panel().clickedRevertToDefaultSettings();
    job.save();
    report = mainPaneJson(job);
  }
  printReport(options, report);
}

// The reason the job name field does not take name, in the dialog's words where it has them.
std::string jobNameRefusal(const tk::TextField* field, const std::string& name) {
  const auto* rules = field != nullptr ? dynamic_cast<const TextLimitFormatter*>(field->formatter()) : nullptr;
  if (rules != nullptr && rules->containNotAllowedCharactor(name))
    return "the job name field does not take control characters (line breaks, tabs)";
  return BSLocalizedString("1 to 255 byte alart");
}

// The name is set through the job name dialog as a person sets it: the mode's radio button, the
// name typed into its field, OK. A name the field or OK refuses fails the command with the
// dialog's message; the dialog is then cancelled and nothing is written.
void runJobName(const JobOptions& options, bool automatic, const std::optional<std::string>& name) {
  if (automatic && name) throw CommandError("job-name takes --auto or a NAME, not both");
  Json report;
  {
    DialogSession session(options);
    if (automatic || name) {
      bool opened = false;
      session.person->then([&](tk::Window& window) {
        opened = true;
        auto* modes = tk::viewWithIdentifier<tk::Matrix>(window, "specificJobNameRadio");
        const Value mode(automatic ? JobNameWinController::kAuto : JobNameWinController::kInput);
        for (int row = 0; modes != nullptr && row < modes->numberOfRows(); ++row) {
          if (modes->cellAtRow(row, 0)->representedObject() != mode) continue;
          modes->selectCellAtRow(row, 0);
          modes->sendAction();
        }
        auto* field = tk::viewWithIdentifier<tk::TextField>(window, "jobNameEdit");
        if (name && !typeInto(field, *name)) session.person->refuse(jobNameRefusal(field, *name));
        else click(window, "okButton");
        if (!session.person->messages().empty()) tk::endModalWindow(window, tk::ModalResponse::Cancel);
      });
      const int answer = session.panel().clickedJobNameButton();
      session.failOnRefusal("the job name was not set (the ticket is unchanged)");
      if (!opened || answer != tk::ModalResponse::OK) throw CommandError("the job name dialog cannot be opened");
      session.job.save();
    }
    report = mainPaneJson(session.job);
  }
  if (options.json) printJson(std::cout, report["jobName"]);
  else std::cout << "Job name: " << report["jobName"]["shown"].get<std::string>() << '\n';
}

// The tray dialog's controls in use, as `orval show` shows controls.
Json trayDialogJson(const PdeAutomaticPaperTraySelection& dialog) {
  Json controls = Json::array();
  for (const auto& [name, control] : dialog.getListKORAUI()) controls.push_back(settingsControlJson(*control));
  return {{"dialog", dialog.isBypass() ? "bypass" : "automatic"}, {"controls", std::move(controls)}};
}

// The dialog of the automatic (or bypass) tray, opened with the main pane's button as a person
// opens it: that runs the dialog's opening steps (the paper type's action, the colour name's
// enabling), which decide which controls the person can change.
struct TrayDialog {
  PdeAutomaticPaperTraySelection& dialog;
  tk::Button& button;
};

TrayDialog trayDialogOf(WexoPDEByCocoa& panel, bool bypass) {
  PdeAutomaticPaperTraySelection* dialog =
      bypass ? panel.bypassPaperTraySelection() : panel.automaticPaperTraySelection();
  tk::Button* button = bypass ? panel.bypassPaperTraySelectionButton() : panel.automaticPaperTraySelectionButton();
  if (dialog == nullptr || dialog->window() == nullptr || dialog->closeButton() == nullptr || button == nullptr)
    throw CommandError(std::string("the ") + (bypass ? "bypass" : "automatic") + " tray dialog is not available");
  if (!button->isEnabled() || button->isHidden())
    throw CommandError(std::string("the ") + (bypass ? "Bypass" : "Automatic") +
                       " Tray button is not available now (see orval why AutoTraySettingToBypass)");
  return {*dialog, *button};
}

// The settings are made in the open dialog, which is then closed with its button (the panel takes
// what it holds). The job is saved and restored from what it saved: a setting the restored
// dialog does not show was not kept, and fails the command before the ticket is written.
void runTrays(const JobOptions& options, bool bypass, const std::vector<std::string>& texts) {
  const std::vector<Setting> settings = parseSettings(texts);
  Json report;
  {
    DialogSession session(options);
    const TrayDialog tray = trayDialogOf(session.panel(), bypass);
    PdeAutomaticPaperTraySelection& dialog = tray.dialog;
    const auto controlFor = [&dialog](const std::string& key) {
      for (const auto& [name, control] : dialog.getListKORAUI())
        if (name == key) return control;
      throw CommandError("\"" + key + "\" is not a setting of this tray dialog (orval trays lists them)");
    };
    for (const Setting& setting : settings) controlFor(setting.key);
    bool opened = false;
    session.person->then([&](tk::Window&) {
      opened = true;
      for (const Setting& setting : settings) {
        if (const std::optional<std::string> failure = makeSetting(*controlFor(setting.key), setting)) {
          session.person->refuse(*failure);
          break;
        }
      }
      // The dialog closes through its button only.
      dialog.closeButton()->performClick();
    });
    tray.button.performClick();
    session.failOnRefusal("the tray dialog refused the settings (the ticket is unchanged)");
    if (!opened) throw CommandError("the tray dialog did not open");
    if (!settings.empty()) {
      session.job.saveValues();
      session.job.restoreValues();
      checkSettingsKept(settings, controlFor);
      session.job.writeTicket();
    }
    report = trayDialogJson(dialog);
  }
  if (options.json) return printJson(std::cout, report);
  std::cout << (bypass ? "Bypass" : "Automatic") << " tray\n";
  for (const Json& control : report["controls"]) printControl(std::cout, control, "  ");
}

}  // namespace

void addJobChangeCommands(CLI::App& app) {
  auto set = std::make_shared<JobOptions>();
  auto settings = std::make_shared<std::vector<std::string>>();
  CLI::App* command = app.add_subcommand("set", "Change settings of the job's main pane, as a person would");
  command->add_option("KEY=VALUE", *settings, "The settings to change, in order")->required();
  addJobOptions(*command, set.get(), true);
  command->callback([set, settings] { runSet(*set, *settings); });

  auto revert = std::make_shared<JobOptions>();
  command = app.add_subcommand("revert", "Return the main pane's settings to their defaults");
  addJobOptions(*command, revert.get(), true);
  command->callback([revert] { runRevert(*revert); });

  auto jobName = std::make_shared<JobOptions>();
  auto automatic = std::make_shared<bool>(false);
  auto name = std::make_shared<std::optional<std::string>>();
  command = app.add_subcommand("job-name", "Show or set the job name (--auto: the application's)");
  command->add_flag("--auto", *automatic, "Name the job automatically");
  command->add_option("NAME", *name, "The job's name");
  addJobOptions(*command, jobName.get(), false);
  command->callback([jobName, automatic, name] { runJobName(*jobName, *automatic, *name); });

  auto trays = std::make_shared<JobOptions>();
  auto bypass = std::make_shared<bool>(false);
  auto traySettings = std::make_shared<std::vector<std::string>>();
  command = app.add_subcommand("trays", "Show or change the automatic (or --bypass) tray selection");
  command->add_flag("--bypass", *bypass, "The bypass tray instead");
  command->add_option("KEY=VALUE", *traySettings, "The settings to change, in order");
  addJobOptions(*command, trays.get(), true);
  command->callback([trays, bypass, traySettings] { runTrays(*trays, *bypass, *traySettings); });
}

}  // namespace orval::cli

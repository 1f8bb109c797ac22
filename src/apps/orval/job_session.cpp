#include "apps/orval/job_session.h"

#include <sys/stat.h>

#include <iostream>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "platform/foundation/user.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/terminal_operator.h"

namespace orval::cli {

namespace fs = std::filesystem;

void addJobOptions(CLI::App& command, JobOptions* options, bool answersQuestions) {
  command.add_option("--ticket", options->ticket, "The job's ticket file (default: the destination's, in $XDG_STATE_HOME/orval)")
      ->type_name("FILE");
  command.add_option("--ppd", options->ppd, "The printer description (default: the bundle's own)")->type_name("FILE");
  command.add_option("--device-uri", options->deviceURI, "The printer's device address")->type_name("URI");
  addBundleOption(command, &options->bundle);
  if (answersQuestions) {
    CLI::Option* yes = command.add_flag("--yes", options->yes, "Answer every conflict question with Yes");
    command.add_flag("--no", options->no, "Answer every conflict question with No")->excludes(yes);
  }
  addJsonFlag(command, &options->json);
}

fs::path ticketPathFor(const JobOptions& options) {
  if (options.ticket) return *options.ticket;
  const std::string destination = options.ppd ? fs::path(*options.ppd).stem().string() : "TZPrintServer";
  return xdgStateHome() / "orval" / (destination + ".ticket");
}

JobSession::JobSession(const JobOptions& options)
    : _ticketPath(ticketPathFor(options)), _inStateFolder(!options.ticket) {
  _session = std::make_unique<PlugInSession>(openBundle(options.bundle),
                                              options.ppd ? std::optional<fs::path>(*options.ppd) : std::nullopt,
                                              options.deviceURI);
  std::string error;
  if (host().loadTicketFile(_ticketPath, &error) == TicketFile::Status::Damaged)
    throw CommandError(error + "; the ticket is left as it is (name another with --ticket)");

  _operator = std::make_shared<tk::TerminalOperator>(std::cin, std::cerr);
  if (options.yes) _operator->setPresetAnswer(0);
  if (options.no) _operator->setPresetAnswer(1);
  tk::Application::shared().setOperator(_operator);

  if (!host().panels().restoreValues(&error)) throw CommandError("the job cannot be restored: " + error);
  if (!host().panels().show(panel())) throw CommandError("the panel cannot be shown");
}

JobSession::~JobSession() {
  if (_operator) tk::Application::shared().setOperator(nullptr);
}

void JobSession::save() {
  std::string error;
  if (!host().panels().saveValues(&error)) throw CommandError("the job cannot be saved: " + error);
  const fs::path folder = _ticketPath.parent_path();
  std::error_code ec;
  if (!folder.empty() && !fs::exists(folder, ec)) {
    fs::create_directories(folder, ec);
    if (ec) throw CommandError("cannot make " + folder.string() + ": " + ec.message());
    // The job may hold names and passwords: the state folder is the user's alone.
    if (_inStateFolder) ::chmod(folder.c_str(), 0700);
  }
  if (!host().saveTicketFile(_ticketPath, false, &error)) throw CommandError(error);
}

}  // namespace orval::cli

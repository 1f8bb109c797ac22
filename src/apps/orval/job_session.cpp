#include "apps/orval/job_session.h"

#include <sys/stat.h>

#include <iostream>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/cups_destination.h"
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
  command.add_option("--printer", options->printer, "The job of a TZ queue of CUPS (and its printer description)")
      ->type_name("QUEUE");
  command.add_option("--server", options->server, "The CUPS scheduler of the queue (default: $CUPS_SERVER or the local one)")
      ->type_name("HOST");
  if (answersQuestions) {
    CLI::Option* yes = command.add_flag("--yes", options->yes, "Answer every conflict question with Yes");
    command.add_flag("--no", options->no, "Answer every conflict question with No")->excludes(yes);
  }
  addJsonFlag(command, &options->json);
}

namespace {

bool forCupsQueue(const JobOptions& options) { return options.cupsQueue || options.printer || options.server; }

// The state folder's ticket of a destination: the queue's (an instance shares its queue's job) or
// the printer description's.
fs::path stateTicket(const std::string& destination) {
  return xdgStateHome() / "orval" / (destination.substr(0, destination.find('/')) + ".ticket");
}

}  // namespace

fs::path ticketPathFor(const JobOptions& options) {
  if (options.ticket) return *options.ticket;
  if (options.printer) return stateTicket(*options.printer);
  return stateTicket(options.ppd ? fs::path(*options.ppd).stem().string() : "TZPrintServer");
}

JobSession::JobSession(const JobOptions& options, const std::function<void(JobSession&)>& beforeRestore)
    : _ticketPath(ticketPathFor(options)), _inStateFolder(!options.ticket) {
  std::shared_ptr<Bundle> bundle = openBundle(options.bundle);
  if (forCupsQueue(options)) {
    if (options.ppd || options.deviceURI)
      throw CommandError("a CUPS queue has its own printer description and device address: --ppd and --device-uri "
                         "go without --printer and --server");
    _cups = connectTzQueue({options.printer, options.server}, *bundle);
    if (!options.ticket) _ticketPath = stateTicket(_cups->queue());
    _session = std::make_unique<PlugInSession>(std::move(bundle), _cups->host());
  } else {
    _session = std::make_unique<PlugInSession>(std::move(bundle),
                                                options.ppd ? std::optional<fs::path>(*options.ppd) : std::nullopt,
                                                options.deviceURI);
  }
  std::string error;
  if (host().loadTicketFile(_ticketPath, &error) == TicketFile::Status::Damaged)
    throw CommandError(error + "; the ticket is left as it is (name another with --ticket)");
  if (beforeRestore) beforeRestore(*this);

  _operator = std::make_shared<tk::TerminalOperator>(std::cin, std::cerr);
  if (options.yes) _operator->setPresetAnswer(0);
  if (options.no) _operator->setPresetAnswer(1);
  tk::Application::shared().setOperator(_operator);

  restoreValues();
  if (!host().panels().show(panel())) throw CommandError("the panel cannot be shown");
}

JobSession::~JobSession() {
  if (_operator) tk::Application::shared().setOperator(nullptr);
}

void JobSession::save() {
  saveValues();
  writeTicket();
}

void JobSession::saveValues() {
  std::string error;
  if (!host().panels().saveValues(&error)) throw CommandError("the job cannot be saved: " + error);
}

void JobSession::restoreValues() {
  std::string error;
  if (!host().panels().restoreValues(&error)) throw CommandError("the job cannot be restored: " + error);
}

void JobSession::writeTicket() {
  std::string error;
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

// JobSession: the job being prepared, as orval's job commands see it.
//
// The job lives in a ticket file: --ticket FILE, else one per destination in
// $XDG_STATE_HOME/orval/ (default ~/.local/state/orval/), named after the
// CUPS queue ("QUEUE.ticket") or else the printer description's file
// ("TZPrintServer.ticket" for the bundle's own). With --printer or --server
// (or for a command that always prints) the destination is a TZ queue of a
// CUPS scheduler, whose printer description and device address the panel
// takes (CupsPrintHost); otherwise the bundle is loaded on --ppd.
// A session loads the bundle as a print dialog does (PlugInSession), loads
// the ticket into the host's print settings and marked choices, restores the
// panel from it and shows the panel. Conflict questions go to the terminal
// (standard error and input), or are answered by --yes / --no. save() saves
// the panel into the job and writes the ticket atomically. A ticket file
// that is not a ticket is reported and left as it is: no command runs on it.
#pragma once

#include <CLI/App.hpp>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "apps/orval/plugin_session.h"
#include "platform/print/cups_print_host.h"

namespace orval::tk {
class TerminalOperator;
}

namespace orval::cli {

// The options every job command takes.
struct JobOptions {
  std::optional<std::string> ticket;
  std::optional<std::string> ppd;
  std::optional<std::string> deviceURI;
  std::optional<std::string> bundle;
  std::optional<std::string> printer;  // QUEUE or QUEUE/INSTANCE of a CUPS scheduler
  std::optional<std::string> server;   // that scheduler
  bool cupsQueue = false;              // a CUPS queue even when none is named (the default destination)
  bool yes = false;
  bool no = false;
  bool json = false;
};

// Adds the job options to command (--yes/--no only when answersQuestions; --printer and --server).
void addJobOptions(CLI::App& command, JobOptions* options, bool answersQuestions);
// The ticket file of options: --ticket, else the destination's file in the state folder.
std::filesystem::path ticketPathFor(const JobOptions& options);

class JobSession {
 public:
  // Opens the job (see above), calling beforeRestore (when given) once the ticket is loaded and
  // before the panel restores it; throws CommandError when the bundle, the queue, the printer
  // description or the ticket cannot be read.
  explicit JobSession(const JobOptions& options, const std::function<void(JobSession&)>& beforeRestore = nullptr);
  ~JobSession();
  JobSession(const JobSession&) = delete;
  JobSession& operator=(const JobSession&) = delete;

  PlugInSession& plugIn() { return *_session; }
  WexoPDEByCocoa& panel() { return _session->panel(); }
  MemoryPrintHost& host() { return _session->host(); }
  // The CUPS queue's host, or nullptr when the job is not for a queue.
  CupsPrintHost* cupsHost() { return _cups.get(); }
  const std::filesystem::path& ticketPath() const { return _ticketPath; }
  // Saves the panel into the job and writes the ticket file; throws CommandError on failure.
  void save();
  // Saves the panel into the job (the host's print settings and marked choices) only.
  void saveValues();
  // Restores the panel from the job, as the next command opens it; throws CommandError on failure.
  void restoreValues();
  // Writes the job into the ticket file, atomically; throws CommandError on failure.
  void writeTicket();

 private:
  std::filesystem::path _ticketPath;
  bool _inStateFolder = false;
  std::unique_ptr<CupsPrintHost> _cups;
  std::unique_ptr<PlugInSession> _session;
  std::shared_ptr<tk::TerminalOperator> _operator;
};

}  // namespace orval::cli

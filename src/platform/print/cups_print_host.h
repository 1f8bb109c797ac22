// CupsPrintHost: the print dialog's host over a CUPS destination.
//
// It is a MemoryPrintHost bound to one queue of a CUPS scheduler: the
// session's printer is the queue (with the queue's device address, from
// which the panel takes the print server's host name), the printer
// description is the queue's PPD (fetched with cupsGetPPD3, and fetched again
// only when the scheduler says it changed), the job being prepared keeps its
// print settings in memory and in the ticket file exactly as the memory host
// does, and a printer command becomes a CUPS command job, waited for with a
// bounded time. Submitting sends a job whose options are CupsJobOptions of
// the job being prepared, with a title and each document's format.
//
// The destination is the queue named (QUEUE or QUEUE/INSTANCE), else CUPS's
// default destination ($LPDEST, $PRINTER, the user's lpoptions default, the
// scheduler's default), on the scheduler named (--server), else
// $CUPS_SERVER's or the client configuration's.
//
// A caller that prints does, in this order: connect; host().panels() to load
// the plug-in; host().loadTicketFile(); restore and change the settings
// through the panels; save them (host().panels().saveValues()); optionally
// host().saveTicketFile(); then submit (or jobOptions() for a dry run).
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/print/cups_connection.h"
#include "platform/print/cups_job_options.h"
#include "platform/print/memory_print_host.h"

namespace orval {

struct CupsHostOptions {
  std::optional<std::string> server;   // the scheduler; nullopt: CUPS's own choice
  std::optional<std::string> printer;  // QUEUE or QUEUE/INSTANCE; nullopt: the default destination
  // How long a printer command may take before it counts as failed (and is cancelled).
  std::chrono::milliseconds commandTimeout{30000};
};

// The format CUPS is told for a document: "%PDF-" makes application/pdf, "%!"
// application/postscript; anything else is left to the scheduler to tell.
std::string documentFormatOf(const std::filesystem::path& file);

class CupsPrintHost {
 public:
  // The host of the destination that options name, with its printer description
  // fetched; nullptr with the reason when the scheduler cannot be reached, the
  // destination does not exist, or its description cannot be had.
  static std::unique_ptr<CupsPrintHost> connect(const CupsHostOptions& options, std::string* error = nullptr);
  ~CupsPrintHost();
  CupsPrintHost(const CupsPrintHost&) = delete;
  CupsPrintHost& operator=(const CupsPrintHost&) = delete;

  // The queue's name, and the instance when one was named.
  const std::string& queue() const { return queue_; }
  const std::optional<std::string>& instance() const { return instance_; }
  // The scheduler, as a person names it.
  const std::string& server() const { return connection_->name(); }
  // The host protocols: print session, print settings, printer description, panels, ticket file.
  MemoryPrintHost& host() { return *host_; }
  const MemoryPrintHost& host() const { return *host_; }
  // The scheduler connection, for asking about the queue and its jobs.
  CupsConnection& connection() { return *connection_; }

  // Fetches the queue's printer description again when the scheduler says it
  // changed, keeping the marked choices; *changed tells whether it did. Refused
  // (false, *error) while the plug-in's panels are open, as they may hold the old one.
  bool refreshPrinterDescription(bool* changed = nullptr, std::string* error = nullptr);

  // Sends command as a command job titled title and waits until it finishes;
  // false with the reason when it cannot be sent, fails, or does not finish in
  // time (it is then cancelled).
  bool sendCommand(std::string_view command, std::string_view title, std::string* error = nullptr);
  // sendCommand for every title, all sent first and then waited for together
  // within one commandTimeout; false with the reason for every one that failed.
  bool sendCommands(std::string_view command, const std::vector<std::string>& titles, std::string* error = nullptr);

  // The options a job submitted now would carry; nullopt with the reason when one cannot travel unchanged.
  std::optional<CupsJobOptions> jobOptions(std::string* error = nullptr) const;
  // Submits files as one job titled title, each document with format (or
  // documentFormatOf when none); the job's id, or nullopt with the reason when
  // a file cannot be read, an option cannot travel, or the scheduler refuses
  // the job (a job refused midway is cancelled, so nothing half-sent prints).
  std::optional<int> submit(const std::vector<std::filesystem::path>& files, const std::string& title,
                            const std::optional<std::string>& format = std::nullopt, std::string* error = nullptr);
  // Waits up to timeout until job jobId has finished; its last state, or nullopt with the reason.
  std::optional<CupsJobStatus> waitForJob(int jobId, std::chrono::milliseconds timeout, std::string* error = nullptr);

 private:
  CupsPrintHost(const CupsHostOptions& options, std::unique_ptr<CupsConnection> connection, std::string queue,
                std::optional<std::string> instance);
  bool fetchPrinterDescription(bool* changed, std::string* error);
  std::optional<int> createJob(const std::string& title, const CupsJobOptions* options, std::string* error);
  bool sendDocument(int jobId, const std::string& name, const std::string& format, std::string_view bytes,
                    std::istream* stream, bool last, std::string* error);
  std::optional<int> startCommand(std::string_view command, std::string_view title, std::string* error);

  CupsHostOptions options_;
  std::unique_ptr<CupsConnection> connection_;
  std::string queue_;
  std::optional<std::string> instance_;
  // Where cupsGetPPD3 put the queue's description (a temporary file or a link), and when it changed.
  std::string ppdPath_;
  time_t ppdModified_ = 0;
  std::unique_ptr<MemoryPrintHost> host_;
};

}  // namespace orval

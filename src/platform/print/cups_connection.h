// CupsConnection: one connection to a CUPS scheduler, and the IPP requests
// the print host makes over it.
//
// The scheduler is the one named ("HOST", "HOST:PORT", "[IPv6]:PORT" or the
// path of a local socket), else CUPS's own choice ($CUPS_SERVER, then the
// client configuration, then the local scheduler). Connecting and every
// request are bounded in time, so a scheduler that does not answer is an
// error, never a hang.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orval {

// A scheduler's address: a host name (or a socket path) and a port.
struct CupsServerAddress {
  std::string host;
  int port = 0;
  friend bool operator==(const CupsServerAddress&, const CupsServerAddress&) = default;
};

// The address written as text; nullopt when text is empty or its port is not a number from 1 to 65535.
std::optional<CupsServerAddress> parseCupsServer(std::string_view text, int defaultPort);

// An IPP response, deleted when it goes.
struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppResponse = std::unique_ptr<ipp_t, IppDeleter>;

// A job's state as the scheduler reports it.
struct CupsJobStatus {
  ipp_jstate_t state = IPP_JSTATE_PENDING;
  std::string reasons;  // job-state-reasons, comma-separated
  std::string message;  // job-printer-state-message, when the scheduler has one
  bool finished() const { return state >= IPP_JSTATE_CANCELED; }
};

// A queue's state as the scheduler reports it.
struct CupsQueueStatus {
  ipp_pstate_t state = IPP_PSTATE_IDLE;
  std::string message;  // printer-state-message
  std::optional<std::string> deviceURI;
};

class CupsConnection {
 public:
  // The connection to server (see above); nullptr with the reason when the scheduler cannot be reached.
  static std::unique_ptr<CupsConnection> open(const std::optional<std::string>& server,
                                              std::string* error = nullptr);
  ~CupsConnection();
  CupsConnection(const CupsConnection&) = delete;
  CupsConnection& operator=(const CupsConnection&) = delete;

  http_t* http() const { return http_; }
  // The scheduler as a person would name it ("print.example:631", "/run/cups/cups.sock").
  const std::string& name() const { return name_; }

  // The ipp: URI of queue on this scheduler.
  std::string queueURI(std::string_view queue) const;
  // Sends request (which it takes) to resource; the response when the scheduler
  // answered with a success status, else nullptr with the reason.
  IppResponse send(ipp_t* request, const std::string& resource, std::string* error = nullptr);
  // The state of job jobId of queue; nullopt with the reason when it cannot be asked.
  std::optional<CupsJobStatus> jobStatus(std::string_view queue, int jobId, std::string* error = nullptr);
  // The state and device address of queue; nullopt with the reason when it cannot be asked.
  std::optional<CupsQueueStatus> queueStatus(std::string_view queue, std::string* error = nullptr);
  // Cancels job jobId of queue; false with the reason when the scheduler refuses.
  bool cancelJob(std::string_view queue, int jobId, std::string* error = nullptr);

 private:
  CupsConnection(http_t* http, std::string name) : http_(http), name_(std::move(name)) {}

  http_t* http_;
  std::string name_;
};

}  // namespace orval

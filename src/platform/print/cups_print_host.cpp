// cupsGetPPD3, the one way to have a queue's PPD, is marked deprecated with the PPD functions.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "platform/print/cups_print_host.h"

#include <unistd.h>

#include <fstream>
#include <thread>

#include "platform/foundation/log.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How often a job's state is asked while waiting for it.
constexpr std::chrono::milliseconds kPollInterval{50};
// Documents are sent in pieces of this size.
constexpr std::size_t kSendBytes = 64 * 1024;

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

struct DestDeleter {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};

std::string secondsText(std::chrono::milliseconds duration) {
  const long long ms = duration.count();
  return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

const char* jobStateName(ipp_jstate_t state) {
  switch (state) {
    case IPP_JSTATE_PENDING:
      return "pending";
    case IPP_JSTATE_HELD:
      return "held";
    case IPP_JSTATE_PROCESSING:
      return "processing";
    case IPP_JSTATE_STOPPED:
      return "stopped";
    case IPP_JSTATE_CANCELED:
      return "canceled";
    case IPP_JSTATE_ABORTED:
      return "aborted";
    case IPP_JSTATE_COMPLETED:
      return "completed";
  }
  return "unknown";
}

}  // namespace

std::string documentFormatOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  char head[5] = {};
  in.read(head, sizeof head);
  const std::string_view start(head, static_cast<std::size_t>(in.gcount()));
  if (start == "%PDF-") return "application/pdf";
  if (start.starts_with("%!")) return "application/postscript";
  return CUPS_FORMAT_AUTO;
}

CupsPrintHost::CupsPrintHost(const CupsHostOptions& options, std::unique_ptr<CupsConnection> connection,
                             std::string queue, std::optional<std::string> instance)
    : options_(options),
      connection_(std::move(connection)),
      queue_(std::move(queue)),
      instance_(std::move(instance)),
      host_(std::make_unique<MemoryPrintHost>(queue_)) {
  host_->printer()->setCommandHandler([this](const PrinterCommand& command) {
    std::string error;
    if (sendCommand(command.command, command.jobTitle, &error)) return 0;
    logMessage("###Error: " + error);
    return -1;
  });
}

CupsPrintHost::~CupsPrintHost() {
  // The panels go before the description they may hold, then the fetched file.
  host_.reset();
  if (!ppdPath_.empty()) unlink(ppdPath_.c_str());
}

std::unique_ptr<CupsPrintHost> CupsPrintHost::connect(const CupsHostOptions& options, std::string* error) {
  std::unique_ptr<CupsConnection> connection = CupsConnection::open(options.server, error);
  if (!connection) return nullptr;

  std::optional<std::string> name;
  std::optional<std::string> instance;
  if (options.printer) {
    const std::size_t slash = options.printer->find('/');
    name = options.printer->substr(0, slash);
    if (slash != std::string::npos) instance = options.printer->substr(slash + 1);
    if (name->empty() || (instance && instance->empty())) {
      setError(error, "\"" + *options.printer + "\" is not a destination (QUEUE or QUEUE/INSTANCE)");
      return nullptr;
    }
  }
  const std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(
      connection->http(), name ? name->c_str() : nullptr, instance ? instance->c_str() : nullptr));
  if (!dest) {
    setError(error, name ? "the print system at " + connection->name() + " has no queue " + *options.printer
                         : "no printer was named and the print system at " + connection->name() +
                               " has no default destination (name one with --printer QUEUE or $PRINTER)");
    return nullptr;
  }
  std::unique_ptr<CupsPrintHost> host(new CupsPrintHost(
      options, std::move(connection), dest->name,
      dest->instance != nullptr ? std::optional<std::string>(dest->instance) : std::nullopt));

  std::string reason;
  const std::optional<CupsQueueStatus> status = host->connection_->queueStatus(host->queue_, &reason);
  if (!status) {
    setError(error, reason);
    return nullptr;
  }
  host->host_->setDeviceURI(status->deviceURI);
  if (!host->fetchPrinterDescription(nullptr, error)) return nullptr;
  return host;
}

bool CupsPrintHost::fetchPrinterDescription(bool* changed, std::string* error) {
  if (changed) *changed = false;
  char path[1024] = {};
  if (!ppdPath_.empty()) ppdPath_.copy(path, sizeof path - 1);
  time_t modified = ppdModified_;
  const http_status_t status = cupsGetPPD3(connection_->http(), queue_.c_str(), &modified, path, sizeof path);
  // cupsGetPPD3 may have made the file even when it then failed: it is ours to remove.
  if (path[0] != '\0') ppdPath_ = path;
  if (status == HTTP_STATUS_NOT_MODIFIED && host_->printerDescription() != nullptr) return true;
  if (status != HTTP_STATUS_OK) {
    const std::string reason = status == HTTP_STATUS_NOT_FOUND ? std::string("the queue has no printer description")
                                                              : std::string(cupsLastErrorString());
    return setError(error, "cannot fetch the printer description of " + queue_ + " from " +
                               connection_->name() + ": " + reason);
  }
  const Dict marked = host_->printerDescription() ? host_->printerDescription()->markedChoices() : Dict();
  if (!host_->openPrinterDescription(ppdPath_, error)) return false;
  for (const auto& [keyword, choice] : marked) host_->changePPDOption(keyword, choice.text());
  ppdModified_ = modified;
  if (changed) *changed = true;
  return true;
}

bool CupsPrintHost::refreshPrinterDescription(bool* changed, std::string* error) {
  if (changed) *changed = false;
  if (!host_->panels().panels().empty())
    return setError(error, "the printer description cannot change while the plug-in's panels are open");
  return fetchPrinterDescription(changed, error);
}

std::optional<CupsJobOptions> CupsPrintHost::jobOptions(std::string* error) const {
  return CupsJobOptions::make(*host_->printSettings(), host_->printerDescription(), error);
}

std::optional<int> CupsPrintHost::createJob(const std::string& title, const CupsJobOptions* options,
                                            std::string* error) {
  ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               connection_->queueURI(queue_).c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  if (const std::string name = cupsJobTitle(title); !name.empty())
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, name.c_str());
  if (options != nullptr) options->encode(request);
  std::string reason;
  const IppResponse response = connection_->send(request, "/printers/" + queue_, &reason);
  ipp_attribute_t* id = response ? ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
  if (id == nullptr) {
    setError(error, "the queue " + queue_ + " refused the job: " + (reason.empty() ? "no job id" : reason));
    return std::nullopt;
  }
  return ippGetInteger(id, 0);
}

bool CupsPrintHost::sendDocument(int jobId, const std::string& name, const std::string& format,
                                 std::string_view bytes, std::istream* stream, bool last, std::string* error) {
  http_t* http = connection_->http();
  if (cupsStartDocument(http, queue_.c_str(), jobId, name.c_str(), format.c_str(), last ? 1 : 0) !=
      HTTP_STATUS_CONTINUE)
    return setError(error, "cannot send " + name + " to " + queue_ + ": " + cupsLastErrorString());
  bool written = bytes.empty() || cupsWriteRequestData(http, bytes.data(), bytes.size()) == HTTP_STATUS_CONTINUE;
  std::vector<char> buffer(stream != nullptr ? kSendBytes : 0);
  while (written && stream != nullptr && *stream) {
    stream->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::size_t count = static_cast<std::size_t>(stream->gcount());
    if (count > 0) written = cupsWriteRequestData(http, buffer.data(), count) == HTTP_STATUS_CONTINUE;
  }
  const bool readFailed = stream != nullptr && stream->bad();
  const ipp_status_t status = cupsFinishDocument(http, queue_.c_str());
  if (readFailed) return setError(error, "cannot read " + name);
  if (!written || status > IPP_STATUS_OK_CONFLICTING)
    return setError(error, "cannot send " + name + " to " + queue_ + ": " + cupsLastErrorString());
  return true;
}

std::optional<int> CupsPrintHost::submit(const std::vector<fs::path>& files, const std::string& title,
                                         const std::optional<std::string>& format, std::string* error) {
  if (files.empty()) {
    setError(error, "no file to print");
    return std::nullopt;
  }
  std::vector<std::ifstream> streams;
  for (const fs::path& file : files) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
      setError(error, file.string() + ": no such file");
      return std::nullopt;
    }
    streams.emplace_back(file, std::ios::binary);
    if (!streams.back()) {
      setError(error, file.string() + ": cannot be read");
      return std::nullopt;
    }
  }
  const std::optional<CupsJobOptions> options = jobOptions(error);
  if (!options) return std::nullopt;
  const std::optional<int> jobId = createJob(title, &*options, error);
  if (!jobId) return std::nullopt;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string documentFormat = format ? *format : documentFormatOf(files[i]);
    if (!sendDocument(*jobId, files[i].filename().string(), documentFormat, {}, &streams[i],
                      i + 1 == files.size(), error)) {
      connection_->cancelJob(queue_, *jobId);
      return std::nullopt;
    }
  }
  return jobId;
}

std::optional<int> CupsPrintHost::startCommand(std::string_view command, std::string_view title,
                                               std::string* error) {
  const std::optional<int> jobId = createJob(std::string(title), nullptr, error);
  if (!jobId) return std::nullopt;
  const std::string file = "#CUPS-COMMAND\n" + std::string(command) + "\n";
  if (!sendDocument(*jobId, std::string(command), CUPS_FORMAT_COMMAND, file, nullptr, true, error)) {
    connection_->cancelJob(queue_, *jobId);
    return std::nullopt;
  }
  return jobId;
}

bool CupsPrintHost::sendCommand(std::string_view command, std::string_view title, std::string* error) {
  return sendCommands(command, {std::string(title)}, error);
}

bool CupsPrintHost::sendCommands(std::string_view command, const std::vector<std::string>& titles,
                                 std::string* error) {
  std::vector<std::string> failures;
  std::vector<std::pair<std::string, int>> sent;
  for (const std::string& title : titles) {
    std::string reason;
    if (const std::optional<int> jobId = startCommand(command, title, &reason))
      sent.emplace_back(title, *jobId);
    else
      failures.push_back(reason);
  }
  const Clock::time_point deadline = Clock::now() + options_.commandTimeout;
  for (const auto& [title, jobId] : sent) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    std::string reason;
    const std::optional<CupsJobStatus> status = waitForJob(jobId, std::max(left, std::chrono::milliseconds(0)), &reason);
    const std::string what = "the command " + std::string(command) + " (" + title + ", job " +
                             std::to_string(jobId) + ")";
    if (!status) {
      failures.push_back(what + ": " + reason);
    } else if (!status->finished()) {
      connection_->cancelJob(queue_, jobId);
      std::string queueState;
      if (const std::optional<CupsQueueStatus> queue = connection_->queueStatus(queue_))
        if (queue->state == IPP_PSTATE_STOPPED)
          queueState = "; the queue is stopped" + (queue->message.empty() ? "" : ": " + queue->message);
      failures.push_back(what + " did not finish within " + secondsText(options_.commandTimeout) +
                         " and was cancelled" + queueState);
    } else if (status->state != IPP_JSTATE_COMPLETED) {
      failures.push_back(what + " was " + jobStateName(status->state) +
                         (status->message.empty() ? "" : ": " + status->message));
    }
  }
  if (failures.empty()) return true;
  std::string joined;
  for (const std::string& failure : failures) joined += (joined.empty() ? "" : "\n") + failure;
  return setError(error, joined);
}

std::optional<CupsJobStatus> CupsPrintHost::waitForJob(int jobId, std::chrono::milliseconds timeout,
                                                       std::string* error) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    std::optional<CupsJobStatus> status = connection_->jobStatus(queue_, jobId, error);
    if (!status || status->finished() || Clock::now() >= deadline) return status;
    std::this_thread::sleep_for(std::min<Clock::duration>(kPollInterval, deadline - Clock::now()));
  }
}

}  // namespace orval

#include "platform/print/cups_connection.h"

#include <charconv>

namespace orval {
namespace {

// How long connecting and each request may take.
constexpr int kConnectMilliseconds = 10000;
constexpr double kRequestSeconds = 30.0;

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

std::optional<int> portNumber(std::string_view text) {
  int port = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc() || end != text.data() + text.size() || port < 1 || port > 65535) return std::nullopt;
  return port;
}

// Gives up a request the scheduler does not answer within kRequestSeconds.
int giveUp(http_t*, void*) { return 0; }

std::string joinedStrings(ipp_attribute_t* attribute) {
  std::string joined;
  for (int i = 0; attribute != nullptr && i < ippGetCount(attribute); ++i) {
    if (i > 0) joined += ',';
    if (const char* text = ippGetString(attribute, i, nullptr)) joined += text;
  }
  return joined;
}

ipp_t* newRequest(ipp_op_t operation, const std::string& queueURI) {
  ipp_t* request = ippNewRequest(operation);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, queueURI.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  return request;
}

}  // namespace

std::optional<CupsServerAddress> parseCupsServer(std::string_view text, int defaultPort) {
  if (text.empty()) return std::nullopt;
  if (text.front() == '/') return CupsServerAddress{std::string(text), 0};
  std::string_view host = text;
  std::string_view port;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = text.substr(0, close + 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      port = rest.substr(1);
    }
  } else if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
    // A bare IPv6 address has more than one colon and no port.
    if (text.find(':') == colon) {
      host = text.substr(0, colon);
      port = text.substr(colon + 1);
    }
  }
  if (host.empty()) return std::nullopt;
  if (port.empty() && text.back() != ':') return CupsServerAddress{std::string(host), defaultPort};
  const std::optional<int> number = portNumber(port);
  if (!number) return std::nullopt;
  return CupsServerAddress{std::string(host), *number};
}

std::unique_ptr<CupsConnection> CupsConnection::open(const std::optional<std::string>& server, std::string* error) {
  const std::string text = server ? *server : std::string(cupsServer());
  const std::optional<CupsServerAddress> address = parseCupsServer(text, ippPort());
  if (!address) {
    setError(error, "\"" + text + "\" is not a print server (HOST, HOST:PORT or the path of a socket)");
    return nullptr;
  }
  std::string host = address->host;
  if (host.size() > 2 && host.front() == '[') host = host.substr(1, host.size() - 2);
  const std::string name = address->port == 0 ? host : address->host + ":" + std::to_string(address->port);
  http_t* http = httpConnect2(host.c_str(), address->port, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              kConnectMilliseconds, nullptr);
  if (http == nullptr) {
    setError(error, "cannot reach the print system at " + name + ": " + cupsLastErrorString() +
                        " (is cupsd running?)");
    return nullptr;
  }
  httpSetTimeout(http, kRequestSeconds, giveUp, nullptr);
  return std::unique_ptr<CupsConnection>(new CupsConnection(http, name));
}

CupsConnection::~CupsConnection() { httpClose(http_); }

std::string CupsConnection::queueURI(std::string_view queue) const {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   std::string(queue).c_str());
  return uri;
}

IppResponse CupsConnection::send(ipp_t* request, const std::string& resource, std::string* error) {
  IppResponse response(cupsDoRequest(http_, request, resource.c_str()));
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    setError(error, std::string(cupsLastErrorString()));
    return nullptr;
  }
  return response;
}

std::optional<CupsJobStatus> CupsConnection::jobStatus(std::string_view queue, int jobId, std::string* error) {
  ipp_t* request = newRequest(IPP_OP_GET_JOB_ATTRIBUTES, queueURI(queue));
  ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
  static const char* const kWanted[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kWanted);
  std::string reason;
  const IppResponse response = send(request, "/jobs/", &reason);
  if (!response) {
    setError(error, "cannot ask for job " + std::to_string(jobId) + ": " + reason);
    return std::nullopt;
  }
  CupsJobStatus status;
  if (ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM))
    status.state = static_cast<ipp_jstate_t>(ippGetInteger(state, 0));
  status.reasons = joinedStrings(ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_KEYWORD));
  status.message = joinedStrings(ippFindAttribute(response.get(), "job-printer-state-message", IPP_TAG_TEXT));
  return status;
}

std::optional<CupsQueueStatus> CupsConnection::queueStatus(std::string_view queue, std::string* error) {
  ipp_t* request = newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queueURI(queue));
  static const char* const kWanted[] = {"printer-state", "printer-state-message", "device-uri"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kWanted);
  std::string reason;
  const IppResponse response = send(request, "/", &reason);
  if (!response) {
    setError(error, "cannot ask for the state of queue " + std::string(queue) + ": " + reason);
    return std::nullopt;
  }
  CupsQueueStatus status;
  if (ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM))
    status.state = static_cast<ipp_pstate_t>(ippGetInteger(state, 0));
  status.message = joinedStrings(ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT));
  if (ipp_attribute_t* uri = ippFindAttribute(response.get(), "device-uri", IPP_TAG_URI))
    if (const char* text = ippGetString(uri, 0, nullptr)) status.deviceURI = text;
  return status;
}

bool CupsConnection::cancelJob(std::string_view queue, int jobId, std::string* error) {
  ipp_t* request = newRequest(IPP_OP_CANCEL_JOB, queueURI(queue));
  ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
  std::string reason;
  if (send(request, "/jobs/", &reason)) return true;
  return setError(error, "cannot cancel job " + std::to_string(jobId) + ": " + reason);
}

}  // namespace orval

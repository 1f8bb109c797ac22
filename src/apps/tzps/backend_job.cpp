#include "apps/tzps/backend_job.h"

#include <cups/backend.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "apps/tzps/job_record.h"
#include "panel/print_settings_ticket.h"
#include "panel/server_list_channel.h"
#include "panel/server_list_publisher.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/plist.h"

namespace orval::tzps {
namespace {

namespace fs = std::filesystem;

// Folders and files of the spool: the queue's user writes, its group reads.
constexpr mode_t kFolderMode = 0750;
// The most bytes of a reason (which may quote the job's title) that a message shows.
constexpr std::size_t kShownReasonBytes = 200;

// What SIGTERM removes: the files the incoming folder may hold (the document, the record), then the folder.
// The paths are written while gCleanupArmed is false and read by the handler only while it is true.
constexpr std::size_t kCleanupFiles = 2;
char gCleanupFiles[kCleanupFiles][PATH_MAX];
char gCleanupFolder[PATH_MAX];
std::atomic<bool> gCleanupArmed{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the SIGTERM handler reads the flag");

// Only async-signal-safe calls. The handler was installed with SA_RESETHAND: the signal raised again ends the
// process as SIGTERM does by default, which cupsd takes for the normal end of a cancelled job's process.
void removeIncomingAndEnd(int signal) {
  if (gCleanupArmed.load()) {
    for (const char* file : gCleanupFiles) ::unlink(file);
    ::rmdir(gCleanupFolder);
  }
  ::raise(signal);
}

bool copyPath(char (&buffer)[PATH_MAX], const fs::path& path) {
  const std::string& text = path.native();
  if (text.size() >= PATH_MAX) return false;
  std::memcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}

std::string extensionFor(std::string_view format) {
  if (format == "application/pdf") return ".pdf";
  if (format == "application/postscript") return ".ps";
  return ".bin";
}

std::string nowUtc() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

// A folder being made into a record, removed unless kept, and by SIGTERM until then (removeIncomingOnTermination).
class IncomingFolder {
 public:
  // document: the name of the document file that will be made in it.
  IncomingFolder(fs::path path, const std::string& document) : path_(std::move(path)) {
    gCleanupArmed = copyPath(gCleanupFolder, path_) && copyPath(gCleanupFiles[0], path_ / document) &&
                    copyPath(gCleanupFiles[1], path_ / kRecordFileName);
  }
  ~IncomingFolder() {
    if (!kept_) {
      std::error_code ec;
      fs::remove_all(path_, ec);
    }
    gCleanupArmed = false;
  }
  IncomingFolder(const IncomingFolder&) = delete;
  IncomingFolder& operator=(const IncomingFolder&) = delete;
  const fs::path& path() const { return path_; }
  // Called once the folder was renamed into place: SIGTERM leaves the record.
  void keep() {
    kept_ = true;
    gCleanupArmed = false;
  }

 private:
  fs::path path_;
  bool kept_ = false;
};

// Writes bytes to fd in full; false with errno set otherwise.
bool writeAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

enum class CopyResult { Done, ReadFailed, WriteFailed };

// Copies in to a new file at path; *bytes counts what was written.
CopyResult copyInto(std::istream& in, const fs::path& path, std::uintmax_t* bytes, int* writeErrno) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0640);
  if (fd < 0) {
    *writeErrno = errno;
    return CopyResult::WriteFailed;
  }
  std::vector<char> buffer(64 * 1024);
  CopyResult result = CopyResult::Done;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::size_t count = static_cast<std::size_t>(in.gcount());
    if (count > 0 && !writeAll(fd, buffer.data(), count)) {
      *writeErrno = errno;
      result = CopyResult::WriteFailed;
      break;
    }
    *bytes += count;
  }
  if (result == CopyResult::Done && in.bad()) result = CopyResult::ReadFailed;
  if (result == CopyResult::Done && fsync(fd) != 0) {
    *writeErrno = errno;
    result = CopyResult::WriteFailed;
  }
  if (::close(fd) != 0 && result == CopyResult::Done) {
    *writeErrno = errno;
    result = CopyResult::WriteFailed;
  }
  return result;
}

std::string cannotStore(const fs::path& spool, int error) {
  std::string reason = std::strerror(error);
  if (error == ENOSPC || error == EDQUOT) reason = "the spool folder is full";
  if (error == EROFS || error == EACCES || error == EPERM) reason = "the spool folder is read-only for this queue";
  return "ERROR: cannot store the job in " + spool.string() + ": " + reason;
}

// text, the options cupsd wrote for a backend, with what cupsParseOptions would misread quoted.
// cupsd quotes blanks, tabs, line feeds, quotes and backslashes in a value, but not carriage
// returns, form feeds and vertical tabs, which cupsParseOptions takes for separators, nor a "{",
// which it takes for the start of a collection running to the matching "}" (swallowing the
// options after it when there is none). Real collections (an option of the print
// system's own, such as "media-col") are written by cupsd with their braces and blanks as they
// are and stay as they are; a private entry is never one.
std::string quotedForOptionParser(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 8);
  std::size_t i = 0;
  while (i < text.size()) {
    // One option: its name, then its value up to an unquoted blank outside braces.
    const std::size_t nameEnd = text.find_first_of("= \t\n", i);
    const std::string_view name = text.substr(i, (nameEnd == std::string_view::npos ? text.size() : nameEnd) - i);
    quoted += name;
    i += name.size();
    if (i < text.size() && text[i] == '=') {
      quoted += '=';
      ++i;
    }
    const bool privateEntry = name.starts_with(kPrivateEntryPrefix);
    int depth = 0;
    char quote = 0;
    for (; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\\' && i + 1 < text.size()) {
        quoted += c;
        quoted += text[++i];
        continue;
      }
      if (quote == 0 && depth == 0 && (c == ' ' || c == '\t' || c == '\n')) break;
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == '{' && privateEntry) {
        quoted += '\\';
      } else if (c == '{') {
        ++depth;
      } else if (c == '}' && depth > 0) {
        --depth;
      } else if (depth == 0 && (c == '\r' || c == '\f' || c == '\v')) {
        quoted += '\\';
      }
      quoted += c;
    }
    for (; i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n'); ++i) quoted += text[i];
  }
  return quoted;
}

// The options cupsd wrote, read back, with the private entries apart and unescaped.
void takeOptions(const std::string& text, JobRecord* record) {
  const std::string quoted = quotedForOptionParser(text);
  cups_option_t* options = nullptr;
  const int count = cupsParseOptions(quoted.c_str(), 0, &options);
  for (int i = 0; i < count; ++i) {
    const std::string_view name = options[i].name;
    if (name.starts_with(kPrivateEntryPrefix) && name.size() > kPrivateEntryPrefix.size())
      record->privateEntries.emplace_back(std::string(name.substr(kPrivateEntryPrefix.size())),
                                          ticketEscapeConverter().unEscape(options[i].value));
    else
      record->options.emplace_back(std::string(name), options[i].value);
  }
  cupsFreeOptions(count, options);
}

// Publishes list name as none: an empty chunk 0, which the list channel reads as no list, whatever chunks an
// earlier list left after it. Only for the lists the panel reads: the name is the job's title, and any other
// would write an attribute of the job's choosing into the queue's description.
void publishNoList(const std::string& name, std::ostream& messages) {
  const std::vector<std::string>& lists = PanePlugInMgr::allListCommands();
  if (std::ranges::find(lists, name) == lists.end()) return;
  if (const std::optional<std::string> chunk = serverListChunkName(name, 0)) messages << "PPD: " << *chunk << "=\"\"\n";
}

// Renames incoming to the record's name, or a free variant of it; the final folder, or nullopt with errno set.
std::optional<fs::path> placeRecord(const fs::path& incoming, const fs::path& spool, const std::string& name) {
  for (int attempt = 1; attempt < 1000; ++attempt) {
    const fs::path target = spool / (attempt == 1 ? name : name + "-" + std::to_string(attempt));
    if (renameat2(AT_FDCWD, incoming.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return target;
    if (errno != EEXIST && errno != ENOTEMPTY) return std::nullopt;
  }
  errno = EEXIST;
  return std::nullopt;
}

}  // namespace

std::string shownText(std::string_view text, std::size_t maxBytes) {
  std::string shown;
  for (const char c : text.substr(0, maxBytes)) shown += c >= ' ' && c < 0x7F ? c : '?';
  if (text.size() > maxBytes) shown += "...";
  return shown;
}

int documentNumberFromFile(const fs::path& file, int job) {
  const std::string name = file.filename().string();
  const auto digits = [](std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const std::size_t dash = name.find('-');
  if (name.size() < 2 || name[0] != 'd' || dash == std::string::npos) return 1;
  const std::string_view jobPart = std::string_view(name).substr(1, dash - 1);
  const std::string_view documentPart = std::string_view(name).substr(dash + 1);
  if (!digits(jobPart) || !digits(documentPart) || std::stoi(std::string(jobPart)) != job) return 1;
  return std::max(1, std::stoi(std::string(documentPart)));
}

void removeIncomingOnTermination() {
  struct sigaction action {};
  action.sa_handler = removeIncomingAndEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGTERM, &action, nullptr);
}

int receivePrintJob(const BackendJob& job, const BackendSettings& settings, std::istream& document,
                    std::ostream& messages) {
  const fs::path& spool = settings.spool;
  std::error_code ec;
  if (!fs::is_directory(spool, ec)) {
    if (::mkdir(spool.c_str(), kFolderMode) != 0) {
      messages << "ERROR: the spool folder " << spool.string() << " does not exist and cannot be made: "
               << std::strerror(errno) << std::endl;
      return CUPS_BACKEND_STOP;
    }
  }
  std::string pattern = (spool / ".incoming-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    messages << cannotStore(spool, errno) << std::endl;
    return CUPS_BACKEND_STOP;
  }
  const std::string documentName = "document" + extensionFor(job.format);
  IncomingFolder incoming(pattern, documentName);
  ::chmod(incoming.path().c_str(), kFolderMode);

  JobRecord record;
  record.queue = job.queue;
  record.job = job.job;
  record.user = job.user;
  record.title = job.title;
  record.copies = job.copies;
  record.format = job.format;
  record.documentNumber = job.document;
  record.document = documentName;
  record.received = nowUtc();
  takeOptions(job.options, &record);

  int writeErrno = 0;
  switch (copyInto(document, incoming.path() / record.document, &record.documentBytes, &writeErrno)) {
    case CopyResult::ReadFailed:
      messages << "ERROR: cannot read the job's document" << std::endl;
      return CUPS_BACKEND_FAILED;
    case CopyResult::WriteFailed:
      messages << cannotStore(spool, writeErrno) << std::endl;
      return CUPS_BACKEND_STOP;
    case CopyResult::Done:
      break;
  }
  const std::string json = toJson(record).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  std::istringstream jsonStream(json);
  std::uintmax_t jsonBytes = 0;
  if (copyInto(jsonStream, incoming.path() / kRecordFileName, &jsonBytes, &writeErrno) != CopyResult::Done) {
    messages << cannotStore(spool, writeErrno) << std::endl;
    return CUPS_BACKEND_STOP;
  }
  std::string name = job.queue + "-" + std::to_string(job.job);
  for (char& c : name)
    if (c == '/' || c == '.') c = '_';
  const std::optional<fs::path> placed = placeRecord(incoming.path(), spool, name);
  if (!placed) {
    messages << cannotStore(spool, errno) << std::endl;
    return CUPS_BACKEND_STOP;
  }
  incoming.keep();
  messages << "INFO: job " << job.job << " stored in " << placed->string() << std::endl;
  return CUPS_BACKEND_OK;
}

int runCommandJob(const BackendJob& job, const BackendSettings& settings, std::istream& commands,
                  std::ostream& messages) {
  int status = CUPS_BACKEND_OK;
  const std::string list = shownText(job.title);
  std::string line;
  while (std::getline(commands, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const std::string command = line.substr(start, line.find_first_of(" \t", start) - start);
    if (command != "ReportLevels") {
      messages << "DEBUG: tzps ignores the command " << shownText(command) << std::endl;
      continue;
    }
    const fs::path file = settings.lists / (job.title + ".plist");
    std::error_code ec;
    if (!fs::is_directory(settings.lists, ec)) {
      publishNoList(job.title, messages);
      messages << "ERROR: the server list folder " << settings.lists.string() << " does not exist" << std::endl;
      status = CUPS_BACKEND_FAILED;
      continue;
    }
    if (job.title.empty() || job.title.find('/') != std::string::npos || !fs::is_regular_file(file, ec)) {
      publishNoList(job.title, messages);
      messages << "INFO: the print server has no server list \"" << list << "\"" << std::endl;
      continue;
    }
    std::string error;
    const std::optional<Value> value = plistFromFile(file, &error);
    const std::optional<std::vector<ServerListChunk>> chunks =
        value ? serverListChunks(job.title, *value, ServerListPublishOptions{}, &error) : std::nullopt;
    if (!chunks) {
      publishNoList(job.title, messages);
      messages << "ERROR: the server list " << list << " in " << settings.lists.string() << " cannot be published: "
               << shownText(error.empty() ? "it is not a property list" : error, kShownReasonBytes) << std::endl;
      status = CUPS_BACKEND_FAILED;
      continue;
    }
    for (const ServerListChunk& chunk : *chunks)
      messages << "PPD: " << chunk.attribute << "=\"" << chunk.value << "\"\n";
    messages << "INFO: published the server list " << list << " (" << chunks->size() << " chunks)" << std::endl;
  }
  return status;
}

}  // namespace orval::tzps

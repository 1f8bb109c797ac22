// The options a tzps queue's backend receives. In the first form the input is
// private entries (key, value, key, value, ... separated by NUL bytes) that a
// panel submitted: each value escaped as the job stores it, then written as
// cupsd writes an option of a job for its backend (blanks, quotes and
// backslashes quoted by a backslash). Whatever the values, the stored record
// holds every entry's value byte for byte as it was before escaping, and reads
// back from the spool folder. In the second form the input is the option text
// itself: the backend stores the job and its record reads back, never more.
#include <cups/backend.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "apps/tzps/backend_job.h"
#include "apps/tzps/job_record.h"
#include "fuzz_support.h"
#include "panel/print_settings_ticket.h"
#include "platform/foundation/log.h"

using namespace orval;
namespace fs = std::filesystem;

namespace {

// True when text is well-formed UTF-8 (what a panel's setting always is).
bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size()) return false;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

// value as cupsd writes an option value into a backend's option text.
std::string quotedForBackend(std::string_view value) {
  std::string quoted;
  for (const char c : value) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\\' || c == '\'' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted;
}

std::string lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fs::path spool = fuzz::scratchFolder() / "spool";
  std::string_view input = fuzz::textOf(data, size);
  if (input.empty()) return 0;
  const bool raw = (input.front() & 1) != 0;
  input.remove_prefix(1);
  LogCapture quiet(LogCapture::Sinks::Silenced);

  tzps::BackendJob job{.queue = "TZ", .job = 7, .user = "fuzz", .title = "fuzz", .copies = 1,
                       .options = {}, .format = "application/pdf"};
  std::map<std::string, std::string> sent;  // by lower-case key: CUPS option names ignore case
  if (raw) {
    job.options = std::string(input.substr(0, input.find('\0')));
  } else {
    while (!input.empty()) {
      const std::size_t keyEnd = std::min(input.find('\0'), input.size());
      std::string key;
      for (const char c : input.substr(0, keyEnd))
        if (std::isalnum(static_cast<unsigned char>(c))) key += c;
      input.remove_prefix(std::min(keyEnd + 1, input.size()));
      const std::size_t valueEnd = std::min(input.find('\0'), input.size());
      const std::string_view value = input.substr(0, valueEnd);
      input.remove_prefix(std::min(valueEnd + 1, input.size()));
      const std::string escaped = escapeTicketValue(value);
      // What the panel never sends: no key, a setting that is not text, one longer than an IPP value.
      if (key.empty() || !isUtf8(value) || escaped.size() > 1023 ||
          sent.contains(lowercase(key)))
        continue;
      sent.emplace(lowercase(key), value);
      if (!job.options.empty()) job.options += ' ';
      job.options += std::string(tzps::kPrivateEntryPrefix) + key + "=" + quotedForBackend(escaped);
    }
  }

  std::istringstream document("%PDF-1.4\n");
  std::ostringstream messages;
  const tzps::BackendSettings settings{spool, fuzz::resourcePath("server_lists")};
  ORVAL_FUZZ_CHECK(tzps::receivePrintJob(job, settings, document, messages) == CUPS_BACKEND_OK);
  const auto contents = tzps::readSpool(spool);
  ORVAL_FUZZ_CHECK(contents && contents->problems.empty() && contents->records.size() == 1);
  if (!raw) {
    std::map<std::string, std::string> stored;
    for (const auto& [key, value] : contents->records.front().privateEntries) stored.emplace(lowercase(key), value);
    ORVAL_FUZZ_CHECK(stored == sent);
  }
  fs::remove_all(spool);
  return 0;
}

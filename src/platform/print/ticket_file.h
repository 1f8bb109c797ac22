// TicketFile: a job's settings saved as a file — the print settings and the
// marked choices of the printer description — in an XML property list:
//
//   PrintSettings   dictionary  every print setting, in order, with its type
//   MarkedChoices   dictionary  option keyword -> marked choice (text)
//
// A file that exists but is not such a list (unreadable, malformed, another
// list, not a regular file, larger than kMaxBytes) is damaged: reading it
// yields nothing but the reason, and writing refuses to replace it unless
// told to, so a user's file is never lost silently. An empty file (a fresh
// mktemp) is a ticket that holds nothing yet, and is replaced when saved.
// Writing through a symbolic link replaces the file it leads to.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/foundation/value.h"

namespace orval {

// What a ticket file holds.
struct JobTicket {
  Dict printSettings;
  Dict markedChoices;
};

class TicketFile {
 public:
  enum class Status { Loaded, Missing, Damaged };

  // The key of the print settings in the file.
  static constexpr std::string_view kPrintSettingsKey = "PrintSettings";
  // The key of the marked choices in the file.
  static constexpr std::string_view kMarkedChoicesKey = "MarkedChoices";
  // The most a ticket file holds; a larger file is none (a ticket takes some kilobytes).
  static constexpr std::uintmax_t kMaxBytes = std::uintmax_t{16} << 20;

  // Reads path into *ticket (emptied first). Missing: no file there.
  // Loaded: a ticket, or an empty file. Damaged: the file is no ticket;
  // *error (when given) says why.
  static Status read(const std::filesystem::path& path, JobTicket* ticket, std::string* error = nullptr);
  // Writes ticket to path atomically. Refuses (false, with *error) to replace
  // a damaged file unless replaceDamaged, and never replaces a directory.
  static bool write(const std::filesystem::path& path, const JobTicket& ticket, bool replaceDamaged,
                    std::string* error = nullptr);
};

}  // namespace orval

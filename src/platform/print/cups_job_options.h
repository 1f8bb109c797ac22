// CupsJobOptions: the options a job carries to a CUPS queue, taken from the
// job being prepared: every print setting of the job's own (the system's
// private entries with their escaped values, and any other key that is not
// the print system's), the marked choices of the printer description, and the
// print system's copies, collate and two-sided settings as CUPS's "copies",
// "collate" and "sides".
//
// The options are gathered with cupsAddOption, so names are unique ignoring
// case and a later option replaces an earlier one of the same name: marked
// choices replace print settings of the same name, and the print system's
// three replace both. They go into a job-creation request attribute by
// attribute, never pasted into one string: "copies", "collate" and "sides"
// with CUPS's own syntax, every other as an octet string. Not as text: CUPS
// reads an unknown text option as a boolean when it says "true" or "false"
// and as a collection when it begins with "{", and cupsd turns tabs and line
// breaks in text into blanks, while an octet string reaches the queue's
// backend byte for byte, blanks, tabs, line breaks, quotes and backslashes
// quoted (the tzps backend quotes what cupsd leaves bare before it reads
// them with cupsParseOptions). What cannot make that trip is refused when the
// options are made: a name that is not a printable ASCII word without quotes,
// "=" or "\", and a value longer than the 1023 bytes an IPP value holds.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/print/print_settings.h"
#include "platform/print/printer_description.h"

namespace orval {

// The longest value an option may have (the IPP limit of a text or octet-string value).
inline constexpr std::size_t kCupsOptionMaxValueBytes = 1023;
// The longest job title the scheduler takes (the IPP limit of a name).
inline constexpr std::size_t kCupsJobTitleMaxBytes = 255;

// The title a job-creation request carries as its "job-name": title as UTF-8 (a byte that is not
// becomes U+FFFD, a control character a blank), cut to kCupsJobTitleMaxBytes at a character
// boundary. The scheduler refuses the whole job for a longer or malformed name, and a job name
// of 255 characters or a file name from another system's disk is neither rare nor wrong; the
// job keeps its own name in its settings.
std::string cupsJobTitle(std::string_view title);

class CupsJobOptions {
 public:
  // The options of a job with settings and, when given, the marked choices of
  // description; nullopt (with the reason in *error) when one cannot travel unchanged.
  static std::optional<CupsJobOptions> make(const PrintSettings& settings, const PrinterDescription* description,
                                            std::string* error = nullptr);

  CupsJobOptions(CupsJobOptions&&) noexcept;
  CupsJobOptions& operator=(CupsJobOptions&&) noexcept;
  ~CupsJobOptions();

  // Every option as name and value, in CUPS's order (sorted by name).
  std::vector<std::pair<std::string, std::string>> list() const;
  // The value of option name; nullopt when there is none.
  std::optional<std::string> value(std::string_view name) const;
  // The options as libcups holds them (owned by this object).
  int count() const { return count_; }
  cups_option_t* options() const { return options_; }

  // Adds every option to request's job attributes (see above).
  void encode(ipp_t* request) const;

 private:
  CupsJobOptions() = default;
  // Adds name=value; false (with the reason) when it cannot travel unchanged.
  bool add(std::string_view name, std::string_view value, std::string* error);

  int count_ = 0;
  cups_option_t* options_ = nullptr;
};

// Why name cannot be an option's name, or nullopt when it can.
std::optional<std::string> cupsOptionNameProblem(std::string_view name);
// Why value cannot be an option's value, or nullopt when it can.
std::optional<std::string> cupsOptionValueProblem(std::string_view value);

}  // namespace orval

// LpoptionsFile: the user's lpoptions file, where CUPS keeps the user's
// instances and options of each destination, one destination per line
// ("Dest QUEUE[/INSTANCE] name=value ..." or "Default ..." for the user's
// default destination).
//
// libcups can only rewrite the file whole from the destinations the
// scheduler lists now, which loses the lines of every other queue (another
// server's, one removed for a while). This edits one destination's line and
// keeps every other line byte for byte; the file is replaced atomically.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orval::cli {

class LpoptionsFile {
 public:
  using Options = std::vector<std::pair<std::string, std::string>>;

  // The file libcups keeps the user's destinations in: ~/.cups/lpoptions ($HOME, else the
  // account's home), else $CUPS_SERVERROOT (or /etc/cups)/lpoptions.
  static std::filesystem::path userFile();
  // The line that holds options for QUEUE/INSTANCE ("Dest" or "Default"), as libcups writes it:
  // a value with a blank, a quote or a backslash is quoted, those escaped with a backslash.
  static std::string line(const std::string& keyword, const std::string& destination, const Options& options);
  // Why an option's value cannot stand in the file and reach a job unchanged, or none: libcups
  // splits a line at tabs, line breaks, form and vertical feeds, and reads a value that begins
  // with "{" as a collection (taking the rest of the line with it when no "}" closes it).
  static std::optional<std::string> refusal(const std::string& value);

  // The most an lpoptions file holds: libcups keeps a line per destination, a few hundred bytes each.
  static constexpr std::uintmax_t kMaxBytes = std::uintmax_t{16} << 20;

  // The file at path (a missing one holds no line); throws CommandError when it cannot be read.
  explicit LpoptionsFile(std::filesystem::path path);

  // True when a line names destination ("QUEUE/INSTANCE", compared as CUPS does, ignoring case).
  bool has(const std::string& destination) const;
  // Gives destination exactly options: its line is replaced where it stands (a "Default" line
  // stays the default) or added at the end. Answers the line written.
  std::string set(const std::string& destination, const Options& options);
  // Removes destination's line; false when there is none.
  bool remove(const std::string& destination);
  // Writes the file atomically (making ~/.cups private when missing); throws CommandError.
  void save() const;

 private:
  // The index of destination's line, or nullopt.
  std::optional<std::size_t> _find(const std::string& destination) const;

  std::filesystem::path _path;
  std::vector<std::string> _lines;
};

}  // namespace orval::cli

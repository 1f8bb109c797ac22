// Diagnostics: the system's "###..." lines, which never reach the user.
//
// Lines go to syslog (ident "orval") and, when the environment variable
// ORVAL_LOG is "stderr", to standard error as well. Tests install a
// LogCapture to read what was logged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orval {

// Logs one diagnostic line.
void logMessage(std::string_view line);

// While alive, collects every logged line (in addition to the usual sinks,
// or instead of them when quiet). Captures nest: the innermost one collects.
class LogCapture {
 public:
  enum class Sinks { Kept, Silenced };
  explicit LogCapture(Sinks sinks = Sinks::Kept);
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  const std::vector<std::string>& lines() const { return lines_; }
  // True when some logged line contains fragment.
  bool contains(std::string_view fragment) const;
  void clear() { lines_.clear(); }

 private:
  friend void logMessage(std::string_view line);
  std::vector<std::string> lines_;
  LogCapture* previous_;
  Sinks sinks_;
};

}  // namespace orval

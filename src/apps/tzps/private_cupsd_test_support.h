// A private cupsd for end-to-end tests: its own configuration, spool, logs,
// backends (the build tree's tzps) and socket in a temporary folder, started
// for a test process and stopped when it ends. Clients reach it through
// $CUPS_SERVER (its socket) and $CUPS_SERVERROOT (its configuration), which
// start() sets for this process and its children.
//
// Running cupsd takes root. Outside CI a test process that is not root skips
// the tests that need it, saying why; under CI ($CI set) they always run.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orval::testing {

// What a program run by runProgram did.
struct ProgramResult {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string out;
  std::string err;
};

// Runs argv (argv[0] a path) to its end with this process's environment.
ProgramResult runProgram(const std::vector<std::string>& argv);

class PrivateCupsd {
 public:
  // Why this process does not run the tests that need a cupsd (not root, outside CI); nullopt: it runs them.
  static std::optional<std::string> skipReason();
  // Starts a cupsd whose only backend is the program backend (as "tzps"); nullptr with the reason.
  static std::unique_ptr<PrivateCupsd> start(const std::filesystem::path& backend, std::string* error);
  // Stops the daemon (bounded) and removes its folder.
  ~PrivateCupsd();
  PrivateCupsd(const PrivateCupsd&) = delete;
  PrivateCupsd& operator=(const PrivateCupsd&) = delete;

  // The daemon's folder, for the tests' own files (readable by the backend's user).
  const std::filesystem::path& folder() const { return folder_; }
  // The daemon's socket, as --server names it.
  std::string socket() const { return (folder_ / "run/cups.sock").string(); }
  // The last lines of the daemon's error log, for failure messages.
  std::string logTail() const;

 private:
  explicit PrivateCupsd(std::filesystem::path folder) : folder_(std::move(folder)) {}
  bool launch(const std::filesystem::path& program, std::string* error);

  std::filesystem::path folder_;
  pid_t pid_ = -1;
};

}  // namespace orval::testing

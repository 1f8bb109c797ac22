// A private cupsd for end-to-end tests: configuration, spool, logs, backend (the build tree's tzps)
// and socket in a temporary folder; start() points $CUPS_SERVER and $CUPS_SERVERROOT at it.
// It takes root: outside CI ($CI unset) a process that is not root skips the tests needing it.
#pragma once

#include <sys/types.h>

#include <chrono>
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
// Starts argv (argv[0] a path) reading in (/dev/null when negative), writing into out and err.
pid_t spawn(const std::vector<std::string>& argv, int in, int out, int err);
// Waits for pid up to bound; true when it ended, with its status.
bool reap(pid_t pid, std::chrono::milliseconds bound, int* status);

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
  // Makes TZ queue name with scripts/tz-queue: jobs in spool, the bundle's sample lists, ppd (the bundle's by default).
  ProgramResult tzQueue(const std::string& name, const std::filesystem::path& spool,
                        const std::filesystem::path& ppd = {}) const;
  // A one-page PDF document in folder().
  std::string document() const;
  // The daemon's socket, as --server names it.
  std::string socket() const { return (folder_ / "run/cups.sock").string(); }
  // The last lines of the daemon's error log, for failure messages.
  std::string logTail() const;

 private:
  explicit PrivateCupsd(std::filesystem::path folder) : folder_(std::move(folder)) {}
  // Starts the daemon and waits until it listens; the reason it did not, or "".
  std::string launch();

  std::filesystem::path folder_;
  pid_t pid_ = -1;
};

}  // namespace orval::testing

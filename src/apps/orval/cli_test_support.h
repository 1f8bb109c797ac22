// Runs orval's commands in the test process, as `orval ARGS...` would, and
// catches what they print and their exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "apps/orval/commands.h"

namespace orval::cli::testing {

struct RunResult {
  int status = 0;
  std::string out;
  std::string err;
};

inline void PrintTo(const RunResult& result, std::ostream* os) {
  *os << "status " << result.status << ", out \"" << result.out << "\", err \"" << result.err << '"';
}

// A run that failed (status 1) and said message on its standard error.
MATCHER_P(RefusedWith, message, "fails saying \"" + std::string(message) + '"') {
  return arg.status == 1 && arg.err.find(message) != std::string::npos;
}

// Runs orval with args (without the program name), as main() does.
inline RunResult runOrval(std::vector<std::string> args) {
  CLI::App app("orval under test", "orval");
  addCommands(app);
  std::ostringstream out;
  std::ostringstream err;
  std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
  std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
  RunResult result;
  try {
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    result.status = app.exit(e, out, err);
  } catch (const CommandError& e) {
    err << "orval: " << e.what() << '\n';
    result.status = 1;
  }
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  result.out = out.str();
  result.err = err.str();
  return result;
}

// Runs orval with args on the job kept in ticket: `orval ticket` reads the file alone, the others load the bundle.
inline RunResult runOnJob(std::vector<std::string> args, const std::filesystem::path& ticket) {
  args.insert(args.end(), {"--ticket", ticket.string()});
  if (args[0] != "ticket") args.insert(args.end(), {"--bundle", ORVAL_BUNDLE_DIR});
  return runOrval(std::move(args));
}

// Runs a shell command line in a process of its own: its exit status (-1 when it did not exit) and standard output.
inline RunResult runShell(const std::string& command) {
  RunResult result;
  result.status = -1;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// The value of the control of key in the main pane `orval show --json` reports, or "(absent)".
inline std::string valueOf(const nlohmann::json& mainPane, const std::string& key) {
  for (const auto& control : mainPane["controls"])
    if (control["key"] == key) return control["value"].get<std::string>();
  return "(absent)";
}

}  // namespace orval::cli::testing

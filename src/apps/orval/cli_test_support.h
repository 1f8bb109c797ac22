// Runs orval's commands in the test process, as `orval ARGS...` would, and
// catches what they print and their exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/orval/commands.h"

namespace orval::cli::testing {

struct RunResult {
  int status = 0;
  std::string out;
  std::string err;
};

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

// A folder of its own for one test process.
inline std::filesystem::path scratchFolder(const std::string& name) {
  const std::filesystem::path folder =
      std::filesystem::path(::testing::TempDir()) / (name + "_" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline std::filesystem::path bundlePrinterDescription() {
  return std::filesystem::path(ORVAL_BUNDLE_DIR) / "Contents/Resources/TZPrintServer.ppd";
}

}  // namespace orval::cli::testing

// orval: the terminal host of the print-dialog extension.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>

#include "apps/orval/commands.h"

namespace {

// CLI11 reports a word it does not know as an unexpected argument; when it
// stands where a command name goes, say so plainly.
int reportExtras(const CLI::App& app, const CLI::ExtrasError& e) {
  const std::vector<std::string> extras = app.remaining();
  if (app.get_subcommands().empty() && !extras.empty() && !extras.front().starts_with("-")) {
    std::cerr << "orval: unknown command \"" << extras.front() << "\"\n"
              << "Run 'orval --help' for the list of commands.\n";
    return e.get_exit_code();
  }
  return app.exit(e);
}

// Runs the command line; its exit status.
int runCommand(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ExtrasError& e) {
    return reportExtras(app, e);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const orval::cli::CommandError& e) {
    std::cerr << "orval: " << e.what() << '\n';
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "orval: internal error: " << e.what() << '\n';
    return 1;
  }
  if (app.get_subcommands().empty()) std::cout << app.help();
  return 0;
}

// The exit status once standard output is flushed: output that did not all arrive (a full disk) fails the
// command, so that no script takes a cut-short result for the whole. The reason is told when the last write
// is the one that failed; an earlier failure left only the stream's error state.
int flushOutput(int status) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int errnum = errno;
  if (std::cout && flushed && !std::ferror(stdout)) return status;
  std::cerr << "orval: cannot write the output" << (errnum != 0 ? std::string(": ") + std::strerror(errnum) : "")
            << '\n';
  return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("The terminal host of the TZ Print Server print-dialog extension", "orval");
  app.set_version_flag("--version", "orval " ORVAL_VERSION, "Print the version and exit");
  orval::cli::addCommands(app);
  return flushOutput(runCommand(app, argc, argv));
}

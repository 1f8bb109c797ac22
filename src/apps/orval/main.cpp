// orval: the terminal host of the print-dialog extension.
#include <CLI/CLI.hpp>

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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("The terminal host of the TZ Print Server print-dialog extension", "orval");
  app.set_version_flag("--version", "orval " ORVAL_VERSION, "Print the version and exit");
  orval::cli::addCommands(app);
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

#include "apps/orval/commands.h"

// The favorites command is made here: CLI.hpp brings the definitions a new App needs.
#include <CLI/CLI.hpp>

#include "apps/orval/job_commands.h"

namespace orval::cli {

void addCommands(CLI::App& app) {
  addJobLookCommands(app);
  addJobChangeCommands(app);
  addInfoCommand(app);
  addListsCommand(app);
  addPpdCommand(app);
  addServerCommand(app);
  addConvertCommand(app);
  addUiCommand(app);
  addPanesCommand(app);
  addPrintCommand(app);
  CLI::App* favorites = app.add_subcommand("favorites", "Publish favorites as CUPS instances");
  favorites->require_subcommand(1);
  addFavoritesPublishCommands(*favorites);
}

}  // namespace orval::cli

#include "apps/orval/commands.h"

#include "apps/orval/job_commands.h"

namespace orval::cli {

void addCommands(CLI::App& app) {
  addJobLookCommands(app);
  addJobChangeCommands(app);
  addFavoritesPublishCommands(*addFavoritesCommand(app));
  addInfoCommand(app);
  addListsCommand(app);
  addPpdCommand(app);
  addServerCommand(app);
  addConvertCommand(app);
  addUiCommand(app);
  addPanesCommand(app);
  addPrintCommand(app);
}

}  // namespace orval::cli

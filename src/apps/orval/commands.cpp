#include "apps/orval/commands.h"

namespace orval::cli {

void addCommands(CLI::App& app) {
  addInfoCommand(app);
  addListsCommand(app);
  addPpdCommand(app);
  addServerCommand(app);
  addConvertCommand(app);
  addUiCommand(app);
  addPanesCommand(app);
}

}  // namespace orval::cli

#include "apps/orval/commands.h"

namespace orval::cli {

void addCommands(CLI::App& app) {
  addPpdCommand(app);
}

}  // namespace orval::cli

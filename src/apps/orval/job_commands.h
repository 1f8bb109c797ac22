// What orval's job commands share: the main pane as shown.
#pragma once

#include <CLI/App.hpp>

#include <ostream>

#include "apps/orval/json_output.h"

namespace orval::cli {

class JobSession;

// The main pane of the job's panel: its controls, job name and summary.
Json mainPaneJson(JobSession& job);
// The main pane as text.
void printMainPane(std::ostream& out, const Json& report);

// `orval show`, `orval ticket`, `orval why`.
void addJobLookCommands(CLI::App& app);
// `orval set`, `orval revert`, `orval job-name`, `orval trays`.
void addJobChangeCommands(CLI::App& app);

}  // namespace orval::cli

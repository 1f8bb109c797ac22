// The job orval prints: a TZ queue's job restored from its ticket, a favorite
// laid over it, settings made through the main pane's controls, and the
// consistency check passed. `orval print` submits it; `orval favorites
// publish` takes its options.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/job_session.h"
#include "apps/orval/job_settings.h"

namespace orval::cli {

// Opens the job of options' queue (the CUPS default destination when none is
// named) with the favorite named favorite (when given) laid over it, makes
// settings as `orval set` does, saves the panel into the job (not the ticket
// file) and runs the consistency check. Throws CommandError: the queue, the
// favorite or a setting cannot be had, or the check fails (with its
// localized messages).
std::unique_ptr<JobSession> preparePrintJob(JobOptions options, const std::optional<std::string>& favorite,
                                            const std::vector<Setting>& settings);

}  // namespace orval::cli

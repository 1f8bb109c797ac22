// The CUPS peer: what the generic print dialogs run on every change of a
// setting, libcups' ppdMarkOption + ppdConflicts and cupsResolveConflicts,
// timed on a printer description of the benchmark's shape, and libcups'
// opening of a printer description with its defaults marked.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "bench_shape.h"

namespace bench {

// The milliseconds of one change and what libcups answered.
struct CupsChange {
  double markAndConflictsMs = 0;
  int conflicts = 0;
  double resolveMs = 0;
  int resolved = 0;
};

// The text of a printer description of shape: one two-choice option
// ("Off" by default, "On") per setting, a *UIConstraints pair for every link.
std::string printerDescriptionText(const Shape& shape);

// Times the change of the first chain's head to "On" on the printer
// description at path (each figure from the defaults); none when it does not open.
std::optional<CupsChange> timeCupsChange(const std::filesystem::path& path);

// Milliseconds of ppdOpenFile + ppdMarkDefaults of the printer description at path; none when it does not open.
std::optional<double> timeCupsOpen(const std::filesystem::path& path);

}  // namespace bench

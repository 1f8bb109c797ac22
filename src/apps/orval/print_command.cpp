// `orval print FILE... [--printer QUEUE] [--server HOST] [-o KEY=VALUE]...
//  [--favorite NAME] [--yes|--no] [--dry-run] [--ticket FILE] [--json]`:
// prints files on a TZ queue of CUPS with the job's settings. The job is
// restored from its ticket, the favorite laid over it, the settings made
// through the main pane's controls as `orval set` makes them, and the whole
// set checked for consistency (print_job.h); then the job is saved into its
// ticket and submitted as one CUPS job, and its id is printed. --dry-run
// prints the CUPS options the job would carry instead (one name=value a
// line) and changes nothing. Every file is checked first: a missing or
// unreadable one, a queue that does not exist or is not a TZ queue, a
// scheduler that does not answer, a setting that cannot be made or a failing
// check all end with the reason, exit status 1, the ticket untouched and
// nothing printed.
#include <fstream>
#include <iostream>
#include <memory>

#include "apps/orval/commands.h"
#include "apps/orval/print_job.h"
#include "panel/wexo_pde_by_cocoa.h"

namespace orval::cli {

namespace {

namespace fs = std::filesystem;

struct PrintCommandOptions {
  JobOptions job;
  std::vector<std::string> files;
  std::vector<std::string> settings;
  std::optional<std::string> favorite;
  bool dryRun = false;
};

// Refuses a file that is not a readable regular file.
void checkDocument(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    throw CommandError(file.string() + (fs::exists(file, ec) ? ": not a file" : ": no such file") +
                       "; nothing is printed");
  if (!std::ifstream(file, std::ios::binary)) throw CommandError(file.string() + ": cannot be read; nothing is printed");
}

// The job's title: the job name the user typed, else the first document's name.
std::string jobTitle(const WexoPDEByCocoa& panel, const std::vector<std::string>& files) {
  if (panel.specificJobNameValue() == "Input" && !panel.jobNameValue().empty()) return panel.jobNameValue();
  return fs::path(files.front()).filename().string();
}

void runPrint(const PrintCommandOptions& options) {
  for (const std::string& file : options.files) checkDocument(file);
  const std::vector<Setting> settings = parseSettings(options.settings);
  Json report;
  {
    const std::unique_ptr<JobSession> job = preparePrintJob(options.job, options.favorite, settings);
    CupsPrintHost& cups = *job->cupsHost();
    report = {{"queue", cups.queue()}, {"server", cups.server()}};
    std::string error;
    if (options.dryRun) {
      const std::optional<CupsJobOptions> jobOptions = cups.jobOptions(&error);
      if (!jobOptions) throw CommandError(error + "; nothing is printed");
      Json list = Json::object();
      for (const auto& [name, value] : jobOptions->list()) list[name] = value;
      report["options"] = std::move(list);
    } else {
      job->writeTicket();
      const std::optional<int> id = cups.submit({options.files.begin(), options.files.end()},
                                                jobTitle(job->panel(), options.files), std::nullopt, &error);
      if (!id) throw CommandError(error);
      report["job"] = *id;
    }
  }
  if (options.job.json) return printJson(std::cout, report);
  if (options.dryRun) {
    for (const auto& [name, value] : report["options"].items()) std::cout << name << '=' << value.get<std::string>() << '\n';
  } else {
    std::cout << "Job " << report["job"].get<int>() << " sent to " << report["queue"].get<std::string>() << '\n';
  }
}

}  // namespace

void addPrintCommand(CLI::App& app) {
  auto options = std::make_shared<PrintCommandOptions>();
  CLI::App* command = app.add_subcommand("print", "Print files on a TZ queue of CUPS with the job's settings");
  command->add_option("FILE", options->files, "The documents, in order (PDF, PostScript, ...)")->required();
  command->add_option("-o", options->settings, "Change a main pane setting first, as orval set does (repeatable)")
      ->type_name("KEY=VALUE")
      ->allow_extra_args(false);  // one setting each: the files that follow are not settings
  command->add_option("--favorite", options->favorite, "Lay this favorite over the job first")->type_name("NAME");
  command->add_flag("--dry-run", options->dryRun, "Print the CUPS options the job would carry; change nothing");
  addJobOptions(*command, &options->job, true);
  command->callback([options] { runPrint(*options); });
}

}  // namespace orval::cli

// `orval favorites publish NAME [--printer QUEUE] [--server HOST] ...` and
// `orval favorites unpublish NAME [--printer QUEUE] [--server HOST]`: a
// favorite as the user's CUPS instance QUEUE/NAME, so that `lp -d QUEUE/NAME`
// and every CUPS-based dialog print with it.
//
// publish writes into the user's lpoptions (LpoptionsFile, ~/.cups/lpoptions)
// the instance NAME of the TZ queue with the options `orval print --dry-run
// --favorite NAME` shows (the queue's job with the favorite laid over it,
// checked for consistency), but for those a job without them means as well:
// a marked choice that is the queue's default (unless the user's lpoptions
// give the queue, which the instance starts from, another value), and a
// private entry with no text (which CUPS would hand the backend as "true").
// Every other line of the file stays as it was. lpoptions keeps a
// destination on one line that CUPS reads up to kMaxLpoptionsLine bytes, and
// blank-separated: a longer line, or a value with a tab or a line break, is
// refused and nothing is written. An instance of that name is replaced whole.
// unpublish removes the instance; one that does not exist is an error.
#include <cups/cups.h>

#include <iostream>
#include <map>
#include <memory>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/cups_destination.h"
#include "apps/orval/lpoptions_file.h"
#include "apps/orval/print_job.h"
#include "panel/print_settings_ticket.h"

namespace orval::cli {

namespace {

// The longest line libcups reads back from lpoptions.
constexpr std::size_t kMaxLpoptionsLine = 8191;

struct PublishOptions {
  JobOptions job;
  std::string name;
};

// The queue's own destination as the user's lpoptions leave it (the options an instance of it
// starts from), freed when it goes.
class QueueDestination {
 public:
  QueueDestination(http_t* http, const std::string& queue) : dest_(cupsGetNamedDest(http, queue.c_str(), nullptr)) {}
  ~QueueDestination() {
    if (dest_ != nullptr) cupsFreeDests(1, dest_);
  }
  QueueDestination(const QueueDestination&) = delete;
  QueueDestination& operator=(const QueueDestination&) = delete;

  // The value the queue's destination gives option name, or nullptr.
  const char* option(const std::string& name) const {
    return dest_ != nullptr ? cupsGetOption(name.c_str(), dest_->num_options, dest_->options) : nullptr;
  }

 private:
  cups_dest_t* dest_;
};

// Refuses a name CUPS does not take as an instance name.
void checkInstanceName(const std::string& name) {
  if (name.empty() || name.find_first_of("/ \t\n\r") != std::string::npos)
    throw CommandError("\"" + name + "\" cannot name a CUPS instance (no blank or \"/\")");
}

// The options of the instance named instance for a job with jobOptions on a queue described by
// description, whose own destination is queue (see above); throws CommandError when lpoptions
// cannot keep them.
LpoptionsFile::Options instanceOptions(const CupsJobOptions& jobOptions, const PrinterDescription& description,
                                       const QueueDestination& queue, const std::string& instance) {
  std::map<std::string, std::string> defaults;
  for (const PpdOption& option : description.options()) defaults[option.keyword] = option.defaultChoice;
  LpoptionsFile::Options kept;
  for (const auto& [name, value] : jobOptions.list()) {
    // An instance starts from its queue's options: the queue's default goes without saying only
    // when the user's lpoptions do not give the queue another value.
    const auto byDefault = defaults.find(name);
    const char* queueValue = queue.option(name);
    if (byDefault != defaults.end() && byDefault->second == value && (queueValue == nullptr || queueValue == value))
      continue;
    if (value.empty() && name.starts_with(kPrivateEntryPrefix)) continue;
    if (const std::optional<std::string> refused = LpoptionsFile::refusal(value))
      throw CommandError("the option " + name + " " + *refused + "; nothing is published");
    kept.emplace_back(name, value);
  }
  // Counted as written, escapes included, and as the longer "Default" line it may be.
  const std::size_t line = LpoptionsFile::line("Default", instance, kept).size();
  if (line > kMaxLpoptionsLine)
    throw CommandError("the job's options take " + std::to_string(line) + " bytes, more than the " +
                       std::to_string(kMaxLpoptionsLine) + " CUPS reads of an instance; nothing is published");
  return kept;
}

void runPublish(const PublishOptions& options) {
  checkInstanceName(options.name);
  std::string queue;
  std::vector<std::pair<std::string, std::string>> list;
  {
    const std::unique_ptr<JobSession> job = preparePrintJob(options.job, options.name, {});
    CupsPrintHost& cups = *job->cupsHost();
    std::string error;
    const std::optional<CupsJobOptions> jobOptions = cups.jobOptions(&error);
    if (!jobOptions) throw CommandError(error + "; nothing is published");
    queue = cups.queue();
    const QueueDestination queueDestination(cups.connection().http(), queue);
    list = instanceOptions(*jobOptions, *cups.host().printerDescription(), queueDestination,
                           queue + "/" + options.name);
    LpoptionsFile lpoptions(LpoptionsFile::userFile());
    lpoptions.set(queue + "/" + options.name, list);
    lpoptions.save();
  }
  if (options.job.json) {
    Json published = Json::object();
    for (const auto& [name, value] : list) published[name] = value;
    return printJson(std::cout, Json{{"instance", queue + "/" + options.name}, {"options", std::move(published)}});
  }
  std::cout << "Published " << queue << '/' << options.name << " (" << list.size() << " options)\n";
}

void runUnpublish(const PublishOptions& options) {
  checkInstanceName(options.name);
  const std::shared_ptr<Bundle> bundle = openBundle(options.job.bundle);
  const std::unique_ptr<CupsPrintHost> cups = connectTzQueue({options.job.printer, options.job.server}, *bundle);
  LpoptionsFile lpoptions(LpoptionsFile::userFile());
  if (!lpoptions.remove(cups->queue() + "/" + options.name))
    throw CommandError("there is no instance " + cups->queue() + "/" + options.name);
  lpoptions.save();
  std::cout << "Removed " << cups->queue() << '/' << options.name << '\n';
}

}  // namespace

void addFavoritesPublishCommands(CLI::App& favorites) {
  auto publish = std::make_shared<PublishOptions>();
  CLI::App* command = favorites.add_subcommand("publish", "Make a favorite the user's CUPS instance QUEUE/NAME");
  command->add_option("NAME", publish->name, "The favorite (and the instance's name)")->required();
  addJobOptions(*command, &publish->job, true);
  command->callback([publish] { runPublish(*publish); });

  auto unpublish = std::make_shared<PublishOptions>();
  command = favorites.add_subcommand("unpublish", "Remove the user's CUPS instance QUEUE/NAME");
  command->add_option("NAME", unpublish->name, "The instance's name")->required();
  command->add_option("--printer", unpublish->job.printer, "The queue (default: $PRINTER, then the CUPS default)")
      ->type_name("QUEUE");
  command->add_option("--server", unpublish->job.server, "The CUPS scheduler")->type_name("HOST");
  addBundleOption(*command, &unpublish->job.bundle);
  command->callback([unpublish] { runUnpublish(*unpublish); });
}

}  // namespace orval::cli

// `orval favorites publish NAME [--printer QUEUE] [--server HOST] ...` and
// `orval favorites unpublish NAME [--printer QUEUE] [--server HOST]`: a
// favorite as the user's CUPS instance QUEUE/NAME, so that `lp -d QUEUE/NAME`
// and every CUPS-based dialog print with it.
//
// publish writes into the user's lpoptions (cupsSetDests2, ~/.cups/lpoptions)
// the instance NAME of the TZ queue with the options `orval print --dry-run
// --favorite NAME` shows (the queue's job with the favorite laid over it,
// checked for consistency), but for those a job without them means as well:
// a marked choice that is the queue's default, and a private entry with no
// text (which CUPS would hand the backend as "true"). lpoptions keeps a
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

// The user's destinations, freed when they go.
class UserDestinations {
 public:
  explicit UserDestinations(http_t* http) : count_(cupsGetDests2(http, &dests_)) {}
  ~UserDestinations() { cupsFreeDests(count_, dests_); }
  UserDestinations(const UserDestinations&) = delete;
  UserDestinations& operator=(const UserDestinations&) = delete;

  cups_dest_t* find(const std::string& queue, const std::string& instance) const {
    return cupsGetDest(queue.c_str(), instance.c_str(), count_, dests_);
  }
  // The instance, made anew (without options of its own).
  cups_dest_t* replace(const std::string& queue, const std::string& instance) {
    count_ = cupsRemoveDest(queue.c_str(), instance.c_str(), count_, &dests_);
    count_ = cupsAddDest(queue.c_str(), instance.c_str(), count_, &dests_);
    cups_dest_t* dest = find(queue, instance);
    cupsFreeOptions(dest->num_options, dest->options);
    dest->num_options = 0;
    dest->options = nullptr;
    return dest;
  }
  void remove(const std::string& queue, const std::string& instance) {
    count_ = cupsRemoveDest(queue.c_str(), instance.c_str(), count_, &dests_);
  }
  // Writes them into the user's lpoptions; false with the reason.
  bool save(http_t* http, std::string* error) {
    if (cupsSetDests2(http, count_, dests_) == 0) return true;
    *error = std::string("the user's lpoptions cannot be written: ") + cupsLastErrorString();
    return false;
  }

 private:
  cups_dest_t* dests_ = nullptr;
  int count_ = 0;
};

// Refuses a name CUPS does not take as an instance name.
void checkInstanceName(const std::string& name) {
  if (name.empty() || name.find_first_of("/ \t\n\r") != std::string::npos)
    throw CommandError("\"" + name + "\" cannot name a CUPS instance (no blank or \"/\")");
}

// The options of the instance named instance for a job with jobOptions on a queue described by
// description (see above); throws CommandError when lpoptions cannot keep them.
std::vector<std::pair<std::string, std::string>> instanceOptions(const CupsJobOptions& jobOptions,
                                                                 const PrinterDescription& description,
                                                                 const std::string& instance) {
  std::map<std::string, std::string> defaults;
  for (const PpdOption& option : description.options()) defaults[option.keyword] = option.defaultChoice;
  std::vector<std::pair<std::string, std::string>> kept;
  std::size_t line = std::string("Dest ").size() + instance.size();
  for (const auto& [name, value] : jobOptions.list()) {
    const auto byDefault = defaults.find(name);
    if (byDefault != defaults.end() && byDefault->second == value) continue;
    if (value.empty() && name.starts_with(kPrivateEntryPrefix)) continue;
    if (value.find_first_of("\t\n\r") != std::string::npos)
      throw CommandError("the option " + name + " holds a tab or a line break, which lpoptions cannot keep; "
                         "nothing is published");
    line += 1 + name.size() + 1 + value.size() + 2;  // blank, name, "=", the value, perhaps quoted
    kept.emplace_back(name, value);
  }
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
    list = instanceOptions(*jobOptions, *cups.host().printerDescription(), queue + "/" + options.name);
    UserDestinations dests(cups.connection().http());
    cups_dest_t* dest = dests.replace(queue, options.name);
    for (const auto& [name, value] : list)
      dest->num_options = cupsAddOption(name.c_str(), value.c_str(), dest->num_options, &dest->options);
    if (!dests.save(cups.connection().http(), &error)) throw CommandError(error);
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
  UserDestinations dests(cups->connection().http());
  if (dests.find(cups->queue(), options.name) == nullptr)
    throw CommandError("there is no instance " + cups->queue() + "/" + options.name);
  dests.remove(cups->queue(), options.name);
  std::string error;
  if (!dests.save(cups->connection().http(), &error)) throw CommandError(error);
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

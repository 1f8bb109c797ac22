// `orval server jobs [--spool DIR] [--json]`: the jobs that the print
// server's receiving end (the tzps backend) stored in its spool folder, oldest
// job first: job id, document number (a job of several documents has a
// record for each), queue, user, copies, format, document size and title,
// or every record whole as JSON. Folders that are not readable records are
// named on standard error; the command still lists the others.
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>

#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "apps/tzps/job_record.h"

namespace orval::cli {
namespace {

struct ServerJobsOptions {
  std::string spool = "/var/spool/tzps";
  bool json = false;
};

void runServerJobs(const ServerJobsOptions& options) {
  std::string error;
  const std::optional<tzps::SpoolContents> contents = tzps::readSpool(options.spool, &error);
  if (!contents) throw CommandError(error);
  for (const std::string& problem : contents->problems) std::cerr << "orval: not a job record: " << problem << '\n';
  if (options.json) {
    Json records = Json::array();
    for (const tzps::JobRecord& record : contents->records) {
      Json json = tzps::toJson(record);
      json["folder"] = record.folder.string();
      records.push_back(std::move(json));
    }
    printJson(std::cout, Json{{"spool", options.spool}, {"jobs", records}});
    return;
  }
  if (contents->records.empty()) {
    std::cout << "No jobs in " << options.spool << '\n';
    return;
  }
  std::cout << std::left << std::setw(6) << "JOB" << std::setw(4) << "DOC" << std::setw(16) << "QUEUE"
            << std::setw(12) << "USER" << std::setw(7) << "COPIES" << std::setw(24) << "FORMAT" << std::setw(10)
            << "BYTES" << "TITLE\n";
  for (const tzps::JobRecord& record : contents->records)
    std::cout << std::left << std::setw(6) << record.job << std::setw(4) << record.documentNumber << std::setw(16)
              << record.queue << std::setw(12) << record.user << std::setw(7) << record.copies << std::setw(24)
              << record.format << std::setw(10) << record.documentBytes << record.title << '\n';
}

}  // namespace

void addServerCommand(CLI::App& app) {
  CLI::App* server = app.add_subcommand("server", "The print server's receiving end (the tzps backend)");
  server->require_subcommand(1);
  auto jobs = std::make_shared<ServerJobsOptions>();
  CLI::App* jobsCommand = server->add_subcommand("jobs", "List the jobs stored in the spool folder");
  jobsCommand->add_option("--spool", jobs->spool, "The spool folder (default: /var/spool/tzps)")->type_name("DIR");
  addJsonFlag(*jobsCommand, &jobs->json);
  jobsCommand->callback([jobs] { runServerJobs(*jobs); });
}

}  // namespace orval::cli

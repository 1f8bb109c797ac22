// tzps: the print server's receiving end, a CUPS backend for tzps: device
// addresses (backend_settings.h). cupsd runs it for each job of a tzps queue:
//
//   tzps JOB USER TITLE COPIES OPTIONS [FILE]
//
// with the document in FILE or on standard input and the job's format in
// $CONTENT_TYPE; run without arguments, it names its device class for
// lpinfo. Messages for cupsd go to standard error (backend_job.h); what they
// show of the arguments goes through shownText.
#include <cups/backend.h>
#include <signal.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "apps/tzps/backend_job.h"
#include "apps/tzps/backend_settings.h"

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::optional<int> number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 0 || value > 0x7FFFFFFF) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  orval::tzps::removeIncomingOnTermination();
  if (argc == 1) {
    std::cout << "network tzps \"Unknown\" \"TZ Print Server\"" << std::endl;
    return CUPS_BACKEND_OK;
  }
  if (argc < 6 || argc > 7) {
    std::cerr << "Usage: tzps job-id user title copies options [file]" << std::endl;
    return CUPS_BACKEND_FAILED;
  }
  orval::tzps::BackendJob job;
  const std::optional<int> jobId = number(argv[1]);
  const std::optional<int> copies = number(argv[4]);
  if (!jobId || !copies) {
    std::cerr << "ERROR: the job id \"" << orval::tzps::shownText(argv[1]) << "\" or copies \""
              << orval::tzps::shownText(argv[4]) << "\" is not a number" << std::endl;
    return CUPS_BACKEND_FAILED;
  }
  job.job = *jobId;
  job.user = argv[2];
  job.title = argv[3];
  job.copies = *copies;
  job.options = argv[5];
  job.queue = environment("PRINTER");
  job.format = environment("CONTENT_TYPE");

  std::string uri = environment("DEVICE_URI");
  if (uri.empty()) uri = argv[0];
  const orval::tzps::BackendSettings defaults{TZPS_DEFAULT_SPOOL, TZPS_DEFAULT_LISTS};
  std::string error;
  const std::optional<orval::tzps::BackendSettings> settings =
      orval::tzps::backendSettingsFromURI(uri, defaults, &error);
  if (!settings) {
    std::cerr << "ERROR: " << error << std::endl;
    return CUPS_BACKEND_STOP;
  }

  std::ifstream file;
  if (argc == 7) {
    job.document = orval::tzps::documentNumberFromFile(argv[6], job.job);
    file.open(argv[6], std::ios::binary);
    if (!file) {
      std::cerr << "ERROR: cannot open the job's document " << orval::tzps::shownText(argv[6]) << std::endl;
      return CUPS_BACKEND_FAILED;
    }
  }
  std::istream& input = argc == 7 ? static_cast<std::istream&>(file) : std::cin;
  if (job.format == orval::tzps::kCommandFormat) return orval::tzps::runCommandJob(job, *settings, input, std::cerr);
  return orval::tzps::receivePrintJob(job, *settings, input, std::cerr);
}

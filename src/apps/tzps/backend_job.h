// What tzps does with one job that cupsd hands it.
//
// A print job is stored as one record per document in the spool folder
// (job_record.h): the bundle's printer description declares cupsSingleFile,
// so cupsd runs the backend once for each document of a job, with the
// document's own file (its pass-through chain has no filter that would join
// them, and without it every document after the first is lost). A
// command job ("application/vnd.cups-command") is read line by line: each
// "ReportLevels" publishes the server list that the job's title names from
// the list folder into the queue's printer description, as "PPD:" lines on
// the message stream that cupsd writes into the queue's PPD when the job
// ends, chunked and encoded as the panel's list channel reads them. A list
// of the panel's that the server does not have, or cannot publish, is
// published as none (an empty chunk 0), so that the queue's description
// does not keep an earlier one (the bundle's sample lists); other commands
// are ignored.
//
// Job-supplied text (the command file's words, the title, file names) reaches
// the message stream only through shownText: cupsd reads the stream in lines
// of at most 2047 bytes and takes the rest of a longer line, and whatever
// follows a line break, for a message of its own, a "PPD:" one included.
//
// Both answer a CUPS backend exit status: CUPS_BACKEND_OK; CUPS_BACKEND_STOP
// when the spool folder cannot take the job (missing and not makeable,
// read-only, full), so that cupsd keeps the job and stops the queue until
// the folder is mended; CUPS_BACKEND_FAILED when the job itself cannot be
// done (its document cannot be read, the list folder or a list is damaged).
// Every reason goes to the message stream as an "ERROR:" line.
//
// A print job cancelled while its document arrives (cupsd sends SIGTERM)
// leaves nothing in the spool folder: see removeIncomingOnTermination.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "apps/tzps/backend_settings.h"

namespace orval::tzps {

// One job as cupsd describes it to a backend.
struct BackendJob {
  std::string queue;    // $PRINTER
  int job = 0;          // argv[1]
  std::string user;     // argv[2]
  std::string title;    // argv[3]
  int copies = 1;       // argv[4]
  std::string options;  // argv[5], as cupsd writes them
  std::string format;   // $CONTENT_TYPE
  int document = 1;     // which of the job's documents this is, from 1
};

// Which of job's documents cupsd hands over in file: cupsd's request files are named "d<job>-<document>"
// ("d00012-002" is job 12's second document). 1 for any other name (the document read from standard input,
// a file given by hand), and for a name of another job's file.
int documentNumberFromFile(const std::filesystem::path& file, int job);

// The MIME type of command jobs.
inline constexpr std::string_view kCommandFormat = "application/vnd.cups-command";

// The most bytes of one job-supplied text that a message shows.
inline constexpr std::size_t kShownTextBytes = 64;
// text as a message shows it: its first maxBytes bytes, each byte that is not printable ASCII as "?", and "..."
// when text is longer.
std::string shownText(std::string_view text, std::size_t maxBytes = kShownTextBytes);

// Has SIGTERM remove the folder of the print job being received (and what it holds so far) before the signal
// ends the process as it would have without it; a record already in place stays.
void removeIncomingOnTermination();

// Stores job with its document (read from document) as a record in settings.spool.
int receivePrintJob(const BackendJob& job, const BackendSettings& settings, std::istream& document,
                    std::ostream& messages);
// Runs the commands of job's command file (read from commands).
int runCommandJob(const BackendJob& job, const BackendSettings& settings, std::istream& commands,
                  std::ostream& messages);

}  // namespace orval::tzps

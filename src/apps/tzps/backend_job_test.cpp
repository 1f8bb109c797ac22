#include "apps/tzps/backend_job.h"

#include <cups/backend.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

#include "apps/tzps/job_record.h"
#include "apps/tzps/private_cupsd_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::tzps {
namespace {

namespace fs = std::filesystem;
using foundation_testing::ScopedEnvironment;
using foundation_testing::TemporaryFolder;

// The lines of a message stream.
std::vector<std::string> linesOf(const std::string& messages) {
  std::vector<std::string> lines;
  std::istringstream stream(messages);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Checks that shown is among the lines of messages, and that every line is one cupsd reads whole and as what it
// says: at most 512 bytes (cupsd cuts a line at 2047 and reads the rest as a message of its own), printable ASCII
// only, and of a known kind other than "PPD:" (which would write into the queue's description).
void expectSafeMessagesShowing(const std::string& messages, const std::string& shown) {
  const std::vector<std::string> lines = linesOf(messages);
  for (const std::string& line : lines) {
    SCOPED_TRACE(line.substr(0, 200));
    EXPECT_LE(line.size(), 512u);
    for (const char c : line) EXPECT_TRUE(c >= ' ' && c < 0x7F) << "byte " << (static_cast<int>(c) & 0xFF);
    EXPECT_TRUE(line.starts_with("DEBUG: ") || line.starts_with("INFO: ") || line.starts_with("ERROR: "));
  }
  EXPECT_NE(std::ranges::find(lines, shown), lines.end()) << messages.substr(0, 300);
}

// Makes folder a list folder holding a FeederInfoList and a StackerInfoList that is no property list.
const fs::path& listFolder(const TemporaryFolder& folder) {
  EXPECT_TRUE(
      writePlistFile(folder.path() / "FeederInfoList.plist", Value(Array{Array{"1", "Tray1", "A4", "Plain", 80}})));
  folder.write("StackerInfoList.plist", "not a property list");
  return folder.path();
}

// Job-supplied text (the command file's words, the title) reaches the message stream only shortened and printable.
// A reproduced attack: a word of 2015 bytes put "PPD:ModelName=NotTZ" at byte 2047 of its line.
TEST(BackendJobTest, JobTextReachesTheMessagesOnlyAsAShortPrintableLine) {
  const TemporaryFolder folder;
  const fs::path& lists = listFolder(folder);
  struct Case {
    std::string title;
    std::string commands;
    std::string line;  // expected among the messages
  } cases[] = {
      {"FeederInfoList", std::string(2015, 'x') + "PPD:ModelName=NotTZ\n",
       "DEBUG: tzps ignores the command " + std::string(64, 'x') + "..."},
      {"FeederInfoList", std::string(64, 'y') + " and more\n",
       "DEBUG: tzps ignores the command " + std::string(64, 'y')},
      {"FeederInfoList", "Clean\rPPD:ModelName=NotTZ\f\v\x1b\xc3\xbc\r\n",
       "DEBUG: tzps ignores the command Clean?PPD:ModelName=NotTZ?????"},
      {"Nope\nPPD: ModelName=NotTZ" + std::string(64, 'T'), "ReportLevels\n",
       "INFO: the print server has no server list \"Nope?PPD: ModelName=NotTZ" + std::string(39, 'T') + "...\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const BackendJob job{.queue = "TZ", .job = 1, .user = "u", .title = c.title, .copies = 1,
                         .options = "", .format = std::string(kCommandFormat)};
    std::istringstream commands(c.commands);
    std::ostringstream messages;
    runCommandJob(job, BackendSettings{lists, lists}, commands, messages);
    expectSafeMessagesShowing(messages.str(), c.line);
  }
}

// The same for what the backend echoes of its arguments.
TEST(BackendJobTest, ArgumentsReachTheMessagesOnlyAsAShortPrintableLine) {
  const fs::path spool = fs::path(::testing::TempDir()) / ("tzps-arguments-test_" + std::to_string(getpid()));
  const ScopedEnvironment uri("DEVICE_URI", "tzps://h/?spool=" + spool.string());
  struct Case {
    std::vector<std::string> args;
    std::string line;
  } cases[] = {
      {{"1\nPPD: ModelName=NotTZ", "u", "t", "1", ""},
       "ERROR: the job id \"1?PPD: ModelName=NotTZ\" or copies \"1\" is not a number"},
      {{"1", "u", "t", "1", "", "/absent/" + std::string(100, 'd') + "\nPPD: ModelName=NotTZ"},
       "ERROR: cannot open the job's document /absent/" + std::string(56, 'd') + "..."},
  };
  for (Case& c : cases) {
    c.args.insert(c.args.begin(), TZPS_PATH);
    const testing::ProgramResult result = testing::runProgram(c.args);
    EXPECT_EQ(result.status, CUPS_BACKEND_FAILED);
    expectSafeMessagesShowing(result.err, c.line);
  }
}

// A list the queue cannot publish is published as none (an empty chunk 0), so that the queue's description does not
// keep a list from before (the bundle's samples), but only for the lists the panel reads: the name is the job's.
TEST(BackendJobTest, AListThatCannotBePublishedIsPublishedAsNone) {
  const TemporaryFolder folder;
  const fs::path& lists = listFolder(folder);
  struct Case {
    std::string title;
    fs::path folder;
    int status;
    std::vector<std::string> ppd;  // the "PPD:" lines, a published list's by its first chunk's start
    std::string message;
  } cases[] = {
      {"FeederInfoList", lists, CUPS_BACKEND_OK, {"PPD: FeederInfoList0000=\"eN"}, "INFO: published"},
      {"StackerInfoList", lists, CUPS_BACKEND_FAILED, {"PPD: StackerInfoList0000=\"\""}, "ERROR: the server list"},
      {"DeviceList", lists / "absent", CUPS_BACKEND_FAILED, {"PPD: DeviceList0000=\"\""}, "ERROR: the server list"},
      {"ModelName=NotTZ", lists, CUPS_BACKEND_OK, {}, "INFO: the print server has no"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title + " in " + c.folder.string());
    const BackendJob job{.queue = "TZ", .job = 1, .user = "u", .title = c.title, .copies = 1,
                         .options = "", .format = std::string(kCommandFormat)};
    std::istringstream commands("#CUPS-COMMAND\nReportLevels\n");
    std::ostringstream messages;
    EXPECT_EQ(runCommandJob(job, BackendSettings{lists, c.folder}, commands, messages), c.status) << messages.str();
    std::vector<std::string> ppd;
    for (const std::string& line : linesOf(messages.str()))
      if (line.starts_with("PPD:")) ppd.push_back(line);
    if (!c.ppd.empty() && !ppd.empty() && ppd.front().starts_with(c.ppd.front()) && ppd.front().ends_with('"'))
      ppd = {c.ppd.front()};
    EXPECT_EQ(ppd, c.ppd) << messages.str();
    EXPECT_NE(messages.str().find(c.message), std::string::npos) << messages.str();
  }
}

// cupsd ends a cancelled job's backend with SIGTERM: the document received so far goes with it, and the backend
// ends as by the signal, which cupsd takes for a normal end of a cancelled job.
TEST(BackendJobTest, ACancelledPrintJobLeavesNothingInTheSpool) {
  const TemporaryFolder folder;
  const fs::path& spool = folder.path();
  int input[2];
  ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
  const ScopedEnvironment uri("DEVICE_URI", "tzps://h/?spool=" + spool.string());
  const ScopedEnvironment type("CONTENT_TYPE", "application/pdf");
  const pid_t pid = testing::spawn({TZPS_PATH, "7", "u", "secret", "1", ""}, input[0], STDOUT_FILENO, STDERR_FILENO);
  ASSERT_GT(pid, 0);
  ::close(input[0]);
  const std::string start = "%PDF-1.4\n";
  EXPECT_EQ(::write(input[1], start.data(), start.size()), static_cast<ssize_t>(start.size()));

  // The document is being received: a hidden folder holds it.
  bool receiving = false;
  for (int i = 0; i < 500 && !receiving; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const fs::directory_entry& entry : fs::directory_iterator(spool))
      receiving = receiving || fs::exists(entry.path() / "document.pdf");
  }
  EXPECT_TRUE(receiving);
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  int status = 0;
  const bool ended = testing::reap(pid, std::chrono::seconds(10), &status);
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  ::close(input[1]);
  ASSERT_TRUE(ended);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  std::vector<std::string> left;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(spool)) left.push_back(entry.path());
  EXPECT_EQ(left, std::vector<std::string>{});
}

// Option texts as cupsd hands them to the backend (blanks, tabs, line feeds, quotes and
// backslashes quoted; CR, FF, VT and braces bare): every private entry arrives byte for byte,
// and the options after it too. Found by the tzps_backend fuzz target.
TEST(BackendJobTest, KeepsEveryByteOfAPrivateEntryAsCupsdWritesIt) {
  const std::string prefix(kPrivateEntryPrefix);
  struct Case {
    std::string options;
    std::string value;  // of the private entry "Comment"
  } cases[] = {
      {prefix + "Comment=line\rtwo\fpage\vtab after=1", "line\rtwo\fpage\vtab"},
      {prefix + "Comment={draft after=1", "{draft"},
      {"media-col={media-size={x-dimension=21000 y-dimension=29700}} " + prefix + "Comment=a after=1", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    const TemporaryFolder folder;
    const fs::path& spool = folder.path();
    const BackendJob job{.queue = "TZ", .job = 1, .user = "u", .title = "t", .copies = 1,
                         .options = c.options, .format = "application/pdf"};
    std::istringstream document("%PDF-1.4\n");
    std::ostringstream messages;
    ASSERT_EQ(receivePrintJob(job, BackendSettings{spool, spool}, document, messages), CUPS_BACKEND_OK)
        << messages.str();
    const auto contents = readSpool(spool);
    ASSERT_TRUE(contents && contents->records.size() == 1);
    const JobRecord& record = contents->records.front();
    EXPECT_EQ(record.privateEntries, (Options{{"Comment", c.value}}));
    EXPECT_NE(std::ranges::find(record.options, Options::value_type("after", "1")), record.options.end());
  }
}

// cupsd runs the backend once per document of a job, naming its request files "d<job>-<document>": each
// document becomes a record of its own, numbered, and the spool lists a job's records in document order
// whichever arrived first. Records written before the number was kept hold the first document.
TEST(BackendJobTest, EachDocumentOfAJobIsARecordNumberedFromCupsdsFileName) {
  const struct {
    const char* file;
    int job;
    int document;
  } names[] = {
      {"/var/spool/cups/d00012-002", 12, 2}, {"d123456-1000", 123456, 1000},
      {"d00012-002", 13, 1},  // another job's file
      {"report.pdf", 12, 1},  {"d00012-", 12, 1}, {"d-002", 0, 1}, {"d00012-0x2", 12, 1}, {"d00012-000", 12, 1},
      {"d00012-99999999999", 12, 1},
  };
  for (const auto& name : names) EXPECT_EQ(documentNumberFromFile(name.file, name.job), name.document) << name.file;

  const TemporaryFolder folder;
  const fs::path spool = folder.path() / "spool";  // made by the backend
  for (const int document : {2, 1}) {
    const BackendJob job{.queue = "TZ", .job = 7, .user = "operator", .title = "t", .copies = 3, .options = "",
                         .format = "application/pdf", .document = document};
    std::istringstream bytes("%PDF-1.4 document " + std::to_string(document));
    std::ostringstream messages;
    ASSERT_EQ(receivePrintJob(job, BackendSettings{spool, spool}, bytes, messages), CUPS_BACKEND_OK) << messages.str();
  }
  const auto contents = readSpool(spool);
  ASSERT_TRUE(contents && contents->records.size() == 2u);
  for (int document = 1; document <= 2; ++document) {
    const JobRecord& record = contents->records[document - 1];
    EXPECT_EQ(std::tuple(record.documentNumber, record.queue, record.job, record.user, record.copies, record.format),
              std::tuple(document, "TZ", 7, "operator", 3, "application/pdf"));
    EXPECT_EQ(foundation_testing::fileContents(record.folder / record.document),
              "%PDF-1.4 document " + std::to_string(document));
  }

  nlohmann::json written = toJson(JobRecord{});
  written.erase("documentNumber");
  EXPECT_EQ(recordFromJson(written)->documentNumber, 1);
  for (const nlohmann::json& number : {nlohmann::json(0), nlohmann::json("2")}) {
    written["documentNumber"] = number;
    EXPECT_FALSE(recordFromJson(written)) << number;
  }
}

}  // namespace
}  // namespace orval::tzps

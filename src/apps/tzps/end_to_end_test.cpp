// Printing for real: a TZ queue on a private cupsd, its lists published by the
// tzps backend and read back through the list channel, and a job whose every
// setting arrives at the print server byte for byte; and bad input that ends
// in a clear error within its bound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "apps/tzps/job_record.h"
#include "apps/tzps/private_cupsd_test_support.h"
#include "panel/server_list_channel.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/plist.h"
#include "platform/print/cups_print_host.h"
#include "settings_ui/string_escape_converter.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using testing::PrivateCupsd;
using testing::ProgramResult;
using testing::runProgram;

const fs::path kSource = ORVAL_SOURCE_DIR;
const std::string kPrivate(tzps::kPrivateEntryPrefix);

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::optional<std::string> find(const tzps::Options& options, const std::string& name) {
  for (const auto& [key, value] : options)
    if (key == name) return value;
  return std::nullopt;
}

class EndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skipReason_ = PrivateCupsd::skipReason();
    if (!skipReason_) cupsd_ = PrivateCupsd::start(TZPS_PATH, &startError_).release();
  }
  static void TearDownTestSuite() {
    delete cupsd_;
    cupsd_ = nullptr;
  }
  void SetUp() override {
    if (skipReason_) GTEST_SKIP() << *skipReason_;
    ASSERT_NE(cupsd_, nullptr) << startError_;
  }

  // A TZ queue made by scripts/tz-queue, its jobs in spool, its lists the bundle's samples.
  static ProgramResult tzQueue(const std::string& name, const fs::path& spool,
                               const fs::path& ppd = kSource / "resources/TZPrintServer.ppd") {
    const fs::path lists = cupsd_->folder() / "lists";
    if (!fs::exists(lists)) fs::copy(kSource / "resources/server_lists", lists);
    return runProgram({"/bin/bash", (kSource / "scripts/tz-queue").string(), name, "--host", "printserver.example",
                       "--lists", lists.string(), "--spool", spool.string(), "--server", cupsd_->socket(), "--ppd",
                       ppd.string()});
  }
  static ProgramResult orval(std::vector<std::string> args) {
    args.insert(args.begin(), ORVAL_CLI_PATH);
    return runProgram(args);
  }
  static std::unique_ptr<CupsPrintHost> connect(const std::string& printer, std::string* error,
                                                std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    return CupsPrintHost::connect({cupsd_->socket(), printer, timeout}, error);
  }

  static inline std::optional<std::string> skipReason_;
  static inline PrivateCupsd* cupsd_ = nullptr;
  static inline std::string startError_;
};

TEST_F(EndToEndTest, AJobReachesThePrintServerWithEverySettingIntact) {
  const fs::path spool = cupsd_->folder() / "jobs";
  const ProgramResult queue = tzQueue("tz", spool);
  ASSERT_EQ(queue.status, 0) << queue.err;

  const ProgramResult refresh =
      orval({"lists", "refresh", "--printer", "tz", "--server", cupsd_->socket(), "--json"});
  ASSERT_EQ(refresh.status, 0) << refresh.err << cupsd_->logTail();
  std::string error;
  const std::unique_ptr<CupsPrintHost> host = connect("tz", &error);
  ASSERT_TRUE(host) << error;
  EXPECT_EQ(host->host().printer()->deviceURI().value_or("").rfind("tzps://printserver.example/", 0), 0u);
  // Every list the panel asks for and the sample folder holds is published as it stands.
  for (const std::string& name : PanePlugInMgr::allListCommands()) {
    const fs::path file = kSource / "resources/server_lists" / (name + ".plist");
    if (!fs::exists(file)) continue;
    EXPECT_NE(refresh.out.find('"' + name + '"'), std::string::npos) << refresh.out;
    EXPECT_EQ(readServerList(host->host().ppdFile(), name), plistFromFile(file)) << name;
  }

  // Settings as the panel leaves them: marked choices, escaped private entries, the print system's own.
  PrinterDescription& ppd = *host->host().printerDescription();
  int changed = 0;
  for (const PpdOption& option : ppd.options()) {
    if (option.choices.size() > 1 && option.choices.back().choice != option.defaultChoice && changed++ < 4) {
      ASSERT_TRUE(ppd.markOption(option.keyword, option.choices.back().choice));
    }
  }
  StringEscapeConverter escaping;
  escaping.replace("%", "%x25");
  escaping.replace("'", "%x27");
  escaping.replace(",", "%x2C");
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"JobName", "Quarterly report, \"final\" version"},
      {"Comment", "it's 100% done, %x2C stays\tafter a tab\nand a line break"},
      {"Note", "日本語のメモ ü {braces} True"},
      {"Count", "0010"},
      {"Blank", ""},
      {"Password", "ENC1:" + std::string(1018, 'C')},
  };
  PrintSettings& settings = *host->host().printSettings();
  for (const auto& [key, value] : entries) settings.setValue(kPrivate + key, Value(escaping.escape(value)));
  settings.setCopies(2);
  settings.setCollate(false);
  settings.setDuplex(DuplexMode::NoTumble);

  const fs::path document = cupsd_->folder() / "report.pdf";
  std::ofstream(document, std::ios::binary) << "%PDF-1.4\n% a document\n%%EOF\n";
  const std::string title = "Report: \"Q3\" – ü";
  const std::optional<int> jobId = host->submit({document}, title, std::nullopt, &error);
  ASSERT_TRUE(jobId) << error;
  const std::optional<CupsJobStatus> status = host->waitForJob(*jobId, std::chrono::seconds(30), &error);
  ASSERT_TRUE(status && status->state == IPP_JSTATE_COMPLETED) << error << cupsd_->logTail();

  const std::optional<tzps::SpoolContents> stored = tzps::readSpool(spool, &error);
  ASSERT_TRUE(stored) << error;
  ASSERT_EQ(stored->records.size(), 1u);
  const tzps::JobRecord& record = stored->records.front();
  EXPECT_EQ(record.job, *jobId);
  EXPECT_EQ(record.title, title);
  EXPECT_EQ(record.copies, 2);
  EXPECT_EQ(fileBytes(record.folder / record.document), fileBytes(document));
  for (const auto& [keyword, choice] : ppd.markedChoices())
    EXPECT_EQ(find(record.options, keyword), choice.text()) << keyword;
  for (const auto& [key, value] : entries) EXPECT_EQ(find(record.privateEntries, key), value) << key;
  EXPECT_EQ(find(record.options, "sides"), "two-sided-long-edge");
  EXPECT_EQ(find(record.options, "collate"), "false");

  const ProgramResult jobs = orval({"server", "jobs", "--spool", spool.string(), "--json"});
  EXPECT_EQ(jobs.status, 0) << jobs.err;
  EXPECT_NE(jobs.out.find("\"job\": " + std::to_string(*jobId)), std::string::npos) << jobs.out;
}

TEST_F(EndToEndTest, BadInputEndsInAClearErrorWithinItsBound) {
  std::string error;
  EXPECT_FALSE(connect("absent", &error));
  EXPECT_NE(error.find("has no queue absent"), std::string::npos) << error;

  // A queue whose printer description is another printer's.
  ASSERT_EQ(tzQueue("other", cupsd_->folder() / "other", kSource / "src/platform/print/testdata/test_printer.ppd")
                .status,
            0);
  ProgramResult result = orval({"lists", "refresh", "--printer", "other", "--server", cupsd_->socket()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("is not a TZ Print Server queue"), std::string::npos) << result.err;

  // A command job on a stopped queue never finishes: it is given up and cancelled at the bound.
  ASSERT_EQ(tzQueue("stopped", cupsd_->folder() / "stopped").status, 0);
  ASSERT_EQ(runProgram({"/usr/sbin/cupsdisable", "-h", cupsd_->socket(), "stopped"}).status, 0);
  std::unique_ptr<CupsPrintHost> host = connect("stopped", &error, std::chrono::seconds(1));
  ASSERT_TRUE(host) << error;
  EXPECT_FALSE(host->sendCommand("ReportLevels", "DeviceList", &error));
  EXPECT_NE(error.find("did not finish within 1 s and was cancelled; the queue is stopped"), std::string::npos)
      << error;

  // A spool folder the backend cannot write: the queue stops with the reason and keeps the job.
  const fs::path readOnly = cupsd_->folder() / "read-only";
  ASSERT_EQ(tzQueue("readonly", readOnly).status, 0);
  ASSERT_EQ(chown(readOnly.c_str(), 0, 0), 0);
  ASSERT_EQ(chmod(readOnly.c_str(), 0555), 0);
  host = connect("readonly", &error);
  ASSERT_TRUE(host) << error;
  const fs::path document = cupsd_->folder() / "page.pdf";
  std::ofstream(document, std::ios::binary) << "%PDF-1.4\n%%EOF\n";
  const std::optional<int> jobId = host->submit({document}, "kept", std::nullopt, &error);
  ASSERT_TRUE(jobId) << error;
  std::optional<CupsQueueStatus> queue;
  for (int i = 0; i < 600 && !(queue && queue->state == IPP_PSTATE_STOPPED); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    queue = host->connection().queueStatus("readonly");
  }
  ASSERT_TRUE(queue && queue->state == IPP_PSTATE_STOPPED) << cupsd_->logTail();
  EXPECT_NE(queue->message.find("read-only"), std::string::npos) << queue->message;
  const std::optional<CupsJobStatus> job = host->connection().jobStatus("readonly", *jobId);
  ASSERT_TRUE(job);
  EXPECT_FALSE(job->finished());
}

}  // namespace
}  // namespace orval

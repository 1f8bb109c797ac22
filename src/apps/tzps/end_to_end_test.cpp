// Printing for real through TZ queues on one private cupsd: published lists, every setting arriving
// byte for byte, favorites as CUPS instances, and bad input ending in a clear error within its bound.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <memory>
#include <thread>

#include "apps/tzps/job_record.h"
#include "apps/tzps/private_cupsd_test_support.h"
#include "conversion/password_encoder.h"
#include "panel/print_settings_ticket.h"
#include "panel/server_list_channel.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/print/cups_print_host.h"
#include "platform/print/ticket_file.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using testing::PrivateCupsd;
using testing::ProgramResult;
using testing::runProgram;
using foundation_testing::fileContents;

const std::string kPrivate(tzps::kPrivateEntryPrefix);

std::optional<std::string> find(const tzps::Options& options, const std::string& name) {
  for (const auto& [key, value] : options)
    if (key == name) return value;
  return std::nullopt;
}

class EndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skipReason_ = PrivateCupsd::skipReason();
    if (!skipReason_) cupsd_ = PrivateCupsd::start(TZPS_PATH, &startError_);
  }
  static void TearDownTestSuite() {
    cupsd_.reset();
  }
  void SetUp() override {
    if (skipReason_) GTEST_SKIP() << *skipReason_;
    ASSERT_NE(cupsd_, nullptr) << startError_;
  }

  static ProgramResult orval(std::vector<std::string> args) {
    args.insert(args.begin(), ORVAL_CLI_PATH);
    return runProgram(args);
  }
  // orval's job command args on queue's job kept in ticket.
  static ProgramResult job(const std::string& queue, const fs::path& ticket, std::vector<std::string> args) {
    args.insert(args.end(), {"--printer", queue, "--server", cupsd_->socket(), "--ticket", ticket.string()});
    return orval(std::move(args));
  }
  static std::unique_ptr<CupsPrintHost> connect(const std::string& printer, std::string* error,
                                                std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    return CupsPrintHost::connect({cupsd_->socket(), printer, timeout}, error);
  }

  static inline std::optional<std::string> skipReason_;
  static inline std::unique_ptr<PrivateCupsd> cupsd_;
  static inline std::string startError_;
};

TEST_F(EndToEndTest, APrintedJobReachesThePrintServerWithEverySettingIntact) {
  const fs::path spool = cupsd_->folder() / "jobs";
  const ProgramResult queue = cupsd_->tzQueue("tz", spool);
  ASSERT_EQ(queue.status, 0) << queue.err;
  // The server has two feeders and two stackers (the bundle's own description lists more).
  const fs::path lists = cupsd_->folder() / "lists";
  for (const char* name : {"FeederInfoList.plist", "StackerInfoList.plist"}) {
    Array rows = *plistFromFile(lists / name)->asArray();
    while (rows.size() > 2) rows.erase(2);
    ASSERT_TRUE(writePlistFile(lists / name, Value(std::move(rows))));
  }
  // It has no colour substitutions (the bundle's description has a sample list).
  fs::remove(lists / "ColorSubst.plist");

  const ProgramResult refresh =
      orval({"lists", "refresh", "--printer", "tz", "--server", cupsd_->socket(), "--timeout", "300", "--json"});
  ASSERT_EQ(refresh.status, 0) << refresh.err << cupsd_->logTail();
  std::string error;
  const std::unique_ptr<CupsPrintHost> host = connect("tz", &error);
  ASSERT_TRUE(host) << error;
  EXPECT_EQ(host->host().printer()->deviceURI().value_or("").rfind("tzps://printserver.example/", 0), 0u);
  // Every list the panel asks for and the sample folder holds is published as it stands.
  for (const std::string& name : PanePlugInMgr::allListCommands()) {
    const fs::path file = lists / (name + ".plist");
    if (!fs::exists(file)) continue;
    EXPECT_NE(refresh.out.find('"' + name + '"'), std::string::npos) << refresh.out;
    EXPECT_EQ(readServerList(host->host().ppdFile(), name), plistFromFile(file)) << name;
  }
  // A list the server does not have is none on the queue too. (What refresh reports as missing is
  // read while cupsd may still be writing the queue's description, so it is not checked here.)
  EXPECT_EQ(readServerList(host->host().ppdFile(), "ColorSubst"), std::nullopt);
  // The panel on the queue offers what the server published.
  const fs::path ticket = cupsd_->folder() / "tz.ticket";
  const ProgramResult shown = job("tz", ticket, {"show", "--json"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  for (const auto& [tray, offered] : {std::pair{"Tray 2", true}, {"Stacker Tray 2", true}, {"Tray 3", false},
                                      {"Finisher Tray", false}})
    EXPECT_EQ(shown.out.find("\"title\": \"" + std::string(tray) + '"') != std::string::npos, offered) << tray;

  ASSERT_EQ(job("tz", ticket, {"set", "StapleMode=TopLeftCorner"}).status, 0);
  const std::string jobName = "Report: \"Q3\" – ü, 100%";
  ASSERT_EQ(job("tz", ticket, {"job-name", jobName}).status, 0);

  // Awkward values of the job's own settings, as the panel stores them.
  char password[kEncDecBufferSize] = {};
  ASSERT_EQ(loadEncDec((fs::path(ORVAL_BUNDLE_DIR) / "Contents/Resources").c_str()), 0);
  ASSERT_EQ(encode(std::string(509, '%').c_str(), password), 0);
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"PaperColorCustomName", "Sky, \"blue\" 50%"},
      {"MemoCommentContent", "it's done,\tafter a tab; %x2C stays"},
      {"JobFolderName", "日本語のフォルダ ü {braces} True"},
      {"StockName", "  two leading blanks"},
      {"AuthJobPassword", password},
  };
  JobTicket stored;
  ASSERT_EQ(TicketFile::read(ticket, &stored), TicketFile::Status::Loaded);
  for (const auto& [key, value] : entries) stored.printSettings.set(kPrivate + key, Value(escapeTicketValue(value)));
  ASSERT_TRUE(TicketFile::write(ticket, stored, false));

  // A dry run prints the options and changes nothing.
  const std::string before = fileContents(ticket);
  const ProgramResult dry = job("tz", ticket, {"print", "--dry-run", "-o", "ColorMode=Grayscale", cupsd_->document()});
  ASSERT_EQ(dry.status, 0) << dry.err;
  EXPECT_NE(dry.out.find("StapleMode=TopLeftCorner\n"), std::string::npos) << dry.out;
  EXPECT_EQ(fileContents(ticket), before);

  const ProgramResult printed = job("tz", ticket, {"print", "-o", "ColorMode=Grayscale", cupsd_->document(), "--json"});
  ASSERT_EQ(printed.status, 0) << printed.err << cupsd_->logTail();
  const int jobId = nlohmann::json::parse(printed.out)["job"].get<int>();
  const std::optional<CupsJobStatus> status = host->waitForJob(jobId, std::chrono::seconds(30), &error);
  ASSERT_TRUE(status && status->state == IPP_JSTATE_COMPLETED) << error << cupsd_->logTail();

  ASSERT_EQ(TicketFile::read(ticket, &stored), TicketFile::Status::Loaded);
  const std::optional<tzps::SpoolContents> spooled = tzps::readSpool(spool, &error);
  ASSERT_TRUE(spooled && spooled->records.size() == 1u) << error;
  const tzps::JobRecord& record = spooled->records.front();
  EXPECT_EQ(std::pair(record.job, record.title), std::pair(jobId, jobName));
  EXPECT_EQ(stored.markedChoices.get("ColorMode").text(), "Grayscale");
  for (const auto& [keyword, choice] : stored.markedChoices)
    EXPECT_EQ(find(record.options, keyword), choice.text()) << keyword;
  for (const auto& [key, value] : stored.printSettings) {
    if (key.starts_with(kPrivate)) {
      EXPECT_EQ(find(record.privateEntries, key.substr(kPrivate.size())), unescapeTicketValue(value.text())) << key;
    }
  }
}

TEST_F(EndToEndTest, AFavoritePublishedAsAnInstancePrintsWithLp) {
  const fs::path spool = cupsd_->folder() / "favorite-jobs";
  ASSERT_EQ(cupsd_->tzQueue("tzfav", spool).status, 0);
  const fs::path config = cupsd_->folder() / "config";
  // The user's favorites and lpoptions are the daemon folder's, for this process and its children, in this test.
  const foundation_testing::ScopedEnvironment configHome("XDG_CONFIG_HOME", config.string());
  const foundation_testing::ScopedEnvironment home("HOME", cupsd_->folder().string());
  const fs::path favorites = config / "QUILLANT/TZPrintServer/PDE/favorite";
  fs::create_directories(favorites);
  std::ofstream(favorites / "Booklet.pfj", std::ios::binary)
      << "2\n7\n0\nComment=e2e\nFN_STAPLE=1\t\tCL_COLMD=1\t\tPA_PAPC=10\t\tPA_PAPCCN=Sky, 'blue' 100%\t\t";
  const fs::path ticket = cupsd_->folder() / "tzfav.ticket";

  // The user's own lpoptions hold the queue's two-sided printing, which an instance starts from.
  ASSERT_EQ(runProgram({"/usr/bin/lpoptions", "-h", cupsd_->socket(), "-p", "tzfav", "-o", "DuplexMode=DuplexNoTumble"})
                .status,
            0);

  const ProgramResult published = job("tzfav", ticket, {"favorites", "publish", "Booklet", "--json"});
  ASSERT_EQ(published.status, 0) << published.err;
  EXPECT_EQ(nlohmann::json::parse(published.out)["options"]["StapleMode"], "TopLeftCorner");

  // lp sends the instance's options as text, which CUPS reads as it likes ("False" as a boolean); the favorite's
  // arrive. cupsd hands a pass-through job of several documents to the backend one document at a time only when
  // the queue's description asks for it; without, every document after the first was lost and the job completed.
  const fs::path second = cupsd_->folder() / "second.pdf";
  std::ofstream(second, std::ios::binary) << "%PDF-1.4\n% the second document, longer than the first\n%%EOF\n";
  const ProgramResult lp =
      runProgram({"/usr/bin/lp", "-h", cupsd_->socket(), "-d", "tzfav/Booklet", cupsd_->document(), second.string()});
  ASSERT_EQ(lp.status, 0) << lp.err;
  std::string error;
  std::optional<tzps::SpoolContents> spooled;  // cupsd runs the backend when it likes
  for (int i = 0; i < 600 && !(spooled && spooled->records.size() == 2u); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    spooled = tzps::readSpool(spool, &error);
  }
  ASSERT_TRUE(spooled && spooled->records.size() == 2u) << error << cupsd_->logTail();
  const std::string sources[] = {fileContents(cupsd_->document()), fileContents(second)};
  for (int document = 1; document <= 2; ++document) {
    const tzps::JobRecord& record = spooled->records[document - 1];
    SCOPED_TRACE(record.folder.string());
    EXPECT_EQ(record.documentNumber, document);
    EXPECT_EQ(fileContents(record.folder / record.document), sources[document - 1]);
    EXPECT_EQ(find(record.options, "StapleMode"), "TopLeftCorner");
  }
  // The queue's default, published because the user's queue line differs.
  EXPECT_EQ(find(spooled->records.front().options, "DuplexMode"), "None");
  EXPECT_EQ(find(spooled->records.front().privateEntries, "PaperColorCustomName"), "Sky, 'blue' 100%");

  const std::vector<std::string> unpublish = {"favorites", "unpublish", "Booklet", "--printer", "tzfav", "--server",
                                              cupsd_->socket()};
  ASSERT_EQ(orval(unpublish).status, 0);
  EXPECT_EQ(runProgram({"/usr/bin/lpoptions", "-h", cupsd_->socket(), "-p", "tzfav/Booklet"}).out.find("StapleMode"),
            std::string::npos);
  const ProgramResult again = orval(unpublish);
  EXPECT_EQ(again.status, 1);
  EXPECT_NE(again.err.find("there is no instance tzfav/Booklet"), std::string::npos) << again.err;
}

TEST_F(EndToEndTest, BadInputEndsInAClearErrorWithinItsBound) {
  // Nothing reaches a queue or the ticket when the queue, the file or the job is wrong.
  const fs::path otherPpd = fs::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";
  ASSERT_EQ(cupsd_->tzQueue("other", cupsd_->folder() / "other", otherPpd).status, 0);
  ASSERT_EQ(cupsd_->tzQueue("checked", cupsd_->folder() / "checked").status, 0);
  const fs::path ticket = cupsd_->folder() / "refused.ticket";
  const std::string missing = (cupsd_->folder() / "missing.pdf").string();
  const std::string noCupsd = (cupsd_->folder() / "no-cupsd.sock").string();
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"print", "--printer", "absent", cupsd_->document()}, "has no queue absent"},
      {{"print", "--printer", "other", cupsd_->document()}, "is not a TZ Print Server queue"},
      {{"lists", "refresh", "--printer", "other"}, "is not a TZ Print Server queue"},
      {{"print", "--printer", "checked", missing}, missing + ": no such file"},
      {{"print", "--printer", "checked", "-o", "QZInputSlot=TrayStock", cupsd_->document()},
       "Enter the stock name of the paper tray."},
      {{"print", "--printer", "checked", "--favorite", "Absent", cupsd_->document()},
       "there is no favorite \"Absent\""},
      {{"print", "--server", noCupsd, "--printer", "checked", cupsd_->document()}, noCupsd},
  };
  for (Case& c : cases) {
    if (std::ranges::find(c.args, "--server") == c.args.end())
      c.args.insert(c.args.end(), {"--server", cupsd_->socket()});
    if (c.args[0] == "print") c.args.insert(c.args.end(), {"--ticket", ticket.string()});
    const ProgramResult result = orval(c.args);
    EXPECT_EQ(result.status, 1) << c.message;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(fs::exists(ticket));
  const ProgramResult jobs = runProgram({"/usr/bin/lpstat", "-h", cupsd_->socket(), "-W", "all", "-o", "checked"});
  EXPECT_EQ(jobs.out, "") << jobs.err;

  // A command job on a stopped queue never finishes: it is given up and cancelled at the bound.
  ASSERT_EQ(cupsd_->tzQueue("stopped", cupsd_->folder() / "stopped").status, 0);
  std::string error;
  ASSERT_EQ(runProgram({"/usr/sbin/cupsdisable", "-h", cupsd_->socket(), "stopped"}).status, 0);
  std::unique_ptr<CupsPrintHost> host = connect("stopped", &error, std::chrono::seconds(1));
  ASSERT_TRUE(host) << error;
  EXPECT_FALSE(host->sendCommand("ReportLevels", "DeviceList", &error));
  EXPECT_NE(error.find("did not finish within 1 s and was cancelled; the queue is stopped"), std::string::npos)
      << error;
  EXPECT_EQ(runProgram({"/usr/bin/lpstat", "-h", cupsd_->socket(), "-o", "stopped"}).out, "");

  // A spool folder the backend cannot write: the queue stops with the reason and keeps the job.
  const fs::path readOnly = cupsd_->folder() / "unwritable";
  ASSERT_EQ(cupsd_->tzQueue("readonly", readOnly).status, 0);
  ASSERT_EQ(chown(readOnly.c_str(), 0, 0), 0);
  ASSERT_EQ(chmod(readOnly.c_str(), 0555), 0);
  host = connect("readonly", &error);
  ASSERT_TRUE(host) << error;
  const std::optional<int> jobId = host->submit({cupsd_->document()}, "kept", std::nullopt, &error);
  ASSERT_TRUE(jobId) << error;
  std::optional<CupsQueueStatus> queue;
  for (int i = 0; i < 600 && !(queue && queue->state == IPP_PSTATE_STOPPED); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    queue = host->connection().queueStatus("readonly");
  }
  ASSERT_TRUE(queue && queue->state == IPP_PSTATE_STOPPED) << cupsd_->logTail();
  EXPECT_NE(queue->message.find("read-only for this queue"), std::string::npos) << queue->message;
  const std::optional<CupsJobStatus> kept = host->connection().jobStatus("readonly", *jobId);
  EXPECT_TRUE(kept && !kept->finished());
}

}  // namespace
}  // namespace orval

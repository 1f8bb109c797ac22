// orval's job commands: the ticket file carries the job from one process to the next.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "apps/orval/cli_test_support.h"
#include "platform/foundation/unreadable_files_test_support.h"
#include "platform/print/ticket_file.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;

struct ProgramResult {
  int status = -1;
  std::string out;
};

// Runs a shell command line and answers its exit status and what it wrote on standard output.
ProgramResult runShell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  ProgramResult result;
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// Runs the orval program in a process of its own (standard error dropped); env is prefixed.
ProgramResult runProgram(const std::string& args, const std::string& env = {}) {
  return runShell(env + " " + ORVAL_CLI_PATH + " " + args + " --bundle " + ORVAL_BUNDLE_DIR +
                  " </dev/null 2>/dev/null");
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string valueOf(const nlohmann::json& mainPane, const std::string& key) {
  for (const auto& control : mainPane["controls"])
    if (control["key"] == key) return control["value"].get<std::string>();
  return "(absent)";
}

testing::RunResult orval(std::vector<std::string> args, const fs::path& ticket) {
  args.insert(args.end(), {"--ticket", ticket.string()});
  // `orval ticket` reads the file alone; every other command loads the bundle.
  if (args[0] != "ticket") args.insert(args.end(), {"--bundle", ORVAL_BUNDLE_DIR});
  return testing::runOrval(std::move(args));
}

TEST(JobCommandTest, ASettingMadeInOneProcessIsShownByTheNext) {
  const fs::path folder = testing::scratchFolder("job_state");
  const std::string env = "XDG_STATE_HOME=" + folder.string();
  ASSERT_EQ(runProgram("set StapleMode=TopLeftCorner ColorMode=Grayscale --json", env).status, 0);
  const fs::path ticket = folder / "orval/TZPrintServer.ticket";
  ASSERT_TRUE(fs::exists(ticket));
  EXPECT_EQ(fs::status(ticket.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);

  const ProgramResult shown = runProgram("show --json", env);
  ASSERT_EQ(shown.status, 0);
  const nlohmann::json pane = nlohmann::json::parse(shown.out);
  EXPECT_EQ(valueOf(pane, "StapleMode"), "TopLeftCorner");
  EXPECT_EQ(valueOf(pane, "ColorMode"), "Grayscale");
  EXPECT_EQ(valueOf(pane, "DuplexMode"), "None");
  EXPECT_EQ(pane["jobName"]["shown"], "Auto");
  // What the engine set along with the change (grayscale's colour model) is in the job too.
  const testing::RunResult stored = orval({"ticket"}, ticket);
  EXPECT_NE(stored.out.find("\n  ColorModel = Gray\n"), std::string::npos) << stored.out;

  // The engine says who disabled a setting.
  const ProgramResult why = runProgram("why QZRGBColorCorrect --json", env);
  ASSERT_EQ(why.status, 0);
  const nlohmann::json reasons = nlohmann::json::parse(why.out);
  EXPECT_FALSE(reasons["enabled"].get<bool>());
  EXPECT_EQ(reasons["disabledBy"], nlohmann::json::parse(R"([{"key": "ColorMode", "value": "Grayscale"}])"));
}

TEST(JobCommandTest, AConflictAnsweredNoOrABadSettingLeavesTheTicketAsItWas) {
  const fs::path ticket = testing::scratchFolder("job_conflict") / "job.ticket";
  ASSERT_EQ(orval({"set", "OutputTray=Stackertray"}, ticket).status, 0);
  const std::string before = contents(ticket);

  testing::RunResult declined = orval({"set", "DuplexMode=DuplexNoTumble", "StapleMode=TopLeftCorner", "--no"}, ticket);
  EXPECT_EQ(declined.status, 1);
  EXPECT_NE(declined.err.find("cannot be used together"), std::string::npos) << declined.err;
  EXPECT_NE(declined.err.find("StapleMode was not changed"), std::string::npos) << declined.err;
  EXPECT_EQ(contents(ticket), before);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"set", "StapleMode=Bogus"}, {"set", "NoSuchKey=1"}, {"set", "StapleMode"},
           {"trays", "MediaTypeWeightValue=abc"}}) {
    const testing::RunResult refused = orval(bad, ticket);
    EXPECT_EQ(refused.status, 1) << bad[1];
    EXPECT_NE(refused.err.find(bad[1].substr(0, bad[1].find('='))), std::string::npos) << refused.err;
    EXPECT_EQ(contents(ticket), before) << bad[1];
  }

  // Yes takes the proposed finisher tray along.
  const testing::RunResult accepted = orval({"set", "StapleMode=TopLeftCorner", "--yes", "--json"}, ticket);
  ASSERT_EQ(accepted.status, 0) << accepted.err;
  const nlohmann::json pane = nlohmann::json::parse(accepted.out);
  EXPECT_EQ(valueOf(pane, "StapleMode"), "TopLeftCorner");
  EXPECT_NE(valueOf(pane, "OutputTray"), "Stackertray");
}

TEST(JobCommandTest, TheJobNameAndTrayTextsAreStoredEscapedAndComeBackAsTyped) {
  const fs::path ticket = testing::scratchFolder("job_name") / "job.ticket";
  ASSERT_EQ(orval({"job-name", "Q3, 'final' 100%"}, ticket).status, 0);
  ASSERT_EQ(orval({"trays", "PaperColor=StockCustom", "PaperColorCustomName=Sky, blue"}, ticket).status, 0);
  const testing::RunResult stored = orval({"ticket", "--json"}, ticket);
  ASSERT_EQ(stored.status, 0) << stored.err;
  const nlohmann::json entries = nlohmann::json::parse(stored.out);
  EXPECT_EQ(entries["scalarEntries"]["JobName"], "Q3%x2C %x27final%x27 100%x25");
  EXPECT_EQ(entries["scalarEntries"]["QZSpecificJobName"], "Input");
  EXPECT_EQ(entries["privateEntries"]["PaperColorCustomName"], "Sky%x2C blue");

  const testing::RunResult name = orval({"job-name"}, ticket);
  EXPECT_EQ(name.out, "Job name: Q3, 'final' 100%\n");
  EXPECT_EQ(orval({"job-name", "--auto"}, ticket).status, 0);
  EXPECT_EQ(orval({"job-name"}, ticket).out, "Job name: Auto\n");

  // Revert returns the main pane, tray dialogs included, to its defaults.
  ASSERT_EQ(orval({"set", "ColorMode=Grayscale"}, ticket).status, 0);
  const testing::RunResult reverted = orval({"revert", "--json"}, ticket);
  ASSERT_EQ(reverted.status, 0) << reverted.err;
  EXPECT_EQ(valueOf(nlohmann::json::parse(reverted.out), "ColorMode"), "Color");
  EXPECT_EQ(orval({"trays"}, ticket).out.find("Sky, blue"), std::string::npos);
}

// The tray dialog is opened with its button, worked and closed with its button; a value the job
// does not hold once saved fails the command, and the ticket is not written.
TEST(JobCommandTest, TraySettingsAreKeptOrRefusedAsTheDialogKeepsThem) {
  const std::string bypassType =
      "PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_"
      "MediaTypeDrilledBypass_PaperTypeCustomNumberBypass";
  struct Row {
    std::vector<std::string> args;
    std::string refusal;  // empty: every setting is kept
  };
  const Row rows[] = {
      {{"trays", "PaperType_MediaTypeTabbed=Plain_True", "PaperColor=Blue"}, ""},
      {{"trays", "PaperColor=StockCustom", "PaperColorCustomName=abc"}, ""},
      {{"trays", "--bypass", bypassType + "=Coated_False_Gloss_False_False_0"}, ""},
      // The dialog disables these fields for the paper type and colour the job has.
      {{"trays", "MediaTypeSequence=2"}, "MediaTypeSequence is disabled"},
      {{"trays", "PaperColorCustomName=abc"}, "PaperColorCustomName is disabled"},
      {{"trays", "PaperTypeCustomName=abc"}, "PaperTypeCustomName is disabled"},
      // A weight typed in the dialog is the job's, though the engine reads its key through the
      // Detailed Settings field of the same key.
      {{"trays", "MediaTypeWeightValue=90"}, ""},
      // The sequence is taken from that field, which the dialog's does not change.
      {{"trays", "PaperType_MediaTypeTabbed=Plain_True", "MediaTypeSequence=2"},
       "MediaTypeSequence: \"2\" was asked, but the saved job holds \"1\""},
      // A server's custom type in the bypass dialog does not come back from the saved job.
      {{"trays", "--bypass", bypassType + "=Custom1_False"},
       "the saved job holds \"Plain_False_None_False_False_0\""},
  };
  const fs::path folder = testing::scratchFolder("job_trays");
  for (const Row& row : rows) {
    const std::string what = row.args.back();
    const fs::path ticket = folder / "job.ticket";
    fs::remove(ticket);
    const testing::RunResult result = orval(row.args, ticket);
    if (!row.refusal.empty()) {
      EXPECT_EQ(result.status, 1) << what;
      EXPECT_NE(result.err.find(row.refusal), std::string::npos) << what << ": " << result.err;
      EXPECT_FALSE(fs::exists(ticket)) << what;
      continue;
    }
    EXPECT_EQ(result.status, 0) << what << ": " << result.err;
    std::vector<std::string> shown{"trays", "--json"};
    if (row.args[1] == "--bypass") shown.push_back("--bypass");
    const testing::RunResult next = orval(shown, ticket);
    ASSERT_EQ(next.status, 0) << next.err;
    const nlohmann::json dialog = nlohmann::json::parse(next.out);
    for (const std::string& setting : row.args) {
      const std::size_t equals = setting.find('=');
      if (equals != std::string::npos) {
        EXPECT_EQ(valueOf(dialog, setting.substr(0, equals)), setting.substr(equals + 1)) << what;
      }
    }
  }
}

// The job name is typed into the job name dialog: a name the dialog refuses fails with its message.
TEST(JobCommandTest, AJobNameTheDialogRefusesIsNotSet) {
  const fs::path ticket = testing::scratchFolder("job_name_rules") / "job.ticket";
  ASSERT_EQ(orval({"job-name", "Before"}, ticket).status, 0);
  const std::string before = contents(ticket);
  const std::string lengthRule = "Enter a job name of 1 to 255 characters.";
  const struct {
    std::string name;
    std::string refusal;  // empty: the name is set
  } rows[] = {
      {"", lengthRule},
      {std::string(2000, 'x'), lengthRule},
      {std::string(256, 'x'), lengthRule},
      {"line\nbreak", "control characters"},
      {"tab\tbed", "control characters"},
      {std::string(255, 'x'), ""},
      {"\u65E5\u672C\u8A9E", ""},
  };
  for (const auto& row : rows) {
    const testing::RunResult result = orval({"job-name", row.name}, ticket);
    if (!row.refusal.empty()) {
      EXPECT_EQ(result.status, 1) << row.name.size();
      EXPECT_NE(result.err.find(row.refusal), std::string::npos) << result.err;
      EXPECT_EQ(contents(ticket), before) << row.name.size();
      continue;
    }
    ASSERT_EQ(result.status, 0) << result.err;
    const nlohmann::json name = nlohmann::json::parse(orval({"job-name", "--json"}, ticket).out);
    EXPECT_EQ(name["name"], row.name);
    EXPECT_EQ(name["shown"], row.name);
  }
}

TEST(JobCommandTest, ADamagedTicketIsReportedAndNeverWritten) {
  const fs::path ticket = testing::scratchFolder("job_damaged") / "job.ticket";
  std::ofstream(ticket) << "not a property list";
  for (const std::vector<std::string>& command :
       std::vector<std::vector<std::string>>{{"show"}, {"set", "ColorMode=Grayscale"}, {"ticket"}}) {
    const testing::RunResult result = orval(command, ticket);
    EXPECT_EQ(result.status, 1) << command[0];
    EXPECT_NE(result.err.find(ticket.string()), std::string::npos) << result.err;
  }
  EXPECT_EQ(contents(ticket), "not a property list");
}

TEST(JobCommandTest, ATicketThatIsNoRegularFileOrTooLargeIsRefusedUnread) {
  const fs::path folder = testing::scratchFolder("job_unreadable");
  const foundation_testing::HeldPipe pipe(folder / "pipe.ticket");
  const fs::path huge = foundation_testing::sparseFile(folder / "huge.ticket", TicketFile::kMaxBytes + 1);
  const std::pair<fs::path, std::string> refused[] = {
      {pipe.path(), "it is not a regular file"},
      {"/dev/zero", "it is not a regular file"},
      {huge, "it is larger than 16 MiB, more than any ticket holds"},
  };
  for (const auto& [ticket, reason] : refused) {
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"ticket"}, {"show"}, {"set", "ColorMode=Grayscale"}}) {
      const testing::RunResult result = orval(command, ticket);
      EXPECT_EQ(result.status, 1) << command[0] << ' ' << ticket;
      EXPECT_NE(result.err.find("Cannot read the ticket \"" + ticket.string() + "\": " + reason), std::string::npos)
          << result.err;
    }
  }
  EXPECT_TRUE(fs::is_fifo(pipe.path()));
  EXPECT_EQ(fs::file_size(huge), TicketFile::kMaxBytes + 1);
}

TEST(JobCommandTest, AnEmptyTicketStartsTheJobFromTheDefaultsAndASaveFillsIt) {
  const fs::path ticket = testing::scratchFolder("job_empty") / "job.ticket";
  std::ofstream{ticket};  // as mktemp or touch leaves it
  const testing::RunResult shown = orval({"show", "--json"}, ticket);
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(valueOf(nlohmann::json::parse(shown.out), "ColorMode"), "Color");
  EXPECT_EQ(contents(ticket), "");  // looking writes nothing

  const testing::RunResult set = orval({"set", "ColorMode=Grayscale"}, ticket);
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_EQ(valueOf(nlohmann::json::parse(orval({"show", "--json"}, ticket).out), "ColorMode"), "Grayscale");
}

TEST(JobCommandTest, ALinkedTicketIsWrittenThroughTheLink) {
  const fs::path folder = testing::scratchFolder("job_link");
  fs::create_directory(folder / "real");
  fs::create_symlink("real/job.ticket", folder / "link.ticket");  // dangling until the first save
  ASSERT_EQ(orval({"set", "ColorMode=Grayscale"}, folder / "link.ticket").status, 0);
  ASSERT_EQ(orval({"set", "StapleMode=TopLeftCorner", "--yes"}, folder / "link.ticket").status, 0);
  EXPECT_TRUE(fs::is_symlink(folder / "link.ticket"));
  const nlohmann::json pane = nlohmann::json::parse(orval({"show", "--json"}, folder / "real/job.ticket").out);
  EXPECT_EQ(valueOf(pane, "ColorMode"), "Grayscale");
  EXPECT_EQ(valueOf(pane, "StapleMode"), "TopLeftCorner");

  // A link to a file in a folder that does not exist is left as it is.
  fs::create_symlink("gone/job.ticket", folder / "astray.ticket");
  const testing::RunResult astray = orval({"set", "ColorMode=Grayscale"}, folder / "astray.ticket");
  EXPECT_EQ(astray.status, 1);
  EXPECT_NE(astray.err.find("whose folder does not exist"), std::string::npos) << astray.err;
  EXPECT_TRUE(fs::is_symlink(folder / "astray.ticket"));
  EXPECT_FALSE(fs::exists(folder / "gone"));
}

TEST(JobCommandTest, OutputThatCannotBeWrittenFailsTheCommand) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const fs::path ticket = testing::scratchFolder("job_full") / "job.ticket";
  ASSERT_EQ(orval({"set", "ColorMode=Grayscale"}, ticket).status, 0);
  const std::string before = contents(ticket);
  const std::string ticketOption = " --ticket " + ticket.string();
  for (const std::string& args :
       {"show" + ticketOption + " --bundle " + ORVAL_BUNDLE_DIR, "ticket --json" + ticketOption,
        "ppd " + testing::bundlePrinterDescription().string(), std::string("--version")}) {
    // Standard error is read; standard output goes to a device that is always full.
    const ProgramResult result = runShell(std::string(ORVAL_CLI_PATH) + " " + args + " </dev/null 2>&1 >/dev/full");
    EXPECT_EQ(result.status, 1) << args;
    EXPECT_NE(result.out.find("orval: cannot write the output"), std::string::npos)
        << args << ": " << result.out;
  }
  EXPECT_EQ(contents(ticket), before);
}

}  // namespace
}  // namespace orval::cli

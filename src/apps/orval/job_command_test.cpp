// orval's job commands: the ticket file carries the job from one process to the next.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "apps/orval/cli_test_support.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;
using foundation_testing::fileContents;
using foundation_testing::TemporaryFolder;
using testing::RefusedWith;
using testing::runOnJob;
using testing::valueOf;

// Runs the orval program in a process of its own (standard error dropped); env is prefixed.
testing::RunResult runProgram(const std::string& args, const std::string& env = {}) {
  return testing::runShell(env + " " + ORVAL_CLI_PATH + " " + args + " --bundle " + ORVAL_BUNDLE_DIR +
                           " </dev/null 2>/dev/null");
}

// A scratch folder, and the job's ticket in it, for each test.
class JobCommandTest : public ::testing::Test {
 protected:
  const TemporaryFolder folder;
  const fs::path ticket = folder.path() / "job.ticket";
};

TEST_F(JobCommandTest, ASettingMadeInOneProcessIsShownByTheNext) {
  const std::string env = "XDG_STATE_HOME=" + folder.path().string();
  ASSERT_EQ(runProgram("set StapleMode=TopLeftCorner ColorMode=Grayscale --json", env).status, 0);
  const fs::path stateTicket = folder.path() / "orval/TZPrintServer.ticket";
  ASSERT_TRUE(fs::exists(stateTicket));
  EXPECT_EQ(fs::status(stateTicket.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);

  const testing::RunResult shown = runProgram("show --json", env);
  ASSERT_EQ(shown.status, 0);
  const nlohmann::json pane = nlohmann::json::parse(shown.out);
  EXPECT_EQ(valueOf(pane, "StapleMode") + " " + valueOf(pane, "ColorMode"), "TopLeftCorner Grayscale");
  // What the engine set along with the change (grayscale's colour model) is in the job too.
  const testing::RunResult stored = runOnJob({"ticket"}, stateTicket);
  EXPECT_NE(stored.out.find("\n  ColorModel = Gray\n"), std::string::npos) << stored.out;

  // The engine says who disabled a setting.
  const testing::RunResult why = runProgram("why QZRGBColorCorrect --json", env);
  ASSERT_EQ(why.status, 0);
  const nlohmann::json reasons = nlohmann::json::parse(why.out);
  EXPECT_FALSE(reasons["enabled"].get<bool>());
  EXPECT_EQ(reasons["disabledBy"], nlohmann::json::parse(R"([{"key": "ColorMode", "value": "Grayscale"}])"));
}

TEST_F(JobCommandTest, AConflictAnsweredNoOrABadSettingLeavesTheTicketAsItWas) {
  ASSERT_EQ(runOnJob({"set", "OutputTray=Stackertray"}, ticket).status, 0);
  const std::string before = fileContents(ticket);

  const testing::RunResult declined =
      runOnJob({"set", "DuplexMode=DuplexNoTumble", "StapleMode=TopLeftCorner", "--no"}, ticket);
  EXPECT_THAT(declined, RefusedWith("cannot be used together"));
  EXPECT_THAT(declined, RefusedWith("StapleMode was not changed"));
  EXPECT_EQ(fileContents(ticket), before);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"set", "StapleMode=Bogus"}, {"set", "NoSuchKey=1"}, {"set", "StapleMode"},
           {"trays", "MediaTypeWeightValue=abc"}}) {
    EXPECT_THAT(runOnJob(bad, ticket), RefusedWith(bad[1].substr(0, bad[1].find('='))));
    EXPECT_EQ(fileContents(ticket), before) << bad[1];
  }

  // Yes takes the proposed finisher tray along.
  const testing::RunResult accepted = runOnJob({"set", "StapleMode=TopLeftCorner", "--yes", "--json"}, ticket);
  ASSERT_EQ(accepted.status, 0) << accepted.err;
  const nlohmann::json pane = nlohmann::json::parse(accepted.out);
  EXPECT_EQ(valueOf(pane, "StapleMode"), "TopLeftCorner");
  EXPECT_NE(valueOf(pane, "OutputTray"), "Stackertray");
}

// The job name is typed into the job name dialog: a name the dialog refuses fails with its message.
TEST_F(JobCommandTest, TheJobNameAndTrayTextsAreStoredEscapedAndComeBackAsTypedOrRefused) {
  ASSERT_EQ(runOnJob({"job-name", "Q3, 'final' 100%"}, ticket).status, 0);
  ASSERT_EQ(runOnJob({"trays", "PaperColor=StockCustom", "PaperColorCustomName=Sky, blue"}, ticket).status, 0);
  const testing::RunResult stored = runOnJob({"ticket", "--json"}, ticket);
  ASSERT_EQ(stored.status, 0) << stored.err;
  const nlohmann::json entries = nlohmann::json::parse(stored.out);
  EXPECT_EQ(entries["scalarEntries"]["JobName"], "Q3%x2C %x27final%x27 100%x25");
  EXPECT_EQ(entries["scalarEntries"]["QZSpecificJobName"], "Input");
  EXPECT_EQ(entries["privateEntries"]["PaperColorCustomName"], "Sky%x2C blue");

  const std::string before = fileContents(ticket);
  const std::string lengthRule = "Enter a job name of 1 to 255 characters.";
  for (const auto& [name, refusal] : {std::pair<std::string, std::string>{"", lengthRule},
                                      {std::string(256, 'x'), lengthRule}, {"line\nbreak", "control characters"}}) {
    EXPECT_THAT(runOnJob({"job-name", name}, ticket), RefusedWith(refusal)) << name.size();
    EXPECT_EQ(fileContents(ticket), before) << name.size();
  }
  EXPECT_EQ(runOnJob({"job-name"}, ticket).out, "Job name: Q3, 'final' 100%\n");
  EXPECT_EQ(runOnJob({"job-name", "--auto"}, ticket).status, 0);
  EXPECT_EQ(runOnJob({"job-name"}, ticket).out, "Job name: Auto\n");

  // Revert returns the main pane, tray dialogs included, to its defaults.
  ASSERT_EQ(runOnJob({"set", "ColorMode=Grayscale"}, ticket).status, 0);
  const testing::RunResult reverted = runOnJob({"revert", "--json"}, ticket);
  ASSERT_EQ(reverted.status, 0) << reverted.err;
  EXPECT_EQ(valueOf(nlohmann::json::parse(reverted.out), "ColorMode"), "Color");
  EXPECT_EQ(runOnJob({"trays"}, ticket).out.find("Sky, blue"), std::string::npos);
}

// The tray dialog is opened with its button, worked and closed with its button; a value the job
// does not hold once saved fails the command, and the ticket is not written.
TEST_F(JobCommandTest, TraySettingsAreKeptOrRefusedAsTheDialogKeepsThem) {
  const std::string bypassType =
      "PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_"
      "MediaTypeDrilledBypass_PaperTypeCustomNumberBypass";
  struct Row {
    std::vector<std::string> args;
    std::string refusal;  // empty: every setting is kept
  };
  const Row rows[] = {
      {{"trays", "--bypass", bypassType + "=Coated_False_Gloss_False_False_0"}, ""},
      // The settings are made in order in the open dialog: the paper type enables the sequence.
      {{"trays", "MediaTypeSequence=2"}, "MediaTypeSequence is disabled"},
      {{"trays", "PaperType_MediaTypeTabbed=Plain_True", "PaperColor=Blue", "MediaTypeSequence=2",
        "MediaTypeWeightValue=90"},
       ""},
      // A server's custom type in the bypass dialog does not come back from the saved job.
      {{"trays", "--bypass", bypassType + "=Custom1_False"},
       "the saved job holds \"Plain_False_None_False_False_0\""},
  };
  for (const Row& row : rows) {
    const std::string what = row.args.back();
    fs::remove(ticket);
    const testing::RunResult result = runOnJob(row.args, ticket);
    if (!row.refusal.empty()) {
      EXPECT_THAT(result, RefusedWith(row.refusal)) << what;
      EXPECT_FALSE(fs::exists(ticket)) << what;
      continue;
    }
    EXPECT_EQ(result.status, 0) << what << ": " << result.err;
    std::vector<std::string> shown{"trays", "--json"};
    if (row.args[1] == "--bypass") shown.push_back("--bypass");
    const testing::RunResult next = runOnJob(shown, ticket);
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

// The ticket file's own tests read every kind of file; here each command reports a damaged ticket and writes
// nothing, and an empty one (as mktemp or touch leaves it) is the defaults, which looking does not write.
TEST_F(JobCommandTest, ATicketIsReadAsTheTicketFileReadsItAndNeverWrittenByLooking) {
  const fs::path damaged = folder.write("damaged.ticket", "not a property list");
  const fs::path empty = folder.write("empty.ticket", "");
  for (const std::vector<std::string>& command :
       std::vector<std::vector<std::string>>{{"ticket"}, {"show"}, {"set", "ColorMode=Grayscale"}})
    EXPECT_THAT(runOnJob(command, damaged), RefusedWith("damaged.ticket is damaged")) << command[0];
  const testing::RunResult shown = runOnJob({"show", "--json"}, empty);
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(valueOf(nlohmann::json::parse(shown.out), "ColorMode"), "Color");
  EXPECT_EQ(fileContents(damaged), "not a property list");
  EXPECT_EQ(fileContents(empty), "");
}

TEST_F(JobCommandTest, OutputThatCannotBeWrittenFailsTheCommand) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string ticketOption = " --ticket " + ticket.string();
  for (const std::string& args : {"show" + ticketOption + " --bundle " + ORVAL_BUNDLE_DIR, std::string("--version")}) {
    // Standard error is read; standard output goes to a device that is always full.
    const testing::RunResult result =
        testing::runShell(std::string(ORVAL_CLI_PATH) + " " + args + " </dev/null 2>&1 >/dev/full");
    EXPECT_EQ(result.status, 1) << args;
    EXPECT_NE(result.out.find("orval: cannot write the output"), std::string::npos)
        << args << ": " << result.out;
  }
}

}  // namespace
}  // namespace orval::cli

#include "platform/print/ticket_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace orval {
namespace {

class TicketFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("orval-ticket-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path write(const std::string& name, const std::string& contents) const {
    std::ofstream(folder_ / name, std::ios::binary) << contents;
    return folder_ / name;
  }
  static std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::filesystem::path folder_;
};

TEST_F(TicketFileTest, EveryValueTypeComesBackAsItWasInItsOrder) {
  JobTicket ticket;
  ticket.printSettings.set("jp.co.quillant.print.PrintSettingsTicket.JobName", "a%x2Cb");
  ticket.printSettings.set("com.apple.print.PrintSettings.PMDuplexing", 3);
  ticket.printSettings.set("Negative", -123456789012LL);
  ticket.printSettings.set("Real", 0.1);
  ticket.printSettings.set("Collate", false);
  ticket.printSettings.set("On", true);
  ticket.printSettings.set("When", Date{694224000});
  ticket.printSettings.set("Bytes", Data{0, 1, 0xfe, 0xff});
  ticket.printSettings.set("List", Array{"x", 2, Array{}});
  ticket.printSettings.set("Nested", Dict{{"z", "last?"}, {"a", Dict{}}});
  ticket.printSettings.set("Empty", "");
  ticket.printSettings.set("Unicode", "用紙 <&>");
  ticket.markedChoices.set("StapleMode", "TopLeft");
  ticket.markedChoices.set("Duplex", "DuplexTumble");

  const auto path = folder_ / "job.ticket";
  std::string error;
  ASSERT_TRUE(TicketFile::write(path, ticket, false, &error)) << error;

  JobTicket read;
  ASSERT_EQ(TicketFile::read(path, &read, &error), TicketFile::Status::Loaded) << error;
  EXPECT_EQ(read.printSettings, ticket.printSettings);
  EXPECT_EQ(read.printSettings.keys(), ticket.printSettings.keys());
  EXPECT_EQ(read.printSettings.get("Nested").asDict()->keys(), (std::vector<std::string>{"z", "a"}));
  EXPECT_TRUE(read.printSettings.get("Real").isReal());
  EXPECT_TRUE(read.printSettings.get("Negative").isInteger());
  EXPECT_EQ(read.markedChoices.keys(), (std::vector<std::string>{"StapleMode", "Duplex"}));
  EXPECT_EQ(read.markedChoices, ticket.markedChoices);

  // Saving again over a good ticket replaces it.
  ticket.printSettings.remove("Bytes");
  ASSERT_TRUE(TicketFile::write(path, ticket, false, &error)) << error;
  ASSERT_EQ(TicketFile::read(path, &read), TicketFile::Status::Loaded);
  EXPECT_FALSE(read.printSettings.contains("Bytes"));
}

TEST_F(TicketFileTest, AMissingFileIsNoTicketAndNoError) {
  JobTicket read;
  read.printSettings.set("stale", 1);
  std::string error;
  EXPECT_EQ(TicketFile::read(folder_ / "none.ticket", &read, &error), TicketFile::Status::Missing);
  EXPECT_TRUE(read.printSettings.empty());
  EXPECT_TRUE(error.empty());
}

TEST_F(TicketFileTest, DamagedFilesAreReportedAndNeverReplacedUnlessAsked) {
  const std::string xmlHeader =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"garbage", "this is not a property list \x01\x02"},
      {"truncated", xmlHeader + "<dict><key>PrintSettings</key><dict><key>a</key><string>b"},
      {"array root", xmlHeader + "<array><string>x</string></array></plist>\n"},
      {"no settings", xmlHeader + "<dict><key>Other</key><string>x</string></dict></plist>\n"},
      {"settings not a dict",
       xmlHeader + "<dict><key>PrintSettings</key><string>x</string></dict></plist>\n"},
      {"choice not text", xmlHeader +
                              "<dict><key>PrintSettings</key><dict/><key>MarkedChoices</key>"
                              "<dict><key>Duplex</key><integer>2</integer></dict></dict></plist>\n"},
  };
  JobTicket mine;
  mine.printSettings.set("JobName", "mine");
  for (const auto& [name, bytes] : damaged) {
    SCOPED_TRACE(name);
    const auto path = write("damaged.ticket", bytes);

    JobTicket read;
    read.printSettings.set("stale", 1);
    std::string error;
    EXPECT_EQ(TicketFile::read(path, &read, &error), TicketFile::Status::Damaged);
    EXPECT_TRUE(read.printSettings.empty());
    EXPECT_TRUE(read.markedChoices.empty());
    EXPECT_NE(error.find("damaged.ticket"), std::string::npos) << error;
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;

    error.clear();
    EXPECT_FALSE(TicketFile::write(path, mine, false, &error));
    EXPECT_NE(error.find("not replaced"), std::string::npos) << error;
    EXPECT_EQ(contents(path), bytes);
  }

  const auto path = write("replace.ticket", "garbage");
  std::string error;
  ASSERT_TRUE(TicketFile::write(path, mine, true, &error)) << error;
  JobTicket read;
  ASSERT_EQ(TicketFile::read(path, &read), TicketFile::Status::Loaded);
  EXPECT_EQ(read.printSettings.get("JobName"), Value("mine"));
}

TEST_F(TicketFileTest, AnEmptyFileIsDamagedToReadButMayBeReplaced) {
  const auto path = write("empty.ticket", "");
  JobTicket read;
  EXPECT_EQ(TicketFile::read(path, &read), TicketFile::Status::Damaged);
  JobTicket mine;
  mine.printSettings.set("JobName", "mine");
  std::string error;
  ASSERT_TRUE(TicketFile::write(path, mine, false, &error)) << error;
  EXPECT_EQ(TicketFile::read(path, &read), TicketFile::Status::Loaded);
}

TEST_F(TicketFileTest, ADirectoryIsNeitherReadNorReplaced) {
  const auto path = folder_ / "folder.ticket";
  std::filesystem::create_directory(path);
  JobTicket read;
  std::string error;
  EXPECT_EQ(TicketFile::read(path, &read, &error), TicketFile::Status::Damaged);
  EXPECT_NE(error.find("directory"), std::string::npos) << error;
  EXPECT_FALSE(TicketFile::write(path, JobTicket{}, true, &error));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
}  // namespace orval

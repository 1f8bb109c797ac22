#include "platform/print/ticket_file.h"

#include <gtest/gtest.h>

#include "platform/foundation/unreadable_files_test_support.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval {
namespace {

using foundation_testing::fileContents;

class TicketFileTest : public ::testing::Test {
 protected:
  foundation_testing::TemporaryFolder folder;
  std::filesystem::path path = folder.path() / "job.ticket";
  JobTicket read;
  std::string error;
};

TEST_F(TicketFileTest, DamagedFilesAreReportedAndNeverReplacedUnlessAsked) {
  const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
  const std::string damaged[] = {
      head + "<dict><key>PrintSettings</key><dict><key>a</key><string>b",
      head + "<array><string>x</string></array></plist>\n",
      head + "<dict><key>Other</key><string>x</string></dict></plist>\n",
      head + "<dict><key>PrintSettings</key><string>x</string></dict></plist>\n",
      head + "<dict><key>PrintSettings</key><dict/><key>MarkedChoices</key>"
             "<dict><key>Duplex</key><integer>2</integer></dict></dict></plist>\n",
  };
  JobTicket mine;
  mine.printSettings.set("JobName", "mine");
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes);
    folder.write("job.ticket", bytes);
    read.printSettings.set("stale", 1);
    EXPECT_EQ(TicketFile::read(path, &read, &error), TicketFile::Status::Damaged);
    EXPECT_TRUE(read.printSettings.empty() && read.markedChoices.empty());
    EXPECT_NE(error.find("job.ticket is damaged"), std::string::npos) << error;
    EXPECT_FALSE(TicketFile::write(path, mine, false, &error));
    EXPECT_NE(error.find("not replaced"), std::string::npos) << error;
    EXPECT_EQ(fileContents(path), bytes);
  }
  ASSERT_TRUE(TicketFile::write(path, mine, true, &error)) << error;
  ASSERT_EQ(TicketFile::read(path, &read), TicketFile::Status::Loaded);
  EXPECT_EQ(read.printSettings.get("JobName"), Value("mine"));

  std::filesystem::create_directory(folder.path() / "folder.ticket");
  EXPECT_EQ(TicketFile::read(folder.path() / "folder.ticket", &read, &error), TicketFile::Status::Damaged);
  EXPECT_NE(error.find("directory"), std::string::npos) << error;
  EXPECT_FALSE(TicketFile::write(folder.path() / "folder.ticket", JobTicket{}, true, &error));
}

// The file manager's reader refuses what is no ticket unread (here: more than a ticket holds; pipes and devices
// likewise), in its own words, and the ticket counts as damaged.
TEST_F(TicketFileTest, AHugeFileIsNoTicketAndIsRefusedUnread) {
  const std::filesystem::path huge =
      foundation_testing::sparseFile(folder.path() / "huge.ticket", TicketFile::kMaxBytes + 1);
  EXPECT_EQ(TicketFile::read(huge, &read, &error), TicketFile::Status::Damaged);
  EXPECT_EQ(error,
            "Cannot read the ticket \"" + huge.string() + "\": it is larger than 16 MiB, more than any ticket holds");
}

}  // namespace
}  // namespace orval

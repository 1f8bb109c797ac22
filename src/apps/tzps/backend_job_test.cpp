#include "apps/tzps/backend_job.h"

#include <cups/backend.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "apps/tzps/job_record.h"

namespace orval::tzps {
namespace {

namespace fs = std::filesystem;

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
      {prefix + "Comment=/{x\\ y} after=1", "/{x y}"},
      {prefix + "Comment=it%x27s\\ 100%x25\\\"\\\\ after=1", "it's 100%\"\\"},
      {"media-col={media-size={x-dimension=21000 y-dimension=29700}} " + prefix + "Comment=a after=1", "a"},
  };
  const fs::path spool = fs::path(::testing::TempDir()) / "tzps-backend-job-test";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    fs::remove_all(spool);
    const BackendJob job{.queue = "TZ", .job = 1, .user = "u", .title = "t", .copies = 1,
                         .options = c.options, .format = "application/pdf"};
    std::istringstream document("%PDF-1.4\n");
    std::ostringstream messages;
    ASSERT_EQ(receivePrintJob(job, BackendSettings{spool, spool}, document, messages), CUPS_BACKEND_OK)
        << messages.str();
    const auto contents = readSpool(spool);
    ASSERT_TRUE(contents && contents->records.size() == 1);
    const JobRecord& record = contents->records.front();
    ASSERT_EQ(record.privateEntries.size(), 1u);
    EXPECT_EQ(record.privateEntries.front().second, c.value);
    bool after = false;
    for (const auto& [name, value] : record.options) after = after || (name == "after" && value == "1");
    EXPECT_TRUE(after);
  }
  fs::remove_all(spool);
}

}  // namespace
}  // namespace orval::tzps

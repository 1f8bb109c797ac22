#include "platform/foundation/log.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/environment_test_support.h"

namespace orval {
namespace {

// A silenced capture keeps its lines from the other sinks (here standard
// error), a kept one passes them on; nested captures collect innermost.
TEST(LogTest, CapturesKeepOrSilenceTheOtherSinks) {
  const foundation_testing::ScopedEnvironment toStderr("ORVAL_LOG", "stderr");
  LogCapture outer;
  ::testing::internal::CaptureStderr();
  {
    LogCapture quiet(LogCapture::Sinks::Silenced);
    logMessage("###quiet line");
    EXPECT_EQ(quiet.lines(), std::vector<std::string>{"###quiet line"});
  }
  logMessage("###loud line");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "###loud line\n");
  EXPECT_EQ(outer.lines(), std::vector<std::string>{"###loud line"});
}

}  // namespace
}  // namespace orval

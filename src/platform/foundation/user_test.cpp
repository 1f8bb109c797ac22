#include "platform/foundation/user.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "platform/foundation/environment_test_support.h"

namespace orval {
namespace {

using foundation_testing::ScopedEnvironment;

TEST(UserTest, NameComesFromThePasswordDatabaseBeforeTheEnvironment) {
  const passwd* entry = getpwuid(geteuid());
  ScopedEnvironment user("USER", "someone-else");
  ScopedEnvironment logname("LOGNAME", "another-one");
  EXPECT_EQ(userName(), entry != nullptr ? entry->pw_name : "someone-else");
}

TEST(UserTest, HomeIsTheEnvironmentsThenThePasswordDatabases) {
  {
    ScopedEnvironment home("HOME", "/some/home");
    EXPECT_EQ(homeDirectory(), "/some/home");
  }
  const passwd* entry = getpwuid(geteuid());
  if (entry == nullptr) GTEST_SKIP() << "no password entry for this user";
  ScopedEnvironment home("HOME", std::nullopt);
  EXPECT_EQ(homeDirectory(), entry->pw_dir);
}

TEST(UserTest, ConfigFolderIsXdgConfigHomeOnlyWhenAbsolute) {
  ScopedEnvironment home("HOME", "/h");
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", "/elsewhere/config");
    EXPECT_EQ(xdgConfigHome(), "/elsewhere/config");
  }
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(xdgConfigHome(), "/h/.config");
  }
  ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(xdgConfigHome(), "/h/.config");
}

}  // namespace
}  // namespace orval

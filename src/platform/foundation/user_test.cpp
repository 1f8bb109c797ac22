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

TEST(UserTest, WithoutHOMETheHomeIsThePasswordDatabases) {
  const passwd* entry = getpwuid(geteuid());
  if (entry == nullptr) GTEST_SKIP() << "no password entry for this user";
  ScopedEnvironment home("HOME", std::nullopt);
  EXPECT_EQ(homeDirectory(), entry->pw_dir);
}

TEST(UserTest, ConfigFolderIsXdgConfigHomeOnlyWhenAbsolute) {
  ScopedEnvironment home("HOME", "/h");
  for (const auto& [config, folder] : std::initializer_list<std::pair<std::optional<std::string>, std::string>>{
           {"/elsewhere", "/elsewhere"}, {"relative/config", "/h/.config"}, {std::nullopt, "/h/.config"}}) {
    ScopedEnvironment variable("XDG_CONFIG_HOME", config);
    EXPECT_EQ(xdgConfigHome(), folder) << config.value_or("(unset)");
  }
}

}  // namespace
}  // namespace orval

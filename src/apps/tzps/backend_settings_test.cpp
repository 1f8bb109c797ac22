#include "apps/tzps/backend_settings.h"

#include <gtest/gtest.h>

namespace orval::tzps {
namespace {

TEST(BackendSettingsTest, ReadsTheFoldersFromTheDeviceAddress) {
  const BackendSettings defaults{"/var/spool/tzps", "/usr/share/orval/server_lists"};
  struct Case {
    std::string uri;
    std::optional<BackendSettings> settings;
    std::string problem;
  } cases[] = {
      {"tzps://printserver.example/", defaults, ""},
      {"tzps://printserver.example:8888/?spool=/srv/jobs", BackendSettings{"/srv/jobs", defaults.lists}, ""},
      {"tzps://h/?lists=/my%20lists%26more&spool=/a%2Cb", BackendSettings{"/a,b", "/my lists&more"}, ""},
      {"ipp://h/?spool=/a", std::nullopt, "not a tzps: device address"},
      {"tzps://h/?spool=", std::nullopt, "is not KEY=FOLDER"},
      {"tzps://h/?spool=/a%00b", std::nullopt, "is not KEY=FOLDER"},
      {"tzps://h/?spol=/a", std::nullopt, "unknown setting \"spol\""},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<BackendSettings> settings = backendSettingsFromURI(c.uri, defaults, &error);
    ASSERT_EQ(settings.has_value(), c.settings.has_value()) << c.uri << ": " << error;
    if (settings) {
      EXPECT_EQ(std::pair(settings->spool, settings->lists), std::pair(c.settings->spool, c.settings->lists)) << c.uri;
    } else {
      EXPECT_NE(error.find(c.problem), std::string::npos) << c.uri << ": " << error;
    }
  }
}

}  // namespace
}  // namespace orval::tzps

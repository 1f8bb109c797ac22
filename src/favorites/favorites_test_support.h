// Helpers of the favorites module's tests: a plug-in bundle written into a folder and a disk that refuses writes.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::favorites_testing {

namespace fs = std::filesystem;

using foundation_testing::TemporaryFolder;

// Writes folder/Name.plugin with CFBundleName name (none when empty), the information dictionary
// informations and the given localization folders; answers the opened bundle.
inline std::shared_ptr<Bundle> writePlugInBundle(const fs::path& folder, const std::string& name,
                                                 const Dict& informations,
                                                 const std::vector<std::string>& localizations = {}) {
  const fs::path bundlePath = folder / ((name.empty() ? std::string("Unnamed") : name) + ".plugin");
  const fs::path resources = bundlePath / "Contents/Resources";
  fs::create_directories(resources);
  Dict info{{"CFBundleIdentifier", "org.orval.test.favorites"}};
  if (!name.empty()) info.set("CFBundleName", name);
  EXPECT_TRUE(writePlistFile(bundlePath / "Contents/Info.plist", info));
  EXPECT_TRUE(writePlistFile(resources / "miscellaneous.plist", informations));
  for (const std::string& language : localizations) fs::create_directories(resources / (language + ".lproj"));
  return Bundle::bundleWithPath(bundlePath);
}

// While alive, no file can grow beyond 4 bytes: writes fail as on a full disk, for root as well.
class ScopedWriteRefusal {
 public:
  ScopedWriteRefusal() : oldHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit small = previous_;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~ScopedWriteRefusal() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  ScopedWriteRefusal(const ScopedWriteRefusal&) = delete;
  ScopedWriteRefusal& operator=(const ScopedWriteRefusal&) = delete;

 private:
  rlimit previous_{};
  void (*oldHandler_)(int);
};

}  // namespace orval::favorites_testing

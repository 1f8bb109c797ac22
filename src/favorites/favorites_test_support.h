// Helpers of the favorites module's tests: a temporary folder and a plug-in
// bundle written into it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/value.h"

namespace orval::favorites_testing {

namespace fs = std::filesystem;

// A fresh folder under the test's temporary folder, removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::path(::testing::TempDir()) / "favorites_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make a temporary folder";
    path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ec;
    // Folders a test made unreadable or unwritable are opened up first.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
      if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Writes a plug-in bundle at folder/Name.plugin with CFBundleName name (none
// when empty), the information dictionary informations and the given
// localization folders; answers the opened bundle.
inline std::shared_ptr<Bundle> writePlugInBundle(const fs::path& folder, const std::string& name,
                                                 const Dict& informations,
                                                 const std::vector<std::string>& localizations = {}) {
  const fs::path bundlePath = folder / ((name.empty() ? std::string("Unnamed") : name) + ".plugin");
  const fs::path resources = bundlePath / "Contents" / "Resources";
  fs::create_directories(resources);
  Dict info{{"CFBundleIdentifier", Value("org.orval.test.favorites")}};
  if (!name.empty()) info.set("CFBundleName", Value(name));
  EXPECT_TRUE(writePlistFile(bundlePath / "Contents" / "Info.plist", Value(info)));
  EXPECT_TRUE(writePlistFile(resources / "miscellaneous.plist", Value(informations)));
  for (const std::string& language : localizations) fs::create_directories(resources / (language + ".lproj"));
  return Bundle::bundleWithPath(bundlePath);
}

}  // namespace orval::favorites_testing

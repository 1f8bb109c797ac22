// Helpers of the favorites module's tests: a plug-in bundle written into a folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::favorites_testing {

using foundation_testing::TemporaryFolder;

// Writes a plug-in bundle at folder/Name.plugin with CFBundleName name (none
// when empty), the information dictionary informations and the given
// localization folders; answers the opened bundle.
inline std::shared_ptr<Bundle> writePlugInBundle(const std::filesystem::path& folder, const std::string& name,
                                                 const Dict& informations,
                                                 const std::vector<std::string>& localizations = {}) {
  const std::filesystem::path bundlePath = folder / ((name.empty() ? std::string("Unnamed") : name) + ".plugin");
  const std::filesystem::path resources = bundlePath / "Contents" / "Resources";
  std::filesystem::create_directories(resources);
  Dict info{{"CFBundleIdentifier", Value("org.orval.test.favorites")}};
  if (!name.empty()) info.set("CFBundleName", Value(name));
  EXPECT_TRUE(writePlistFile(bundlePath / "Contents" / "Info.plist", Value(info)));
  EXPECT_TRUE(writePlistFile(resources / "miscellaneous.plist", Value(informations)));
  for (const std::string& language : localizations)
    std::filesystem::create_directories(resources / (language + ".lproj"));
  return Bundle::bundleWithPath(bundlePath);
}

}  // namespace orval::favorites_testing

// Helpers of the favorites module's tests: a temporary folder, a plug-in
// bundle written into it, whole-file bytes and a disk that refuses writes.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <sstream>

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

// The bytes of the file at path ("<missing>" when it cannot be read).
inline std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline fs::path writeBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// While alive, no file can grow beyond 4 bytes: writes fail as on a full or
// read-only disk, for the superuser as well (permissions do not bind root).
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

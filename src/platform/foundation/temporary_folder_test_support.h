// Scratch folders of the tests: a fresh folder under the system's temporary
// folder, removed with everything in it (folders a test closed are opened
// first), and the small file helpers the tests share.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>

namespace orval::foundation_testing {

// The bytes of the file at path ("" when it cannot be read).
inline std::string fileContents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orval-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
      if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Copies the folder (a bundle) at source to path()/name and answers the copy's path.
  std::filesystem::path copy(const std::filesystem::path& source, const std::filesystem::path& name) const {
    std::filesystem::copy(source, path_ / name, std::filesystem::copy_options::recursive);
    return path_ / name;
  }
  // Replaces the first from in the file path()/name by to; a test failure when the file lacks it.
  void replaceInFile(const std::filesystem::path& name, const std::string& from, const std::string& to) const {
    std::string bytes = fileContents(path_ / name);
    const std::size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << name << " lacks " << from;
    write(name, bytes.replace(at, from.size(), to));
  }
  // Writes bytes to path()/name (making its folders) and answers the file's path.
  std::filesystem::path write(const std::filesystem::path& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// A scratch home folder (holding the user's data folder, and so the trash)
// for a whole test program: GLib reads HOME and XDG_DATA_HOME once, so they
// are set before any test runs (register it with AddGlobalTestEnvironment).
class HomeInTemporaryFolder : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TemporaryFolder>();
    setenv("HOME", folder_->path().c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_->path() / "data").c_str(), 1);
  }
  void TearDown() override { folder_.reset(); }

 private:
  std::unique_ptr<TemporaryFolder> folder_;
};

}  // namespace orval::foundation_testing

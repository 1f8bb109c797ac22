// Helpers of the keyword converter's tests: a scratch folder removed at the
// end of the test, and convert tables written into it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "conversion/convert_table_source.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/value.h"

namespace orval::converter_testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("orval-converter-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes value as an XML property list at path (parents created).
inline void writePlist(const std::filesystem::path& path, const Value& value) {
  std::filesystem::create_directories(path.parent_path());
  if (!writePlistFile(path, value)) throw std::runtime_error("cannot write " + path.string());
}

// One item of a table entry.
inline Value item(const char* optionKeyword, long long tagValue) {
  return Dict{{"optionKeyword", optionKeyword}, {"tagValue", tagValue}};
}

}  // namespace orval::converter_testing

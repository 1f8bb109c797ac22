// A file that a careless reader of "a file" would choke on, for the tests of
// the readers that must refuse it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace orval::foundation_testing {

// A file at path of size bytes, all holes: large to its readers, nothing on the disk.
inline std::filesystem::path sparseFile(const std::filesystem::path& path, std::uintmax_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc);
  std::filesystem::resize_file(path, size);
  return path;
}

}  // namespace orval::foundation_testing

// Files that a careless reader of "a file" would hang on or choke on, for the
// tests of the readers that must refuse them.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace orval::foundation_testing {

// A named pipe at path with a byte in it, held open by a writer of this process while the object lives: a reader
// that tried it would take the byte and then wait for ever.
class HeldPipe {
 public:
  explicit HeldPipe(std::filesystem::path path) : path_(std::move(path)) {
    EXPECT_EQ(mkfifo(path_.c_str(), 0600), 0) << path_;
    writer_ = ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(writer_, 0) << path_;
    EXPECT_EQ(::write(writer_, "x", 1), 1) << path_;
  }
  ~HeldPipe() {
    if (writer_ >= 0) ::close(writer_);
  }
  HeldPipe(const HeldPipe&) = delete;
  HeldPipe& operator=(const HeldPipe&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  int writer_ = -1;
};

// A file at path of size bytes, all holes: large to its readers, nothing on the disk.
inline std::filesystem::path sparseFile(const std::filesystem::path& path, std::uintmax_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc);
  std::filesystem::resize_file(path, size);
  return path;
}

}  // namespace orval::foundation_testing

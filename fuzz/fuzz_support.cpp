// libcups marks its PPD functions deprecated; the printer descriptions are opened through them here.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <system_error>

#include "common/common_reset.h"
#include "platform/foundation/notification_center.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/scripted_operator.h"

namespace orval::fuzz {

namespace fs = std::filesystem;

namespace {

// The scratch folder, removed with everything in it when the process exits.
class ScratchFolder {
 public:
  ScratchFolder() {
    // In memory when the machine has /dev/shm: the atomic writes' fsync then costs nothing.
    std::error_code ec;
    const fs::path parent = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (parent / "orval-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot make a scratch folder like " + pattern);
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace

const fs::path& scratchFolder() {
  static const ScratchFolder folder;
  return folder.path();
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) fail("cannot write " + path.string());
}

fs::path resourcePath(std::string_view name) { return fs::path(ORVAL_SOURCE_DIR) / "resources" / name; }

fs::path encryptionLibraryFolder() { return ORVAL_ENCRYPTION_DIR; }

const std::string_view kPpdHeader =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"TZPRTSRV.PPD\"\n"
    "*Manufacturer: \"Quillant\"\n"
    "*Product: \"(TZ Print Server)\"\n"
    "*ModelName: \"TZ Print Server\"\n"
    "*NickName: \"TZ Print Server\"\n";

void PpdClose::operator()(ppd_file_t* ppd) const { ppdClose(ppd); }

PpdPtr openPpdText(std::string_view text) {
  // libcups reads through a file descriptor: an anonymous file in memory serves.
  const int fd = memfd_create("orval-fuzz-ppd", MFD_CLOEXEC);
  if (fd < 0) fail("memfd_create failed");
  for (std::size_t written = 0; written < text.size();) {
    const ssize_t count = write(fd, text.data() + written, text.size() - written);
    if (count <= 0) fail("cannot write the printer description to memory");
    written += static_cast<std::size_t>(count);
  }
  lseek(fd, 0, SEEK_SET);
  PpdPtr ppd(ppdOpenFd(fd));
  close(fd);
  return ppd;
}

bool silenceStandardOutput() {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) fail("cannot send standard output to /dev/null");
  return true;
}

void fail(std::string_view what) {
  std::fprintf(stderr, "orval fuzz: property failed: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

bool sameValue(const Value& a, const Value& b, double dateTolerance) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Value::Type::Real:
      return *a.asReal() == *b.asReal() || (std::isnan(*a.asReal()) && std::isnan(*b.asReal()));
    case Value::Type::Date:
      return std::fabs(a.asDate()->secondsSinceReferenceDate - b.asDate()->secondsSinceReferenceDate) <=
             dateTolerance;
    case Value::Type::Array: {
      const Array& x = *a.asArray();
      const Array& y = *b.asArray();
      if (x.size() != y.size()) return false;
      for (std::size_t i = 0; i < x.size(); ++i)
        if (!sameValue(x[i], y[i], dateTolerance)) return false;
      return true;
    }
    case Value::Type::Dict: {
      const Dict& x = *a.asDict();
      const Dict& y = *b.asDict();
      if (x.size() != y.size()) return false;
      auto i = x.begin();
      auto j = y.begin();
      for (; i != x.end(); ++i, ++j)
        if (i->first != j->first || !sameValue(i->second, j->second, dateTolerance)) return false;
      return true;
    }
    default:
      return a == b;
  }
}

void AnsweringOperator::workModalWindow(tk::Window& window) { tk::endModalWindow(window, 0); }

void resetProcessState() {
  resetCommonStateForTesting();
  tk::Application::resetSharedForTesting();
  NotificationCenter::defaultCenter().resetForTesting();
  tk::Application::shared().setOperator(std::make_shared<AnsweringOperator>());
}

}  // namespace orval::fuzz

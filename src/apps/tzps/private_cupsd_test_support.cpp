#include "apps/tzps/private_cupsd_test_support.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include "platform/foundation/file_manager.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using foundation_testing::fileContents;

// The user cupsd runs backends as.
constexpr const char* kBackendUser = "lp";
constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr std::chrono::seconds kStartBound{15};
constexpr std::chrono::seconds kStopBound{10};

bool accepts(const std::string& socketPath) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return connected;
}

}  // namespace

pid_t spawn(const std::vector<std::string>& argv, int in, int out, int err) {
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    dup2(in >= 0 ? in : ::open("/dev/null", O_RDONLY), STDIN_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

bool reap(pid_t pid, std::chrono::milliseconds bound, int* status) {
  const Clock::time_point deadline = Clock::now() + bound;
  for (;;) {
    const pid_t done = waitpid(pid, status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

ProgramResult runProgram(const std::vector<std::string>& argv) {
  char outName[] = "/tmp/orval-program-out-XXXXXX";
  char errName[] = "/tmp/orval-program-err-XXXXXX";
  const int out = mkstemp(outName);
  const int err = mkstemp(errName);
  ProgramResult result;
  const pid_t pid = spawn(argv, -1, out, err);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  ::close(out);
  ::close(err);
  result.out = fileContents(outName);
  result.err = fileContents(errName);
  unlink(outName);
  unlink(errName);
  return result;
}

std::optional<std::string> PrivateCupsd::skipReason() {
  if (geteuid() == 0 || std::getenv("CI") != nullptr) return std::nullopt;
  return "the end-to-end printing tests start a private cupsd, which needs root; run them as root (CI does)";
}

std::unique_ptr<PrivateCupsd> PrivateCupsd::start(const fs::path& backend, std::string* error) {
  auto fail = [error](const std::string& why) -> std::unique_ptr<PrivateCupsd> {
    if (error) *error = why;
    return nullptr;
  };
  if (access(kCupsd, X_OK) != 0) return fail("cupsd is not installed (scripts/install-deps installs cups-daemon)");
  if (geteuid() != 0) return fail("a private cupsd needs root");
  const passwd* user = getpwnam(kBackendUser);
  if (user == nullptr) return fail(std::string("there is no user ") + kBackendUser + " for cupsd's backends");
  char pattern[] = "/tmp/orval-cupsd-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return fail(std::string("cannot make a folder for cupsd: ") + std::strerror(errno));
  std::unique_ptr<PrivateCupsd> cupsd(new PrivateCupsd(pattern));
  const fs::path& root = cupsd->folder_;
  std::error_code ec;
  // The backend's user passes through the folder to its programs, spool and lists.
  fs::permissions(root, fs::perms(0755), ec);
  for (const char* sub : {"conf/ppd", "spool/tmp", "cache", "state", "log", "run", "bin/backend", "bin/filter"})
    fs::create_directories(root / sub, ec);
  fs::create_directory_symlink("/usr/lib/cups/daemon", root / "bin/daemon", ec);
  fs::create_directory_symlink("/usr/lib/cups/notifier", root / "bin/notifier", ec);
  fs::copy_file(backend, root / "bin/backend/tzps", ec);
  if (ec) return fail("cannot copy the backend " + backend.string() + ": " + ec.message());
  fs::permissions(root / "bin/backend/tzps", fs::perms(0755), ec);
  // cupsd's own request folder: root's, its group (the backend's) may enter; temporary files shared.
  if (chown((root / "spool").c_str(), 0, user->pw_gid) != 0 ||
      chown((root / "spool/tmp").c_str(), 0, user->pw_gid) != 0)
    return fail(std::string("cannot give cupsd's spool to its group: ") + std::strerror(errno));
  fs::permissions(root / "spool", fs::perms(0710), ec);
  fs::permissions(root / "spool/tmp", fs::perms(01770), ec);

  const std::string r = root.string();
  const group* userGroup = getgrgid(user->pw_gid);
  const bool written =
      files::writeFileAtomically(
          root / "conf/cups-files.conf",
          std::string("User ") + kBackendUser + "\nGroup " + (userGroup ? userGroup->gr_name : kBackendUser) +
              "\nSystemGroup root\nServerRoot " + r + "/conf\nRequestRoot " + r + "/spool\nTempDir " + r +
              "/spool/tmp\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nServerBin " + r +
              "/bin\nAccessLog " + r + "/log/access_log\nErrorLog " + r + "/log/error_log\nPageLog " + r +
              "/log/page_log\nPrintcap " + r + "/state/printcap\n") &&
      files::writeFileAtomically(root / "conf/cupsd.conf",
                                 "LogLevel info\nListen " + r + "/run/cups.sock\nBrowsing No\nWebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  if (!written) return fail("cannot write cupsd's configuration in " + r);
  if (const std::string why = cupsd->launch(); !why.empty()) return fail(why);
  setenv("CUPS_SERVER", cupsd->socket().c_str(), 1);
  setenv("CUPS_SERVERROOT", (root / "conf").c_str(), 1);
  return cupsd;
}

std::string PrivateCupsd::launch() {
  const std::string conf = (folder_ / "conf").string();
  const int log = ::open((folder_ / "log/cupsd.out").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  pid_ = spawn({kCupsd, "-f", "-c", conf + "/cupsd.conf", "-s", conf + "/cups-files.conf"}, -1, log, log);
  ::close(log);
  if (pid_ < 0) return std::string("cannot start cupsd: ") + std::strerror(errno);
  const Clock::time_point deadline = Clock::now() + kStartBound;
  while (!accepts(socket())) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return "cupsd ended at start:\n" + logTail();
    }
    if (Clock::now() >= deadline)
      return "cupsd did not listen within " + std::to_string(kStartBound.count()) + " s:\n" + logTail();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

PrivateCupsd::~PrivateCupsd() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    if (!reap(pid_, kStopBound, &status)) {
      kill(pid_, SIGKILL);
      reap(pid_, kStopBound, &status);
    }
  }
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

ProgramResult PrivateCupsd::tzQueue(const std::string& name, const fs::path& spool, const fs::path& ppd) const {
  const fs::path source = ORVAL_SOURCE_DIR;
  const fs::path lists = folder_ / "lists";
  std::error_code ec;
  if (!fs::exists(lists)) fs::copy(source / "resources/server_lists", lists, ec);
  return runProgram({"/bin/bash", (source / "scripts/tz-queue").string(), name, "--host", "printserver.example",
                     "--lists", lists.string(), "--spool", spool.string(), "--server", socket(), "--ppd",
                     (ppd.empty() ? source / "resources/TZPrintServer.ppd" : ppd).string()});
}

std::string PrivateCupsd::document() const {
  const fs::path file = folder_ / "report.pdf";
  if (!fs::exists(file)) std::ofstream(file, std::ios::binary) << "%PDF-1.4\n% a document\n%%EOF\n";
  return file.string();
}

std::string PrivateCupsd::logTail() const {
  const std::string log = fileContents(folder_ / "log/error_log") + fileContents(folder_ / "log/cupsd.out");
  return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

}  // namespace orval::testing

#include "platform/foundation/file_manager.h"

#include <dirent.h>
#include <fcntl.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <utility>

namespace orval::files {

namespace {

// --- Error sentences ------------------------------------------------------

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// Sets *error to "Cannot <action>: <reason>." and answers false.
bool fail(std::string* error, const std::string& action, std::string reason) {
  if (error != nullptr) {
    if (!reason.empty() && reason.back() != '.') reason += '.';
    *error = "Cannot " + action + ": " + reason;
  }
  return false;
}

bool failErrno(std::string* error, const std::string& action, int errnum) {
  return fail(error, action, std::generic_category().message(errnum));
}

std::string moveAction(const fs::path& from, const fs::path& to) {
  return "move " + quoted(from) + " to " + quoted(to);
}

std::string copyAction(const fs::path& from, const fs::path& to) {
  return "copy " + quoted(from) + " to " + quoted(to);
}

constexpr const char* kAlreadyExists = "an item with that name already exists";

// --- Small owners ---------------------------------------------------------

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, answering whether the close (which may report a late write error) succeeded.
  bool close() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {  // no progress and no reason: never loop on it
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The entry names of folder, sorted; nullopt with *errnum set when it cannot be read.
std::optional<std::vector<std::string>> entryNames(const fs::path& folder, int* errnum) {
  const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
  if (!dir) {
    *errnum = errno;
    return std::nullopt;
  }
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(dir.get());
    if (entry == nullptr) {
      if (errno != 0) {
        *errnum = errno;
        return std::nullopt;
      }
      break;
    }
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// --- Copying --------------------------------------------------------------

// Copies one item described by info (from lstat). *created tells whether the
// target came into being, so that the caller can take it away again.
bool copyEntry(const fs::path& from, const fs::path& to, const struct stat& info, bool* created,
               std::string* error);

bool copyFile(const fs::path& from, const fs::path& to, const struct stat& info, bool* created,
              std::string* error) {
  const std::string action = copyAction(from, to);
  const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return failErrno(error, action, errno);
  // O_EXCL: the target must not exist, checked and created in one step.
  FileDescriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (!out.valid()) return errno == EEXIST ? fail(error, action, kAlreadyExists) : failErrno(error, action, errno);
  *created = true;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t count = ::read(in.get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failErrno(error, action, errno);
    if (count == 0) break;
    if (!writeAll(out.get(), std::string_view(buffer, static_cast<std::size_t>(count))))
      return failErrno(error, action, errno);
  }
  const timespec times[2] = {info.st_atim, info.st_mtim};
  if (fchmod(out.get(), info.st_mode & 0777) != 0 || futimens(out.get(), times) != 0)
    return failErrno(error, action, errno);
  if (!out.close()) return failErrno(error, action, errno);
  return true;
}

bool copyFolder(const fs::path& from, const fs::path& to, const struct stat& info, bool* created,
                std::string* error) {
  const std::string action = copyAction(from, to);
  if (mkdir(to.c_str(), S_IRWXU) != 0)
    return errno == EEXIST ? fail(error, action, kAlreadyExists) : failErrno(error, action, errno);
  *created = true;
  int errnum = 0;
  const auto names = entryNames(from, &errnum);
  if (!names) return failErrno(error, action, errnum);
  for (const std::string& name : *names) {
    struct stat childInfo {};
    if (lstat((from / name).c_str(), &childInfo) != 0) return failErrno(error, copyAction(from / name, to / name), errno);
    bool childCreated = false;  // the folder's removal takes the child with it
    if (!copyEntry(from / name, to / name, childInfo, &childCreated, error)) return false;
  }
  // The mode last: a read-only source folder must still take its children.
  const timespec times[2] = {info.st_atim, info.st_mtim};
  if (chmod(to.c_str(), info.st_mode & 0777) != 0 || utimensat(AT_FDCWD, to.c_str(), times, 0) != 0)
    return failErrno(error, action, errno);
  return true;
}

bool copySymbolicLink(const fs::path& from, const fs::path& to, bool* created, std::string* error) {
  const std::string action = copyAction(from, to);
  std::error_code code;
  const fs::path target = fs::read_symlink(from, code);
  if (code) return fail(error, action, code.message());
  if (symlink(target.c_str(), to.c_str()) != 0)
    return errno == EEXIST ? fail(error, action, kAlreadyExists) : failErrno(error, action, errno);
  *created = true;
  return true;
}

bool copyEntry(const fs::path& from, const fs::path& to, const struct stat& info, bool* created,
               std::string* error) {
  if (S_ISREG(info.st_mode)) return copyFile(from, to, info, created, error);
  if (S_ISDIR(info.st_mode)) return copyFolder(from, to, info, created, error);
  if (S_ISLNK(info.st_mode)) return copySymbolicLink(from, to, created, error);
  return fail(error, copyAction(from, to), "it is not a file, folder or symbolic link");
}

// True when candidate is folder or lies inside it, after resolving links.
bool isInside(const fs::path& candidate, const fs::path& folder) {
  std::error_code errors[4];
  const fs::path inner = fs::weakly_canonical(fs::absolute(candidate, errors[0]), errors[1]);
  const fs::path outer = fs::weakly_canonical(fs::absolute(folder, errors[2]), errors[3]);
  if (std::ranges::any_of(errors, [](const std::error_code& code) { return bool(code); })) return false;
  const auto [outerEnd, innerAt] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return outerEnd == outer.end();
}

// Removes an item of any kind, folders with their contents.
bool removeTree(const fs::path& path) {
  std::error_code code;
  fs::remove_all(path, code);
  return !code;
}

// --- Moving ---------------------------------------------------------------

// Across file systems: a complete copy, then the original is removed. When a
// file's original cannot be removed the copy is taken back, so nothing
// changed; a folder whose removal failed part way keeps its complete copy.
bool moveAcrossFileSystems(const fs::path& from, const fs::path& to, const struct stat& info,
                           std::string* error) {
  if (!copyItem(from, to, error)) return false;
  const std::string action = moveAction(from, to);
  if (S_ISDIR(info.st_mode)) {
    if (!removeTree(from))
      return fail(error, action, "the copy is complete but the original folder could not be removed");
    return true;
  }
  if (unlink(from.c_str()) != 0) {
    const int errnum = errno;
    unlink(to.c_str());
    return failErrno(error, action, errnum);
  }
  return true;
}

// For file systems without a no-replace rename: the target name is claimed
// first (a hard link, an empty folder or an empty file, each of which fails
// when the name is taken), then the item is renamed over its own claim.
bool moveByClaimingTarget(const fs::path& from, const fs::path& to, const struct stat& info,
                          std::string* error) {
  const std::string action = moveAction(from, to);
  if (!S_ISDIR(info.st_mode)) {
    if (link(from.c_str(), to.c_str()) == 0) {
      if (unlink(from.c_str()) == 0) return true;
      const int errnum = errno;
      unlink(to.c_str());
      return failErrno(error, action, errnum);
    }
    if (errno == EEXIST) return fail(error, action, kAlreadyExists);
    if (errno == EXDEV) return moveAcrossFileSystems(from, to, info, error);
  }
  const bool claimed = S_ISDIR(info.st_mode)
                           ? mkdir(to.c_str(), S_IRWXU) == 0
                           : FileDescriptor(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR)).valid();
  if (!claimed) return errno == EEXIST ? fail(error, action, kAlreadyExists) : failErrno(error, action, errno);
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  const int errnum = errno;
  S_ISDIR(info.st_mode) ? rmdir(to.c_str()) : unlink(to.c_str());
  if (errnum == EXDEV) return moveAcrossFileSystems(from, to, info, error);
  return failErrno(error, action, errnum);
}

}  // namespace

std::optional<std::vector<std::string>> contentsOfDirectory(const fs::path& folder, std::string* error) {
  int errnum = 0;
  auto names = entryNames(folder, &errnum);
  if (!names) failErrno(error, "list the folder " + quoted(folder), errnum);
  return names;
}

bool exists(const fs::path& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

bool isDirectory(const fs::path& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isHidden(const fs::path& path) {
  std::string text = path.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();  // "a/.b/" names ".b"
  return fs::path(text).filename().string().starts_with('.');
}

bool moveItem(const fs::path& from, const fs::path& to, std::string* error) {
  struct stat info {};
  if (lstat(from.c_str(), &info) != 0) return failErrno(error, moveAction(from, to), errno);
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  switch (errno) {
    case EEXIST: return fail(error, moveAction(from, to), kAlreadyExists);
    case EXDEV: return moveAcrossFileSystems(from, to, info, error);
    case EINVAL:  // the file system does not know the flag (or a folder would go into itself)
    case ENOSYS:
    case ENOTSUP: return moveByClaimingTarget(from, to, info, error);
    default: return failErrno(error, moveAction(from, to), errno);
  }
}

bool copyItem(const fs::path& from, const fs::path& to, std::string* error) {
  const std::string action = copyAction(from, to);
  struct stat info {};
  if (lstat(from.c_str(), &info) != 0) return failErrno(error, action, errno);
  if (S_ISDIR(info.st_mode) && isInside(to, from)) return fail(error, action, "a folder cannot be copied into itself");
  bool created = false;
  if (copyEntry(from, to, info, &created, error)) return true;
  if (created) removeTree(to);  // only what this copy made: the name was free
  return false;
}

bool trashItem(const fs::path& path, std::string* error) {
  const std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
  GError* raw = nullptr;
  if (g_file_trash(file.get(), nullptr, &raw)) return true;
  const std::unique_ptr<GError, GErrorFree> failure(raw);
  return fail(error, "move " + quoted(path) + " to the trash", failure ? failure->message : "unknown error");
}

bool removeFile(const fs::path& path, std::string* error) {
  const std::string action = "remove " + quoted(path);
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return failErrno(error, action, errno);
  if (S_ISDIR(info.st_mode)) return fail(error, action, "it is a folder");
  if (unlink(path.c_str()) != 0) return failErrno(error, action, errno);
  return true;
}

bool createDirectory(const fs::path& folder, mode_t mode, bool withIntermediates, std::string* error) {
  const std::string action = "create the folder " + quoted(folder);
  if (folder.empty()) return fail(error, action, "no path given");
  mode &= 07777;
  // Each level is made private first and given its mode (exactly, whatever
  // the umask) once everything below it exists, so that a mode without
  // write or search permission cannot stop the deeper levels.
  std::vector<fs::path> made;
  const auto undo = [&made] {
    for (auto level = made.rbegin(); level != made.rend(); ++level) rmdir(level->c_str());
  };
  if (!withIntermediates) {
    if (mkdir(folder.c_str(), S_IRWXU) != 0) return failErrno(error, action, errno);
    made.push_back(folder);
  } else {
    fs::path prefix;
    for (const fs::path& part : folder.lexically_normal()) {
      if (part.empty()) continue;  // the trailing separator of "a/b/"
      prefix /= part;
      if (isDirectory(prefix)) continue;
      if (mkdir(prefix.c_str(), S_IRWXU) != 0) {
        const int errnum = errno;
        undo();
        return failErrno(error, action, errnum);
      }
      made.push_back(prefix);
    }
  }
  for (auto level = made.rbegin(); level != made.rend(); ++level) {
    if (chmod(level->c_str(), mode) != 0) {
      const int errnum = errno;
      undo();
      return failErrno(error, action, errnum);
    }
  }
  return true;
}

namespace {

// "16 MiB" for whole mebibytes, else "N bytes".
std::string sizeText(std::uintmax_t bytes) {
  constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

// error gets "Cannot read ...: reason." or, when the caller names the file itself, the reason alone.
std::optional<std::string> readRegularFile(const fs::path& path, const FileKind& kind, std::string* error,
                                           bool reasonOnly = false) {
  const std::string action = "read the " + std::string(kind.name) + " " + quoted(path);
  const auto failed = [&](std::string reason) -> std::optional<std::string> {
    if (!reasonOnly) fail(error, action, std::move(reason));
    else if (error != nullptr) *error = std::move(reason);
    return std::nullopt;
  };
  // Opened without waiting for a pipe's writer, and judged by what was opened (not by a name that can
  // change in between) before anything is read.
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat info {};
  if (!fd.valid() || fstat(fd.get(), &info) != 0) return failed(std::generic_category().message(errno));
  if (S_ISDIR(info.st_mode)) return failed("it is a folder");
  if (!S_ISREG(info.st_mode)) return failed("it is not a regular file");
  if (const int flags = fcntl(fd.get(), F_GETFL); flags < 0 || fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
    return failed(std::generic_category().message(errno));
  const auto tooLarge = [&](std::uintmax_t size) { return size > kind.maxBytes; };
  const auto refuseSize = [&] {
    return failed("it is larger than " + sizeText(kind.maxBytes) + ", more than any " + std::string(kind.name) +
                  " holds");
  };
  if (tooLarge(static_cast<std::uintmax_t>(info.st_size))) return refuseSize();
  std::string contents;
  contents.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return failed(std::generic_category().message(errno));
    if (count == 0) return contents;
    contents.append(buffer, static_cast<std::size_t>(count));
    if (tooLarge(contents.size())) return refuseSize();  // it grew while being read
  }
}

}  // namespace

std::optional<std::string> readFile(const fs::path& path, const FileKind& kind, std::string* error) {
  return readRegularFile(path, kind, error);
}

std::optional<std::string> readFileForReason(const fs::path& path, const FileKind& kind, std::string* reason) {
  return readRegularFile(path, kind, reason, /*reasonOnly=*/true);
}

namespace {

// The file that replacing path's contents writes: path, or the file a symbolic link there leads to (through a
// chain of links), which need not exist yet; so that the link stays a link and its target gets the contents.
// nullopt (with the reason) for a link that cannot be followed or that names a file in a missing folder.
std::optional<fs::path> fileToReplace(const fs::path& path, const std::string& action, std::string* error) {
  constexpr int kMaxLinks = 40;  // as the kernel follows them
  fs::path target = path;
  for (int links = 0;; ++links) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    if (links == kMaxLinks) return fail(error, action, std::generic_category().message(ELOOP)), std::nullopt;
    std::error_code ec;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return fail(error, action, ec.message()), std::nullopt;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  if (target != path && !isDirectory(target.has_parent_path() ? target.parent_path() : fs::path(".")))
    return fail(error, action, "it is a link to " + quoted(target) + ", whose folder does not exist"), std::nullopt;
  return target;
}

// Writes bytes to a hidden temporary beside path, flushed, then gives it
// path's name: replacing whatever is there (through a link, its target), or
// only when the name is free.
bool writeThroughTemporary(const fs::path& given, std::string_view bytes, bool replace, std::string* error) {
  const std::string action = (replace ? "write " : "create ") + quoted(given);
  const std::optional<fs::path> resolved = replace ? fileToReplace(given, action, error) : given;
  if (!resolved) return false;
  const fs::path& path = *resolved;
  const fs::path name = path.filename();
  if (name.empty() || name == "." || name == "..") return fail(error, action, "it does not name a file");
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");

  // A replaced file keeps its permissions and, where allowed, its owner; its
  // temporary stays private until it has them, so that no one can open it
  // while it is more open than the file it replaces. A new file gets the
  // usual mode (0666 less the umask).
  struct stat existing {};
  const bool replacing = replace && stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  if (!replace && lstat(path.c_str(), &existing) == 0) return fail(error, action, kAlreadyExists);

  // A hidden temporary beside the target (so that the rename stays on one
  // file system); O_EXCL never opens someone else's file or link.
  fs::path temporary;
  FileDescriptor fd;
  const mode_t creationMode = replacing ? S_IRUSR | S_IWUSR : 0666;
  for (unsigned attempt = 0; !fd.valid(); ++attempt) {
    temporary = folder / ("." + name.string() + "." + std::to_string(getpid()) + "." + std::to_string(attempt));
    fd = FileDescriptor(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, creationMode));
    if (!fd.valid() && (errno != EEXIST || attempt == 100)) return failErrno(error, action, errno);
  }
  const auto discard = [&](int errnum) {
    fd.close();
    unlink(temporary.c_str());
    return errnum == EEXIST ? fail(error, action, kAlreadyExists) : failErrno(error, action, errnum);
  };

  if (replacing) {
    // The owner before the mode: a change of owner clears set-ID bits.
    [[maybe_unused]] const int ignored = fchown(fd.get(), existing.st_uid, existing.st_gid);
    if (fchmod(fd.get(), existing.st_mode & 07777) != 0) return discard(errno);
  }
  if (!writeAll(fd.get(), bytes) || fsync(fd.get()) != 0) return discard(errno);
  if (!fd.close()) return discard(errno);
  if (replace) {
    if (std::rename(temporary.c_str(), path.c_str()) != 0) return discard(errno);
  } else if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
    // A file system without the flag: a hard link claims the name or fails.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return discard(errno);
    if (link(temporary.c_str(), path.c_str()) != 0) return discard(errno);
    unlink(temporary.c_str());
  }

  // Make the rename itself durable; the new contents are in place either way.
  if (const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid()) {
    fsync(dir.get());
  }
  return true;
}

}  // namespace

bool writeFileAtomically(const fs::path& path, std::string_view bytes, std::string* error) {
  return writeThroughTemporary(path, bytes, /*replace=*/true, error);
}

bool createFileAtomically(const fs::path& path, std::string_view bytes, std::string* error) {
  return writeThroughTemporary(path, bytes, /*replace=*/false, error);
}

bool isInvisible(const fs::path& path) {
  const std::unique_ptr<GFile, GObjectUnref> file(g_file_new_for_path(path.c_str()));
  const std::unique_ptr<GFileInfo, GObjectUnref> info(g_file_query_info(
      file.get(), G_FILE_ATTRIBUTE_STANDARD_IS_HIDDEN, G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
  return info && g_file_info_get_is_hidden(info.get());
}

}  // namespace orval::files

// File operations the system needs: listing, tests, moving and copying that
// never replace an existing file, the trash, folders with a mode, atomic
// replacement and creation, and whole-file reads.
//
// Every operation that can fail answers false or nullopt and, when error is
// given, a sentence saying why.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orval::files {

namespace fs = std::filesystem;

// The names in folder (not paths), sorted; nullopt when it cannot be listed.
std::optional<std::vector<std::string>> contentsOfDirectory(const fs::path& folder,
                                                            std::string* error = nullptr);
bool exists(const fs::path& path);
bool isDirectory(const fs::path& path);
// Hidden: the name begins with ".".
bool isHidden(const fs::path& path);
// Flagged invisible on the desktop: hidden, or named in its folder's ".hidden"
// file (GIO's standard::is-hidden); false for a path that does not exist.
bool isInvisible(const fs::path& path);

// Moves from to to; fails, touching nothing, when to exists.
bool moveItem(const fs::path& from, const fs::path& to, std::string* error = nullptr);
// Copies a file or folder from to to; fails, touching nothing, when to exists.
bool copyItem(const fs::path& from, const fs::path& to, std::string* error = nullptr);
// Moves path to the user's trash (freedesktop.org trash specification, via GIO).
bool trashItem(const fs::path& path, std::string* error = nullptr);
// Removes a file (not a folder).
bool removeFile(const fs::path& path, std::string* error = nullptr);

// Creates folder with mode; with intermediates, every missing level with that mode.
bool createDirectory(const fs::path& folder, mode_t mode, bool withIntermediates,
                     std::string* error = nullptr);

// A kind of file read whole, named in the refusals ("ticket"), and the most a file of that kind ever holds:
// anything larger is not one, and reading it could exhaust memory.
struct FileKind {
  std::string_view name;
  std::uintmax_t maxBytes;
};

// The whole of a regular file (a link is followed); nullopt when it cannot be read. Anything else is refused
// unread: a folder, a pipe (which may block the reader for ever) or a device (which may never end); so is a file
// larger than its kind holds, before a byte is read. The refusals name the kind.
std::optional<std::string> readFile(const fs::path& path, const FileKind& kind, std::string* error = nullptr);
// As readFile, for a caller that names the file in its own message: reason gets the reason alone ("it is not a
// regular file", "No such file or directory").
std::optional<std::string> readFileForReason(const fs::path& path, const FileKind& kind, std::string* reason);
// Replaces path's contents atomically: a temporary file in the same folder,
// flushed, then renamed over path. On failure path is untouched. A symbolic
// link at path stays: the file it leads to is replaced (the temporary goes
// beside that file), or made when the link dangles into an existing folder.
bool writeFileAtomically(const fs::path& path, std::string_view bytes, std::string* error = nullptr);
// Creates path with bytes the same way, but never replaces: fails, touching
// nothing, when path exists.
bool createFileAtomically(const fs::path& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace orval::files

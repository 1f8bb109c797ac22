#include "apps/orval/lpoptions_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "apps/orval/commands.h"
#include "platform/foundation/file_manager.h"

namespace orval::cli {

namespace fs = std::filesystem;

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The first two blank-separated words of line: its keyword and the destination it names.
std::pair<std::string_view, std::string_view> keywordAndDestination(std::string_view line) {
  std::size_t i = 0;
  const auto word = [&] {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    return line.substr(start, i - start);
  };
  const std::string_view keyword = word();
  return {keyword, word()};
}

bool isDestinationKeyword(std::string_view keyword) {
  return equalIgnoringCase(keyword, "Dest") || equalIgnoringCase(keyword, "Default");
}

}  // namespace

fs::path LpoptionsFile::userFile() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* account = getpwuid(getuid());
    home = account != nullptr ? account->pw_dir : nullptr;
  }
  if (home != nullptr && *home != '\0') return fs::path(home) / ".cups/lpoptions";
  const char* serverRoot = std::getenv("CUPS_SERVERROOT");
  return fs::path(serverRoot != nullptr && *serverRoot != '\0' ? serverRoot : "/etc/cups") / "lpoptions";
}

std::optional<std::string> LpoptionsFile::refusal(const std::string& value) {
  if (value.find_first_of("\t\n\r\f\v") != std::string::npos)
    return "holds a tab or a line break, which lpoptions cannot keep";
  if (value.starts_with('{')) return "begins with \"{\", which CUPS reads as a collection";
  return std::nullopt;
}

std::string LpoptionsFile::line(const std::string& keyword, const std::string& destination, const Options& options) {
  std::string out = keyword + " " + destination;
  for (const auto& [name, value] : options) {
    out += ' ';
    out += name;
    if (value.empty()) continue;
    out += '=';
    if (value.find_first_of(" \\\"'") == std::string::npos) {
      out += value;
      continue;
    }
    out += '"';
    for (const char c : value) {
      if (c == '\\' || c == '"' || c == '\'') out += '\\';
      out += c;
    }
    out += '"';
  }
  return out;
}

LpoptionsFile::LpoptionsFile(fs::path path) : _path(std::move(path)) {
  std::error_code ec;
  if (!fs::exists(_path, ec) && !ec) return;
  std::string error;
  const std::optional<std::string> bytes = files::readFile(_path, files::FileKind{"lpoptions file", kMaxBytes}, &error);
  if (!bytes) throw CommandError("the user's lpoptions cannot be read: " + error);
  std::size_t start = 0;
  while (start < bytes->size()) {
    std::size_t end = bytes->find('\n', start);
    if (end == std::string::npos) end = bytes->size();
    _lines.push_back(bytes->substr(start, end - start));
    start = end + 1;
  }
}

std::optional<std::size_t> LpoptionsFile::_find(const std::string& destination) const {
  for (std::size_t i = 0; i < _lines.size(); ++i) {
    const auto [keyword, named] = keywordAndDestination(_lines[i]);
    if (isDestinationKeyword(keyword) && equalIgnoringCase(named, destination)) return i;
  }
  return std::nullopt;
}

bool LpoptionsFile::has(const std::string& destination) const { return _find(destination).has_value(); }

std::string LpoptionsFile::set(const std::string& destination, const Options& options) {
  const std::optional<std::size_t> at = _find(destination);
  const bool isDefault = at && equalIgnoringCase(keywordAndDestination(_lines[*at]).first, "Default");
  std::string written = line(isDefault ? "Default" : "Dest", destination, options);
  if (at) _lines[*at] = written;
  else _lines.push_back(written);
  return written;
}

bool LpoptionsFile::remove(const std::string& destination) {
  const std::optional<std::size_t> at = _find(destination);
  if (!at) return false;
  _lines.erase(_lines.begin() + static_cast<std::ptrdiff_t>(*at));
  return true;
}

void LpoptionsFile::save() const {
  std::string bytes;
  for (const std::string& each : _lines) bytes += each + '\n';
  std::error_code ec;
  const fs::path folder = _path.parent_path();
  if (!folder.empty() && !fs::exists(folder, ec)) {
    // As libcups makes it: the user's CUPS folder is private.
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
      throw CommandError("the user's lpoptions cannot be written: " + folder.string() + ": " +
                         std::generic_category().message(errno));
  }
  std::string error;
  if (!files::writeFileAtomically(_path, bytes, &error))
    throw CommandError("the user's lpoptions cannot be written: " + error);
}

}  // namespace orval::cli

#include "platform/foundation/user.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

namespace orval {

namespace {

// The password database's entry of the effective user: login name and home.
struct PasswordEntry {
  std::string name;
  std::string home;
};

std::optional<PasswordEntry> passwordEntry() {
  const long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 1024);
  passwd entry{};
  passwd* found = nullptr;
  for (;;) {
    const int status = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found);
    if (status != ERANGE) break;
    buffer.resize(buffer.size() * 2);
  }
  if (found == nullptr) return std::nullopt;
  return PasswordEntry{found->pw_name ? found->pw_name : "", found->pw_dir ? found->pw_dir : ""};
}

std::string environment(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr ? value : "";
}

}  // namespace

std::string userName() {
  if (const auto entry = passwordEntry(); entry && !entry->name.empty()) return entry->name;
  if (std::string name = environment("USER"); !name.empty()) return name;
  return environment("LOGNAME");
}

std::filesystem::path homeDirectory() {
  if (std::string home = environment("HOME"); !home.empty()) return home;
  if (const auto entry = passwordEntry()) return entry->home;
  return {};
}

std::filesystem::path xdgConfigHome() {
  const std::filesystem::path configured = environment("XDG_CONFIG_HOME");
  if (configured.is_absolute()) return configured;
  return homeDirectory() / ".config";
}

std::filesystem::path xdgStateHome() {
  const std::filesystem::path configured = environment("XDG_STATE_HOME");
  if (configured.is_absolute()) return configured;
  return homeDirectory() / ".local/state";
}

}  // namespace orval

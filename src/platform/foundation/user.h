// The user: login name, home folder and the XDG configuration folder (which
// stands in for the desktop's "Library/Preferences").
#pragma once

#include <filesystem>
#include <string>

namespace orval {

// The login name of the user running the process ("" when unknown).
std::string userName();
// The user's home folder: $HOME, else the password database's.
std::filesystem::path homeDirectory();
// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config.
std::filesystem::path xdgConfigHome();
// $XDG_STATE_HOME when set to an absolute path, else ~/.local/state.
std::filesystem::path xdgStateHome();

}  // namespace orval

// The sub-commands of orval, the terminal host.
//
// Each sub-command lives in its own file and adds itself to the application
// with one add...Command function; addCommands adds them all, in the order
// `orval --help` lists them. A command that fails throws CommandError with a
// message for the user; orval prints it and exits with status 1.
#pragma once

#include <CLI/App.hpp>

#include <stdexcept>
#include <string>

namespace orval::cli {

// A command's failure, told to the user as it stands.
class CommandError : public std::runtime_error {
 public:
  explicit CommandError(const std::string& message) : std::runtime_error(message) {}
};

// Adds every sub-command to app.
void addCommands(CLI::App& app);

// `orval info`: the plug-in bundle loaded as a print dialog loads it, and what it made.
void addInfoCommand(CLI::App& app);
// `orval lists show|publish`: the server lists of a printer description.
void addListsCommand(CLI::App& app);
// `orval server jobs`: the jobs the print server's receiving end stored.
void addServerCommand(CLI::App& app);
// `orval ppd FILE`: a printer description's options and their marked choices.
void addPpdCommand(CLI::App& app);

// `orval convert`: a print option set (JSON) converted between its forms, or checked.
void addConvertCommand(CLI::App& app);

// `orval ui check|dump`: a UI description checked, or one control of it built and shown.
void addUiCommand(CLI::App& app);

// `orval panes`: the Detailed Settings window, every pane's tabs and controls, and the tree.
void addPanesCommand(CLI::App& app);

// `orval favorites`: the job's favorites through the panel's favorites row and the favorite
// dialogs. Answers the favorites command, to which more subcommands may be added.
CLI::App* addFavoritesCommand(CLI::App& app);
// Adds list, show, save, apply, delete, rename, comment, import and export to favorites.
void addFavoritesSubcommands(CLI::App& favorites);
// `orval print FILE...`: files printed on a TZ queue of CUPS with the job's settings.
void addPrintCommand(CLI::App& app);
// `publish` and `unpublish` of `orval favorites`: a favorite as the user's CUPS instance.
void addFavoritesPublishCommands(CLI::App& favorites);

}  // namespace orval::cli

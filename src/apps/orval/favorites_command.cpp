// `orval favorites`: the job's favorites, worked through the panel's favorites
// row and the favorite dialogs as a person would work them.
//
//   list                      every favorite: name, comment, path, whether the job differs from it
//   show NAME                 its settings as the favorite manager's tree shows them
//   save NAME [--comment T]   the job's settings, through the save dialog (the job then names it)
//   apply NAME                the favorite chosen in the favorites row, and the job saved
//   delete NAME [--yes]       asked as the panel asks; the file goes to the trash
//   rename OLD NEW            in the favorite manager, validated with Return, applied with OK
//   comment NAME TEXT         likewise
//   import FILE               the manager's Import, then OK
//   export NAME FILE          the manager's Export to a new file
//
// Each command takes the job options (--ticket, --ppd, --bundle, --device-uri,
// --json). A refusal (a name or comment the rules refuse, a taken name, a
// file that does not read, a question answered No) fails the command with the
// dialog's message; the dialog is then cancelled, so nothing on disk changes.
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/commands.h"
#include "apps/orval/dialog_operator.h"
#include "apps/orval/job_commands.h"
#include "apps/orval/job_session.h"
#include "apps/orval/json_output.h"
#include "apps/orval/tree_json.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "favorite_dialogs/favorite_window_controller.h"
#include "favorite_dialogs/save_favorite_window_controller.h"
#include "favorites/favorite_item.h"
#include "favorites/favorite_list.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/save_panel.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/text_field.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;

// The favorites row's item of the favorite name, or -1.
int popUpIndexOf(WexoPDEByCocoa& panel, const std::string& name) {
  const tk::PopUpButton* popup = panel.favoritePopUp();
  if (popup == nullptr) return -1;
  for (int i = 0; i < popup->numberOfItems(); ++i) {
    const tk::MenuItem* item = popup->itemAtIndex(i);
    if (item->title() == name && !item->representedObject().stringOr("").empty()) return i;
  }
  return -1;
}

int popUpIndexOrThrow(WexoPDEByCocoa& panel, const std::string& name) {
  const int index = popUpIndexOf(panel, name);
  if (index < 0) throw CommandError("there is no favorite \"" + name + "\" (orval favorites list names them)");
  return index;
}

// The favorite manager's row of name (a favorite, not a fixed row), or -1.
int managerRowOf(const std::string& name) {
  const std::vector<FavoriteItem>& items = FavoriteWindowController::sharedInstance().favoriteItemArray();
  for (std::size_t row = FavoriteItem::kFavoriteListOffset; row < items.size(); ++row)
    if (items[row].name() == name) return static_cast<int>(row);
  return -1;
}

// Runs the favorite manager on the job with the session's steps; answers its answer.
int runManager(DialogSession& session) {
  WexoPDEByCocoa& panel = session.panel();
  return FavoriteWindowController::sharedInstance().showAsModalDialog(panel.selectedProfilePath(), panel.printOption());
}

// A step that selects name's row by mouse, then does more; a missing favorite is refused.
DialogOperator::Step onRowOf(DialogSession& session, const std::string& name,
                             std::function<void(tk::Window&, FavoriteWindowController&)> more) {
  return [&session, name, more](tk::Window& window) {
    FavoriteWindowController& manager = FavoriteWindowController::sharedInstance();
    const int row = managerRowOf(name);
    if (row < 0 || !manager.favoriteListView()->clickRow(row)) {
      session.person->refuse("there is no favorite \"" + name + "\"");
      return tk::endModalWindow(window, tk::ModalResponse::Cancel);
    }
    more(window, manager);
  };
}

// The commands ------------------------------------------------------------------------------------------

void runList(const JobOptions& options) {
  Json report = Json::array();
  {
    DialogSession session(options);
    WexoPDEByCocoa& panel = session.panel();
    tk::PopUpButton* popup = panel.favoritePopUp();
    const int selected = popup != nullptr ? popup->indexOfSelectedItem() : -1;
    const std::string current = panel._currentFavoritePath().value_or("");
    PrintOption settings = panel.printOption().value_or(PrintOption());
    DetailedSettingsWinController::sharedInstance().reformatPrintOption(settings);
    const std::vector<FavoriteItem> items = favoriteListItems();
    for (std::size_t row = FavoriteItem::kFavoriteListOffset; row < items.size(); ++row) {
      const std::string path = items[row].path().value_or("");
      const int index = popup != nullptr ? popup->indexOfItemWithRepresentedObject(Value(path)) : -1;
      bool differs = false;
      if (index >= 0) {
        popup->selectItemAtIndex(index);
        differs = panel._isDifferFromCurrentFavorite(&settings);
      }
      report.push_back({{"name", items[row].name().value_or("")},
                        {"comment", items[row].comment().value_or("")},
                        {"path", path},
                        {"current", !path.empty() && path == current},
                        {"differs", differs}});
    }
    if (popup != nullptr) popup->selectItemAtIndex(selected);
  }
  if (options.json) return printJson(std::cout, Json{{"favorites", report}});
  for (const Json& favorite : report) {
    std::cout << favorite["name"].get<std::string>() << (favorite["current"].get<bool>() ? " (the job's)" : "")
              << (favorite["differs"].get<bool>() ? "  * the job differs" : "") << '\n'
              << "  comment: " << favorite["comment"].get<std::string>() << '\n'
              << "  path: " << favorite["path"].get<std::string>() << '\n';
  }
}

void runShow(const JobOptions& options, const std::string& name) {
  Json report;
  {
    DialogSession session(options);
    session.person->then(onRowOf(session, name, [&](tk::Window& window, FavoriteWindowController& manager) {
      if (manager.treeView() != nullptr)
        report = {{"name", name},
                  {"comment", manager.commentEditField()->stringValue()},
                  {"tree", treeJson(manager.dataSource(), *manager.treeView(), nullptr)}};
      click(window, "cancelButton");
    }));
    runManager(session);
    session.failOnRefusal("the favorite cannot be shown");
    if (report.is_null()) throw CommandError("the favorite manager cannot be opened");
  }
  if (options.json) return printJson(std::cout, report);
  std::cout << report["name"].get<std::string>() << ": " << report["comment"].get<std::string>() << '\n'
            << "Settings (* differs from the default):\n";
  printTree(std::cout, report["tree"], "  ");
}

void runSave(const JobOptions& options, const std::string& name, const std::optional<std::string>& comment) {
  Json report;
  {
    DialogSession session(options);
    SaveFavoriteWindowController& dialog = SaveFavoriteWindowController::sharedInstance();
    session.person->then([&](tk::Window& window) {
      // Without --comment, saving over the favorite shown keeps its comment.
      const std::string text = comment.value_or(dialog.name() == name ? dialog.comment() : std::string());
      if (!typeInto(tk::viewWithIdentifier<tk::TextField>(window, "favoriteName"), name))
        session.person->refuse(FavoriteItem::checkName(name).value_or("the name \"" + name + "\" cannot be typed"));
      else if (!typeInto(tk::viewWithIdentifier<tk::TextField>(window, "comment"), text))
        session.person->refuse(FavoriteItem::checkComment(text).value_or("the comment cannot be typed"));
      else
        click(window, "okButton");
      if (!session.person->messages().empty()) tk::endModalWindow(window, tk::ModalResponse::Cancel);
    });
    const int answer = session.panel().clickedSaveFavoriteButton();
    session.failOnRefusal("the favorite was not saved");
    if (answer != tk::ModalResponse::OK) throw CommandError("the save dialog cannot be opened");
    session.job.save();
    report = mainPaneJson(session.job);
  }
  if (options.json) return printJson(std::cout, report);
  std::cout << "Saved the job's settings as \"" << name << "\"\n";
}

void runApply(const JobOptions& options, const std::string& name) {
  Json report;
  {
    DialogSession session(options);
    WexoPDEByCocoa& panel = session.panel();
    // The row is hidden on this desktop: the item is chosen as its action would.
    const int index = popUpIndexOrThrow(panel, name);
    panel.favoritePopUp()->selectItemAtIndex(index);
    panel.selectFavorite(panel.favoritePopUp());
    session.failOnRefusal("the favorite was not applied");
    session.job.save();
    report = mainPaneJson(session.job);
  }
  if (options.json) return printJson(std::cout, report);
  printMainPane(std::cout, report);
}

void runDelete(const JobOptions& options, const std::string& name) {
  std::string path;
  {
    DialogSession session(options);
    WexoPDEByCocoa& panel = session.panel();
    const int index = popUpIndexOrThrow(panel, name);
    panel.favoritePopUp()->selectItemAtIndex(index);
    path = panel._currentFavoritePath().value_or("");
    const bool deleted = panel.clickedDeleteFavoriteButton();
    session.failOnRefusal("the favorite was not deleted");
    if (!deleted)
      throw CommandError(fs::exists(path) ? "the favorite \"" + name + "\" was not deleted"
                                          : "the favorite \"" + name + "\" could not be moved to the trash");
  }
  // Printed once the bundle is unloaded (see PlugInSession).
  if (options.json) printJson(std::cout, Json{{"deleted", name}, {"path", path}});
  else std::cout << "Moved \"" << name << "\" to the trash\n";
}

// Edits the row of name in the manager (field: "name" or "comment"), validates a name with Return,
// and applies the list with OK (which validates the row once more: a comment is validated there).
void runEdit(const JobOptions& options, const std::string& name, bool renaming, const std::string& text) {
  {
    DialogSession session(options);
    session.person->then(onRowOf(session, name, [&](tk::Window& window, FavoriteWindowController& manager) {
      tk::TextField* field = renaming ? manager.nameEditField() : manager.commentEditField();
      if (!typeInto(field, text)) {
        session.person->refuse(renaming ? FavoriteItem::checkName(text).value_or("the name cannot be typed")
                                        : FavoriteItem::checkComment(text).value_or("the comment cannot be typed"));
        return tk::endModalWindow(window, tk::ModalResponse::Cancel);
      }
      if (renaming) field->currentEditor()->insertNewline();
      // OK validates the row once more and, when it passes, applies the list.
      if (session.person->messages().empty()) click(window, "okButton");
    }));
    const int answer = runManager(session);
    session.failOnRefusal(renaming ? "the favorite was not renamed" : "the comment was not changed");
    if (answer != tk::ModalResponse::OK) throw CommandError("the favorite manager cannot be opened");
  }
  if (options.json) printJson(std::cout, Json{{"name", renaming ? text : name}});
  else std::cout << (renaming ? "Renamed \"" + name + "\" to \"" + text + "\"" : "Changed the comment of \"" + name + "\"") << '\n';
}

// Chooses path in the file chooser the step finds; a refused choice is noted.
DialogOperator::Step choose(DialogSession& session, const fs::path& path) {
  return [&session, path](tk::Window& window) {
    auto* chooser = dynamic_cast<tk::SavePanel*>(&window);
    if (chooser != nullptr && chooser->choose(path.string())) return tk::endModalWindow(window, tk::ModalResponse::OK);
    session.person->refuse(path.string() + " cannot be chosen (a favorite is a file)");
    tk::endModalWindow(window, tk::ModalResponse::Cancel);
  };
}

void runImport(const JobOptions& options, const std::string& file) {
  const fs::path path = fs::absolute(file);
  {
    DialogSession session(options);
    session.person->then([](tk::Window& window) { click(window, "importButton"); })
        .then(choose(session, path))
        .then([](tk::Window& window) { click(window, "okButton"); });
    const int answer = runManager(session);
    session.failOnRefusal("the favorite was not imported");
    if (answer != tk::ModalResponse::OK) throw CommandError("the favorite manager cannot be opened");
  }
  if (options.json) printJson(std::cout, Json{{"imported", path.string()}});
  else std::cout << "Imported " << path.string() << '\n';
}

void runExport(const JobOptions& options, const std::string& name, const std::string& file) {
  const fs::path path = fs::absolute(file);
  {
    DialogSession session(options);
    session.person
        ->then(onRowOf(session, name, [](tk::Window& window, FavoriteWindowController&) { click(window, "exportButton"); }))
        .then(choose(session, path))
        .then([](tk::Window& window) { click(window, "cancelButton"); });
    runManager(session);
    session.failOnRefusal("the favorite was not exported");
    if (!fs::exists(path)) throw CommandError("the favorite manager cannot be opened");
  }
  if (options.json) printJson(std::cout, Json{{"exported", name}, {"path", path.string()}});
  else std::cout << "Exported \"" << name << "\" to " << path.string() << '\n';
}

// Adds a subcommand of favorites with the job options; answers it and its options.
std::pair<CLI::App*, std::shared_ptr<JobOptions>> subcommand(CLI::App& favorites, const char* name,
                                                             const char* description, bool asks = false) {
  auto options = std::make_shared<JobOptions>();
  CLI::App* command = favorites.add_subcommand(name, description);
  addJobOptions(*command, options.get(), asks);
  return {command, options};
}

}  // namespace

void addFavoritesSubcommands(CLI::App& favorites) {
  auto texts = std::make_shared<std::vector<std::string>>(2);
  auto comment = std::make_shared<std::optional<std::string>>();

  auto [list, listOptions] = subcommand(favorites, "list", "List the favorites and whether the job differs from each");
  list->callback([o = listOptions] { runList(*o); });

  auto [show, showOptions] = subcommand(favorites, "show", "Show a favorite's settings as the favorite manager does");
  show->add_option("NAME", (*texts)[0], "The favorite")->required();
  show->callback([o = showOptions, texts] { runShow(*o, (*texts)[0]); });

  auto [save, saveOptions] = subcommand(favorites, "save", "Save the job's settings as a favorite");
  save->add_option("NAME", (*texts)[0], "The favorite's name")->required();
  save->add_option("--comment", *comment, "The favorite's comment")->type_name("TEXT");
  save->callback([o = saveOptions, texts, comment] { runSave(*o, (*texts)[0], *comment); });

  auto [apply, applyOptions] = subcommand(favorites, "apply", "Apply a favorite to the job");
  apply->add_option("NAME", (*texts)[0], "The favorite")->required();
  apply->callback([o = applyOptions, texts] { runApply(*o, (*texts)[0]); });

  auto [remove, removeOptions] = subcommand(favorites, "delete", "Move a favorite to the trash (asks; --yes answers)", true);
  remove->add_option("NAME", (*texts)[0], "The favorite")->required();
  remove->callback([o = removeOptions, texts] { runDelete(*o, (*texts)[0]); });

  auto [rename, renameOptions] = subcommand(favorites, "rename", "Rename a favorite");
  rename->add_option("OLD", (*texts)[0], "The favorite")->required();
  rename->add_option("NEW", (*texts)[1], "Its new name")->required();
  rename->callback([o = renameOptions, texts] { runEdit(*o, (*texts)[0], true, (*texts)[1]); });

  auto [edit, editOptions] = subcommand(favorites, "comment", "Change a favorite's comment");
  edit->add_option("NAME", (*texts)[0], "The favorite")->required();
  edit->add_option("TEXT", (*texts)[1], "The new comment")->required();
  edit->callback([o = editOptions, texts] { runEdit(*o, (*texts)[0], false, (*texts)[1]); });

  auto [importing, importOptions] = subcommand(favorites, "import", "Import a favorite file into the favorite folder");
  importing->add_option("FILE", (*texts)[0], "The favorite file")->required();
  importing->callback([o = importOptions, texts] { runImport(*o, (*texts)[0]); });

  auto [exporting, exportOptions] = subcommand(favorites, "export", "Export a favorite to a new file");
  exporting->add_option("NAME", (*texts)[0], "The favorite")->required();
  exporting->add_option("FILE", (*texts)[1], "The new file")->required();
  exporting->callback([o = exportOptions, texts] { runExport(*o, (*texts)[0], (*texts)[1]); });
}

CLI::App* addFavoritesCommand(CLI::App& app) {
  CLI::App* favorites = app.add_subcommand("favorites", "List, show, save, apply, delete, rename, import and export favorites");
  favorites->require_subcommand(1);
  addFavoritesSubcommands(*favorites);
  return favorites;
}

}  // namespace orval::cli

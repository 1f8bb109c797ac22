#include "apps/orval/print_job.h"

#include <sstream>

#include "conversion/print_option_converter.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_file.h"
#include "favorites/favorite_item.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/print_option_consistency_check.h"

namespace orval::cli {

namespace {

namespace fs = std::filesystem;

// The user's favorite file named name, as the favorites pop-up lists them.
fs::path favoritePath(const std::string& name) {
  std::string error;
  for (const fs::path& path : AppPreference::sharedInstance().arrayForFavoritePath(&error))
    if (FavoriteFile::nameWithPath(path) == name) return path;
  throw CommandError("there is no favorite \"" + name + "\"" + (error.empty() ? "" : " (" + error + ")"));
}

// The favorite's options in canonical form: the default favorite's are the
// defaults, a saved one's its file's; and the file's path ("" for the default).
std::pair<PrintOption, std::string> favoriteOptions(PanePlugInMgr& manager, const std::string& name) {
  if (FavoriteItem::isEqualToDefaultFavoriteName(name)) {
    PrintOption defaults = manager.defaultSettings();
    PrintOptionConverter::convertToCanonicalPpdKeyword(defaults, true);
    return {std::move(defaults), ""};
  }
  const fs::path path = favoritePath(name);
  const FavoriteFile file = FavoriteFile::favoriteFileWithContentsOfFile(path);
  if (file.version() == kFavoriteFile_UnknownVersion || !file.options())
    throw CommandError("the favorite \"" + name + "\" (" + path.string() + ") cannot be read; the ticket is unchanged");
  return {PrintOptionConverter::sharedInstance().toPpdKeywordFormat(*file.options()), path.string()};
}

// Lays the favorite over the job before the panel restores it: each of its
// options goes into the job as the panel saves an option (a marked choice or
// a private entry), so that restoring gives the job's settings with the
// favorite's in place of theirs, as choosing the favorite in the panel does.
// The job remembers the favorite ("FavoriteName").
void layFavoriteOverJob(JobSession& job, const PrintOption& favorite, const std::string& path) {
  WexoPDEByCocoa& panel = job.panel();
  for (const auto& [key, value] : favorite)
    if (value.isString() || value.isBool() || value.isNumber())
      panel._setValueToPpdDictionary(nullptr, nullptr, key, value.text());
  if (!path.empty()) panel._customTicketSetString(nullptr, WexoPDEByCocoa::kFavoriteNameKey, path);
}

// What the favorite says of the print dialog's own settings, once the panel is shown.
void applyFavoriteToDialog(WexoPDEByCocoa& panel, const PrintOption& favorite) {
  if (const Value* copies = favorite.find("NumCopies"); copies != nullptr && !copies->text().empty())
    panel.setCopies(copies->text());
  if (const Value* collate = favorite.find("Collate")) {
    const std::string text = collate->text();
    if (text == "1" || text == "True") panel.setCollate(true);
    if (text == "0" || text == "False") panel.setCollate(false);
  }
  if (panel.printOption())
    if (const Value* slot = panel.printOption()->find("QZInputSlot"); slot != nullptr && slot->isString())
      panel.setQZInputSlot(*slot->asString());
}

}  // namespace

std::unique_ptr<JobSession> preparePrintJob(JobOptions options, const std::optional<std::string>& favorite,
                                            const std::vector<Setting>& settings) {
  options.cupsQueue = true;
  PrintOption favoriteSet;
  auto job = std::make_unique<JobSession>(options, [&](JobSession& opened) {
    if (!favorite) return;
    auto [set, path] = favoriteOptions(*opened.panel().panePlugInMgr(), *favorite);
    favoriteSet = std::move(set);
    layFavoriteOverJob(opened, favoriteSet, path);
  });
  if (favorite) applyFavoriteToDialog(job->panel(), favoriteSet);
  applySettings(settings, [&job](const std::string& key) { return mainPaneControl(*job, key); });
  job->saveValues();

  const std::optional<PrintOption>& gathered = job->panel().printOption();
  const std::vector<std::string> keys =
      gathered ? printOptionConsistencyMessageKeys(*gathered) : std::vector<std::string>();
  if (!keys.empty()) {
    std::ostringstream message;
    message << "the job is not printed; the ticket is unchanged:";
    std::istringstream lines(printOptionConsistencyMessageText(keys));
    for (std::string line; std::getline(lines, line, '\r');)
      if (!line.empty()) message << "\n  " << line;
    throw CommandError(message.str());
  }
  return job;
}

}  // namespace orval::cli

// PanePlugInMgr: the bundle's own printer description, and the titles of
// options and choices it gives.
#include "common/principal_bundle.h"
#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"

namespace orval {

PpdFileExt* PanePlugInMgr::ppdInformation() {
  if (!_ppdFile) {
    const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
    const std::optional<std::string> name = AppPreference::sharedInstance().ppdFileNameWithAppName();
    if (!bundle || !name) return nullptr;
    const std::optional<std::filesystem::path> path = bundle->pathForResource(*name, "");
    if (!path) return nullptr;
    std::string error;
    _ppdFile = PpdFileExt::initWithContentsOfFile(*path, &error);
    // It is tried again at every use; said once.
    if (!_ppdFile && !_ppdFailureLogged) {
      logMessage("###Error: cannot open the printer description " + path->string() + ": " + error);
      _ppdFailureLogged = true;
    }
  }
  return _ppdFile.get();
}

bool PanePlugInMgr::isExistsInPpd(const std::string& key, const std::optional<std::string>& optionKeyword) {
  if (key.empty()) return false;
  const PpdFileExt* ppd = ppdInformation();
  if (ppd == nullptr) return false;
  return optionKeyword ? ppd->isExists(key, *optionKeyword) : ppd->isExists(key);
}

// The titles come from the printer description. A pane's own string tables
// would be asked next, but no key is known to belong to a pane here, so a
// key or choice that the printer description does not name has no title.
void PanePlugInMgr::getAlias(std::optional<std::string>& alias, std::optional<std::string>& optionAlias,
                             const std::string& key, const std::string& optionKeyword) {
  alias.reset();
  optionAlias.reset();
  const PpdFileExt* ppd = ppdInformation();
  if (ppd == nullptr || key.empty()) return;
  alias = ppd->mainAlias(key);
  optionAlias = ppd->optionAlias(key, optionKeyword);
}

Dict PanePlugInMgr::summaryInfoFromPrintOption(const PrintOption& options) {
  Dict summary;
  for (const auto& [key, value] : options) {
    if (value.isNull()) continue;
    std::optional<std::string> alias;
    std::optional<std::string> optionAlias;
    getAlias(alias, optionAlias, key, _stringFromObject(value));
    if (alias && optionAlias) summary.set(*alias, Value(*optionAlias));
  }
  return summary;
}

}  // namespace orval

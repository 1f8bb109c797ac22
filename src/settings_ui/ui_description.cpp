#include "settings_ui/ui_description.h"

#include <system_error>

#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {

std::optional<std::filesystem::path> uiDescriptionPath(const std::filesystem::path& bundlePath) {
  std::string base = bundlePath.string();
  if (base.empty()) return std::nullopt;
  // A pane plug-in lives inside the main bundle: resolve to the main bundle.
  if (const std::size_t cut = base.find("Contents/PlugIns"); cut != std::string::npos) base.erase(cut);
  const std::filesystem::path root(base);
  const std::optional<Dict> info = dictFromFile(root / "Contents/Info.plist");
  if (!info) return std::nullopt;
  const std::string* name = info->get(kUIDescriptionInfoKey).asString();
  if (name == nullptr || name->empty()) return std::nullopt;
  std::filesystem::path candidate = root / "Contents/Resources" / (*name + ".plist");
  std::error_code ec;
  if (!std::filesystem::is_regular_file(candidate, ec)) return std::nullopt;
  return candidate;
}

std::optional<Dict> loadUIDescription(const Bundle* bundle) {
  if (bundle == nullptr) return std::nullopt;
  if (const auto path = uiDescriptionPath(bundle->bundlePath())) {
    if (auto dict = dictFromFile(*path)) return dict;
    logMessage("###Error:UISetting Plist file cannot be read: " + path->string());
  }
  const auto fallback = bundle->pathForResource(kUIDescriptionFallbackResource, "plist");
  if (!fallback) return std::nullopt;
  return dictFromFile(*fallback);
}

const Dict* controlDescriptionNamed(const Dict& uiDescription, const std::string& name) {
  return uiDescription.get(name).asDict();
}

}  // namespace orval

// AppPreference: the shared object, the information dictionary, the
// language test and the classic icon.
#include "favorites/app_preference.h"

#include <memory>

#include "common/dictionary_helpers.h"
#include "common/principal_bundle.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/log.h"

namespace orval {

namespace {

std::unique_ptr<AppPreference>& sharedSlot() {
  static std::unique_ptr<AppPreference> shared;
  return shared;
}

// The host's preferred localization. On the original desktop this was the
// first preferred localization of the host application's main bundle: the
// first of the user's languages that the application is localized into. A
// Linux host has no bundle of its own; the plug-in bundle, whose string
// tables the user reads, stands in for it. Without a registered plug-in
// bundle the user's most preferred language is taken as it stands.
std::optional<std::string> preferredHostLocalization() {
  if (const std::shared_ptr<Bundle> bundle = BSPrincipalBundle()) {
    const std::vector<std::string> localizations = bundle->preferredLocalizations();
    if (localizations.empty()) return std::nullopt;
    return localizations.front();
  }
  const std::vector<std::string> languages = Bundle::preferredLanguages();
  if (languages.empty()) return std::nullopt;
  return languages.front();
}

}  // namespace

AppPreference& AppPreference::sharedInstance() {
  std::unique_ptr<AppPreference>& shared = sharedSlot();
  if (!shared) shared = std::make_unique<AppPreference>();
  return *shared;
}

void AppPreference::resetSharedInstanceForTesting() { sharedSlot().reset(); }

// The information dictionary ----------------------------------------------------------------

std::optional<std::string> AppPreference::_infomationsForAppType(const std::optional<std::string>& appName,
                                                                 const std::string& key) const {
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  const std::optional<Dict> informations = DictionaryNamed(kInformationResource, bundle.get());
  std::optional<std::string> name = appName;
  if (!name && bundle) {
    if (const std::string* bundleName = bundle->objectForInfoDictionaryKey("CFBundleName").asString())
      name = *bundleName;
  }
  const Dict* entry = nullptr;
  if (name && informations) entry = informations->get(*name).asDict();
  if (entry == nullptr) {
    logMessage("##### fail to retrieve infomations dictionary");
    return std::nullopt;
  }
  const std::string* value = entry->get(key).asString();
  if (value == nullptr) return std::nullopt;
  return *value;
}

std::optional<std::string> AppPreference::panesTreeFileNameWithAppName(
    const std::optional<std::string>& appName) const {
  return _infomationsForAppType(appName, kPanesTreeFileName);
}

std::optional<std::string> AppPreference::convertTableFileNameWithAppName(
    const std::optional<std::string>& appName) const {
  return _infomationsForAppType(appName, kConvertTableFileName);
}

std::optional<std::string> AppPreference::ppdFileNameWithAppName(const std::optional<std::string>& appName) const {
  return _infomationsForAppType(appName, kPpdFileName);
}

// Language and icon -------------------------------------------------------------------------

bool AppPreference::isJapanesePreferred() {
  if (!_isJapanesePreferred) {
    const std::optional<std::string> localization = preferredHostLocalization();
    _isJapanesePreferred = localization && (*localization == "Japanese" || *localization == "ja");
  }
  return *_isJapanesePreferred;
}

// The original icon was an "icns" resource; the Linux bundle ships its
// images as PNG, so the classic icon is "Classic.png".
std::optional<tk::Image> AppPreference::clasicIcon() const {
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  if (!bundle) return std::nullopt;
  const std::optional<std::filesystem::path> path = bundle->pathForResource("Classic", "png");
  if (!path) return std::nullopt;
  return tk::Image::fromFile(path->string());
}

}  // namespace orval

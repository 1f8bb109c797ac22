#include "common/localized_string.h"

#include <utility>

namespace orval {
namespace {

// The process-wide registrations.
struct LocalizedStringBundles {
  std::shared_ptr<Bundle> preferred;  // SetNSBundleForLocalizedString
  std::shared_ptr<Bundle> fallback;   // SetCFBundleRefForLocalizedString
};

LocalizedStringBundles& registrations() {
  static LocalizedStringBundles bundles;
  return bundles;
}

}  // namespace

void SetNSBundleForLocalizedString(std::shared_ptr<Bundle> bundle) {
  registrations().preferred = std::move(bundle);
}

void SetCFBundleRefForLocalizedString(std::shared_ptr<Bundle> bundle) {
  registrations().fallback = std::move(bundle);
}

std::shared_ptr<Bundle> localizedStringBundle() {
  const LocalizedStringBundles& bundles = registrations();
  return bundles.preferred ? bundles.preferred : bundles.fallback;
}

std::string BSLocalizedString(const std::string& key) { return BSLocalizedStringFromTable(key, {}); }

std::string BSLocalizedStringFromTable(const std::string& key, const std::string& table) {
  const std::shared_ptr<Bundle> bundle = localizedStringBundle();
  if (!bundle) return {};
  return bundle->localizedString(key, {}, table);
}

void resetLocalizedStringBundlesForTesting() {
  registrations().preferred.reset();
  registrations().fallback.reset();
}

}  // namespace orval

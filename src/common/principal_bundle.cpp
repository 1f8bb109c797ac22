#include "common/principal_bundle.h"

#include <utility>

namespace orval {
namespace {

// The process-wide registration.
std::shared_ptr<Bundle>& principalBundleSlot() {
  static std::shared_ptr<Bundle> bundle;
  return bundle;
}

}  // namespace

std::shared_ptr<Bundle> BSPrincipalBundle() { return principalBundleSlot(); }

void SetBSPrincipalBundle(std::shared_ptr<Bundle> bundle) {
  principalBundleSlot() = std::move(bundle);
}

void resetPrincipalBundleForTesting() { principalBundleSlot().reset(); }

}  // namespace orval

#include "common/common_reset.h"

#include "common/control_enabling.h"
#include "common/localized_string.h"
#include "common/principal_bundle.h"

namespace orval {

void resetCommonStateForTesting() {
  resetLocalizedStringBundlesForTesting();
  resetPrincipalBundleForTesting();
  resetDisabledTextColorForTesting();
}

}  // namespace orval

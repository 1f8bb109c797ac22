// Helpers shared by the common module's tests: fixture bundles and a scoped environment.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/foundation/environment_test_support.h"

namespace orval::testing_support {

inline std::shared_ptr<Bundle> fixtureBundle(const std::string& name) {
  return Bundle::bundleWithPath(std::filesystem::path(ORVAL_SOURCE_DIR) / "src/common/testdata" / name);
}

using ScopedEnvironment = foundation_testing::ScopedEnvironment;

}  // namespace orval::testing_support

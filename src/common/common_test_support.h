// Helpers shared by the common module's tests: fixture bundles and a scoped environment.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"

namespace orval::testing_support {

// A fixture bundle from src/common/testdata (for example "Strings.bundle").
inline std::shared_ptr<Bundle> fixtureBundle(const std::string& name) {
  return Bundle::bundleWithPath(std::filesystem::path(ORVAL_SOURCE_DIR) / "src/common/testdata" / name);
}

// Sets an environment variable while alive, then restores its former state.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    setenv(name_.c_str(), value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (previous_) setenv(name_.c_str(), previous_->c_str(), 1);
    else unsetenv(name_.c_str());
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace orval::testing_support

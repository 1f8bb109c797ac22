// Tests of the foundation module: an environment variable set or unset for
// the life of one object, then restored.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace orval::foundation_testing {

class ScopedEnvironment {
 public:
  // Sets name to value, or unsets it when value is nullopt.
  ScopedEnvironment(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) previous_ = old;
    apply(value);
  }
  ~ScopedEnvironment() { apply(previous_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void apply(const std::optional<std::string>& value) const {
    if (value) setenv(name_.c_str(), value->c_str(), 1);
    else unsetenv(name_.c_str());
  }

  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace orval::foundation_testing

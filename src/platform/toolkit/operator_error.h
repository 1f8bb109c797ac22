// OperatorError: a modal run or alert that no one can answer (no operator,
// a script with no step left, or a step of the wrong kind). Thrown instead of
// waiting for ever.
#pragma once

#include <stdexcept>
#include <string>

namespace orval::tk {

class OperatorError : public std::runtime_error {
 public:
  explicit OperatorError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace orval::tk

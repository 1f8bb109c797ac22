// PlatformException: the platform's exception class (a name and a reason).
//
// Thrown where the original platform would raise, and caught exactly where
// the system catches it (the host's entry points, pane building).
#pragma once

#include <stdexcept>
#include <string>

namespace orval {

class PlatformException : public std::runtime_error {
 public:
  PlatformException(std::string name, std::string reason)
      : std::runtime_error(reason), name_(std::move(name)), reason_(std::move(reason)) {}

  const std::string& name() const { return name_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string name_;
  std::string reason_;
};

}  // namespace orval

// SampleGreeter: the principal class of the test bundle Sample.bundle, as
// the tests see it through Bundle::makePrincipalObject.
#pragma once

#include <string>

#include "platform/foundation/bundle.h"

namespace orval::foundation_testing {

class SampleGreeter : public BundlePrincipal {
 public:
  // A greeting for name, made by the bundle's own code.
  virtual std::string greet(const std::string& name) const = 0;
};

}  // namespace orval::foundation_testing

// SampleGreeter: the principal class of the test bundle Sample.bundle, as
// the tests see it through Bundle::makePrincipalObject.
#pragma once

#include "platform/foundation/bundle.h"

namespace orval::foundation_testing {

class SampleGreeter : public BundlePrincipal {};

}  // namespace orval::foundation_testing

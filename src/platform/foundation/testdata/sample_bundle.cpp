// The executable of the test bundles: the principal-class factories the
// bundle tests load with dlopen.
#include "platform/foundation/testdata/sample_principal.h"

namespace {

int gGreetersMade = 0;

class Greeter final : public orval::foundation_testing::SampleGreeter {
 public:
  Greeter() { ++gGreetersMade; }
};

}  // namespace

// The factory of Sample.bundle's principal class.
extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_SampleGreeter() {
  return new Greeter;
}

// A factory that cannot make its object (NullFactory.bundle).
extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_NullGreeter() {
  return nullptr;
}

// How many greeters the factory has made: one per principal object asked for.
extern "C" __attribute__((visibility("default"))) int SampleGreetersMade() { return gGreetersMade; }

// The bundle's executable: the factory of its principal class,
// "WexoPDEPlugIn", as the bundle's Info.plist names it.
#include <memory>

#include "panel/wexo_pde_plugin.h"

extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_WexoPDEPlugIn() {
  try {
    return std::make_unique<orval::WexoPDEPlugIn>().release();
  } catch (...) {
    return nullptr;
  }
}

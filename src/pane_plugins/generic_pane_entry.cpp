// The pane bundle's executable: the factory of its principal class,
// "GenericPanePlugIn", as every pane bundle's Info.plist names it.
#include <memory>

#include "pane_plugins/generic_pane_plugin.h"

extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_GenericPanePlugIn() {
  try {
    return std::make_unique<orval::GenericPanePlugIn>().release();
  } catch (...) {
    return nullptr;
  }
}

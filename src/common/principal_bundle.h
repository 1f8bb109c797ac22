// The extension's own bundle, registered when the panel is created.
//
// Every resource of the system (UI description, panes tree, convert table,
// printer description, string tables) is looked up in this bundle.
#pragma once

#include <memory>

#include "platform/foundation/bundle.h"

namespace orval {

// The registered principal bundle, or nullptr before one is registered.
std::shared_ptr<Bundle> BSPrincipalBundle();
// Registers the principal bundle (nullptr forgets it).
void SetBSPrincipalBundle(std::shared_ptr<Bundle> bundle);

// Test-only: forgets the registered principal bundle.
void resetPrincipalBundleForTesting();

}  // namespace orval

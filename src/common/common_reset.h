// Test-only: one entry that returns the common module's process-wide state
// (string bundles, principal bundle, disabled text colour) to a fresh process's.
#pragma once

namespace orval {

// Forgets every registration and choice the common helpers keep for the process.
void resetCommonStateForTesting();

}  // namespace orval

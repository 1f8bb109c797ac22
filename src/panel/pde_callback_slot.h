// The process-wide slot of the host's callback object.
//
// Panel creation keeps the callback object the host gave it here, so that
// code without a panel at hand can reach the print session, the job's print
// settings and the printer description. The slot does not own the callback:
// the host does, and a panel clears the slot when it goes while the slot
// still holds its callback.
#pragma once

namespace orval {

class PDEPluginCallback;

// The callback object of the most recently created panel, or nullptr.
PDEPluginCallback* sharedPDEPluginCallback();
// Keeps callback in the slot (nullptr empties it).
void setSharedPDEPluginCallback(PDEPluginCallback* callback);

}  // namespace orval

#include "panel/pde_callback_slot.h"

namespace orval {

namespace {

PDEPluginCallback*& slot() {
  static PDEPluginCallback* callback = nullptr;
  return callback;
}

}  // namespace

PDEPluginCallback* sharedPDEPluginCallback() { return slot(); }

void setSharedPDEPluginCallback(PDEPluginCallback* callback) { slot() = callback; }

}  // namespace orval

// The interface's one out-of-line member: its type information lives in
// liborval once, shared by every pane plug-in that implements it.
#include "panes/pane_plugin_interface.h"

namespace orval {

PanePlugInInterface::~PanePlugInInterface() = default;

}  // namespace orval

// Binding a pane's settings controls to the UI description and registering
// them with the settings engine, as a pane plug-in does with the controls of
// its interface file.
//
// In a pane's view a settings control (a KORAUI) is named by its tool tip:
// the tool tip is the print option key, the name of its control description.
// Binding gives each named control its description and builds it; the tool
// tip is cleared afterwards. Registration adds every bound control to the
// engine first and then announces each one's main keyword (and those of its
// child controls), so that the engine validates each once with all of the
// pane's controls in place.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

namespace tk {
class View;
}

class KORAUI;
class PanePlugInMgr;

// The settings controls among view's direct subviews and, for each tab view among them, the
// settings controls of every tab's view (searched the same way); other containers are not searched.
std::vector<KORAUI*> getKORAUIControls(const tk::View& view);

// Binds every control whose tool tip names an entry of uiDescription: gives it that entry, the
// bundle and the parsed description (for its children), builds it for the pane paneName and
// clears its tool tip. Answers the bound controls in order; a control without a tool tip, or
// whose tool tip names no entry (logged), is left unbound.
std::vector<KORAUI*> setupKORAUIControls(const std::vector<KORAUI*>& controls,
                                         const std::shared_ptr<const Dict>& uiDescription,
                                         const std::shared_ptr<Bundle>& bundle, const std::string& paneName);

// Adds controls to the manager's engine, then announces the main keyword of each control
// followed by those of its child controls, in order.
void registerKORAUIControls(PanePlugInMgr& manager, const std::vector<KORAUI*>& controls);

}  // namespace orval

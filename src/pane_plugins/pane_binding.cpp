#include "pane_plugins/pane_binding.h"

#include "common/notify_unit.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace orval {

std::vector<KORAUI*> getKORAUIControls(const tk::View& view) {
  std::vector<KORAUI*> controls;
  for (tk::View* subview : view.subviews()) {
    if (subview->className().find("KORAUI") != std::string::npos) {
      if (auto* control = dynamic_cast<KORAUI*>(subview)) controls.push_back(control);
    } else if (auto* tabs = dynamic_cast<tk::TabView*>(subview)) {
      for (tk::TabViewItem* item : tabs->tabViewItems()) {
        std::vector<KORAUI*> inTab = getKORAUIControls(*item->view());
        controls.insert(controls.end(), inTab.begin(), inTab.end());
      }
    }
  }
  return controls;
}

std::vector<KORAUI*> setupKORAUIControls(const std::vector<KORAUI*>& controls,
                                         const std::shared_ptr<const Dict>& uiDescription,
                                         const std::shared_ptr<Bundle>& bundle, const std::string& paneName) {
  std::vector<KORAUI*> bound;
  for (KORAUI* control : controls) {
    if (control == nullptr) continue;
    const std::string key = control->toolTip();
    if (key.empty()) continue;
    const Dict* description = controlDescriptionNamed(*uiDescription, key);
    if (description == nullptr) {
      logMessage("###Error: no control description for " + key);
      continue;
    }
    control->setControlDictionary(*description, bundle);
    control->setUIDescription(uiDescription);
    control->updateControl(paneName);
    control->setToolTip({});
    bound.push_back(control);
  }
  return bound;
}

void registerKORAUIControls(PanePlugInMgr& manager, const std::vector<KORAUI*>& controls) {
  for (KORAUI* control : controls) manager.koraMgr().addControl(control);
  for (const KORAUI* control : controls) {
    NotifyUnit::postNotificationName(control->mainKeyword());
    for (const KORAUI* child : control->childControls()) NotifyUnit::postNotificationName(child->mainKeyword());
  }
}

}  // namespace orval

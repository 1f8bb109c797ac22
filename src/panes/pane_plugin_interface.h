// PanePlugInInterface: what a pane plug-in's controller offers the pane
// plug-in manager.
//
// A pane plug-in is a bundle in the plug-in folder of the extension's bundle
// (Contents/PlugIns/<Name>.bundle). Its executable exports the factory of its
// principal class (see Bundle::makePrincipalObject); the object it makes is a
// BundlePrincipal that also implements this interface. The manager makes one
// controller per plug-in name (per role, when the panes tree names the bundle
// with roles), calls initializePanel once, and keeps the controller until it
// is released itself. A controller owns its view and its settings controls;
// the controls it registers with the settings engine must live as long as
// the controller.
//
// The operations with a default body are optional: a controller that does
// not override them behaves as one that does not answer them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

namespace tk {
class PopUpButton;
class View;
}  // namespace tk

class KORAUI;
class PanePlugInMgr;

// One numbered-profile pop-up of a pane: the choices "<prefix>1" ... up to
// profileNo_Max are added to profileUiControl.
struct ProfileUiInformation {
  // The print option key the pop-up stands for.
  std::string key;
  // The choice pattern, e.g. "Profile%d".
  std::string fmtOptionKeywod;
  // The last profile number.
  std::int64_t profileNo_Max = 0;
  // The pop-up (owned by the pane).
  tk::PopUpButton* profileUiControl = nullptr;
};

class PanePlugInInterface {
 public:
  virtual ~PanePlugInInterface();

  // Prepares the pane from its bundle; callback is the manager, whose services
  // the pane uses (registering its controls among them). False refuses the
  // pane: the manager then drops it.
  virtual bool initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) = 0;
  // The pane's name as the user sees it.
  virtual std::string panelName() = 0;
  // The pane's root view, made on first request and owned by the controller;
  // may throw PlatformException.
  virtual tk::View* panelView() = 0;

  // The pane will be shown for the first time.
  virtual void willShow() {}
  // The pane's numbered-profile pop-ups; none when the pane has none.
  virtual std::optional<std::vector<ProfileUiInformation>> profileUiInformations() { return std::nullopt; }
  // The pane's settings controls (not owned by the caller); none when the pane does not list them.
  virtual std::optional<std::vector<KORAUI*>> getListKORAUI() { return std::nullopt; }
  // Writes the automatic paper tray selection into the settings (the pane named "Page").
  virtual void writeAutomaticPapaerTraySelection() {}
};

}  // namespace orval

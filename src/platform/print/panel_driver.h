// PanelDriver: the print dialog's side of the plug-in protocol.
//
// Loads a plug-in bundle's principal object, gives it its bundle, asks it for
// the print dialog's panels with the host's callback object, and then drives
// those panels as the dialog does: restore the job's settings into them, show
// one (its view, then willShow), ask it to hide, save them into the job, tell
// them of printer-description changes made elsewhere, and gather summaries.
//
// The dialog's window holds the dialog's own controls, as a print dialog
// shows them around its panels: the copies field, the collate and the
// two-sided check boxes (with the actions "collatedSelected:" and
// "twoSidedSelected:"), each writing the job's print settings; below them the
// place where the shown panel's view is lent.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/print/pde_plugin.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/window.h"

namespace orval {

class PanelDriver {
 public:
  // Drives panels on behalf of the host whose callback object is callback;
  // the callback must outlive this driver.
  explicit PanelDriver(PDEPluginCallback& callback);
  ~PanelDriver();
  PanelDriver(const PanelDriver&) = delete;
  PanelDriver& operator=(const PanelDriver&) = delete;

  // Makes bundle's principal object and asks it for the print dialog's panels;
  // false (with *error) when the bundle has no print-dialog plug-in or it makes no panel.
  bool loadPlugIn(std::shared_ptr<Bundle> bundle, std::string* error = nullptr);
  // The same with a principal object already made from bundle.
  bool loadPlugIn(std::unique_ptr<BundlePrincipal> principal, std::shared_ptr<Bundle> bundle,
                  std::string* error = nullptr);
  // Releases the panels, then the plug-in.
  void unloadPlugIn();

  // The panels, in the plug-in's order.
  const PDEPlugIn::Panels& panels() const { return panels_; }
  // The panel whose panelName is name, or nullptr.
  PDEPanel* panelNamed(std::string_view name) const;
  // The panel being shown, or nullptr.
  PDEPanel* shownPanel() const { return shown_; }

  // Restores every panel from the job; false when one fails (*error names each).
  bool restoreValues(std::string* error = nullptr);
  // Saves every panel into the job; false when one fails (*error names each).
  bool saveValues(std::string* error = nullptr);
  // Shows panel: hides the shown one first; false when that one refuses to
  // hide or panel is not one of panels().
  bool show(PDEPanel& panel);
  // Asks the shown panel to hide; false when it refuses (it then stays shown).
  bool hide();
  // Tells every panel that lists key among its supported option keys that
  // another panel marked choice for key.
  void PPDOptionKeyValueDidChange(const std::string& key, const std::string& choice);
  // Every panel's name and summary, in panel order.
  std::vector<std::pair<std::string, Dict>> summaries();

  // The dialog's window (its own controls and the shown panel's view).
  tk::Window& window() { return *window_; }
  // The dialog's copies field and its collate and two-sided check boxes.
  tk::Control& copiesField() { return *copies_; }
  tk::Control& collateCheckBox() { return *collate_; }
  tk::Control& twoSidedCheckBox() { return *twoSided_; }

 private:
  PDEPluginCallback& callback_;
  // Declared in this order so that the panels go first, then the plug-in
  // that made them, then the bundle holding their code.
  std::shared_ptr<Bundle> bundle_;
  std::unique_ptr<PDEPlugIn> plugIn_;
  PDEPlugIn::Panels panels_;
  PDEPanel* shown_ = nullptr;
  // Builds the window and its controls.
  void makeWindow();
  // The dialog's controls show the job's print settings.
  void showPrintSettings();
  std::unique_ptr<tk::Window> window_;
  tk::View* panelArea_ = nullptr;
  tk::Control* copies_ = nullptr;
  tk::Control* collate_ = nullptr;
  tk::Control* twoSided_ = nullptr;
};

}  // namespace orval

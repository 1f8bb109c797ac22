// WexoPDEPlugIn: the principal object of the OrvalPDE bundle, the one object
// the print dialog makes from the bundle.
//
// The dialog gives it its bundle, then asks it for the panels of a dialog
// type: for the print dialog it makes exactly one panel controller,
// WexoPDEByCocoa, with the dialog's callback object and the bundle; for any
// other dialog it makes none. It holds the bundle only until that first
// answer.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "platform/print/pde_plugin.h"

namespace orval {

class WexoPDEPlugIn : public PDEPlugIn {
 public:
  WexoPDEPlugIn();
  ~WexoPDEPlugIn() override;

  // Keeps bundle until the panels are asked for; always accepts it.
  bool initWithBundle(std::shared_ptr<Bundle> bundle) override;
  // One WexoPDEByCocoa for the print dialog type, none for any other type;
  // the bundle reference is let go either way.
  std::optional<Panels> PDEPanelsForType(std::string_view type, PDEPluginCallback* hostInfo) override;

  // The bundle held until PDEPanelsForType answers (nullptr afterwards).
  const std::shared_ptr<Bundle>& plugInBundle() const { return _plugInBundle; }

 private:
  std::shared_ptr<Bundle> _plugInBundle;
};

}  // namespace orval

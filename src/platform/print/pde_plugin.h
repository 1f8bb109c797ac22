// PDEPlugIn: the principal object of a print-dialog plug-in bundle.
//
// The dialog makes it through the bundle's principal-class factory, gives it
// its bundle, and asks it for the panels of a dialog type. The panels are the
// dialog's to own; the callback object stays the dialog's and outlives them.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/print/pde_panel.h"
#include "platform/print/pde_plugin_callback.h"

namespace orval {

// The dialog type of the print dialog (as opposed to the page setup dialog).
inline constexpr std::string_view kPrintDialogTypeID = "BDB091F4-E57F-11D3-B5CC-0050E4603277";

class PDEPlugIn : public BundlePrincipal {
 public:
  using Panels = std::vector<std::unique_ptr<PDEPanel>>;

  // Gives the plug-in its bundle; answers whether it accepts it.
  virtual bool initWithBundle(std::shared_ptr<Bundle> bundle) = 0;
  // The panels for a dialog of type, given the dialog's callback object
  // (hostInfo, possibly nullptr); nullopt when the plug-in makes none.
  virtual std::optional<Panels> PDEPanelsForType(std::string_view type,
                                                 PDEPluginCallback* hostInfo) = 0;
};

}  // namespace orval

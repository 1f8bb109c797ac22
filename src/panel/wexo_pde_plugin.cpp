#include "panel/wexo_pde_plugin.h"

#include "panel/wexo_pde_by_cocoa.h"

namespace orval {

WexoPDEPlugIn::WexoPDEPlugIn() = default;

WexoPDEPlugIn::~WexoPDEPlugIn() = default;

bool WexoPDEPlugIn::initWithBundle(std::shared_ptr<Bundle> bundle) {
  _plugInBundle = std::move(bundle);
  return true;
}

std::optional<PDEPlugIn::Panels> WexoPDEPlugIn::PDEPanelsForType(std::string_view type,
                                                                 PDEPluginCallback* hostInfo) {
  // The bundle is handed to the panel (or dropped) here, whatever the type.
  std::shared_ptr<Bundle> bundle = std::move(_plugInBundle);
  if (type != kPrintDialogTypeID) return std::nullopt;
  Panels panels;
  panels.push_back(std::make_unique<WexoPDEByCocoa>(hostInfo, std::move(bundle)));
  return panels;
}

}  // namespace orval

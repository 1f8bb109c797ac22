#include "settings_ui/td_window_controller.h"

#include "common/principal_bundle.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/application.h"

namespace orval {

TDWindowController::TDWindowController(std::string windowFileName) : _windowFileName(std::move(windowFileName)) {}

TDWindowController::~TDWindowController() = default;

tk::Window* TDWindowController::window() {
  if (_window) return _window.get();
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  const std::optional<std::filesystem::path> path =
      bundle ? bundle->pathForResource(_windowFileName, "plist") : std::nullopt;
  if (!path) {
    logMessage("###Error: the window " + _windowFileName + " is not among the bundle's resources");
    return nullptr;
  }
  std::string error;
  {
    const tk::SuspendedInterfaceLoadedHook suspended;
    _window = tk::loadInterfaceFile(*path, windowFactory(), &error);
  }
  if (!_window) {
    logMessage("###Error: the window " + _windowFileName + " cannot be loaded: " + error);
    return nullptr;
  }
  try {
    windowDidLoad();
  } catch (...) {
    // A window whose set-up failed has no actions bound: the next opening tries (and reports) again.
    _window.reset();
    throw;
  }
  return _window.get();
}

}  // namespace orval

// TDWindowController: the base of the plug-in's dialog controllers.
//
// A controller loads its window, on first use, from the interface file of
// its name in the principal bundle's resources ("<name>.plist", see
// platform/toolkit/interface_file.h). While it loads, the host application's
// own hook that runs after an interface file is loaded is suspended (and put
// back afterwards, also when loading fails), so that loading a plug-in
// dialog does not run the host's initialisation again. A window that cannot
// be loaded is logged and stays missing (window() answers nullptr; asked
// again, loading is tried again). A window whose set-up (windowDidLoad)
// raises is dropped and the exception passes on, so that the next opening
// tries again rather than showing a window with nothing bound; a controller
// whose set-up may raise forgets the views it found before it does.
#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/interface_file.h"
#include "platform/toolkit/window.h"

namespace orval {

class TDWindowController {
 public:
  // A controller of the window in the interface file windowFileName.
  explicit TDWindowController(std::string windowFileName);
  virtual ~TDWindowController();
  TDWindowController(const TDWindowController&) = delete;
  TDWindowController& operator=(const TDWindowController&) = delete;

  // The window, loaded on first use; nullptr when it cannot be loaded.
  tk::Window* window();
  bool isWindowLoaded() const { return _window != nullptr; }
  const std::string& windowFileName() const { return _windowFileName; }

 protected:
  // The window was loaded: the controller finds its views and binds its actions.
  virtual void windowDidLoad() {}
  // Makes windows of the controller's own classes (none by default).
  virtual tk::WindowFactory windowFactory() const { return {}; }

 private:
  std::string _windowFileName;
  std::unique_ptr<tk::Window> _window;
};

}  // namespace orval

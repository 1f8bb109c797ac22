// The About panel: a titleless panel showing the plug-in's version and
// copyright over a background image, closed by any click or key.
//
// AboutPanelController loads the interface file "About" (its window is a
// KORA_AboutPanel; views "versionField", "copyrightField",
// "backgroundImage"). When loaded, the background is the image named by the
// principal bundle's information key "QZAboutImage" (when present), the
// version label shows "%@.%@ (%@)" filled with the bundle's
// "CFBundleShortVersionString", "QZBuildVersion" and "CFBundleVersion", and
// the copyright label its "NSHumanReadableCopyright". The principal bundle
// is the plug-in's own; without one the labels stay empty.
#pragma once

#include <string>

#include "platform/toolkit/event.h"
#include "settings_ui/td_window_controller.h"
#include "settings_ui/titleless_panel.h"

namespace orval {

namespace tk {
class ImageView;
class TextField;
}  // namespace tk

// The About panel's window: any left or right mouse-button press or key
// press ends its modal run with the stop answer (-1000); no other event is
// passed on. Closing it ends the run with the abort answer (-1001).
class KORA_AboutPanel : public TitlelessPanel {
 public:
  using TitlelessPanel::TitlelessPanel;
  std::string className() const override { return "KORA_AboutPanel"; }
  void sendEvent(const tk::Event& event) override;
};

class AboutPanelController : public TDWindowController {
 public:
  // The interface file of the panel.
  static constexpr const char* kWindowFileName = "About";

  AboutPanelController();

  // Shows the About panel modally: clears the first responder, centres the
  // panel, runs it, ends editing and closes it; answers the modal answer
  // (the abort answer when the panel cannot be loaded).
  static int runModal();

  tk::TextField* versionField() const { return _versionField; }
  tk::TextField* copyrightField() const { return _copyrightField; }
  tk::ImageView* backgroundImage() const { return _backgroundImage; }

 protected:
  void windowDidLoad() override;
  tk::WindowFactory windowFactory() const override;

 private:
  tk::TextField* _versionField = nullptr;
  tk::TextField* _copyrightField = nullptr;
  tk::ImageView* _backgroundImage = nullptr;
};

}  // namespace orval

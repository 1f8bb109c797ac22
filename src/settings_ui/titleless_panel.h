// TitlelessPanel: a borderless floating panel with a shadow that can become
// the key and the main window.
//
// Whatever style it is asked for, it is borderless. Before it draws it puts
// itself on the main menu's window level while the application is active,
// and on the normal level otherwise; it draws again whenever the
// application becomes or stops being active.
#pragma once

#include <string>

#include "platform/toolkit/panel.h"

namespace orval {

class TitlelessPanel : public tk::Panel {
 public:
  explicit TitlelessPanel(tk::Rect frame = {0, 0, 400, 200}, std::string title = {},
                          unsigned styleMask = tk::BorderlessWindowMask);
  ~TitlelessPanel() override;

  std::string className() const override { return "TitlelessPanel"; }
  bool canBecomeKeyWindow() const { return true; }
  bool canBecomeMainWindow() const { return true; }
  // Takes its window level (see above), then draws.
  void display() override;
};

}  // namespace orval

// Panel: a window for dialogs and auxiliary tools.
#pragma once

#include "platform/toolkit/window.h"

namespace orval::tk {

class Panel : public Window {
 public:
  explicit Panel(Rect frame = {0, 0, 400, 200}, std::string title = {},
                 unsigned styleMask = TitledWindowMask | ClosableWindowMask)
      : Window(frame, std::move(title), styleMask) {}

  std::string className() const override { return "Panel"; }

  bool isFloatingPanel() const { return floating_; }
  void setFloatingPanel(bool floating) { floating_ = floating; }
  bool becomesKeyOnlyIfNeeded() const { return keyOnlyIfNeeded_; }
  void setBecomesKeyOnlyIfNeeded(bool only) { keyOnlyIfNeeded_ = only; }
  bool worksWhenModal() const { return worksWhenModal_; }
  void setWorksWhenModal(bool works) { worksWhenModal_ = works; }

 private:
  bool floating_ = false;
  bool keyOnlyIfNeeded_ = false;
  bool worksWhenModal_ = false;
};

}  // namespace orval::tk

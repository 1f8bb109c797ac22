#include "settings_ui/titleless_panel.h"

#include "platform/foundation/notification_center.h"
#include "platform/toolkit/application.h"

namespace orval {

TitlelessPanel::TitlelessPanel(tk::Rect frame, std::string title, unsigned styleMask)
    : tk::Panel(frame, std::move(title), tk::BorderlessWindowMask) {
  setHasShadow(true);
  for (const char* name : {tk::kApplicationDidBecomeActiveNotification, tk::kApplicationDidResignActiveNotification})
    NotificationCenter::defaultCenter().addObserver(this, name, nullptr, [this](const Notification&) { display(); });
}

TitlelessPanel::~TitlelessPanel() { NotificationCenter::defaultCenter().removeObserver(this); }

void TitlelessPanel::display() {
  const bool active = tk::Application::shared().isActive();
  setLevel(tk::windowLevelForKey(active ? tk::MainMenuWindowLevelKey : tk::NormalWindowLevelKey));
  tk::Panel::display();
}

}  // namespace orval

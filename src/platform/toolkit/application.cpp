#include "platform/toolkit/application.h"

#include <algorithm>
#include <string>

#include "platform/foundation/log.h"
#include "platform/foundation/notification_center.h"
#include "platform/toolkit/operator_error.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

namespace {

std::unique_ptr<Application>& sharedSlot() {
  static std::unique_ptr<Application> shared;
  return shared;
}

}  // namespace

Application& Application::shared() {
  auto& slot = sharedSlot();
  if (!slot) slot = std::make_unique<Application>();
  return *slot;
}

void Application::resetSharedForTesting() { sharedSlot() = std::make_unique<Application>(); }

Application* Application::sharedIfExists() { return sharedSlot().get(); }

Application::Application() = default;
Application::~Application() = default;

Operator& Application::requireOperator(const char* forWhat) const {
  if (!operator_) throw OperatorError(std::string("no operator to answer ") + forWhat);
  return *operator_;
}

Application::Session* Application::findSession(ModalSession id) {
  auto it = std::find_if(sessions_.begin(), sessions_.end(), [id](const Session& s) { return s.id == id; });
  return it == sessions_.end() ? nullptr : &*it;
}

Application::ModalSession Application::beginModalSessionForWindow(Window& window) {
  const ModalSession id = nextSession_++;
  sessions_.push_back({id, &window});
  window.makeKeyAndOrderFront();
  return id;
}

int Application::runModalSession(ModalSession session) {
  Session* s = findSession(session);
  if (!s) return ModalResponse::Abort;
  if (!s->stopped) runLoop_.runPendingTurns(RunLoopMode::ModalPanel);
  s = findSession(session);
  if (!s) return ModalResponse::Abort;
  if (!s->stopped) {
    if (!s->window) {
      s->stopped = true;
      s->code = ModalResponse::Abort;
    } else {
      Window& window = *s->window;
      const std::string what = "the modal run of window \"" + window.title() + "\"";
      requireOperator(what.c_str()).workModalWindow(window);
    }
  }
  s = findSession(session);
  if (!s) return ModalResponse::Abort;
  return s->stopped ? s->code : ModalResponse::Continue;
}

void Application::endModalSession(ModalSession session) {
  auto it = std::find_if(sessions_.begin(), sessions_.end(), [session](const Session& s) { return s.id == session; });
  if (it != sessions_.end()) sessions_.erase(it, sessions_.end());
}

int Application::runModalForWindow(Window& window) {
  const ModalSession session = beginModalSessionForWindow(window);
  // The session ends however the run ends (an operator may throw).
  struct End {
    Application& app;
    ModalSession session;
    ~End() { app.endModalSession(session); }
  } end{*this, session};
  int code = ModalResponse::Continue;
  while ((code = runModalSession(session)) == ModalResponse::Continue) {
  }
  return code;
}

void Application::stopModalWithCode(int code) {
  if (sessions_.empty()) {
    logMessage("### stopModal without a modal run");
    return;
  }
  // The innermost run ends after the current turn; a later stop in the same
  // turn replaces the code.
  Session& innermost = sessions_.back();
  innermost.stopped = true;
  innermost.code = code;
}

Window* Application::modalWindow() const { return sessions_.empty() ? nullptr : sessions_.back().window; }

std::vector<Window*> Application::modalWindows() const {
  std::vector<Window*> windows;
  for (const Session& s : sessions_)
    if (s.window) windows.push_back(s.window);
  return windows;
}

void Application::windowWillGoAway(Window& window) {
  for (Session& s : sessions_) {
    if (s.window != &window) continue;
    s.window = nullptr;
    if (!s.stopped) {
      s.stopped = true;
      s.code = ModalResponse::Abort;
    }
  }
}

void Application::setActive(bool active) {
  if (active == active_) return;
  active_ = active;
  NotificationCenter::defaultCenter().post(active ? kApplicationDidBecomeActiveNotification
                                                  : kApplicationDidResignActiveNotification);
}

void Application::interfaceDidLoad() {
  if (interfaceLoadedHook_) interfaceLoadedHook_();
}

CurrentEventScope::CurrentEventScope(const Event& event)
    : event_(event), previous_(Application::shared().currentEvent_) {
  Application::shared().currentEvent_ = &event_;
}

CurrentEventScope::~CurrentEventScope() { Application::shared().currentEvent_ = previous_; }

SuspendedInterfaceLoadedHook::SuspendedInterfaceLoadedHook()
    : saved_(Application::shared().interfaceLoadedHook()) {
  Application::shared().setInterfaceLoadedHook(nullptr);
}

SuspendedInterfaceLoadedHook::~SuspendedInterfaceLoadedHook() {
  Application::shared().setInterfaceLoadedHook(std::move(saved_));
}

void beep() { Application::shared().beep(); }

}  // namespace orval::tk

// Application: the process-wide user-interface state: modal runs, the run
// loop, the operator who answers dialogs, beeps and activity.
//
// runModalForWindow shows the window and then, turn after turn, drains the
// run loop's modal-panel items and lets the operator work the window until
// stopModal / stopModalWithCode / abortModal ends the innermost run. Runs
// nest: a modal window's action may run another window modally.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit/event.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/operator.h"
#include "platform/toolkit/run_loop.h"

namespace orval::tk {

class Window;

// Posted (through the process's notification centre, with no sender) when
// the application becomes or stops being the active one.
inline constexpr const char* kApplicationDidBecomeActiveNotification = "ApplicationDidBecomeActive";
inline constexpr const char* kApplicationDidResignActiveNotification = "ApplicationDidResignActive";

class Application {
 public:
  using ModalSession = std::uint64_t;

  // The process-wide application, created on first use.
  static Application& shared();
  // Replaces the shared application by a fresh one (test-only).
  static void resetSharedForTesting();
  // The shared application when it exists, else nullptr (never creates it).
  static Application* sharedIfExists();

  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The operator -------------------------------------------------------------------

  // Sets who answers dialogs (nullptr: no one; a dialog then throws OperatorError).
  void setOperator(std::shared_ptr<Operator> op) { operator_ = std::move(op); }
  Operator* currentOperator() const { return operator_.get(); }
  // The operator, or OperatorError naming what needed an answer.
  Operator& requireOperator(const char* forWhat) const;

  // Modal runs -----------------------------------------------------------------------

  // Runs window modally until the run is stopped; answers the stop code.
  int runModalForWindow(Window& window);
  // Starts a modal session for window (shows it); answers its handle.
  ModalSession beginModalSessionForWindow(Window& window);
  // One turn of a session: drains modal-panel items and, unless stopped, lets
  // the operator work once; answers Continue while the session goes on, else its code.
  int runModalSession(ModalSession session);
  // Ends a session (and the sessions begun inside it).
  void endModalSession(ModalSession session);
  // Ends the innermost modal run with Stop (-1000); nothing without one.
  void stopModal() { stopModalWithCode(ModalResponse::Stop); }
  // Ends the innermost modal run with code after the current turn (a second
  // stop in the same turn replaces the code); nothing without a run.
  void stopModalWithCode(int code);
  // Ends the innermost modal run with Abort (-1001).
  void abortModal() { stopModalWithCode(ModalResponse::Abort); }
  // The window of the innermost modal run, or nullptr.
  Window* modalWindow() const;
  // The windows of the running modal runs, outermost first.
  std::vector<Window*> modalWindows() const;
  bool isRunningModal() const { return !sessions_.empty(); }

  // The run loop and the rest ------------------------------------------------------------

  RunLoop& runLoop() { return runLoop_; }
  // Sounds the alert beep (counted, for tests and hosts).
  void beep() { ++beeps_; }
  int beepCount() const { return beeps_; }
  // True while the application is the active one (front-most).
  bool isActive() const { return active_; }
  // Makes the application active or not; a change is posted (see above).
  void setActive(bool active);

  // The event being handled (a click or key press the person made), or
  // nullptr; controls that the person works set it for the time they act.
  const Event* currentEvent() const { return currentEvent_; }

  // Interface files ------------------------------------------------------------------------

  // The host application's own hook, run after every interface file is
  // loaded (interface_file.h); none by default.
  using InterfaceLoadedHook = std::function<void()>;
  const InterfaceLoadedHook& interfaceLoadedHook() const { return interfaceLoadedHook_; }
  void setInterfaceLoadedHook(InterfaceLoadedHook hook) { interfaceLoadedHook_ = std::move(hook); }
  // An interface file was loaded: runs the hook.
  void interfaceDidLoad();

 private:
  friend class Window;
  friend class CurrentEventScope;
  struct Session {
    ModalSession id;
    Window* window;
    bool stopped = false;
    int code = ModalResponse::Continue;
  };
  Session* findSession(ModalSession id);
  // A window is destroyed: its sessions end with Abort and forget it.
  void windowWillGoAway(Window& window);

  std::shared_ptr<Operator> operator_;
  std::vector<Session> sessions_;
  ModalSession nextSession_ = 1;
  RunLoop runLoop_;
  int beeps_ = 0;
  bool active_ = true;
  InterfaceLoadedHook interfaceLoadedHook_;
  const Event* currentEvent_ = nullptr;
};

// While alive, event is the shared application's current event; the one
// before it is put back when it goes.
class CurrentEventScope {
 public:
  explicit CurrentEventScope(const Event& event);
  ~CurrentEventScope();
  CurrentEventScope(const CurrentEventScope&) = delete;
  CurrentEventScope& operator=(const CurrentEventScope&) = delete;

 private:
  Event event_;
  const Event* previous_;
};

// While alive, the shared application's interface-loaded hook is replaced by
// none; the hook is put back when it goes (also when an exception passes).
class SuspendedInterfaceLoadedHook {
 public:
  SuspendedInterfaceLoadedHook();
  ~SuspendedInterfaceLoadedHook();
  SuspendedInterfaceLoadedHook(const SuspendedInterfaceLoadedHook&) = delete;
  SuspendedInterfaceLoadedHook& operator=(const SuspendedInterfaceLoadedHook&) = delete;

 private:
  Application::InterfaceLoadedHook saved_;
};

// Sounds the alert beep of the shared application.
void beep();

}  // namespace orval::tk

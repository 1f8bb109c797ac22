// Window: a top-level window with a content view, a title, a first
// responder, a field editor and sheets.
//
// The window owns its content view. It lends its field editor to the text
// field that takes the focus; makeFirstResponder asks the current first
// responder to give up the focus first and answers false when it refuses
// (a field whose delegate refuses to end editing keeps it).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/toolkit/event.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/geometry.h"
#include "platform/toolkit/responder.h"
#include "platform/toolkit/view.h"

namespace orval::tk {

class Window;
class TextField;

class WindowDelegate {
 public:
  virtual ~WindowDelegate() = default;
  // False keeps the window open when the person closes it.
  virtual bool windowShouldClose(Window& window) { return true; }
  virtual void windowWillClose(Window& window) {}
  // The field editor field is edited with, or nullptr for the usual one
  // (the field's own editor when it has one, else the window's).
  virtual FieldEditor* fieldEditorForField(Window& window, TextField& field) { return nullptr; }
};

// The keys of the window server's levels, and the level each names.
enum WindowLevelKey : int {
  BaseWindowLevelKey = 1,
  NormalWindowLevelKey = 4,
  FloatingWindowLevelKey = 5,
  ModalPanelWindowLevelKey = 10,
  MainMenuWindowLevelKey = 8,
  StatusWindowLevelKey = 9,
  PopUpMenuWindowLevelKey = 11,
};
// The level of key (0, the normal level, for a key not listed).
int windowLevelForKey(int key);

// Window style bits (combine with |).
enum WindowStyle : unsigned {
  BorderlessWindowMask = 0,
  TitledWindowMask = 1 << 0,
  ClosableWindowMask = 1 << 1,
  MiniaturizableWindowMask = 1 << 2,
  ResizableWindowMask = 1 << 3,
};

class Window : public Responder {
 public:
  explicit Window(Rect frame = {0, 0, 480, 360}, std::string title = {},
                  unsigned styleMask = TitledWindowMask | ClosableWindowMask);
  ~Window() override;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The platform class this window stands for.
  virtual std::string className() const { return "Window"; }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  const Rect& frame() const { return frame_; }
  void setFrame(Rect frame) { frame_ = frame; }
  unsigned styleMask() const { return styleMask_; }
  void setStyleMask(unsigned mask) { styleMask_ = mask; }
  bool hasShadow() const { return hasShadow_; }
  void setHasShadow(bool has) { hasShadow_ = has; }
  // The window server level (0 normal; higher floats above).
  int level() const { return level_; }
  void setLevel(int level) { level_ = level; }
  WindowDelegate* delegate() const { return delegate_; }
  // Sets the delegate (not owned).
  void setDelegate(WindowDelegate* delegate) { delegate_ = delegate; }
  // The name the window's frame is kept under between runs ("" for none).
  const std::string& frameAutosaveName() const { return frameAutosaveName_; }
  void setFrameAutosaveName(std::string name) { frameAutosaveName_ = std::move(name); }

  // Drawing and events -----------------------------------------------------------

  // Draws the window: a host calls it before it shows the window's state
  // (counted, for hosts and tests).
  virtual void display() { ++displays_; }
  int displayCount() const { return displays_; }
  // A raw mouse or keyboard event for the window; the default passes it on
  // to nothing (controls are acted on directly in this model).
  virtual void sendEvent(const Event& event) {}

  // Content ----------------------------------------------------------------------

  // The content view (a window always has one).
  View& contentView() const { return *content_; }
  // Replaces the content view; the old one is destroyed. It takes the
  // content size of the window.
  void setContentView(std::unique_ptr<View> view);

  // Visibility -------------------------------------------------------------------

  bool isVisible() const { return visible_; }
  void orderFront() { visible_ = true; }
  void makeKeyAndOrderFront() { visible_ = true; }
  // Hides the window (its state is kept).
  void orderOut();
  // Centres the window on a 1440 x 900 screen.
  void center();
  // The person closes the window: asks the delegate, then closes; false when refused.
  bool performClose();
  // Closes the window: tells the delegate and hides it. A window in a modal
  // run ends that run with the abort answer.
  void close();

  // Focus --------------------------------------------------------------------------

  // The first responder: a view, a field editor, or the window itself.
  Responder* firstResponder() const { return firstResponder_ ? firstResponder_ : const_cast<Window*>(this); }
  // Gives the focus to responder (nullptr or the window: the window itself).
  // The current first responder must give it up first (false when it keeps
  // it); a text field starts editing with all its text selected.
  bool makeFirstResponder(Responder* responder);
  // Ends the editing of the field being edited at once (committing its text,
  // without asking); the window becomes first responder.
  void endEditingFor(Responder* responder);
  // True when view lies in this window's view tree (compares addresses only).
  bool containsView(const View* view) const;
  // The window's shared field editor.
  FieldEditor& fieldEditor() { return *fieldEditor_; }
  // Gives the focus to the next / previous key view of the current one.
  bool selectNextKeyView();
  bool selectPreviousKeyView();
  View* initialFirstResponder() const { return initialFirstResponder_; }
  void setInitialFirstResponder(View* view) { initialFirstResponder_ = view; }
  bool acceptsFirstResponder() const override { return true; }

  // Sheets -------------------------------------------------------------------------

  // Attaches sheet to this window; the application's operator works it until
  // endSheet is called (the handler then receives the code). A window with a
  // sheet already attached refuses another (false).
  bool beginSheet(Window& sheet, std::function<void(int returnCode)> completion);
  // Detaches sheet, hides it and calls its completion handler with code.
  void endSheet(Window& sheet, int returnCode);
  Window* attachedSheet() const { return sheet_; }
  Window* sheetParent() const { return sheetParent_; }
  bool isSheet() const { return sheetParent_ != nullptr; }

  // A token that expires when the window is destroyed: a host that renders
  // the window tests it before it reads the window again.
  std::weak_ptr<const void> windowLifetime() const { return life_; }

 private:
  friend class View;
  friend class TextField;
  friend class FieldEditor;
  // A view (with its subtree) leaves the window: the focus leaves it too.
  void viewWillLeave(View& view);
  // The field is destroyed or leaves: its editing ends without calls.
  void fieldWillGoAway(TextField& field);
  FieldEditor& editorFor(TextField& field);

  std::string title_;
  Rect frame_;
  unsigned styleMask_;
  bool hasShadow_ = true;
  int level_ = 0;
  std::string frameAutosaveName_;
  int displays_ = 0;
  bool visible_ = false;
  WindowDelegate* delegate_ = nullptr;
  std::unique_ptr<FieldEditor> fieldEditor_;
  Responder* firstResponder_ = nullptr;
  View* initialFirstResponder_ = nullptr;
  Window* sheet_ = nullptr;
  Window* sheetParent_ = nullptr;
  std::function<void(int)> sheetCompletion_;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  // Declared last: destroyed first, while the field editor still exists.
  std::unique_ptr<View> content_;
};

}  // namespace orval::tk

// Renderer: shows the toolkit's model windows as Qt widgets and keeps the two
// in step.
//
// The model holds every piece of state; a widget is only its picture and the
// place where a person's input arrives. Each model view gets one widget of
// the kind its class calls for (a line edit for a text field, a combo box for
// a pop-up, ...), placed at its frame turned upside down (the model's y grows
// upwards, Qt's downwards). Input goes into the model the way the model
// expects it (performClick, chooseItemAtIndex, the field editor's
// keystrokes, ...); then the run loop's pending turns run and every rendered
// window is read again from the model, so that whatever the input changed
// (enabled, hidden, values, items, titles, whole subtrees) shows at once.
// Operators read the model again before they show an alert or a modal window.
//
// Widgets are matched to views by address and lifetime token: a destroyed
// view's widget goes, a view that left every rendered tree (an unselected
// tab's view, a pane's view given back) has its widget hidden until it comes
// back, possibly under another parent.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class QEventLoop;

namespace orval::tk {
class View;
class Window;
}  // namespace orval::tk

namespace orval::qt {

class Renderer {
 public:
  // The renderer of the process (one QApplication, one model).
  static Renderer& shared();

  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // The top-level widget of window, made on first use, read from the model.
  QWidget& windowWidget(tk::Window& window);
  // The model window a top-level widget shows, or nullptr.
  tk::Window* windowOf(const QWidget* widget) const;
  // The widget showing view, or nullptr when it is not rendered (yet).
  QWidget* widgetFor(const tk::View& view) const;
  // The view a widget shows, or nullptr.
  tk::View* viewOf(const QWidget* widget) const;
  // Reads every rendered window again from the model.
  void sync();
  // Deletes every widget (before the QApplication goes).
  void clear();
  // True while sync runs (widgets ignore the signals it causes).
  bool isSyncing() const { return syncing_ > 0; }

  // A person's input reached the model: runs the run loop's pending turns,
  // syncs, and ends the turn of a modal run waiting in runOneTurn.
  void inputDelivered();
  // One turn of the person at a modal window: runs Qt's events until an
  // input reached the model (or the window went away or was hidden).
  void runOneTurn(tk::Window& window);

 private:
  struct ViewEntry;
  struct WindowEntry;
  class Sync;

  std::vector<std::unique_ptr<WindowEntry>> windows_;
  std::unordered_map<const tk::View*, std::unique_ptr<ViewEntry>> views_;
  std::unordered_map<const QWidget*, tk::View*> viewOfWidget_;
  std::vector<QEventLoop*> turns_;
  int syncing_ = 0;
  bool draining_ = false;
};

}  // namespace orval::qt

// The Qt widgets that take a person's input for model views which Qt's own
// widgets cannot take as they are: the top-level window, the text field
// (every keystroke goes through the model's field editor), the stepper, the
// radio matrix and the tab view. Each holds its model object with that
// object's lifetime token and does nothing once the object is gone.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QScrollArea;
class QTabBar;

namespace orval::tk {
class FieldEditor;
class Matrix;
class Stepper;
class TabView;
class TextField;
class Window;
}  // namespace orval::tk

namespace orval::qt {

// The top-level widget of a model window: closing asks the model window,
// Return and Escape press its key-equivalent buttons.
class WindowWidget : public QWidget {
 public:
  WindowWidget(tk::Window& window);
  // The model window, or nullptr once it is gone.
  tk::Window* window() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  tk::Window* window_;
  std::weak_ptr<const void> life_;
};

// A text field or password field: shows the field's text, or the field
// editor's text and selection while the field is edited; each keystroke is
// one keystroke of the model's field editor, so the field's formatter and
// delegate accept, refuse or replace it exactly as in the model.
class FieldWidget : public QLineEdit {
 public:
  FieldWidget(tk::TextField& field, QWidget* parent);
  // The model field, or nullptr once it is gone.
  tk::TextField* field() const;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // The field editor, starting the edit when the field is not edited yet; nullptr when refused.
  tk::FieldEditor* beginEditing();
  // Hands the selection the person made with the mouse or arrow keys to the editor.
  void copySelectionTo(tk::FieldEditor& editor) const;

  tk::TextField* field_;
  std::weak_ptr<const void> life_;
};

// A stepper: two arrow buttons, up above down.
class StepperWidget : public QWidget {
 public:
  StepperWidget(tk::Stepper& stepper, QWidget* parent);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QAbstractButton* up_;
  QAbstractButton* down_;
};

// A matrix of radio (or check box) cells in rows and columns.
class MatrixWidget : public QWidget {
 public:
  MatrixWidget(tk::Matrix& matrix, QWidget* parent);
  // Reads cells, titles, states and enabling from the matrix.
  void update(const tk::Matrix& matrix);

 private:
  tk::Matrix* matrix_;
  std::weak_ptr<const void> life_;
  int rows_ = -1;
  int columns_ = -1;
  std::vector<QAbstractButton*> cells_;
};

// A tab view: the selected tab's view fills it, as in the model (whose
// layouts leave room at the top for the tabs), and the tab bar (when the
// type has tabs) lies over that room. A tab's view taller than the tab view
// scrolls.
class TabViewWidget : public QWidget {
 public:
  TabViewWidget(tk::TabView& tabView, QWidget* parent);
  // Reads the tabs, the selected tab and the type from the tab view.
  void update(const tk::TabView& tabView);
  // Where the selected tab's view goes.
  QWidget* contentArea() const { return inner_; }
  // Makes the scrolled area height points tall (at least the tab view's height).
  void setContentHeight(int height);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void layOut();

  QTabBar* bar_;
  QScrollArea* content_;
  QWidget* inner_;
  int contentHeight_ = 0;
  bool tabsShown_ = true;
};

// Runs action on a model object when its lifetime token still holds, then
// tells the renderer that an input reached the model.
void deliver(const std::weak_ptr<const void>& life, const std::function<void()>& action);

}  // namespace orval::qt

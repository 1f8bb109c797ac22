#include "qt/model_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

#include "platform/toolkit/button.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/stepper.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"
#include "qt/renderer.h"

namespace orval::qt {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The first usable button of window's views that answers matches.
tk::Button* findButton(tk::Window& window, const std::function<bool(const tk::Button&)>& matches) {
  for (tk::View* v : window.contentView().findSubviews([&](const tk::View& view) {
         const auto* button = dynamic_cast<const tk::Button*>(&view);
         return button != nullptr && button->isEnabled() && !button->isHiddenOrHasHiddenAncestor() && matches(*button);
       }))
    return static_cast<tk::Button*>(v);
  return nullptr;
}

}  // namespace

void deliver(const std::weak_ptr<const void>& life, const std::function<void()>& action) {
  if (life.expired() || Renderer::shared().isSyncing()) return;
  action();
  Renderer::shared().inputDelivered();
}

// WindowWidget ---------------------------------------------------------------------------------------------

WindowWidget::WindowWidget(tk::Window& window)
    : QWidget(nullptr, Qt::Dialog), window_(&window), life_(window.windowLifetime()) {
  setAttribute(Qt::WA_DeleteOnClose, false);
}

tk::Window* WindowWidget::window() const { return life_.expired() ? nullptr : window_; }

void WindowWidget::closeEvent(QCloseEvent* event) {
  // The model decides: the window hides when the model closes it.
  event->ignore();
  deliver(life_, [this] { window_->performClose(); });
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  tk::Window* window = this->window();
  tk::Button* button = nullptr;
  if (window != nullptr && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
    button = findButton(*window, [](const tk::Button& b) { return b.keyEquivalent() == "\r"; });
  else if (window != nullptr && event->key() == Qt::Key_Escape)
    button = findButton(*window, [](const tk::Button& b) { return b.keyEquivalent() == "\x1b"; });
  // Without an Escape button, the cancel button: titled "Cancel", or (its title localized) sending a cancel action.
  if (window != nullptr && event->key() == Qt::Key_Escape && button == nullptr)
    button = findButton(*window, [](const tk::Button& b) {
      return b.title() == "Cancel" || b.action() == "cancelButton:" || b.action() == "cancel:";
    });
  if (button == nullptr) {
    QWidget::keyPressEvent(event);
    return;
  }
  deliver(life_, [button] { button->performClick(); });
}

// FieldWidget ----------------------------------------------------------------------------------------------

FieldWidget::FieldWidget(tk::TextField& field, QWidget* parent)
    : QLineEdit(parent), field_(&field), life_(field.viewLifetime()) {
  // Every change of the text comes from the model: no undo, drops or menu of Qt's own.
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  setDragEnabled(false);
  setFocusPolicy(Qt::StrongFocus);
}

tk::TextField* FieldWidget::field() const { return life_.expired() ? nullptr : field_; }

tk::FieldEditor* FieldWidget::beginEditing() {
  tk::TextField* field = this->field();
  if (field == nullptr) return nullptr;
  if (field->currentEditor() == nullptr)
    if (tk::Window* window = field->window()) window->makeFirstResponder(field);
  return field->currentEditor();
}

void FieldWidget::copySelectionTo(tk::FieldEditor& editor) const {
  if (hasSelectedText())
    editor.setSelectedRange({static_cast<std::size_t>(selectionStart()), static_cast<std::size_t>(selectedText().size())});
  else
    editor.setSelectedRange({static_cast<std::size_t>(cursorPosition()), 0});
}

bool FieldWidget::event(QEvent* event) {
  // Tab and Shift-Tab move the focus through the model's key view chain.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
      deliver(life_, [this, back] {
        tk::FieldEditor* editor = field_->currentEditor();
        if (editor != nullptr) {
          back ? editor->insertBacktab() : editor->insertTab();
        } else if (tk::Window* window = field_->window()) {
          back ? window->selectPreviousKeyView() : window->selectNextKeyView();
        }
      });
      return true;
    }
  }
  return QLineEdit::event(event);
}

void FieldWidget::keyPressEvent(QKeyEvent* event) {
  tk::TextField* field = this->field();
  if (field == nullptr || Renderer::shared().isSyncing()) return;
  const bool editable = field->isEditable() && field->isEnabled();
  if (event->key() == Qt::Key_Escape || ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !editable)) {
    event->ignore();  // the window's buttons answer these
    return;
  }
  if (event->matches(QKeySequence::Copy) || !editable) {
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll) ||
        event->key() == Qt::Key_Left || event->key() == Qt::Key_Right || event->key() == Qt::Key_Home ||
        event->key() == Qt::Key_End)
      QLineEdit::keyPressEvent(event);
    return;
  }
  const QString text = event->text();
  const bool printable = !text.isEmpty() && text.at(0).unicode() >= 0x20 && text.at(0).unicode() != 0x7f &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
  deliver(life_, [&] {
    tk::FieldEditor* editor = beginEditing();
    if (editor == nullptr) return;
    copySelectionTo(*editor);
    if (event->matches(QKeySequence::Paste)) {
      editor->replaceCharactersInRange(editor->selectedRange(), QApplication::clipboard()->text().toStdString());
    } else if (event->matches(QKeySequence::Cut)) {
      if (hasSelectedText()) {
        QApplication::clipboard()->setText(selectedText());
        editor->deleteBackward();
      }
    } else if (event->matches(QKeySequence::SelectAll)) {
      editor->selectAll();
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
      // No undo of Qt's own: the model's text is the only text.
    } else if (event->key() == Qt::Key_Backspace) {
      editor->deleteBackward();
    } else if (event->key() == Qt::Key_Delete) {
      editor->deleteForward();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      editor->insertNewline();
    } else if (printable) {
      editor->insertText(text.toStdString());
    } else {
      // Caret movement and selection: Qt moves, the editor follows.
      QLineEdit::keyPressEvent(event);
      copySelectionTo(*editor);
    }
  });
}

void FieldWidget::inputMethodEvent(QInputMethodEvent* event) {
  // Composed text (an input method's result) is one keystroke.
  if (event->commitString().isEmpty()) return;
  const std::string text = event->commitString().toStdString();
  deliver(life_, [&] {
    if (tk::FieldEditor* editor = beginEditing()) {
      copySelectionTo(*editor);
      editor->insertText(text);
    }
  });
}

void FieldWidget::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::MouseFocusReason && reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) return;
  deliver(life_, [this] { beginEditing(); });
}

void FieldWidget::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  // A click into another field hands the focus over there (the model asks this field first).
  if (dynamic_cast<FieldWidget*>(QApplication::focusWidget()) != nullptr) return;
  deliver(life_, [this] {
    if (field_->currentEditor() != nullptr)
      if (tk::Window* window = field_->window()) window->makeFirstResponder(nullptr);
  });
}

void FieldWidget::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (tk::TextField* field = this->field())
    if (tk::FieldEditor* editor = field->currentEditor()) copySelectionTo(*editor);
}

// StepperWidget ----------------------------------------------------------------------------------------------

StepperWidget::StepperWidget(tk::Stepper& stepper, QWidget* parent) : QWidget(parent) {
  auto* up = new QToolButton(this);
  auto* down = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  down->setArrowType(Qt::DownArrow);
  up->setFocusPolicy(Qt::NoFocus);
  down->setFocusPolicy(Qt::NoFocus);
  const std::weak_ptr<const void> life = stepper.viewLifetime();
  tk::Stepper* model = &stepper;
  connect(up, &QToolButton::clicked, this, [life, model] { deliver(life, [model] { model->clickUp(); }); });
  connect(down, &QToolButton::clicked, this, [life, model] { deliver(life, [model] { model->clickDown(); }); });
  up_ = up;
  down_ = down;
}

void StepperWidget::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

// MatrixWidget -----------------------------------------------------------------------------------------------

MatrixWidget::MatrixWidget(tk::Matrix& matrix, QWidget* parent)
    : QWidget(parent), matrix_(&matrix), life_(matrix.viewLifetime()) {}

void MatrixWidget::update(const tk::Matrix& matrix) {
  const int rows = matrix.numberOfRows();
  const int columns = matrix.numberOfColumns();
  if (rows != rows_ || columns != columns_) {
    for (QAbstractButton* cell : cells_) delete cell;
    cells_.clear();
    rows_ = rows;
    columns_ = columns;
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        const tk::ButtonCell* model = matrix.cellAtRow(r, c);
        QAbstractButton* cell = model != nullptr && model->buttonType() == tk::ButtonType::Switch
                                    ? static_cast<QAbstractButton*>(new QCheckBox(this))
                                    : new QRadioButton(this);
        cell->setAutoExclusive(false);
        cell->setFocusPolicy(Qt::TabFocus);
        connect(cell, &QAbstractButton::clicked, this,
                [this, r, c] { deliver(life_, [this, r, c] { matrix_->chooseCellAtRow(r, c); }); });
        cell->show();
        cells_.push_back(cell);
      }
    }
  }
  const tk::Size size = matrix.cellSize();
  const double cellWidth = size.width > 0 ? size.width : matrix.frame().width / std::max(columns, 1);
  const double cellHeight = size.height > 0 ? size.height : matrix.frame().height / std::max(rows, 1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      QAbstractButton* cell = cells_[static_cast<std::size_t>(r * columns + c)];
      const tk::ButtonCell* model = matrix.cellAtRow(r, c);
      // Rows run from the top down, as in the platform's matrices.
      cell->setGeometry(static_cast<int>(c * cellWidth), static_cast<int>(r * cellHeight), static_cast<int>(cellWidth),
                        static_cast<int>(cellHeight));
      if (cell->text() != qs(model->title())) cell->setText(qs(model->title()));
      cell->setEnabled(matrix.isEnabled() && model->isEnabled());
      cell->setChecked(model->state() == tk::ControlState::On);
    }
  }
}

// TabViewWidget ----------------------------------------------------------------------------------------------

TabViewWidget::TabViewWidget(tk::TabView& tabView, QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)), content_(new QScrollArea(this)), inner_(new QWidget()) {
  content_->setFrameShape(QFrame::NoFrame);
  content_->setWidgetResizable(false);
  content_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  content_->setWidget(inner_);
  content_->viewport()->setAutoFillBackground(false);
  inner_->setAutoFillBackground(false);
  bar_->setFocusPolicy(Qt::TabFocus);
  bar_->setExpanding(false);
  bar_->setDrawBase(false);
  const std::weak_ptr<const void> life = tabView.viewLifetime();
  tk::TabView* model = &tabView;
  connect(bar_, &QTabBar::tabBarClicked, this,
          [life, model](int index) { deliver(life, [model, index] { model->selectTabViewItemAtIndex(index); }); });
  bar_->raise();
}

void TabViewWidget::setContentHeight(int height) {
  if (height == contentHeight_) return;
  contentHeight_ = height;
  layOut();
}

void TabViewWidget::update(const tk::TabView& tabView) {
  const std::vector<tk::TabViewItem*> items = tabView.tabViewItems();
  QSignalBlocker block(bar_);
  while (bar_->count() > static_cast<int>(items.size())) bar_->removeTab(bar_->count() - 1);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const QString label = qs(items[i]->label());
    if (static_cast<int>(i) >= bar_->count()) bar_->addTab(label);
    else if (bar_->tabText(static_cast<int>(i)) != label) bar_->setTabText(static_cast<int>(i), label);
    bar_->setTabToolTip(static_cast<int>(i), qs(items[i]->toolTip()));
  }
  const int selected = tabView.indexOfTabViewItem(tabView.selectedTabViewItem());
  if (selected >= 0 && bar_->currentIndex() != selected) bar_->setCurrentIndex(selected);
  const tk::TabViewType type = tabView.tabViewType();
  const bool tabs = type != tk::TabViewType::NoTabsBezelBorder && type != tk::TabViewType::NoTabsLineBorder &&
                    type != tk::TabViewType::NoTabsNoBorder;
  if (tabs != tabsShown_ || bar_->isHidden() == tabs) {
    tabsShown_ = tabs;
    bar_->setVisible(tabs);
    layOut();
  }
}

void TabViewWidget::resizeEvent(QResizeEvent*) { layOut(); }

void TabViewWidget::layOut() {
  const int barHeight = tabsShown_ ? bar_->sizeHint().height() : 0;
  bar_->setGeometry(8, 0, std::max(0, width() - 16), barHeight);
  content_->setGeometry(0, 0, width(), height());
  const bool scrolls = contentHeight_ > height();
  const int scroller = scrolls ? content_->verticalScrollBar()->sizeHint().width() : 0;
  inner_->resize(std::max(0, width() - scroller), std::max(contentHeight_, height()));
  bar_->raise();
}

}  // namespace orval::qt

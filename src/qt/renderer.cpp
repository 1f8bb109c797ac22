#include "qt/renderer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStandardItemModel>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/toolkit/application.h"
#include "platform/toolkit/box.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/date_picker.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/image_view.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/scroll_view.h"
#include "platform/toolkit/slider.h"
#include "platform/toolkit/stepper.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/table_view.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"
#include "qt/model_widgets.h"
#include "qt/widget_kinds.h"

namespace orval::qt {

namespace {

// A clock or calendar picker: a settings control lays them below its own frame, where a widget
// would be clipped to a sliver, so they are not drawn; the date field's pop-up calendar and the
// time field edit the same value.
bool isGraphicalDatePicker(const tk::View& view) {
  const auto* picker = dynamic_cast<const tk::DatePicker*>(&view);
  return picker != nullptr && picker->datePickerStyle() == tk::DatePickerStyle::ClockAndCalendar;
}

}  // namespace

struct Renderer::ViewEntry {
  std::weak_ptr<const void> life;
  WidgetKind kind = WidgetKind::Plain;
  QPointer<QWidget> widget;
  // The last state read into item lists (pop-up items, table rows), to rebuild only on change.
  std::string signature;
  std::vector<QWidget*> order;
};

struct Renderer::WindowEntry {
  tk::Window* window;
  std::weak_ptr<const void> life;
  QPointer<WindowWidget> widget;
};

// One pass over the rendered windows.
class Renderer::Sync {
 public:
  explicit Sync(Renderer& renderer) : r_(renderer) {}

  void window(WindowEntry& entry) {
    tk::Window& window = *entry.window;
    WindowWidget& top = *entry.widget;
    if (!window.isVisible()) {
      // A hidden window is read again when it shows; its widgets stay as they are meanwhile.
      if (top.isVisible()) top.hide();
      return;
    }
    if (top.windowTitle() != qs(window.title())) top.setWindowTitle(qs(window.title()));
    tk::View& content = window.contentView();
    const QSize size(static_cast<int>(std::lround(content.frame().width)), static_cast<int>(std::lround(content.frame().height)));
    if (top.size() != size) top.setFixedSize(size);
    QWidget* root = view(content, &top, content.frame().height);
    root->setGeometry(0, 0, size.width(), size.height());
    modality(entry);
    if (window.isVisible() != top.isVisible()) top.setVisible(window.isVisible());
    focus(window, top);
  }

  // Renders view under parent, whose model height (for turning y around) is parentHeight.
  QWidget* view(tk::View& v, QWidget* parent, double parentHeight, double growDown = 0) {
    seen_.insert(&v);
    ViewEntry& e = entry(v, parent);
    QWidget* w = e.widget;
    if (e.kind != WidgetKind::Clip && w->parentWidget() != parent) w->setParent(parent);
    if (e.kind == WidgetKind::Clip && w->parentWidget() == nullptr) w->setParent(parent);
    const tk::Rect& f = v.frame();
    if (e.kind != WidgetKind::Clip)
      place(w, QRect(static_cast<int>(std::lround(f.x)), static_cast<int>(std::lround(parentHeight - f.maxY())),
                     static_cast<int>(std::lround(f.width)), static_cast<int>(std::lround(f.height + growDown))));
    showViewState(v, e.kind, *e.widget, e.signature);
    children(v, e);
    const bool hidden = v.isHidden() || isGraphicalDatePicker(v);
    if (w->isHidden() != hidden) w->setVisible(!hidden);
    return w;
  }

  // Hides the widgets of views that left every rendered tree (widgets inside a hidden window
  // are not visible and stay as they are); drops those of destroyed views.
  void prune() {
    for (auto it = r_.views_.begin(); it != r_.views_.end();) {
      ViewEntry& e = *it->second;
      if (e.life.expired() || !e.widget) {
        if (e.widget) e.widget->deleteLater();
        it = r_.views_.erase(it);
        continue;
      }
      if (!seen_.count(it->first) && e.widget->isVisible()) e.widget->hide();
      ++it;
    }
  }

 private:
  static void place(QWidget* w, const QRect& rect) {
    if (w->geometry() != rect) w->setGeometry(rect);
  }

  ViewEntry& entry(tk::View& v, QWidget* parent) {
    auto found = r_.views_.find(&v);
    const WidgetKind kind = widgetKindOf(v);
    if (found != r_.views_.end()) {
      ViewEntry& e = *found->second;
      if (!e.life.expired() && e.widget && e.kind == kind) return e;
      if (e.widget) e.widget->deleteLater();
      r_.views_.erase(found);
    }
    auto e = std::make_unique<ViewEntry>();
    e->life = v.viewLifetime();
    e->kind = kind;
    e->widget = makeWidget(v, kind, parent);
    QWidget* w = e->widget;
    r_.viewOfWidget_[w] = &v;
    Renderer* renderer = &r_;
    QObject::connect(w, &QObject::destroyed, [renderer, w] { renderer->viewOfWidget_.erase(w); });
    ViewEntry& ref = *e;
    r_.views_[&v] = std::move(e);
    return ref;
  }


  void children(tk::View& v, ViewEntry& e) {
    QWidget* container = e.widget;
    double height = v.frame().height;
    std::vector<tk::View*> subviews = v.subviews();
    if (e.kind == WidgetKind::TabView) {
      container = as<TabViewWidget>(e.widget)->contentArea();
      // The selected tab's view hangs from the top; what its views hold below its bottom scrolls.
      double contentHeight = 0;
      for (tk::View* sub : subviews) {
        double lowest = 0;
        for (const tk::View* inner : sub->subviews())
          if (!inner->isHidden()) lowest = std::min(lowest, inner->frame().y);
        view(*sub, container, sub->frame().maxY(), -lowest);
        contentHeight = std::max(contentHeight, sub->frame().height - lowest);
      }
      as<TabViewWidget>(e.widget)->setContentHeight(static_cast<int>(std::lround(contentHeight)));
      stack(e, subviews);
      return;
    }
    if (e.kind == WidgetKind::ScrollArea) {
      auto* area = as<QScrollArea>(e.widget);
      auto& clip = static_cast<tk::ScrollView&>(v).contentView();
      QWidget* clipWidget = view(clip, area, 0);
      if (area->widget() != clipWidget) {
        if (area->widget() != nullptr) area->takeWidget();
        area->setWidget(clipWidget);
      }
      return;
    }
    if (e.kind == WidgetKind::Clip) {
      const tk::View* document = static_cast<tk::ClipView&>(v).documentView();
      const double width = std::max(v.frame().width, document ? document->frame().maxX() : 0.0);
      height = std::max(v.frame().height, document ? document->frame().maxY() : 0.0);
      e.widget->resize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
    }
    if (e.kind == WidgetKind::Plain && dynamic_cast<tk::ClipView*>(&v) != nullptr) {
      // A table's clip view: the table fills it and scrolls itself.
      for (tk::View* sub : subviews) {
        QWidget* w = view(*sub, container, height);
        place(w, QRect(0, 0, container->width(), container->height()));
      }
      return;
    }
    if (e.kind == WidgetKind::Table || e.kind == WidgetKind::Outline || e.kind == WidgetKind::Matrix) return;
    for (tk::View* sub : subviews) view(*sub, container, height);
    stack(e, subviews);
  }

  // Keeps the widgets' stacking in the model's back-to-front order.
  void stack(ViewEntry& e, const std::vector<tk::View*>& subviews) {
    std::vector<QWidget*> order;
    for (tk::View* sub : subviews)
      if (QWidget* w = r_.widgetFor(*sub)) order.push_back(w);
    if (order == e.order) return;
    for (QWidget* w : order) w->raise();
    e.order = std::move(order);
  }


  void modality(WindowEntry& entry) {
    tk::Window& window = *entry.window;
    WindowWidget& top = *entry.widget;
    const std::vector<tk::Window*> modal = tk::Application::shared().modalWindows();
    Qt::WindowModality wanted = Qt::NonModal;
    if (window.isSheet()) wanted = Qt::WindowModal;
    else if (std::find(modal.begin(), modal.end(), &window) != modal.end()) wanted = Qt::ApplicationModal;
    if (window.isSheet()) {
      QWidget* parent = nullptr;
      for (const auto& other : r_.windows_)
        if (other->window == window.sheetParent() && !other->life.expired()) parent = other->widget;
      if (parent != nullptr && top.parentWidget() != parent) {
        const bool shown = top.isVisible();
        top.setParent(parent, Qt::Dialog);
        if (shown) top.show();
      }
    }
    if (top.windowModality() == wanted) return;
    const bool shown = top.isVisible();
    if (shown) top.hide();
    top.setWindowModality(wanted);
    if (shown) top.show();
  }

  // Gives Qt's focus to the widget of the model's first responder.
  void focus(tk::Window& window, WindowWidget& top) {
    if (!top.isVisible() || !top.isActiveWindow()) return;
    tk::Responder* responder = window.firstResponder();
    QWidget* target = nullptr;
    if (auto* editor = dynamic_cast<tk::FieldEditor*>(responder); editor != nullptr && editor->field() != nullptr)
      target = r_.widgetFor(*editor->field());
    else if (auto* view = dynamic_cast<tk::View*>(responder))
      target = r_.widgetFor(*view);
    QWidget* current = QApplication::focusWidget();
    if (target != nullptr && target != current && target->isVisible()) target->setFocus(Qt::OtherFocusReason);
    else if (target == nullptr && dynamic_cast<FieldWidget*>(current) != nullptr && current->window() == &top)
      current->clearFocus();
  }

  Renderer& r_;
  std::unordered_set<const tk::View*> seen_;
};

Renderer& Renderer::shared() {
  static Renderer renderer;
  return renderer;
}

Renderer::Renderer() = default;
Renderer::~Renderer() = default;

QWidget& Renderer::windowWidget(tk::Window& window) {
  for (const auto& entry : windows_)
    if (entry->window == &window && !entry->life.expired() && entry->widget) return *entry->widget;
  auto entry = std::make_unique<WindowEntry>();
  entry->window = &window;
  entry->life = window.windowLifetime();
  entry->widget = new WindowWidget(window);
  QWidget& widget = *entry->widget;
  windows_.push_back(std::move(entry));
  sync();
  return widget;
}

tk::Window* Renderer::windowOf(const QWidget* widget) const {
  for (const auto& entry : windows_)
    if (entry->widget == widget && !entry->life.expired()) return entry->window;
  return nullptr;
}

QWidget* Renderer::widgetFor(const tk::View& view) const {
  auto found = views_.find(&view);
  if (found == views_.end() || found->second->life.expired()) return nullptr;
  return found->second->widget;
}

tk::View* Renderer::viewOf(const QWidget* widget) const {
  auto found = viewOfWidget_.find(widget);
  if (found == viewOfWidget_.end()) return nullptr;
  auto entry = views_.find(found->second);
  return entry != views_.end() && !entry->second->life.expired() ? found->second : nullptr;
}

void Renderer::sync() {
  ++syncing_;
  struct Done {
    int& n;
    ~Done() { --n; }
  } done{syncing_};
  Sync pass(*this);
  for (auto it = windows_.begin(); it != windows_.end();) {
    WindowEntry& entry = **it;
    if (entry.life.expired() || !entry.widget) {
      if (entry.widget) entry.widget->deleteLater();
      it = windows_.erase(it);
      continue;
    }
    pass.window(entry);
    ++it;
  }
  pass.prune();
}

void Renderer::clear() {
  views_.clear();
  viewOfWidget_.clear();
  for (const auto& entry : windows_) delete entry->widget.data();
  windows_.clear();
}

void Renderer::inputDelivered() {
  if (!draining_) {
    draining_ = true;
    tk::Application& app = tk::Application::shared();
    app.runLoop().runPendingTurns(app.isRunningModal() ? tk::RunLoopMode::ModalPanel : tk::RunLoopMode::Default);
    draining_ = false;
  }
  sync();
  if (!turns_.empty()) turns_.back()->quit();
}

void Renderer::runOneTurn(tk::Window& window) {
  windowWidget(window);
  sync();
  if (!window.isVisible()) return;
  QEventLoop loop;
  turns_.push_back(&loop);
  loop.exec();
  turns_.pop_back();
}

}  // namespace orval::qt

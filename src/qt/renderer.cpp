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

namespace orval::qt {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The model's reference date (2001-01-01 00:00:00 UTC) in seconds since 1970.
constexpr qint64 kReferenceDate = 978307200;
// Slider positions per unit of the slider's range, when values are not restricted to ticks.
constexpr int kSliderSteps = 1000;

enum class Kind {
  Plain, Label, Field, PushButton, CheckBox, Radio, PopUp, PullDown, Matrix, Stepper, Slider, Date, Image,
  GroupBox, Separator, TabView, ScrollArea, Clip, Table, Outline,
};

bool scrollsTable(const tk::ScrollView& scroll) { return dynamic_cast<const tk::TableView*>(scroll.documentView()) != nullptr; }

Kind kindOf(const tk::View& view) {
  if (const auto* field = dynamic_cast<const tk::TextField*>(&view))
    return !field->isEditable() && !field->isBezeled() ? Kind::Label : Kind::Field;
  if (const auto* button = dynamic_cast<const tk::Button*>(&view)) {
    if (button->buttonType() == tk::ButtonType::Switch) return Kind::CheckBox;
    if (button->buttonType() == tk::ButtonType::Radio) return Kind::Radio;
    return Kind::PushButton;
  }
  if (const auto* popup = dynamic_cast<const tk::PopUpButton*>(&view)) return popup->pullsDown() ? Kind::PullDown : Kind::PopUp;
  if (dynamic_cast<const tk::Matrix*>(&view)) return Kind::Matrix;
  if (dynamic_cast<const tk::Stepper*>(&view)) return Kind::Stepper;
  if (dynamic_cast<const tk::Slider*>(&view)) return Kind::Slider;
  if (dynamic_cast<const tk::DatePicker*>(&view)) return Kind::Date;
  if (dynamic_cast<const tk::ImageView*>(&view)) return Kind::Image;
  if (dynamic_cast<const tk::OutlineView*>(&view)) return Kind::Outline;
  if (dynamic_cast<const tk::TableView*>(&view)) return Kind::Table;
  if (const auto* box = dynamic_cast<const tk::Box*>(&view))
    return box->boxType() == tk::BoxType::Separator ? Kind::Separator : Kind::GroupBox;
  if (dynamic_cast<const tk::TabView*>(&view)) return Kind::TabView;
  if (const auto* scroll = dynamic_cast<const tk::ScrollView*>(&view)) return scrollsTable(*scroll) ? Kind::Plain : Kind::ScrollArea;
  if (dynamic_cast<const tk::ClipView*>(&view)) {
    const auto* scroll = dynamic_cast<const tk::ScrollView*>(view.superview());
    return scroll != nullptr && !scrollsTable(*scroll) ? Kind::Clip : Kind::Plain;
  }
  return Kind::Plain;
}

// The font size in pixels for a control's size in points.
int pixelSize(double points) { return std::max(8, static_cast<int>(std::lround(points * 0.92))); }

Qt::Alignment alignmentOf(tk::TextAlignment alignment) {
  switch (alignment) {
    case tk::TextAlignment::Right: return Qt::AlignRight;
    case tk::TextAlignment::Center: return Qt::AlignHCenter;
    case tk::TextAlignment::Justified: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
  }
}

QIcon iconOf(const std::optional<tk::Image>& image) {
  if (!image || image->path().empty()) return {};
  return QIcon(qs(image->path()));
}

template <class W>
W* as(QWidget* widget) {
  return static_cast<W*>(widget);
}

}  // namespace

struct Renderer::ViewEntry {
  std::weak_ptr<const void> life;
  Kind kind = Kind::Plain;
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
    if (e.kind != Kind::Clip && w->parentWidget() != parent) w->setParent(parent);
    if (e.kind == Kind::Clip && w->parentWidget() == nullptr) w->setParent(parent);
    const tk::Rect& f = v.frame();
    if (e.kind != Kind::Clip)
      place(w, QRect(static_cast<int>(std::lround(f.x)), static_cast<int>(std::lround(parentHeight - f.maxY())),
                     static_cast<int>(std::lround(f.width)), static_cast<int>(std::lround(f.height + growDown))));
    state(v, e);
    children(v, e);
    if (w->isHidden() != v.isHidden()) w->setVisible(!v.isHidden());
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
    const Kind kind = kindOf(v);
    if (found != r_.views_.end()) {
      ViewEntry& e = *found->second;
      if (!e.life.expired() && e.widget && e.kind == kind) return e;
      if (e.widget) e.widget->deleteLater();
      r_.views_.erase(found);
    }
    auto e = std::make_unique<ViewEntry>();
    e->life = v.viewLifetime();
    e->kind = kind;
    e->widget = make(v, kind, parent);
    QWidget* w = e->widget;
    r_.viewOfWidget_[w] = &v;
    Renderer* renderer = &r_;
    QObject::connect(w, &QObject::destroyed, [renderer, w] { renderer->viewOfWidget_.erase(w); });
    ViewEntry& ref = *e;
    r_.views_[&v] = std::move(e);
    return ref;
  }

  QWidget* make(tk::View& v, Kind kind, QWidget* parent) {
    const std::weak_ptr<const void> life = v.viewLifetime();
    QWidget* w = nullptr;
    switch (kind) {
      case Kind::Label: {
        auto* label = new QLabel(parent);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        w = label;
        break;
      }
      case Kind::Field:
        w = new FieldWidget(static_cast<tk::TextField&>(v), parent);
        break;
      case Kind::PushButton:
      case Kind::CheckBox:
      case Kind::Radio: {
        auto* model = static_cast<tk::Button*>(&v);
        QAbstractButton* button = kind == Kind::CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(parent))
                                  : kind == Kind::Radio  ? static_cast<QAbstractButton*>(new QRadioButton(parent))
                                                         : new QPushButton(parent);
        button->setAutoExclusive(false);
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [life, model] { deliver(life, [model] { model->performClick(); }); });
        w = button;
        break;
      }
      case Kind::PopUp: {
        auto* model = static_cast<tk::PopUpButton*>(&v);
        auto* combo = new QComboBox(parent);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [life, model](int index) { deliver(life, [model, index] { model->chooseItemAtIndex(index); }); });
        w = combo;
        break;
      }
      case Kind::PullDown: {
        auto* button = new QPushButton(parent);
        button->setMenu(new QMenu(button));
        w = button;
        break;
      }
      case Kind::Matrix:
        w = new MatrixWidget(static_cast<tk::Matrix&>(v), parent);
        break;
      case Kind::Stepper:
        w = new StepperWidget(static_cast<tk::Stepper&>(v), parent);
        break;
      case Kind::Slider: {
        auto* model = static_cast<tk::Slider*>(&v);
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setTracking(false);
        QObject::connect(slider, &QSlider::valueChanged, slider, [life, model, slider](int position) {
          deliver(life, [&] {
            const double span = model->maxValue() - model->minValue();
            const bool ticks = model->allowsTickMarkValuesOnly() && model->numberOfTickMarks() > 1;
            const double value = ticks ? model->tickMarkValueAtIndex(position)
                                       : model->minValue() + span * position / slider->maximum();
            model->slideTo(value);
          });
        });
        w = slider;
        break;
      }
      case Kind::Date: {
        auto* model = static_cast<tk::DatePicker*>(&v);
        auto* edit = new QDateTimeEdit(parent);
        QObject::connect(edit, &QDateTimeEdit::editingFinished, edit, [life, model, edit] {
          const qint64 seconds = edit->dateTime().toSecsSinceEpoch() - kReferenceDate;
          if (static_cast<qint64>(std::floor(model->dateValue().secondsSinceReferenceDate)) == seconds) return;
          deliver(life, [&] { model->chooseDate(Date{static_cast<double>(seconds)}); });
        });
        w = edit;
        break;
      }
      case Kind::Image: {
        auto* label = new QLabel(parent);
        label->setAlignment(Qt::AlignCenter);
        w = label;
        break;
      }
      case Kind::GroupBox:
        w = new QGroupBox(parent);
        break;
      case Kind::Separator: {
        auto* line = new QFrame(parent);
        line->setFrameShadow(QFrame::Sunken);
        w = line;
        break;
      }
      case Kind::TabView:
        w = new TabViewWidget(static_cast<tk::TabView&>(v), parent);
        break;
      case Kind::ScrollArea: {
        auto* area = new QScrollArea(parent);
        area->setWidgetResizable(false);
        w = area;
        break;
      }
      case Kind::Clip:
        w = new QWidget(parent);  // the scroll area's document holder
        break;
      case Kind::Table:
      case Kind::Outline:
        w = makeTable(static_cast<tk::TableView&>(v), kind, parent);
        break;
      case Kind::Plain:
        w = new QWidget(parent);
        break;
    }
    if (kind != Kind::Field && kind != Kind::Table && kind != Kind::Outline && kind != Kind::Plain)
      w->setFocusPolicy(Qt::TabFocus);
    if (auto* control = dynamic_cast<tk::Control*>(&v)) {
      QFont font = w->font();
      font.setPixelSize(pixelSize(control->fontSize()));
      w->setFont(font);
    }
    return w;
  }

  QWidget* makeTable(tk::TableView& table, Kind kind, QWidget* parent) {
    const std::weak_ptr<const void> life = table.viewLifetime();
    auto* tree = new QTreeWidget(parent);
    tree->setRootIsDecorated(kind == Kind::Outline);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(table.allowsMultipleSelection() ? QAbstractItemView::ExtendedSelection
                                                           : QAbstractItemView::SingleSelection);
    tk::TableView* model = &table;
    QObject::connect(tree, &QTreeWidget::itemPressed, tree, [life, model](QTreeWidgetItem* item) {
      const int row = item->data(0, Qt::UserRole).toInt();
      deliver(life, [model, row] { model->clickRow(row); });
    });
    QObject::connect(tree->header(), &QHeaderView::sectionClicked, tree, [life, model](int section) {
      deliver(life, [model, section] {
        const std::vector<tk::TableColumn*> columns = model->tableColumns();
        if (section >= 0 && section < static_cast<int>(columns.size())) model->clickTableColumn(columns[section]);
      });
    });
    if (auto* outline = dynamic_cast<tk::OutlineView*>(&table)) {
      auto expand = [life, outline](QTreeWidgetItem* item, bool open) {
        const int row = item->data(0, Qt::UserRole).toInt();
        deliver(life, [outline, row, open] {
          tk::OutlineItem node = outline->itemAtRow(row);
          open ? outline->expandItem(node) : outline->collapseItem(node);
        });
      };
      QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [expand](QTreeWidgetItem* item) { expand(item, true); });
      QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [expand](QTreeWidgetItem* item) { expand(item, false); });
    }
    return tree;
  }

  void state(tk::View& v, ViewEntry& e) {
    QWidget* w = e.widget;
    // Labels show their state by their text colour (their owners disable them all).
    if (auto* control = dynamic_cast<tk::Control*>(&v); control != nullptr && e.kind != Kind::Label) {
      if (w->isEnabled() != control->isEnabled()) w->setEnabled(control->isEnabled());
    }
    if (w->toolTip() != qs(v.toolTip())) w->setToolTip(qs(v.toolTip()));
    switch (e.kind) {
      case Kind::Label: label(static_cast<tk::TextField&>(v), *as<QLabel>(w)); break;
      case Kind::Field: field(static_cast<tk::TextField&>(v), *as<FieldWidget>(w)); break;
      case Kind::PushButton:
      case Kind::CheckBox:
      case Kind::Radio: button(static_cast<tk::Button&>(v), *as<QAbstractButton>(w)); break;
      case Kind::PopUp: popUp(static_cast<tk::PopUpButton&>(v), *as<QComboBox>(w), e); break;
      case Kind::PullDown: pullDown(static_cast<tk::PopUpButton&>(v), *as<QPushButton>(w), e); break;
      case Kind::Matrix: as<MatrixWidget>(w)->update(static_cast<tk::Matrix&>(v)); break;
      case Kind::Slider: slider(static_cast<tk::Slider&>(v), *as<QSlider>(w)); break;
      case Kind::Date: date(static_cast<tk::DatePicker&>(v), *as<QDateTimeEdit>(w)); break;
      case Kind::Image: image(static_cast<tk::ImageView&>(v), *as<QLabel>(w)); break;
      case Kind::GroupBox: groupBox(static_cast<tk::Box&>(v), *as<QGroupBox>(w)); break;
      case Kind::Separator:
        as<QFrame>(w)->setFrameShape(v.frame().width >= v.frame().height ? QFrame::HLine : QFrame::VLine);
        break;
      case Kind::TabView: as<TabViewWidget>(w)->update(static_cast<tk::TabView&>(v)); break;
      case Kind::ScrollArea: {
        auto& scroll = static_cast<tk::ScrollView&>(v);
        auto* area = as<QScrollArea>(w);
        area->setVerticalScrollBarPolicy(scroll.hasVerticalScroller() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        area->setHorizontalScrollBarPolicy(scroll.hasHorizontalScroller() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        area->setFrameShape(scroll.borderType() == tk::BorderType::NoBorder ? QFrame::NoFrame : QFrame::StyledPanel);
        break;
      }
      case Kind::Table:
      case Kind::Outline: table(static_cast<tk::TableView&>(v), *as<QTreeWidget>(w), e); break;
      default: break;
    }
  }

  void children(tk::View& v, ViewEntry& e) {
    QWidget* container = e.widget;
    double height = v.frame().height;
    std::vector<tk::View*> subviews = v.subviews();
    if (e.kind == Kind::TabView) {
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
    if (e.kind == Kind::ScrollArea) {
      auto* area = as<QScrollArea>(e.widget);
      auto& clip = static_cast<tk::ScrollView&>(v).contentView();
      QWidget* clipWidget = view(clip, area, 0);
      if (area->widget() != clipWidget) {
        if (area->widget() != nullptr) area->takeWidget();
        area->setWidget(clipWidget);
      }
      return;
    }
    if (e.kind == Kind::Clip) {
      const tk::View* document = static_cast<tk::ClipView&>(v).documentView();
      const double width = std::max(v.frame().width, document ? document->frame().maxX() : 0.0);
      height = std::max(v.frame().height, document ? document->frame().maxY() : 0.0);
      e.widget->resize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
    }
    if (e.kind == Kind::Plain && dynamic_cast<tk::ClipView*>(&v) != nullptr) {
      // A table's clip view: the table fills it and scrolls itself.
      for (tk::View* sub : subviews) {
        QWidget* w = view(*sub, container, height);
        place(w, QRect(0, 0, container->width(), container->height()));
      }
      return;
    }
    if (e.kind == Kind::Table || e.kind == Kind::Outline || e.kind == Kind::Matrix) return;
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

  void label(tk::TextField& field, QLabel& label) {
    const QString text = qs(field.stringValue());
    if (label.text() != text) label.setText(text);
    label.setWordWrap(field.wraps());
    label.setAlignment(alignmentOf(field.alignment()) | (field.wraps() ? Qt::AlignTop : Qt::AlignVCenter));
    const tk::Color& c = field.textColor();
    const QColor color = QColor::fromRgbF(static_cast<float>(c.red()), static_cast<float>(c.green()),
                                          static_cast<float>(c.blue()), static_cast<float>(c.alpha()));
    QPalette palette = label.palette();
    if (palette.color(QPalette::WindowText) != color) {
      palette.setColor(QPalette::WindowText, color);
      label.setPalette(palette);
    }
  }

  void field(tk::TextField& field, FieldWidget& edit) {
    tk::FieldEditor* editor = field.currentEditor();
    const QString text = qs(editor != nullptr ? editor->string() : field.stringValue());
    if (edit.text() != text) edit.setText(text);
    const bool secure = dynamic_cast<tk::SecureTextField*>(&field) != nullptr;
    edit.setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal);
    edit.setReadOnly(!field.isEditable());
    edit.setFrame(field.isBezeled() || field.isBordered());
    edit.setAlignment(alignmentOf(field.alignment()) | Qt::AlignVCenter);
    if (edit.placeholderText() != qs(field.placeholderString())) edit.setPlaceholderText(qs(field.placeholderString()));
    if (editor != nullptr) {
      const tk::Range range = editor->selectedRange();
      if (range.length > 0)
        edit.setSelection(static_cast<int>(range.location), static_cast<int>(range.length));
      else
        edit.setCursorPosition(static_cast<int>(range.location));
    }
  }

  void button(tk::Button& model, QAbstractButton& button) {
    if (button.text() != qs(model.title())) button.setText(qs(model.title()));
    button.setIcon(iconOf(model.image()));
    if (model.image()) button.setIconSize(QSize(static_cast<int>(model.image()->size().width),
                                                static_cast<int>(model.image()->size().height)));
    if (auto* check = dynamic_cast<QCheckBox*>(&button)) {
      check->setTristate(model.allowsMixedState());
      const Qt::CheckState state = model.state() == tk::ControlState::On      ? Qt::Checked
                                   : model.state() == tk::ControlState::Mixed ? Qt::PartiallyChecked
                                                                              : Qt::Unchecked;
      if (check->checkState() != state) check->setCheckState(state);
    } else if (auto* radio = dynamic_cast<QRadioButton*>(&button)) {
      radio->setChecked(model.state() == tk::ControlState::On);
    } else if (auto* push = dynamic_cast<QPushButton*>(&button)) {
      push->setDefault(model.keyEquivalent() == "\r");
      push->setAutoDefault(false);
      push->setFlat(model.bezelStyle() == tk::BezelStyle::Inline);
    }
  }

  // A pop-up's items as text, to rebuild the list only when it changed.
  static std::string itemsSignature(const tk::PopUpButton& popup) {
    std::ostringstream out;
    out << popup.autoenablesItems();
    for (int i = 0; i < popup.numberOfItems(); ++i) {
      const tk::MenuItem* item = popup.itemAtIndex(i);
      out << '\x1f' << item->isSeparatorItem() << popup.isItemEnabled(i) << item->isHidden() << item->title() << '\x1e'
          << (item->image() ? item->image()->path() : "") << '\x1e' << item->toolTip();
    }
    return out.str();
  }

  void popUp(tk::PopUpButton& model, QComboBox& combo, ViewEntry& e) {
    const std::string signature = itemsSignature(model);
    QSignalBlocker block(&combo);
    if (signature != e.signature) {
      e.signature = signature;
      combo.clear();
      auto* items = qobject_cast<QStandardItemModel*>(combo.model());
      auto* list = qobject_cast<QListView*>(combo.view());
      QSize iconSize(16, 16);
      for (int i = 0; i < model.numberOfItems(); ++i) {
        const tk::MenuItem* item = model.itemAtIndex(i);
        if (item->isSeparatorItem()) {
          combo.insertSeparator(i);
          continue;
        }
        combo.addItem(iconOf(item->image()), qs(item->title()));
        if (item->image())
          iconSize = iconSize.expandedTo(QSize(static_cast<int>(item->image()->size().width),
                                               static_cast<int>(item->image()->size().height)));
        if (!item->toolTip().empty()) combo.setItemData(i, qs(item->toolTip()), Qt::ToolTipRole);
        if (items != nullptr && !model.isItemEnabled(i)) items->item(i)->setFlags(items->item(i)->flags() & ~Qt::ItemIsEnabled);
        if (list != nullptr) list->setRowHidden(i, item->isHidden());
      }
      combo.setIconSize(iconSize.boundedTo(QSize(32, 32)));
    }
    if (combo.currentIndex() != model.indexOfSelectedItem()) combo.setCurrentIndex(model.indexOfSelectedItem());
  }

  // A pull-down: the first item is the button's title, the others its menu.
  void pullDown(tk::PopUpButton& model, QPushButton& button, ViewEntry& e) {
    const std::string signature = itemsSignature(model);
    if (model.numberOfItems() > 0 && button.text() != qs(model.itemAtIndex(0)->title()))
      button.setText(qs(model.itemAtIndex(0)->title()));
    if (signature == e.signature) return;
    e.signature = signature;
    QMenu* menu = button.menu();
    menu->clear();
    const std::weak_ptr<const void> life = model.viewLifetime();
    tk::PopUpButton* popup = &model;
    for (int i = 1; i < model.numberOfItems(); ++i) {
      const tk::MenuItem* item = model.itemAtIndex(i);
      if (item->isSeparatorItem()) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(iconOf(item->image()), qs(item->title()));
      action->setEnabled(model.isItemEnabled(i));
      action->setVisible(!item->isHidden());
      QObject::connect(action, &QAction::triggered, menu,
                       [life, popup, i] { deliver(life, [popup, i] { popup->chooseItemAtIndex(i); }); });
    }
  }

  void slider(tk::Slider& model, QSlider& slider) {
    QSignalBlocker block(&slider);
    const tk::Rect& f = model.frame();
    slider.setOrientation(f.width >= f.height ? Qt::Horizontal : Qt::Vertical);
    const int ticks = model.numberOfTickMarks();
    const bool tickValues = model.allowsTickMarkValuesOnly() && ticks > 1;
    const int maximum = tickValues ? ticks - 1 : kSliderSteps;
    slider.setRange(0, maximum);
    slider.setTickPosition(ticks == 0 ? QSlider::NoTicks
                           : model.tickMarkPosition() == tk::TickMarkPosition::Above ||
                                   model.tickMarkPosition() == tk::TickMarkPosition::Leading
                               ? QSlider::TicksAbove
                               : QSlider::TicksBelow);
    slider.setTickInterval(ticks > 1 ? std::max(1, maximum / (ticks - 1)) : maximum);
    const double span = model.maxValue() - model.minValue();
    int position = 0;
    if (tickValues) {
      for (int i = 0; i < ticks; ++i)
        if (std::abs(model.tickMarkValueAtIndex(i) - model.doubleValue()) <
            std::abs(model.tickMarkValueAtIndex(position) - model.doubleValue()))
          position = i;
    } else if (span > 0) {
      position = static_cast<int>(std::lround((model.doubleValue() - model.minValue()) / span * maximum));
    }
    if (slider.value() != position) slider.setValue(position);
  }

  void date(tk::DatePicker& model, QDateTimeEdit& edit) {
    QSignalBlocker block(&edit);
    auto toQt = [](Date date) {
      return QDateTime::fromSecsSinceEpoch(kReferenceDate + static_cast<qint64>(std::floor(date.secondsSinceReferenceDate)));
    };
    const unsigned elements = model.datePickerElements();
    QString format;
    if (elements & tk::YearMonthElements) format = (elements & tk::YearMonthDayElements) == tk::YearMonthDayElements ? "yyyy-MM-dd" : "yyyy-MM";
    if (elements & tk::HourMinuteElements) {
      if (!format.isEmpty()) format += ' ';
      format += (elements & tk::HourMinuteSecondElements) == tk::HourMinuteSecondElements ? "HH:mm:ss" : "HH:mm";
    }
    if (format.isEmpty()) format = "yyyy-MM-dd";
    if (edit.displayFormat() != format) edit.setDisplayFormat(format);
    edit.setCalendarPopup(model.datePickerStyle() == tk::DatePickerStyle::ClockAndCalendar);
    if (model.minDate()) edit.setMinimumDateTime(toQt(*model.minDate()));
    if (model.maxDate()) edit.setMaximumDateTime(toQt(*model.maxDate()));
    if (edit.dateTime() != toQt(model.dateValue()) && !edit.hasFocus()) edit.setDateTime(toQt(model.dateValue()));
  }

  void image(tk::ImageView& model, QLabel& label) {
    const QString path = model.image() ? qs(model.image()->path()) : QString();
    if (label.property("imagePath").toString() == path && label.property("imageSize").toSize() == label.size()) return;
    label.setProperty("imagePath", path);
    label.setProperty("imageSize", label.size());
    QPixmap pixmap(path);
    if (!pixmap.isNull() && model.imageScaling() != tk::ImageScaling::None &&
        (pixmap.width() > label.width() || pixmap.height() > label.height() ||
         model.imageScaling() == tk::ImageScaling::ProportionallyUpOrDown))
      pixmap = pixmap.scaled(label.size(), model.imageScaling() == tk::ImageScaling::AxesIndependently
                                               ? Qt::IgnoreAspectRatio
                                               : Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    label.setPixmap(pixmap);
  }

  void groupBox(tk::Box& model, QGroupBox& box) {
    const QString title = model.titlePosition() == tk::TitlePosition::NoTitle ? QString() : qs(model.title());
    if (box.title() != title) box.setTitle(title);
    box.setFlat(model.boxType() == tk::BoxType::Custom);
  }

  void table(tk::TableView& model, QTreeWidget& tree, ViewEntry& e) {
    auto* outline = dynamic_cast<tk::OutlineView*>(&model);
    const std::vector<tk::TableColumn*> all = model.tableColumns();
    std::vector<tk::TableColumn*> columns;
    for (tk::TableColumn* c : all)
      if (!c->isHidden()) columns.push_back(c);
    // The rows as the model shows them now.
    std::ostringstream out;
    std::vector<QStringList> texts;
    std::vector<QIcon> icons;
    std::vector<QColor> colours;
    for (const tk::TableColumn* c : columns) out << c->title() << '\x1f' << c->width() << '\x1e';
    for (int row = 0; row < model.numberOfRows(); ++row) {
      QStringList cells;
      QIcon icon;
      QColor colour;
      for (std::size_t i = 0; i < columns.size(); ++i) {
        cells << qs(model.objectValueAt(columns[i], row).text());
        if (outline != nullptr && i == 0) {
          const tk::TableCell cell = outline->preparedCellAt(columns[i], row);
          icon = iconOf(cell.image());
          const tk::Color& c = cell.textColor();
          colour = QColor::fromRgbF(static_cast<float>(c.red()), static_cast<float>(c.green()), static_cast<float>(c.blue()));
          out << (cell.image() ? cell.image()->path() : "") << '\x1d' << c.name();
        }
      }
      out << cells.join('\x1f').toStdString() << '\x1e';
      if (outline != nullptr) {
        tk::OutlineItem item = outline->itemAtRow(row);
        out << outline->levelForRow(row) << outline->isExpandable(item) << outline->isItemExpanded(item) << '\x1e';
      }
      texts.push_back(cells);
      icons.push_back(icon);
      colours.push_back(colour);
    }
    QSignalBlocker block(&tree);
    const std::string signature = out.str();
    if (signature != e.signature) {
      e.signature = signature;
      tree.clear();
      tree.setColumnCount(static_cast<int>(std::max<std::size_t>(1, columns.size())));
      QStringList headers;
      for (const tk::TableColumn* c : columns) headers << qs(c->title());
      tree.setHeaderLabels(headers);
      bool titled = false;
      for (const tk::TableColumn* c : columns) titled = titled || !c->title().empty();
      tree.setHeaderHidden(!titled);
      for (std::size_t i = 0; i + 1 < columns.size(); ++i) tree.setColumnWidth(static_cast<int>(i), static_cast<int>(columns[i]->width()));
      std::vector<QTreeWidgetItem*> parents;
      for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
        const int level = outline != nullptr ? outline->levelForRow(row) : 0;
        parents.resize(static_cast<std::size_t>(level));
        QTreeWidgetItem* item = parents.empty() ? new QTreeWidgetItem(&tree, texts[row]) : new QTreeWidgetItem(parents.back(), texts[row]);
        item->setData(0, Qt::UserRole, row);
        if (outline != nullptr) {
          item->setIcon(0, icons[row]);
          item->setForeground(0, colours[row]);
          tk::OutlineItem node = outline->itemAtRow(row);
          if (outline->isExpandable(node)) item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
          item->setExpanded(outline->isItemExpanded(node));
        }
        parents.push_back(item);
      }
    }
    // The selection.
    QTreeWidgetItemIterator it(&tree);
    for (; *it; ++it) {
      const int row = (*it)->data(0, Qt::UserRole).toInt();
      if ((*it)->isSelected() != model.isRowSelected(row)) (*it)->setSelected(model.isRowSelected(row));
    }
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

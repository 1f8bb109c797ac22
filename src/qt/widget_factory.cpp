#include "qt/widget_kinds.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
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
#include "qt/model_widgets.h"

namespace orval::qt {

namespace {

bool scrollsTable(const tk::ScrollView& scroll) { return dynamic_cast<const tk::TableView*>(scroll.documentView()) != nullptr; }

}  // namespace

WidgetKind widgetKindOf(const tk::View& view) {
  if (const auto* field = dynamic_cast<const tk::TextField*>(&view))
    return !field->isEditable() && !field->isBezeled() ? WidgetKind::Label : WidgetKind::Field;
  if (const auto* button = dynamic_cast<const tk::Button*>(&view)) {
    if (button->buttonType() == tk::ButtonType::Switch) return WidgetKind::CheckBox;
    if (button->buttonType() == tk::ButtonType::Radio) return WidgetKind::Radio;
    return WidgetKind::PushButton;
  }
  if (const auto* popup = dynamic_cast<const tk::PopUpButton*>(&view)) return popup->pullsDown() ? WidgetKind::PullDown : WidgetKind::PopUp;
  if (dynamic_cast<const tk::Matrix*>(&view)) return WidgetKind::Matrix;
  if (dynamic_cast<const tk::Stepper*>(&view)) return WidgetKind::Stepper;
  if (dynamic_cast<const tk::Slider*>(&view)) return WidgetKind::Slider;
  if (dynamic_cast<const tk::DatePicker*>(&view)) return WidgetKind::Date;
  if (dynamic_cast<const tk::ImageView*>(&view)) return WidgetKind::Image;
  if (dynamic_cast<const tk::OutlineView*>(&view)) return WidgetKind::Outline;
  if (dynamic_cast<const tk::TableView*>(&view)) return WidgetKind::Table;
  if (const auto* box = dynamic_cast<const tk::Box*>(&view))
    return box->boxType() == tk::BoxType::Separator ? WidgetKind::Separator : WidgetKind::GroupBox;
  if (dynamic_cast<const tk::TabView*>(&view)) return WidgetKind::TabView;
  if (const auto* scroll = dynamic_cast<const tk::ScrollView*>(&view)) return scrollsTable(*scroll) ? WidgetKind::Plain : WidgetKind::ScrollArea;
  if (dynamic_cast<const tk::ClipView*>(&view)) {
    const auto* scroll = dynamic_cast<const tk::ScrollView*>(view.superview());
    return scroll != nullptr && !scrollsTable(*scroll) ? WidgetKind::Clip : WidgetKind::Plain;
  }
  return WidgetKind::Plain;
}

namespace {

// The font size in pixels for a control's size in points.
int pixelSize(double points) { return std::max(8, static_cast<int>(std::lround(points * 0.92))); }


QWidget* makeTable(tk::TableView& table, WidgetKind kind, QWidget* parent) {
  const std::weak_ptr<const void> life = table.viewLifetime();
  auto* tree = new QTreeWidget(parent);
  tree->setRootIsDecorated(kind == WidgetKind::Outline);
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

}  // namespace

QWidget* makeWidget(tk::View& v, WidgetKind kind, QWidget* parent) {
  const std::weak_ptr<const void> life = v.viewLifetime();
  QWidget* w = nullptr;
  switch (kind) {
    case WidgetKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextInteractionFlags(Qt::TextSelectableByMouse);
      w = label;
      break;
    }
    case WidgetKind::Field:
      w = new FieldWidget(static_cast<tk::TextField&>(v), parent);
      break;
    case WidgetKind::PushButton:
    case WidgetKind::CheckBox:
    case WidgetKind::Radio: {
      auto* model = static_cast<tk::Button*>(&v);
      QAbstractButton* button = kind == WidgetKind::CheckBox ? static_cast<QAbstractButton*>(new QCheckBox(parent))
                                : kind == WidgetKind::Radio  ? static_cast<QAbstractButton*>(new QRadioButton(parent))
                                                       : new QPushButton(parent);
      button->setAutoExclusive(false);
      QObject::connect(button, &QAbstractButton::clicked, button,
                       [life, model] { deliver(life, [model] { model->performClick(); }); });
      w = button;
      break;
    }
    case WidgetKind::PopUp: {
      auto* model = static_cast<tk::PopUpButton*>(&v);
      auto* combo = new QComboBox(parent);
      QObject::connect(combo, &QComboBox::activated, combo,
                       [life, model](int index) { deliver(life, [model, index] { model->chooseItemAtIndex(index); }); });
      w = combo;
      break;
    }
    case WidgetKind::PullDown: {
      auto* button = new QPushButton(parent);
      button->setMenu(new QMenu(button));
      w = button;
      break;
    }
    case WidgetKind::Matrix:
      w = new MatrixWidget(static_cast<tk::Matrix&>(v), parent);
      break;
    case WidgetKind::Stepper:
      w = new StepperWidget(static_cast<tk::Stepper&>(v), parent);
      break;
    case WidgetKind::Slider: {
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
    case WidgetKind::Date: {
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
    case WidgetKind::Image: {
      auto* label = new QLabel(parent);
      label->setAlignment(Qt::AlignCenter);
      w = label;
      break;
    }
    case WidgetKind::GroupBox:
      w = new QGroupBox(parent);
      break;
    case WidgetKind::Separator: {
      auto* line = new QFrame(parent);
      line->setFrameShadow(QFrame::Sunken);
      w = line;
      break;
    }
    case WidgetKind::TabView:
      w = new TabViewWidget(static_cast<tk::TabView&>(v), parent);
      break;
    case WidgetKind::ScrollArea: {
      auto* area = new QScrollArea(parent);
      area->setWidgetResizable(false);
      w = area;
      break;
    }
    case WidgetKind::Clip:
      w = new QWidget(parent);  // the scroll area's document holder
      break;
    case WidgetKind::Table:
    case WidgetKind::Outline:
      w = makeTable(static_cast<tk::TableView&>(v), kind, parent);
      break;
    case WidgetKind::Plain:
      w = new QWidget(parent);
      break;
  }
  if (kind != WidgetKind::Field && kind != WidgetKind::Table && kind != WidgetKind::Outline && kind != WidgetKind::Plain)
    w->setFocusPolicy(Qt::TabFocus);
  if (auto* control = dynamic_cast<tk::Control*>(&v)) {
    QFont font = w->font();
    font.setPixelSize(pixelSize(control->fontSize()));
    w->setFont(font);
  }
  return w;
}

}  // namespace orval::qt

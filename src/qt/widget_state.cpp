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

Qt::Alignment alignmentOf(tk::TextAlignment alignment) {
  switch (alignment) {
    case tk::TextAlignment::Right: return Qt::AlignRight;
    case tk::TextAlignment::Center: return Qt::AlignHCenter;
    case tk::TextAlignment::Justified: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
  }
}

// A title as Qt lays it out: the model breaks lines with "\r" (its layouts count those lines),
// which Qt would draw as a space.
QString titleText(const std::string& title) {
  QString text = qs(title);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

void label(tk::TextField& field, QLabel& label) {
  const QString text = titleText(field.stringValue());
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
  if (const QString title = titleText(model.title()); button.text() != title) button.setText(title);
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
std::string itemsSignature(const tk::PopUpButton& popup) {
  std::ostringstream out;
  out << popup.autoenablesItems();
  for (int i = 0; i < popup.numberOfItems(); ++i) {
    const tk::MenuItem* item = popup.itemAtIndex(i);
    out << '\x1f' << item->isSeparatorItem() << popup.isItemEnabled(i) << item->isHidden() << item->title() << '\x1e'
        << (item->image() ? item->image()->path() : "") << '\x1e' << item->toolTip();
  }
  return out.str();
}

void popUp(tk::PopUpButton& model, QComboBox& combo, std::string& built) {
  const std::string signature = itemsSignature(model);
  QSignalBlocker block(&combo);
  if (signature != built) {
    built = signature;
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
void pullDown(tk::PopUpButton& model, QPushButton& button, std::string& built) {
  const std::string signature = itemsSignature(model);
  if (model.numberOfItems() > 0 && button.text() != qs(model.itemAtIndex(0)->title()))
    button.setText(qs(model.itemAtIndex(0)->title()));
  if (signature == built) return;
  built = signature;
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
  // Every date field offers the calendar: the renderer leaves the graphical pickers out.
  edit.setCalendarPopup((elements & tk::YearMonthDayElements) == tk::YearMonthDayElements);
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

void table(tk::TableView& model, QTreeWidget& tree, std::string& built) {
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
  if (signature != built) {
    built = signature;
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

}  // namespace

QIcon iconOf(const std::optional<tk::Image>& image) {
  if (!image || image->path().empty()) return {};
  return QIcon(qs(image->path()));
}

void showViewState(tk::View& v, WidgetKind kind, QWidget& widget, std::string& built) {
  QWidget* w = &widget;
  // Labels show their state by their text colour (their owners disable them all).
  if (auto* control = dynamic_cast<tk::Control*>(&v); control != nullptr && kind != WidgetKind::Label) {
    if (w->isEnabled() != control->isEnabled()) w->setEnabled(control->isEnabled());
  }
  if (w->toolTip() != qs(v.toolTip())) w->setToolTip(qs(v.toolTip()));
  switch (kind) {
    case WidgetKind::Label: label(static_cast<tk::TextField&>(v), *as<QLabel>(w)); break;
    case WidgetKind::Field: field(static_cast<tk::TextField&>(v), *as<FieldWidget>(w)); break;
    case WidgetKind::PushButton:
    case WidgetKind::CheckBox:
    case WidgetKind::Radio: button(static_cast<tk::Button&>(v), *as<QAbstractButton>(w)); break;
    case WidgetKind::PopUp: popUp(static_cast<tk::PopUpButton&>(v), *as<QComboBox>(w), built); break;
    case WidgetKind::PullDown: pullDown(static_cast<tk::PopUpButton&>(v), *as<QPushButton>(w), built); break;
    case WidgetKind::Matrix: as<MatrixWidget>(w)->update(static_cast<tk::Matrix&>(v)); break;
    case WidgetKind::Slider: slider(static_cast<tk::Slider&>(v), *as<QSlider>(w)); break;
    case WidgetKind::Date: date(static_cast<tk::DatePicker&>(v), *as<QDateTimeEdit>(w)); break;
    case WidgetKind::Image: image(static_cast<tk::ImageView&>(v), *as<QLabel>(w)); break;
    case WidgetKind::GroupBox: groupBox(static_cast<tk::Box&>(v), *as<QGroupBox>(w)); break;
    case WidgetKind::Separator:
      as<QFrame>(w)->setFrameShape(v.frame().width >= v.frame().height ? QFrame::HLine : QFrame::VLine);
      break;
    case WidgetKind::TabView: as<TabViewWidget>(w)->update(static_cast<tk::TabView&>(v)); break;
    case WidgetKind::ScrollArea: {
      auto& scroll = static_cast<tk::ScrollView&>(v);
      auto* area = as<QScrollArea>(w);
      area->setVerticalScrollBarPolicy(scroll.hasVerticalScroller() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      area->setHorizontalScrollBarPolicy(scroll.hasHorizontalScroller() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      area->setFrameShape(scroll.borderType() == tk::BorderType::NoBorder ? QFrame::NoFrame : QFrame::StyledPanel);
      break;
    }
    case WidgetKind::Table:
    case WidgetKind::Outline: table(static_cast<tk::TableView&>(v), *as<QTreeWidget>(w), built); break;
    default: break;
  }
}

}  // namespace orval::qt

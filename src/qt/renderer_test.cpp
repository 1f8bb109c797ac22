// The renderer and the Qt operator on small model windows, offscreen: each view class gets its widget at its
// frame turned upside down, input goes into the model the model's way, and what an action changes shows at once.
#include "qt/renderer.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <filesystem>
#include <memory>

#include "platform/toolkit/outline_test_support.h"
#include "platform/toolkit/toolkit.h"
#include "qt/qt_operator.h"

namespace orval::qt {
namespace {

class RendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qt_test";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
  }
  static void TearDownTestSuite() {
    Renderer::shared().clear();
    application.reset();
  }
  void SetUp() override { tk::Application::shared().setOperator(std::make_shared<QtOperator>()); }
  void TearDown() override { Renderer::shared().sync(); }

  template <class W>
  static W* widget(const tk::View& view) {
    return dynamic_cast<W*>(Renderer::shared().widgetFor(view));
  }

  static inline std::unique_ptr<QApplication> application;
};

TEST_F(RendererTest, ViewsGetTheirWidgetsAndInputGoesIntoTheModel) {
  tk::Window window({0, 0, 400, 300}, "Model");
  tk::View& content = window.contentView();
  tk::Box& box = content.add(std::make_unique<tk::Box>(tk::Rect{10, 200, 180, 90}));
  box.setTitle("Group");
  tk::TextField& label = box.contentView()->add(tk::TextField::makeLabel("Label", {10, 10, 100, 20}));
  tk::PopUpButton& popup = content.add(std::make_unique<tk::PopUpButton>(tk::Rect{200, 260, 150, 26}));
  popup.setAutoenablesItems(false);
  tk::MenuItem first("First");
  first.setImage(tk::Image::fromFile(ORVAL_SOURCE_DIR "/resources/Classic.png"));
  popup.addItem(std::move(first));
  popup.addItem(tk::MenuItem::separatorItem());
  popup.addItemWithTitle("Disabled").setEnabled(false);
  popup.addItemWithTitle("Last");
  tk::Matrix& matrix =
      content.add(std::make_unique<tk::Matrix>(tk::Rect{200, 190, 150, 60}, 2, 1, tk::ButtonCell("Cell")));
  matrix.selectCellAtRow(0, 0);
  tk::Stepper& stepper = content.add(std::make_unique<tk::Stepper>(tk::Rect{10, 150, 20, 30}));
  tk::Slider& slider = content.add(std::make_unique<tk::Slider>(tk::Rect{40, 150, 150, 30}));
  slider.setMaxValue(100);
  slider.setNumberOfTickMarks(5);
  slider.setAllowsTickMarkValuesOnly(true);
  tk::DatePicker& date = content.add(std::make_unique<tk::DatePicker>(tk::Rect{200, 150, 150, 26}));
  tk::DatePicker& calendar = content.add(std::make_unique<tk::DatePicker>(tk::Rect{360, 150, 155, 155}));
  calendar.setDatePickerStyle(tk::DatePickerStyle::ClockAndCalendar);
  tk::SecureTextField& secret = content.add(std::make_unique<tk::SecureTextField>(tk::Rect{10, 60, 100, 22}));
  tk::ImageView& picture = content.add(std::make_unique<tk::ImageView>(tk::Rect{120, 40, 48, 48}));
  picture.setImage(tk::Image::fromFile(ORVAL_SOURCE_DIR "/resources/Classic.png"));
  tk::PopUpButton& pullDown = content.add(std::make_unique<tk::PopUpButton>(tk::Rect{200, 60, 150, 26}, true));
  pullDown.addItemsWithTitles({"Actions", "Copy", "Delete"});
  tk::ScrollView& scroll = content.add(std::make_unique<tk::ScrollView>(tk::Rect{200, 10, 150, 40}));
  tk::TextField& document = scroll.setDocument(tk::TextField::makeLabel("Long", {0, 0, 150, 400}));
  tk::Button& check = content.add(std::make_unique<tk::Button>(tk::Rect{10, 110, 150, 20}, tk::ButtonType::Switch));
  check.setTitle("Two\rlines");  // a title the layouts count as two lines
  // The check box's action changes other views: the change shows at once.
  check.setAction("toggle:", [&](tk::Control&) {
    label.setHidden(check.state() == tk::ControlState::On);
    box.setTitle("Renamed");
    popup.addItemWithTitle("Added");
    stepper.setEnabled(false);
  });
  window.makeKeyAndOrderFront();
  QWidget& top = Renderer::shared().windowWidget(window);

  // y grows upwards in the model: the box's top is 10 points below the window's top.
  EXPECT_EQ(widget<QGroupBox>(box)->geometry(), QRect(10, 10, 180, 90));
  EXPECT_EQ(widget<QLabel>(label)->geometry(), QRect(10, 60, 100, 20));
  auto* combo = widget<QComboBox>(popup);
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 4);
  EXPECT_FALSE(combo->itemIcon(0).isNull());
  EXPECT_EQ(combo->itemData(1, Qt::AccessibleDescriptionRole).toString(), "separator");
  EXPECT_FALSE(qobject_cast<QStandardItemModel*>(combo->model())->item(2)->isEnabled());
  emit combo->activated(3);
  EXPECT_EQ(popup.indexOfSelectedItem(), 3);

  auto cells = widget<QWidget>(matrix)->findChildren<QRadioButton*>();
  ASSERT_EQ(cells.size(), 2);
  QTest::mouseClick(cells[1], Qt::LeftButton, {}, QPoint(6, cells[1]->height() / 2));
  EXPECT_EQ(matrix.selectedRow(), 1);
  EXPECT_FALSE(cells[0]->isChecked());

  auto arrows = widget<QWidget>(stepper)->findChildren<QToolButton*>();
  ASSERT_EQ(arrows.size(), 2);
  QTest::mouseClick(arrows[0], Qt::LeftButton);
  EXPECT_EQ(stepper.doubleValue(), 1);

  auto* qslider = widget<QSlider>(slider);
  ASSERT_NE(qslider, nullptr);
  EXPECT_EQ(qslider->maximum(), 4);
  qslider->setValue(3);
  EXPECT_EQ(slider.doubleValue(), 75);

  auto* edit = widget<QDateTimeEdit>(date);
  ASSERT_NE(edit, nullptr);
  // The graphical picker is left out (a settings control lays it outside its own frame); the
  // date field's pop-up calendar stands for it.
  EXPECT_TRUE(edit->calendarPopup());
  EXPECT_TRUE(widget<QWidget>(calendar)->isHidden());
  edit->setDateTime(QDateTime::fromSecsSinceEpoch(978307200 + 86400));
  emit edit->editingFinished();
  EXPECT_EQ(date.dateValue().secondsSinceReferenceDate, 86400);

  EXPECT_EQ(widget<QLineEdit>(secret)->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(widget<QLabel>(picture)->pixmap().isNull());
  auto* menuButton = widget<QPushButton>(pullDown);
  ASSERT_NE(menuButton, nullptr);
  EXPECT_EQ(menuButton->text(), "Actions");
  ASSERT_EQ(menuButton->menu()->actions().size(), 2);
  menuButton->menu()->actions()[1]->trigger();
  EXPECT_EQ(pullDown.indexOfSelectedItem(), 2);
  EXPECT_EQ(widget<QLabel>(document)->parentWidget()->parentWidget()->parentWidget(), widget<QScrollArea>(scroll));

  EXPECT_EQ(widget<QCheckBox>(check)->text(), "Two\nlines");
  QTest::mouseClick(widget<QCheckBox>(check), Qt::LeftButton, {}, QPoint(6, 10));
  EXPECT_EQ(std::tuple(widget<QLabel>(label)->isVisible(), widget<QGroupBox>(box)->title(), combo->count(),
                       widget<QWidget>(stepper)->isEnabled()),
            std::tuple(false, "Renamed", 5, false));

  // Escape clicks the cancel button whatever its title's language.
  tk::Button& cancel = content.add(std::make_unique<tk::Button>(tk::Rect{300, 10, 90, 28}));
  cancel.setTitle("キャンセル");
  int cancelled = 0;
  cancel.setAction("cancelButton:", [&](tk::Control&) { ++cancelled; });
  QTest::keyClick(&top, Qt::Key_Escape);
  EXPECT_EQ(cancelled, 1);
}

TEST_F(RendererTest, TabsTablesAndOutlinesFollowTheirModels) {
  tk::Window window({0, 0, 400, 300}, "Lists");
  tk::TabView& tabs = window.contentView().add(std::make_unique<tk::TabView>(tk::Rect{0, 0, 400, 300}));
  for (const char* label : {"One", "Two"})
    tabs.addTabViewItem(std::make_unique<tk::TabViewItem>(Value(label))).setLabel(label);
  tk::ScrollView& scroll =
      tabs.tabViewItemAtIndex(1)->view()->add(std::make_unique<tk::ScrollView>(tk::Rect{10, 10, 380, 230}));
  tk::OutlineView& outline = scroll.setDocument(std::make_unique<tk::OutlineView>(tk::Rect{0, 0, 380, 230}));
  outline.addTableColumn(std::make_unique<tk::TableColumn>("name"));
  tk::toolkit_testing::Tree tree;
  outline.setDataSource(&tree);
  window.makeKeyAndOrderFront();
  QWidget& top = Renderer::shared().windowWidget(window);

  QTabBar* bar = top.findChild<QTabBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(std::pair(bar->count(), bar->tabText(1)), std::pair(2, QString("Two")));
  emit bar->tabBarClicked(1);
  EXPECT_EQ(tabs.indexOfTabViewItem(tabs.selectedTabViewItem()), 1);
  auto* list = widget<QTreeWidget>(outline);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(list->isVisible());
  ASSERT_EQ(list->topLevelItemCount(), 3);
  EXPECT_EQ(list->topLevelItem(1)->text(0), "Finishing");

  // Expanding in Qt expands in the model; the children's rows come.
  list->topLevelItem(1)->setExpanded(true);
  list = widget<QTreeWidget>(outline);
  ASSERT_EQ(list->topLevelItem(1)->childCount(), 1);
  QTreeWidgetItem* leaf = list->topLevelItem(1)->child(0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(leaf).center());
  EXPECT_EQ(outline.selectedRow(), 2);  // Staple, under Finishing

  tabs.setTabViewType(tk::TabViewType::NoTabsNoBorder);
  Renderer::shared().sync();
  EXPECT_FALSE(bar->isVisible());
}

TEST_F(RendererTest, AlertsAndChoosersAreQtDialogs) {
  tk::Alert alert;
  alert.setMessageText("Replace it?");
  alert.addButtonWithTitle("Replace");
  alert.addButtonWithTitle("Cancel");
  alert.addButtonWithTitle("Keep Both");
  QStringList order;
  QTimer::singleShot(0, [&order] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->defaultButton()->text(), "Replace");
    EXPECT_EQ(box->escapeButton()->text(), "Cancel");
    QList<QAbstractButton*> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    for (QAbstractButton* b : buttons) order << b->text();
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_EQ(alert.runModal(), tk::AlertReturn::SecondButton);
  EXPECT_EQ(order, (QStringList{"Keep Both", "Cancel", "Replace"}));  // the first button rightmost

  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  tk::SavePanel chooser;
  chooser.setDirectoryURL(folder.string());
  chooser.setAllowedFileTypes({"plist"});
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile("favorite");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_EQ(chooser.runModal(), tk::ModalResponse::OK);
  EXPECT_EQ(chooser.URL(), (folder / "favorite.plist").string());
}

}  // namespace
}  // namespace orval::qt

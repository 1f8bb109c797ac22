// The print dialog worked through real Qt widgets offscreen, on the real bundle.
#include "apps/orval_dialog/print_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cups/cups.h>

#include <filesystem>

#include "apps/orval/bundle_location.h"
#include "apps/tzps/job_record.h"
#include "apps/tzps/private_cupsd_test_support.h"
#include "apps/orval_dialog/screenshot.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/print/cups_print_host.h"
#include "platform/toolkit/application.h"
#include "qt/model_widgets.h"
#include "qt/qt_operator.h"
#include "qt/renderer.h"
#include "settings_ui/kora_ui.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

// One offscreen QApplication for every test of the process.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The bundle's session sends standard output away; the test's reports go to standard error with it.
    setenv("ORVAL_LOG", "stderr", 1);
    static int argc = 1;
    static char name[] = "orval_dialog_test";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override {
    qt::Renderer::shared().clear();
    application_.reset();
  }

 private:
  std::unique_ptr<QApplication> application_;
};
[[maybe_unused]] ::testing::Environment* const kQtEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Points libcups at scheduler (it reads $CUPS_SERVER once, unless told to forget it).
void useScheduler(const std::string& scheduler) {
  setenv("CUPS_SERVER", scheduler.c_str(), 1);
  cupsSetServer(nullptr);
}

class PrintDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No scheduler: the dialog offers the bundle's own printer description.
    useScheduler("/nonexistent/orval-dialog-test.sock");
    tk::Application::shared().setOperator(std::make_shared<qt::QtOperator>());
    open({}, {});
  }
  void open(std::vector<fs::path> files, std::optional<std::string> printer) {
    dialog.reset();
    dialog = std::make_unique<PrintDialog>(
        PrintDialogOptions{cli::openBundle(std::string(ORVAL_BUNDLE_DIR)), std::move(files), std::move(printer)});
    dialog->window().makeKeyAndOrderFront();
    top = &qt::Renderer::shared().windowWidget(dialog->window());
  }
  void TearDown() override {
    dialog.reset();
    qt::Renderer::shared().sync();
  }

  template <class W>
  W* widget(const tk::View& view) {
    return dynamic_cast<W*>(qt::Renderer::shared().widgetFor(view));
  }

  // Replaces field's text by typing text, as a person does.
  static void typeInto(qt::FieldWidget* field, const char* text) {
    ASSERT_NE(field, nullptr);
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  }

  std::unique_ptr<PrintDialog> dialog;
  QWidget* top = nullptr;
};

TEST_F(PrintDialogTest, ShowsTheHostControlsAroundThePanelAndTypesThroughTheFormatter) {
  EXPECT_EQ(top->windowTitle(), "Print");
  auto* destinations = widget<QComboBox>(dialog->destinations());
  ASSERT_NE(destinations, nullptr);
  EXPECT_EQ(destinations->currentText(), "TZ Print Server");
  EXPECT_FALSE(widget<QPushButton>(dialog->printButton())->isEnabled());  // no CUPS queue, no file

  // The panel's main pane shows in the dialog: its shortcut pop-ups with their titles, inside the window.
  int shownPopUps = 0;
  for (const std::string& key : WexoPDEByCocoa::shortcutKeys()) {
    const KORAUI* control = dialog->panel().shortcutControl(key);
    if (control == nullptr || control->popupButton() == nullptr) continue;
    SCOPED_TRACE(key);
    auto* combo = widget<QComboBox>(*control->popupButton());
    ASSERT_TRUE(combo && combo->isVisible());
    EXPECT_TRUE(top->rect().contains(QRect(combo->mapTo(top, QPoint(0, 0)), combo->size())));
    EXPECT_TRUE(control->titleText() && widget<QLabel>(*control->titleText())->isVisible());
    ++shownPopUps;
  }
  EXPECT_GE(shownPopUps, 5);

  // A letter in the copies field is refused: it never shows. The panel reads the copies from that field.
  auto* copies = widget<qt::FieldWidget>(dialog->copies());
  typeInto(copies, "2x5");
  EXPECT_EQ(copies->text(), "25");
  QTest::keyClick(copies, Qt::Key_Return);
  EXPECT_EQ(dialog->panel().getCopies(), "25");

  // Model changes show at once: the check box follows the panel's own setCollate.
  auto* collate =
      qobject_cast<QAbstractButton*>(qt::Renderer::shared().widgetFor(*dialog->panel().hostControlForKey("Collate")));
  ASSERT_TRUE(collate && collate->isChecked());
  QTest::mouseClick(collate, Qt::LeftButton);
  EXPECT_EQ(dialog->panel().getCollate(), "False");
}

// Each of the panel's dialogs opens from its button as a modal Qt window and its key button
// closes it: the tray dialogs have only their close button (Return), the others Cancel (Escape).
TEST_F(PrintDialogTest, EveryButtonOpensItsDialogModallyAndItsKeyClosesIt) {
  tk::View& pane = *dialog->panel().panelView();
  const auto paneButton = [&](const char* identifier) {
    return dynamic_cast<tk::Button*>(pane.findSubview([&](const tk::View& v) { return v.identifier() == identifier; }));
  };
  std::vector<std::pair<tk::Button*, Qt::Key>> buttons = {
      {paneButton("_automaticPaperTraySelectionButton"), Qt::Key_Return},
      {paneButton("_bypassPaperTraySelectionButton"), Qt::Key_Return},
      {paneButton("_jobNameButton"), Qt::Key_Escape},
      {paneButton("_showDetailedSettingsButton"), Qt::Key_Escape}};
  for (tk::Button* favorites : {&dialog->favoritesButton(), &dialog->saveFavoriteButton()})
    buttons.emplace_back(favorites, Qt::Key_Escape);
  for (const auto& [button, key] : buttons) {
    ASSERT_NE(button, nullptr);
    SCOPED_TRACE(button->title());
    tk::Window* shown = nullptr;
    bool modal = false;
    QTimer::singleShot(0, [&, key = key] {  // once the modal run shows its window and waits for the person
      ASSERT_FALSE(tk::Application::shared().modalWindows().empty());
      shown = tk::Application::shared().modalWindows().back();
      QWidget& window = qt::Renderer::shared().windowWidget(*shown);
      modal = window.isVisible() && window.isModal() && QApplication::activeModalWidget() == &window;
      QTest::keyClick(&window, key);
    });
    QTest::mouseClick(widget<QPushButton>(*button), Qt::LeftButton);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(tk::Application::shared().modalWindows().empty());
    EXPECT_FALSE(shown->isVisible());
  }
}

TEST_F(PrintDialogTest, ScreenshotsShowTheDialogAndTheDetailedSettings) {
  const foundation_testing::TemporaryFolder folder;
  std::string error;
  ASSERT_TRUE(writeScreenshots(*dialog, folder.path() / "dialog.png", &error)) << error;
  const std::vector<fs::path> files = screenshotFiles(folder.path() / "dialog.png");
  const tk::Window* detailed = DetailedSettingsWinController::sharedInstance().window();
  ASSERT_NE(detailed, nullptr);
  using Shot = std::pair<fs::path, const tk::Window*>;
  for (const auto& [file, window] : {Shot{files[0], &dialog->window()}, Shot{files[1], detailed}})
    EXPECT_EQ(QImage(QString::fromStdString(file.string())).size(),
              QSize(static_cast<int>(window->frame().width), static_cast<int>(window->frame().height)));
}

// Print for real: a TZ queue on a private cupsd receives the file with the dialog's copies.
TEST_F(PrintDialogTest, PrintSubmitsTheFileToTheChosenQueue) {
  if (const std::optional<std::string> reason = testing::PrivateCupsd::skipReason()) GTEST_SKIP() << *reason;
  std::string error;
  const std::unique_ptr<testing::PrivateCupsd> cupsd = testing::PrivateCupsd::start(TZPS_PATH, &error);
  ASSERT_TRUE(cupsd) << error;
  const fs::path spool = cupsd->folder() / "jobs";
  const testing::ProgramResult queue = cupsd->tzQueue("tz", spool);
  ASSERT_EQ(queue.status, 0) << queue.err;
  useScheduler(cupsd->socket());
  open({cupsd->document()}, "tz");
  ASSERT_NE(dialog->cupsHost(), nullptr);
  EXPECT_EQ(dialog->destinations().titleOfSelectedItem(), "tz");
  typeInto(widget<qt::FieldWidget>(dialog->copies()), "3");
  auto* print = widget<QPushButton>(dialog->printButton());
  ASSERT_TRUE(print && print->isEnabled());
  QTest::mouseClick(print, Qt::LeftButton);  // commits the typed number, then submits
  ASSERT_TRUE(dialog->submittedJob()) << cupsd->logTail();
  EXPECT_TRUE(dialog->isDone());
  const std::optional<CupsJobStatus> status =
      dialog->cupsHost()->waitForJob(*dialog->submittedJob(), std::chrono::seconds(30), &error);
  ASSERT_TRUE(status && status->state == IPP_JSTATE_COMPLETED) << error << cupsd->logTail();
  const std::optional<tzps::SpoolContents> stored = tzps::readSpool(spool, &error);
  ASSERT_TRUE(stored && stored->records.size() == 1u) << error;
  EXPECT_EQ(std::tuple(stored->records.front().title, stored->records.front().copies), std::tuple("report.pdf", 3));
  dialog.reset();  // before its scheduler stops
}

}  // namespace
}  // namespace orval

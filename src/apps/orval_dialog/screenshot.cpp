#include "apps/orval_dialog/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <memory>

#include "apps/orval_dialog/print_dialog.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/window.h"
#include "qt/renderer.h"

namespace orval {

namespace {

// Shows window's widget, lets Qt lay it out and saves what it draws.
bool grabWindow(tk::Window& window, const std::filesystem::path& file, std::string* error) {
  qt::Renderer& renderer = qt::Renderer::shared();
  QWidget& widget = renderer.windowWidget(window);
  renderer.sync();
  QApplication::processEvents();
  if (widget.grab().save(QString::fromStdString(file.string()), "PNG")) return true;
  if (error) *error = "cannot write " + file.string();
  return false;
}

// Takes a picture of the first modal window it is given and ends its run with Cancel;
// alerts get their default button.
class ScreenshotOperator : public tk::Operator {
 public:
  explicit ScreenshotOperator(std::filesystem::path file) : file_(std::move(file)) {}
  std::size_t answerAlert(const tk::Alert&, bool) override { return 0; }
  void workModalWindow(tk::Window& window) override {
    if (!taken_) ok_ = grabWindow(window, file_, &error_);
    taken_ = true;
    tk::endModalWindow(window, tk::ModalResponse::Cancel);
  }
  bool taken_ = false;
  bool ok_ = false;
  std::string error_;

 private:
  std::filesystem::path file_;
};

}  // namespace

std::vector<std::filesystem::path> screenshotFiles(const std::filesystem::path& file) {
  std::filesystem::path detailed = file;
  detailed.replace_filename(file.stem().string() + "-detailed-settings.png");
  return {file, detailed};
}

bool writeScreenshots(PrintDialog& dialog, const std::filesystem::path& file, std::string* error) {
  const std::vector<std::filesystem::path> files = screenshotFiles(file);
  dialog.window().makeKeyAndOrderFront();
  if (!grabWindow(dialog.window(), files[0], error)) return false;

  tk::Application& app = tk::Application::shared();
  auto screenshots = std::make_shared<ScreenshotOperator>(files[1]);
  app.setOperator(screenshots);
  dialog.detailedSettingsButton().performClick();
  qt::Renderer::shared().sync();
  app.setOperator(nullptr);
  if (!screenshots->taken_) {
    if (error) *error = "the detailed-settings window did not open";
    return false;
  }
  if (!screenshots->ok_ && error) *error = screenshots->error_;
  return screenshots->ok_;
}

}  // namespace orval

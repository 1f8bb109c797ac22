// orval-dialog [FILE...] [--printer QUEUE] [--bundle PATH] [--screenshot FILE]:
// the "TZ Print Server" panel in a print dialog window (Qt). Print submits
// the files to the chosen CUPS queue; --screenshot writes pictures of the
// dialog and of its detailed-settings window instead of showing them.
#include <CLI/CLI.hpp>

#include <QApplication>

#include <iostream>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval_dialog/print_dialog.h"
#include "apps/orval_dialog/screenshot.h"
#include "platform/toolkit/application.h"
#include "qt/qt_operator.h"
#include "qt/renderer.h"

int main(int argc, char** argv) {
  CLI::App cli{"orval-dialog: the TZ Print Server panel in a print dialog"};
  std::vector<std::string> files;
  std::optional<std::string> printer;
  std::optional<std::string> bundlePath;
  std::optional<std::string> screenshot;
  cli.add_option("FILE", files, "the files to print")->check(CLI::ExistingFile);
  cli.add_option("--printer", printer, "the CUPS queue chosen first (QUEUE or QUEUE/INSTANCE)");
  orval::cli::addBundleOption(cli, &bundlePath);
  cli.add_option("--screenshot", screenshot,
                 "write FILE (the dialog) and FILE's name with -detailed-settings.png (the detailed settings) and quit");
  cli.set_version_flag("--version", "orval-dialog " ORVAL_VERSION);
  CLI11_PARSE(cli, argc, argv);

  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName("TZ Print Server");
  orval::tk::Application::shared().setOperator(std::make_shared<orval::qt::QtOperator>());
  int status = 0;
  try {
    orval::PrintDialogOptions options;
    options.bundle = orval::cli::openBundle(bundlePath);
    options.printer = printer;
    for (const std::string& file : files) options.files.emplace_back(file);
    orval::PrintDialog dialog(std::move(options));
    if (screenshot) {
      std::string error;
      if (!orval::writeScreenshots(dialog, *screenshot, &error)) {
        std::cerr << "orval-dialog: " << error << '\n';
        status = 1;
      }
    } else {
      dialog.setClosedHandler([] { QCoreApplication::quit(); });
      dialog.window().center();
      dialog.window().makeKeyAndOrderFront();
      orval::qt::Renderer::shared().windowWidget(dialog.window());
      orval::qt::Renderer::shared().sync();
      application.exec();
      if (dialog.submittedJob()) std::cout << "job " << *dialog.submittedJob() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "orval-dialog: " << e.what() << '\n';
    status = 1;
  }
  orval::qt::Renderer::shared().clear();
  return status;
}

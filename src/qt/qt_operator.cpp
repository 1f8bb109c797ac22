#include "qt/qt_operator.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

#include "platform/toolkit/alert.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/save_panel.h"
#include "platform/toolkit/scripted_operator.h"
#include "qt/renderer.h"

namespace orval::qt {

namespace {

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The window an alert or chooser belongs to: the active window, when it is one of ours.
QWidget* activeParent() {
  QWidget* active = QApplication::activeWindow();
  return active != nullptr && Renderer::shared().windowOf(active) != nullptr ? active : nullptr;
}

// Shows a file chooser and hands the person's choice to the model's chooser:
// OK when it takes it, Cancel when the person cancels.
void workChooser(tk::SavePanel& chooser) {
  auto* opener = dynamic_cast<tk::OpenPanel*>(&chooser);
  QFileDialog dialog(activeParent(), qs(chooser.message().empty() ? chooser.title() : chooser.message()),
                     qs(chooser.directoryURL()));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(opener != nullptr ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  if (opener != nullptr)
    dialog.setFileMode(opener->canChooseDirectories() && !opener->canChooseFiles() ? QFileDialog::Directory
                       : opener->allowsMultipleSelection()                         ? QFileDialog::ExistingFiles
                                                                                   : QFileDialog::ExistingFile);
  else
    dialog.selectFile(qs(chooser.nameFieldStringValue()));
  if (!chooser.allowedFileTypes().empty()) {
    QStringList patterns;
    for (const std::string& type : chooser.allowedFileTypes()) patterns << "*." + qs(type);
    QStringList filters{patterns.join(' ')};
    if (chooser.allowsOtherFileTypes()) filters << "*";
    dialog.setNameFilters(filters);
  }
  if (!chooser.prompt().empty()) dialog.setLabelText(QFileDialog::Accept, qs(chooser.prompt()));
  if (dialog.exec() != QDialog::Accepted) {
    tk::endModalWindow(chooser, tk::ModalResponse::Cancel);
    return;
  }
  std::vector<std::string> paths;
  for (const QString& file : dialog.selectedFiles()) paths.push_back(file.toStdString());
  const bool taken = opener != nullptr ? opener->chooseURLs(paths) : !paths.empty() && chooser.choose(paths.front());
  // A choice the chooser refuses leaves the run going: the dialog comes again.
  if (taken) tk::endModalWindow(chooser, tk::ModalResponse::OK);
}

}  // namespace

std::size_t QtOperator::answerAlert(const tk::Alert& alert, bool) {
  Renderer::shared().sync();
  QMessageBox box(activeParent());
  box.setWindowTitle(QApplication::applicationDisplayName());
  box.setText(qs(alert.messageText()));
  box.setInformativeText(qs(alert.informativeText()));
  box.setIcon(alert.alertStyle() == tk::AlertStyle::Informational ? QMessageBox::Information : QMessageBox::Warning);
  std::vector<std::string> titles = alert.buttonTitles();
  if (titles.empty()) titles.push_back("OK");
  // Added last first, so that the first button stands rightmost.
  std::vector<QPushButton*> buttons(titles.size());
  for (std::size_t i = titles.size(); i-- > 0;) buttons[i] = box.addButton(qs(titles[i]), QMessageBox::ActionRole);
  box.setDefaultButton(buttons.front());
  for (std::size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == "Cancel") box.setEscapeButton(buttons[i]);
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return i;
  // Closed without a button: the Cancel button's answer, else the last button's.
  for (std::size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == "Cancel") return i;
  return titles.size() - 1;
}

void QtOperator::workModalWindow(tk::Window& window) {
  if (auto* chooser = dynamic_cast<tk::SavePanel*>(&window)) {
    workChooser(*chooser);
    return;
  }
  if (!window.isVisible()) {
    // No one can act on a window that is not shown: its run ends.
    tk::endModalWindow(window, tk::ModalResponse::Abort);
    return;
  }
  Renderer::shared().runOneTurn(window);
}

}  // namespace orval::qt

// WexoPDEByCocoa: the server lists asked of the printer queue, and the print
// dialog's own copies, collate, two-sided and input slot settings.
#include "common/os_version.h"
#include "panel/host_controls.h"
#include "panel/server_list_channel.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/view.h"
#include "platform/toolkit/window.h"

namespace orval {

namespace {

constexpr const char* kQZInputSlotKey = "QZInputSlot";

}  // namespace

// Server lists --------------------------------------------------------------------------------------------

std::optional<Value> WexoPDEByCocoa::sendCommand(const std::string& listName) {
  if (_pdePluginCallbackObject == nullptr) return std::nullopt;
  ppd_file_t* ppd = _pdePluginCallbackObject->ppdFile();
  PrintSession* session = _pdePluginCallbackObject->printSession();
  Printer* printer = session != nullptr ? session->currentPrinter() : nullptr;
  // Older systems have the queue publish the list first; later ones read
  // what the queue has already published into its printer description.
  if (!isOSVer_After10_9() && printer != nullptr) printer->sendCommand(kReportLevelsCommand, listName);
  return readServerList(ppd, listName);
}

// The print dialog's own controls -------------------------------------------------------------------------

PrintSettings* WexoPDEByCocoa::_printSettings() const {
  return _pdePluginCallbackObject != nullptr ? _pdePluginCallbackObject->printSettings() : nullptr;
}

tk::View* WexoPDEByCocoa::_hostControlsView() const {
  if (!_view) return nullptr;
  tk::Window* window = _view->window();
  return window != nullptr ? &window->contentView() : nullptr;
}

tk::Control* WexoPDEByCocoa::hostControlForKey(const std::string& key) const {
  return getCocoaPDEsControl(_hostControlsView(), key);
}

std::optional<std::string> WexoPDEByCocoa::getCopies() {
  if (_isHiddenNumCopies) return std::nullopt;
  const tk::Control* field = hostControlForKey(std::string(kHostNumCopiesKey));
  if (field == nullptr) return std::nullopt;
  return field->stringValue();
}

void WexoPDEByCocoa::setCopies(const std::string& text) {
  if (_isHiddenNumCopies) return;
  tk::Control* field = hostControlForKey(std::string(kHostNumCopiesKey));
  if (field == nullptr) return;
  field->setStringValue(text);
  field->sendAction();
}

std::optional<std::string> WexoPDEByCocoa::getCollate() {
  if (_isHiddenCollate) return std::nullopt;
  const PrintSettings* settings = _printSettings();
  if (settings == nullptr) return std::nullopt;
  return settings->collate() ? "True" : "False";
}

void WexoPDEByCocoa::setCollate(bool flag) {
  if (_isHiddenCollate) return;
  if (PrintSettings* settings = _printSettings()) settings->setCollate(flag);
  if (auto* button = dynamic_cast<tk::Button*>(hostControlForKey(std::string(kHostCollateKey)))) {
    button->setState(flag ? tk::ControlState::On : tk::ControlState::Off);
    button->sendAction();
  }
}

std::optional<std::string> WexoPDEByCocoa::getDuplex() {
  if (_isHiddenDuplex) return std::nullopt;
  const PrintSettings* settings = _printSettings();
  if (settings == nullptr) return std::nullopt;
  switch (settings->duplex()) {
    case DuplexMode::NoTumble:
      return "DuplexNoTumble";
    case DuplexMode::Tumble:
      return "DuplexTumble";
    case DuplexMode::SimplexTumble:
      return "SimplexTumble";
    case DuplexMode::None:
      break;
  }
  return "None";
}

void WexoPDEByCocoa::setQZInputSlot(const std::optional<std::string>& choice) {
  if (!choice) return;
  if (PrintSettings* settings = _printSettings()) settings->setValue(kQZInputSlotKey, Value(*choice));
}

}  // namespace orval

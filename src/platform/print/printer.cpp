#include "platform/print/printer.h"

namespace orval {

Printer::Printer(std::string name, std::optional<std::string> deviceURI)
    : name_(std::move(name)), deviceURI_(std::move(deviceURI)) {}

int Printer::sendCommand(std::string_view command, std::string_view jobTitle) {
  // A copy for the handler: it may send further commands while it runs.
  const PrinterCommand sent{std::string(command), std::string(jobTitle)};
  sentCommands_.push_back(sent);
  if (!commandHandler_) return 0;
  return commandHandler_(sent);
}

}  // namespace orval

#include "platform/print/memory_print_host.h"

#include "platform/foundation/log.h"

namespace orval {

MemoryPrintHost::MemoryPrintHost(std::string printerName) : driver_(*this) {
  session_.setCurrentPrinter(std::make_unique<Printer>(std::move(printerName)));
}

MemoryPrintHost::~MemoryPrintHost() = default;

bool MemoryPrintHost::openPrinterDescription(const std::filesystem::path& path, std::string* error) {
  // Panels may keep the handle ppdFile() gave them: the description changes
  // only when there are none, as a dialog reloads its panels for a new printer.
  if (!driver_.panels().empty()) {
    if (error) *error = "the printer description cannot change while the plug-in's panels are open";
    return false;
  }
  std::unique_ptr<PrinterDescription> opened = PrinterDescription::open(path, error);
  if (!opened) return false;
  description_ = std::move(opened);
  markTicketChoices();
  return true;
}

bool MemoryPrintHost::changePPDOption(const std::string& key, const std::string& choice) {
  if (!description_ || !description_->markOption(key, choice)) return false;
  driver_.PPDOptionKeyValueDidChange(key, choice);
  return true;
}

void MemoryPrintHost::willChangePPDOptionKeyValue(const std::string& key, const std::string& choice) {
  if (!answersWillChange_) {
    PDEPluginCallback::willChangePPDOptionKeyValue(key, choice);
    return;
  }
  if (!description_) return;
  if (!description_->markOption(key, choice))
    logMessage("###Warning: the printer description has no choice " + choice + " for " + key);
}

TicketFile::Status MemoryPrintHost::loadTicketFile(const std::filesystem::path& path, std::string* error) {
  JobTicket ticket;
  std::string reason;
  const TicketFile::Status status = TicketFile::read(path, &ticket, &reason);
  if (status == TicketFile::Status::Damaged) {
    logMessage("###Error: " + reason);
    if (error) *error = reason;
  }
  settings_.setValues(std::move(ticket.printSettings));
  ticketChoices_ = std::move(ticket.markedChoices);
  if (description_) {
    description_->markDefaults();
    markTicketChoices();
  }
  return status;
}

bool MemoryPrintHost::saveTicketFile(const std::filesystem::path& path, bool replaceDamaged,
                                     std::string* error) const {
  JobTicket ticket;
  ticket.printSettings = settings_.values();
  ticket.markedChoices = description_ ? description_->markedChoices() : ticketChoices_;
  return TicketFile::write(path, ticket, replaceDamaged, error);
}

void MemoryPrintHost::markTicketChoices() {
  for (const auto& [keyword, choice] : ticketChoices_)
    if (!description_->markOption(keyword, choice.text()))
      logMessage("###Warning: the ticket's choice " + choice.text() + " for " + keyword +
                 " is not in the printer description");
}

}  // namespace orval

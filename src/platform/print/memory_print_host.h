// MemoryPrintHost: a print dialog host in one process.
//
// Holds what a print dialog gives its panels — a print session with one
// printer (its device address settable), the job's print settings in memory
// and a printer description opened from a file — and answers the panels'
// callback. Marking a choice for a panel (willChangePPDOptionKeyValue) can be
// switched off to act as a host that does not offer it. The job's settings
// are saved to and loaded from a ticket file. Its panel driver loads a
// plug-in bundle and drives the panels with this host as their callback.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/print/panel_driver.h"
#include "platform/print/pde_plugin_callback.h"
#include "platform/print/print_session.h"
#include "platform/print/print_settings.h"
#include "platform/print/printer_description.h"
#include "platform/print/ticket_file.h"

namespace orval {

class MemoryPrintHost final : public PDEPluginCallback {
 public:
  // A host whose session prints to a printer named printerName, with no device address.
  explicit MemoryPrintHost(std::string printerName = "orval");
  ~MemoryPrintHost() override;
  MemoryPrintHost(const MemoryPrintHost&) = delete;
  MemoryPrintHost& operator=(const MemoryPrintHost&) = delete;

  // Opens the printer's description with its defaults marked, then the loaded
  // ticket's choices; on failure (false, *error) the previous one stays.
  // Refused while the plug-in's panels are open: they may hold its handle.
  bool openPrinterDescription(const std::filesystem::path& path, std::string* error = nullptr);
  // The printer's description, or nullptr when none is open.
  PrinterDescription* printerDescription() const { return description_.get(); }

  // The session's printer; nullptr once the session's printer was taken away.
  Printer* printer() const { return session_.currentPrinter(); }
  // Sets or clears the device address of the session's printer (when it has one).
  void setDeviceURI(std::optional<std::string> uri) {
    if (Printer* p = printer()) p->setDeviceURI(std::move(uri));
  }
  // Whether the host answers willChangePPDOptionKeyValue (it does unless switched off).
  void setAnswersWillChangePPDOptionKeyValue(bool answers) { answersWillChange_ = answers; }

  // Marks choice for key as another panel of the dialog would, and tells the
  // plug-in's panels that list key; false when the description has no such choice.
  bool changePPDOption(const std::string& key, const std::string& choice);

  // Replaces the job's settings by the ticket file's. A missing file leaves
  // them empty; a damaged one too, and is reported (*error, log), never changed.
  TicketFile::Status loadTicketFile(const std::filesystem::path& path, std::string* error = nullptr);
  // Saves the job's settings and marked choices to a ticket file; refuses to
  // replace a damaged file unless replaceDamaged.
  bool saveTicketFile(const std::filesystem::path& path, bool replaceDamaged = false,
                      std::string* error = nullptr) const;

  // The driver of the plug-in's panels, whose callback this host is.
  PanelDriver& panels() { return driver_; }

  // PDEPluginCallback
  PrintSession* printSession() override { return &session_; }
  PrintSettings* printSettings() override { return &settings_; }
  ppd_file_t* ppdFile() override { return description_ ? description_->handle() : nullptr; }
  bool respondsToWillChangePPDOptionKeyValue() const override { return answersWillChange_; }
  // Marks the choice in the printer description (conflicts are allowed);
  // raises like a host without the operation when switched off.
  void willChangePPDOptionKeyValue(const std::string& key, const std::string& choice) override;

 private:
  void markTicketChoices();

  PrintSession session_;
  PrintSettings settings_;
  std::unique_ptr<PrinterDescription> description_;
  // The marked choices of the last loaded ticket, applied to every description opened.
  Dict ticketChoices_;
  bool answersWillChange_ = true;
  // Last member: its panels go before everything they may use.
  PanelDriver driver_;
};

}  // namespace orval

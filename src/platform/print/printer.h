// Printer: one print queue as a panel sees it — its name, its device address
// and the commands sent to it.
//
// Every command is recorded, in order, so that a host (or a test) can see
// what was sent; a host that can deliver commands to a real queue installs a
// command handler, whose status sendCommand answers.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orval {

// One command sent to a printer: the command's name and the job title it was sent with.
struct PrinterCommand {
  std::string command;
  std::string jobTitle;
  friend bool operator==(const PrinterCommand&, const PrinterCommand&) = default;
};

class Printer {
 public:
  // Delivers a command to the queue; answers a status, 0 on success.
  using CommandHandler = std::function<int(const PrinterCommand&)>;

  // A printer named name, with its device address when it has one.
  explicit Printer(std::string name, std::optional<std::string> deviceURI = std::nullopt);

  const std::string& name() const { return name_; }
  // The device address ("socket://host:9100", "ipp://..."); nullopt when the queue has none.
  const std::optional<std::string>& deviceURI() const { return deviceURI_; }
  // Sets or clears the device address.
  void setDeviceURI(std::optional<std::string> uri) { deviceURI_ = std::move(uri); }

  // Sends command with jobTitle: records it, then hands it to the command
  // handler; answers the handler's status, or 0 when there is no handler.
  int sendCommand(std::string_view command, std::string_view jobTitle);
  // Every command sent so far, oldest first.
  const std::vector<PrinterCommand>& sentCommands() const { return sentCommands_; }
  // Forgets the recorded commands.
  void clearSentCommands() { sentCommands_.clear(); }
  // Installs (or, with an empty function, removes) the command handler.
  void setCommandHandler(CommandHandler handler) { commandHandler_ = std::move(handler); }

 private:
  std::string name_;
  std::optional<std::string> deviceURI_;
  std::vector<PrinterCommand> sentCommands_;
  CommandHandler commandHandler_;
};

}  // namespace orval

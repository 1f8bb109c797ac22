#include "apps/orval/cups_destination.h"

#include <chrono>

#include "apps/orval/commands.h"
#include "apps/orval/plugin_session.h"
#include "platform/print/printer_description.h"

namespace orval::cli {

void addDestinationOptions(CLI::App& command, DestinationOptions* options) {
  command.add_option("--printer", options->printer,
                     "The queue (default: $PRINTER, then the CUPS default destination)")
      ->type_name("QUEUE");
  command.add_option("--server", options->server, "The CUPS scheduler (default: $CUPS_SERVER or the local one)")
      ->type_name("HOST");
  command.add_option("--timeout", options->timeoutSeconds, "How long printer commands may take")
      ->type_name("SECONDS")
      ->check(CLI::Range(0.1, 3600.0));
}

std::unique_ptr<CupsPrintHost> connectTzQueue(const DestinationOptions& options, const Bundle& bundle) {
  CupsHostOptions hostOptions;
  hostOptions.printer = options.printer;
  hostOptions.server = options.server;
  hostOptions.commandTimeout =
      std::chrono::milliseconds(static_cast<long long>(options.timeoutSeconds * 1000.0));
  std::string error;
  std::unique_ptr<CupsPrintHost> host = CupsPrintHost::connect(hostOptions, &error);
  if (!host) throw CommandError(error);

  const std::unique_ptr<PrinterDescription> own =
      PrinterDescription::open(printerDescriptionFor(bundle, std::nullopt), &error);
  if (!own) throw CommandError(error);
  const std::optional<std::string> ownModel = own->attribute("ModelName");
  const std::optional<std::string> model = host->host().printerDescription()->attribute("ModelName");
  if (!ownModel || model != ownModel)
    throw CommandError("the queue " + host->queue() + " on " + host->server() + " is not a " +
                       ownModel.value_or("TZ Print Server") + " queue (its printer description's model is \"" +
                       model.value_or("") + "\"); create one with scripts/tz-queue");
  return host;
}

}  // namespace orval::cli

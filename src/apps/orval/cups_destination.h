// The CUPS destination of orval's printing commands: the options that name
// it (--printer QUEUE[/INSTANCE], --server HOST, --timeout SECONDS) and the
// check that its queue is a TZ Print Server queue.
#pragma once

#include <CLI/App.hpp>

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/print/cups_print_host.h"

namespace orval::cli {

struct DestinationOptions {
  std::optional<std::string> printer;
  std::optional<std::string> server;
  double timeoutSeconds = 30;
};

// Adds --printer, --server and --timeout to command.
void addDestinationOptions(CLI::App& command, DestinationOptions* options);

// The host of the destination options name, whose printer description must be
// the same model as bundle's own; throws CommandError otherwise.
std::unique_ptr<CupsPrintHost> connectTzQueue(const DestinationOptions& options, const Bundle& bundle);

}  // namespace orval::cli

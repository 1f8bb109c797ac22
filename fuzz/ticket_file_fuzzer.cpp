// Ticket files, as a person hands one to the host: the bytes of a file
// loaded by MemoryPrintHost over the bundle's printer description (its
// marked choices marked there), then saved again. A ticket that loads saves
// and reads back with the same print settings.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "platform/foundation/log.h"
#include "platform/print/memory_print_host.h"
#include "platform/print/ticket_file.h"

using namespace orval;

namespace {

std::unique_ptr<MemoryPrintHost> makeHost() {
  auto host = std::make_unique<MemoryPrintHost>();
  std::string error;
  if (!host->openPrinterDescription(fuzz::resourcePath("TZPrintServer.ppd"), &error))
    fuzz::fail("cannot open resources/TZPrintServer.ppd: " + error);
  return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::unique_ptr<MemoryPrintHost> host = makeHost();
  static const std::filesystem::path loaded = fuzz::scratchFolder() / "loaded.ticket";
  static const std::filesystem::path saved = fuzz::scratchFolder() / "saved.ticket";
  LogCapture quiet(LogCapture::Sinks::Silenced);
  fuzz::writeFile(loaded, fuzz::textOf(data, size));
  std::string error;
  const TicketFile::Status status = host->loadTicketFile(loaded, &error);
  ORVAL_FUZZ_CHECK(status != TicketFile::Status::Missing);
  ORVAL_FUZZ_CHECK((status == TicketFile::Status::Damaged) == !error.empty());
  if (status != TicketFile::Status::Loaded) return 0;

  ORVAL_FUZZ_CHECK(host->saveTicketFile(saved, /*replaceDamaged=*/true, &error));
  JobTicket reread;
  ORVAL_FUZZ_CHECK(TicketFile::read(saved, &reread) == TicketFile::Status::Loaded);
  // The ticket is XML: its dates keep whole seconds.
  ORVAL_FUZZ_CHECK(fuzz::sameValue(Value(reread.printSettings), Value(host->printSettings()->values()), 1.0));
  return 0;
}

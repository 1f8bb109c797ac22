// The server list channel as the print queue publishes it: a printer
// description whose attributes after its first lines are the input (the
// chunk attributes `*FeederInfoList0000: "<Base64>"` and anything else), every
// list of the bundle's description read from it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "panel/server_list_channel.h"
#include "platform/foundation/log.h"

using namespace orval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LogCapture quiet(LogCapture::Sinks::Silenced);
  std::string text(fuzz::kPpdHeader);
  text += fuzz::textOf(data, size);
  const fuzz::PpdPtr ppd = fuzz::openPpdText(text);
  if (!ppd) return 0;
  for (const char* name : {"FeederInfoList", "StackerInfoList", "DeviceList", "PrePostDevice"})
    readServerList(ppd.get(), name);
  return 0;
}

// Property lists from bytes (XML and binary), as bundles, tickets and the
// printer's lists hand them over. Whatever reads must write in both forms
// and read back as the same value.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "fuzz_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

using namespace orval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LogCapture quiet(LogCapture::Sinks::Silenced);
  std::string error;
  const std::optional<Value> value = plistFromBytes(fuzz::textOf(data, size), &error);
  if (!value) {
    ORVAL_FUZZ_CHECK(!error.empty());
    return 0;
  }
  // The XML form keeps dates to the whole second, the binary form exactly.
  for (const auto& [written, dateTolerance] : {std::pair{plistToXml(*value), 1.0}, std::pair{plistToBinary(*value), 0.0}}) {
    std::string again;
    const std::optional<Value> reread = plistFromBytes(std::string_view(written), &again);
    if (!reread) fuzz::fail("a list read from the input does not read back once written: " + again);
    ORVAL_FUZZ_CHECK(fuzz::sameValue(*reread, *value, dateTolerance));
  }
  return 0;
}

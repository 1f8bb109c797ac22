// Profile files, as the print server's tools write them: the bytes of a
// file read by AppPreference (UTF-8, else CP850; "key=value" lines).
#include <cstddef>
#include <cstdint>
#include <optional>

#include "favorites/app_preference.h"
#include "fuzz_support.h"
#include "platform/foundation/log.h"

using namespace orval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path path = fuzz::scratchFolder() / "profile.txt";
  LogCapture quiet(LogCapture::Sinks::Silenced);
  fuzz::writeFile(path, fuzz::textOf(data, size));
  const AppPreference preference;
  // Every byte string reads as CP850 at worst: a profile file always gives its pairs.
  ORVAL_FUZZ_CHECK(preference.profileDictionaryWithContentsOfFile(path).has_value());
  return 0;
}

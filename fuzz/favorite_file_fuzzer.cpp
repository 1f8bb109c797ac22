// Favorite files, as import hands them over from anywhere: the bytes of a
// file read by FavoriteFile (header, comment, key=value pairs in the encoding
// the header names). A file that reads and that the writer accepts writes
// bytes that read back with the same comment and pairs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "favorites/favorite_file.h"
#include "fuzz_support.h"
#include "platform/foundation/log.h"

using namespace orval;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path path = fuzz::scratchFolder() / "imported.pfj";
  static const std::filesystem::path again = fuzz::scratchFolder() / "written.pfj";
  LogCapture quiet(LogCapture::Sinks::Silenced);
  fuzz::writeFile(path, fuzz::textOf(data, size));
  const FavoriteFile read(path);
  if (read.version() == kFavoriteFile_UnknownVersion) {
    ORVAL_FUZZ_CHECK(!read.options().has_value() || read.options()->empty());
    return 0;
  }
  const std::optional<std::string> bytes = read.fileBytes();
  if (!bytes) return 0;  // text the local encoding or the format cannot hold: refused, not written
  fuzz::writeFile(again, *bytes);
  const FavoriteFile reread(again);
  ORVAL_FUZZ_CHECK(reread.version() == FavoriteFile::kWrittenVersion);
  ORVAL_FUZZ_CHECK(reread.comment().value_or("") == read.comment().value_or(""));
  ORVAL_FUZZ_CHECK(fuzz::sameValue(Value(reread.options().value_or(Dict())), Value(read.options().value_or(Dict())), 0));
  return 0;
}

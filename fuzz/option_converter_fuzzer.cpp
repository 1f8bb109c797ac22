// Option sets through the keyword converter in every direction: internal ->
// canonical (with and without the custom flag), canonical -> internal,
// canonical -> InputMgr and InputMgr -> canonical, with the bundle's convert
// table and the password library loaded, as `orval convert` and favorites use it.
//
// The input is text, one option a line: "key=value" (text), "key#=value"
// (an integer), "key?=value" (a boolean), "key.=value" (a real).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "conversion/password_encoder.h"
#include "conversion/print_option_converter.h"
#include "fuzz_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

using namespace orval;

namespace {

// The bundle's convert table, read once and shared with every conversion.
std::unique_ptr<ConvertTableSource> resourceTable() {
  std::optional<Dict> table = dictFromFile(fuzz::resourcePath("ConvertTable.plist"));
  if (!table) fuzz::fail("cannot read resources/ConvertTable.plist");
  return std::make_unique<FixedConvertTableSource>(std::move(*table));
}

PrintOption optionsOf(std::string_view text) {
  PrintOption options;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    const char kind = key.back();
    if (kind == '#' || kind == '?' || kind == '.') key.remove_suffix(1);
    if (kind == '#') options.set(key, Value(static_cast<std::int64_t>(integerValueOfString(value))));
    else if (kind == '?') options.set(key, Value(boolStringIsTrue(value)));
    else if (kind == '.') options.set(key, Value(decimalValueOfString(value)));
    else options.set(key, Value(value));
  }
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool loaded =
      fuzz::silenceStandardOutput() && loadEncDec(fuzz::encryptionLibraryFolder().c_str()) == 0;
  if (!loaded) fuzz::fail("cannot load libencryption.so");
  static const PrintOptionConverter converter(resourceTable());
  LogCapture quiet(LogCapture::Sinks::Silenced);
  const PrintOption options = optionsOf(fuzz::textOf(data, size));

  for (const bool custom : {true, false}) {
    PrintOption canonical = options;
    PrintOptionConverter::convertToCanonicalPpdKeyword(canonical, custom);
    PrintOptionConverter::convertToInternalPpdKeyword(canonical);
  }
  PrintOption internal = options;
  PrintOptionConverter::convertToInternalPpdKeyword(internal);
  converter.toInputMgrFormat(options);
  converter.toPpdKeywordFormat(options);
  return 0;
}

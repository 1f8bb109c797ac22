// What the fuzz targets share: the input as text, a scratch folder for
// readers that take files, the project's resources, an operator that answers
// every dialog, and the check that stops a target when a property it tests
// does not hold (libFuzzer then reports the input like a crash).
#pragma once

#include <cups/ppd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"
#include "platform/toolkit/operator.h"

namespace orval::fuzz {

// The input bytes as text.
inline std::string_view textOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own in /dev/shm (else the temporary folder),
// made on first use and removed when the process exits normally.
const std::filesystem::path& scratchFolder();
// Writes bytes to path, replacing it; stops the target when it cannot.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
// A file or folder of the project's resources/ (the bundle's sources).
std::filesystem::path resourcePath(std::string_view name);
// The folder the build puts libencryption.so in.
std::filesystem::path encryptionLibraryFolder();

// The first lines of a printer description, before the attributes a target adds.
extern const std::string_view kPpdHeader;
struct PpdClose {
  void operator()(ppd_file_t* ppd) const;
};
using PpdPtr = std::unique_ptr<ppd_file_t, PpdClose>;
// text opened by libcups as a printer description; nullptr when it refuses it.
PpdPtr openPpdText(std::string_view text);

// Sends standard output to /dev/null (the password wrapper prints there); answers true.
bool silenceStandardOutput();

// Stops the target with what failed; libFuzzer saves and prints the input.
[[noreturn]] void fail(std::string_view what);
#define ORVAL_FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::orval::fuzz::fail(__FILE__ ":" + std::to_string(__LINE__) + ": " #condition))

// Equality of two values in which two NaN reals count as equal and dates
// closer than dateTolerance seconds too (the XML form keeps whole seconds).
bool sameValue(const Value& a, const Value& b, double dateTolerance = 0);

// The person in front of the dialogs while fuzzing: presses every alert's
// first button and ends every modal run at once, so that no input waits.
class AnsweringOperator final : public tk::Operator {
 public:
  std::size_t answerAlert(const tk::Alert& alert, bool asSheet) override { return 0; }
  void workModalWindow(tk::Window& window) override;
};

// Returns the process-wide state the targets touch (application, notification
// centre, common helpers) to a fresh process's, with an AnsweringOperator.
void resetProcessState();

}  // namespace orval::fuzz

// The structural check of a binary property list, run before libplist reads
// it: libplist trusts nesting depth (a deep or cyclic file overflows its
// stack), silently drops parts of malformed strings and clamps integers and
// dates that do not fit, so such files are refused here first.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orval::detail {

// Checks the trailer, offset table and every reachable object; false and a reason if unsafe.
bool checkBinaryPlist(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace orval::detail

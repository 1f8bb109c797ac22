// Small UTF-8 helpers shared by the readers and formatters that build text
// code point by code point.
#pragma once

#include <cstdint>
#include <string>

namespace orval {

// Appends the UTF-8 form of code point cp (which must be a Unicode scalar value).
void appendUtf8(std::string& out, std::uint32_t cp);

}  // namespace orval

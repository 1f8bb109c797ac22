// Byte length of a text, as the byte-limited fields and the favorite name rules count it.
#pragma once

#include <cstddef>
#include <string_view>

namespace orval {

// The number of bytes text takes in the system's default byte encoding;
// when it does not convert exactly, the length of its lossy conversion
// (so one Japanese character counts 2 on a Japanese system).
std::size_t lengthByBytes(std::string_view text);

}  // namespace orval

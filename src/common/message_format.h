// Message formatting: the printf-style formats of the system's messages and keys.
//
// Formats such as "Exception: %@", "%@:%@", "Please specify at least %d
// characters for %@." or "%04ld-%02ld-%02ldT%02ld:%02ld:%02ld" are filled
// with Values:
//
//   %@  %s  %S      the value's text (a string as it is, a boolean as
//                   "True"/"False", a number in decimal, nothing for other
//                   types); precision limits and width pads the text,
//                   counted in characters
//   %d  %i          the value's integer reading, in full
//   %u  %o  %x  %X  the integer reading without sign; a negative value is
//                   read in two's complement at the width of the length
//                   modifier (32 bits without one, 64 with l, ll, q, j, z, t)
//   %f %F %e %E %g %G %a %A   the value's decimal reading ("%lf" and "%Lf" too)
//   %c  %C          the integer reading as one character (a Unicode code point)
//   %%              a percent sign
//
// Flags (- + space # 0), width and precision (digits or *), length
// modifiers (hh h l ll q L j z t) and positional arguments ("%1$@", which
// do not advance the running argument count) are understood. Numbers are
// always written with "." as decimal point, whatever the process's locale.
//
// Formats come from string tables that translators edit, so nothing in a
// format can read past the arguments: a conversion without an argument (and
// a null argument) renders as nothing; an unknown or incomplete conversion
// (and "%n") is copied as it stands and takes no argument. Widths and
// precisions above kMaxFormatFieldWidth are clamped to it.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/foundation/value.h"

namespace orval {

// The largest width or precision a conversion is given.
inline constexpr int kMaxFormatFieldWidth = 4096;

// format filled with arguments.
std::string formatMessage(std::string_view format, std::span<const Value> arguments);

namespace message_format_detail {

// One argument of stringWithFormat as a Value: integers as 64-bit integers
// (unsigned ones beyond the signed range keep their bits), a null C string as no value.
template <typename T>
Value toArgument(const T& argument) {
  using D = std::decay_t<T>;
  if constexpr (std::is_same_v<D, Value> || std::is_same_v<D, bool>) {
    return Value(argument);
  } else if constexpr (std::is_integral_v<D>) {
    return Value(static_cast<long long>(argument));
  } else if constexpr (std::is_floating_point_v<D>) {
    return Value(static_cast<double>(argument));
  } else if constexpr (std::is_same_v<D, const char*> || std::is_same_v<D, char*>) {
    const char* text = argument;
    return text != nullptr ? Value(text) : Value();
  } else {
    return Value(argument);
  }
}

}  // namespace message_format_detail

// format filled with arguments of any type a Value can be made from.
template <typename... Args>
std::string stringWithFormat(std::string_view format, const Args&... arguments) {
  const std::array<Value, sizeof...(Args)> values{message_format_detail::toArgument(arguments)...};
  return formatMessage(format, values);
}

}  // namespace orval

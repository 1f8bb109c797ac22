// The server list channel: the lists that the printer queue publishes into
// its printer description (trays, stackers, finishing abilities, profiles,
// fonts, job resources...), read back as property lists.
//
// A list named N is a run of attributes named N followed by a four-digit
// upper-case hexadecimal chunk number ("%s%04X": N0000, N0001, ...), counting
// up without gaps; an attribute name holds at most 40 characters. Each value
// is one Base64 chunk that decodes to at most 159 bytes; the decoded chunks in
// order are one zlib stream, which inflates to a property list (XML or binary).
#pragma once

#include <cups/ppd.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

// The most bytes one chunk decodes to.
inline constexpr std::size_t kServerListChunkBytes = 159;
// The most bytes a list inflates to (16 MiB): reading stops there, so a
// small stream that inflates without end cannot exhaust memory.
inline constexpr std::size_t kServerListMaxBytes = 0x1000000;
// The last chunk number that fits the four hexadecimal digits.
inline constexpr unsigned kServerListMaxChunk = 0xFFFF;
// The longest list name: the name and its four digits fill the 40 characters of an attribute name.
inline constexpr std::size_t kServerListMaxNameLength = 36;

// The attribute name of chunk number of list name; nullopt when it would not
// fit in 40 characters or number has more than four hexadecimal digits.
std::optional<std::string> serverListChunkName(std::string_view name, unsigned number);

// The inflated bytes of list name in ppd; nullopt when ppd or name is missing,
// the description has no chunk 0 of the name, or memory runs out. A chunk
// that fails to inflate is reported on standard error and the following
// chunks are still fed.
std::optional<std::string> ppdxReadData(ppd_file_t* ppd, std::string_view name);

// List name of ppd parsed as a property list; nullopt when it cannot be read or parsed, and (without a
// diagnostic) when its chunk 0 is empty, as a queue publishes a list the print server does not have.
std::optional<Value> readServerList(ppd_file_t* ppd, std::string_view name);

}  // namespace orval

// The print server's host name, taken from the printer's device address.
//
// The host part of a device address is what lies between "//" (after any
// user information) and the port or path; an address in brackets loses its
// brackets, and percent escapes are decoded; a host part that decodes to a
// control byte, a path separator or bytes that are not UTF-8 text is refused
// (no host name rather than a harmful one). A host part written in the
// device address' form of an IPv6 address with a zone, "v1.fe80::1+en0",
// becomes the usual form "fe80::1%en0": a leading "v1." is dropped and the
// first "+" after it becomes "%". Any other host part is used unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orval {

// The host part of uri; none when uri has no scheme, no "//" authority, an empty host or a
// host that is refused (see above).
std::optional<std::string> hostPartOfDeviceURI(std::string_view uri);
// The print server's host name for a device address' host part (the "v1." and "+" rules).
std::string printServerHostName(std::string hostPart);
// printServerHostName of uri's host part; none when uri has no host part.
std::optional<std::string> printServerHostNameFromDeviceURI(std::string_view uri);

}  // namespace orval

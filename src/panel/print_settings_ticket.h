// The panel's private entries in the job's print settings.
//
// An option that the printer description cannot carry as a marked choice is
// kept in the print settings under the key prefix followed by the option key,
// its text escaped so that no "%", "'" or "," stands in it: the print path
// hands these settings on as "name=value" pairs, where a comma or quote would
// split or end the value. Escaping and unescaping are one left-to-right pass
// each, and exact inverses of each other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings_ui/string_escape_converter.h"

namespace orval {

// The prefix of every private entry key.
inline constexpr std::string_view kPrivateEntryPrefix = "jp.co.quillant.print.PrintSettingsTicket.";

// The print settings key of the private entry of key.
std::string privateEntryKey(std::string_view key);
// The converter of private entry values: "%" -> "%x25", "'" -> "%x27", "," -> "%x2C".
const StringEscapeConverter& ticketEscapeConverter();
// The stored form of text.
std::string escapeTicketValue(std::string_view text);
// The text a stored value stands for; none when stored is no escaped text
// (a "%" that starts none of the three escapes, a bare "'" or ","), which no
// writer of these entries makes.
std::optional<std::string> unescapeTicketValue(std::string_view stored);

}  // namespace orval

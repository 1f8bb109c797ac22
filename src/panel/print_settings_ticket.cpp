#include "panel/print_settings_ticket.h"

namespace orval {

std::string privateEntryKey(std::string_view key) {
  std::string entry(kPrivateEntryPrefix);
  entry += key;
  return entry;
}

const StringEscapeConverter& ticketEscapeConverter() {
  static const StringEscapeConverter converter = [] {
    StringEscapeConverter c;
    c.replace("%", "%x25");
    c.replace("'", "%x27");
    c.replace(",", "%x2C");
    return c;
  }();
  return converter;
}

std::string escapeTicketValue(std::string_view text) { return ticketEscapeConverter().escape(text); }

std::optional<std::string> unescapeTicketValue(std::string_view stored) {
  std::string text = ticketEscapeConverter().unEscape(stored);
  // Every escaped text escapes back to itself; anything else was not written
  // by the escaping and cannot be read back exactly.
  if (ticketEscapeConverter().escape(text) != stored) return std::nullopt;
  return text;
}

}  // namespace orval

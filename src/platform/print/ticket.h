// Ticket: the print system's older job ticket, a store of strings and integers.
//
// Kept minimal: it answers what was stored under a key and nothing else.
// A host that marks printer-description choices itself hands its panels the
// print settings instead; a ticket is only what a panel writes to when it has
// no such host.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

class Ticket {
 public:
  // Stores text under key; clientId names the writer, as the print system records it.
  void setString(std::string_view key, std::string_view text, std::string_view clientId = {});
  // The text under key; nullopt when absent or not text.
  std::optional<std::string> getString(std::string_view key) const;
  // Stores an integer under key.
  void setSInt32(std::string_view key, std::int32_t number, std::string_view clientId = {});
  // The integer under key; nullopt when absent or not an integer.
  std::optional<std::int32_t> getSInt32(std::string_view key) const;
  // The client that last wrote key, or nullopt.
  std::optional<std::string> clientOf(std::string_view key) const;
  // Every entry, in the order the keys were first set.
  const Dict& values() const { return values_; }

 private:
  Dict values_;
  Dict clients_;
};

}  // namespace orval

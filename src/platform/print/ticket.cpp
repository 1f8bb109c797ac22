#include "platform/print/ticket.h"

namespace orval {

void Ticket::setString(std::string_view key, std::string_view text, std::string_view clientId) {
  values_.set(key, text);
  clients_.set(key, clientId);
}

std::optional<std::string> Ticket::getString(std::string_view key) const {
  const Value* v = values_.find(key);
  if (!v || !v->isString()) return std::nullopt;
  return *v->asString();
}

void Ticket::setSInt32(std::string_view key, std::int32_t number, std::string_view clientId) {
  values_.set(key, number);
  clients_.set(key, clientId);
}

std::optional<std::int32_t> Ticket::getSInt32(std::string_view key) const {
  const Value* v = values_.find(key);
  if (!v || !v->isInteger()) return std::nullopt;
  // Only setSInt32 stores integers, so the value is in range.
  return static_cast<std::int32_t>(*v->asInteger());
}

std::optional<std::string> Ticket::clientOf(std::string_view key) const {
  const Value* v = clients_.find(key);
  if (!v) return std::nullopt;
  return *v->asString();
}

}  // namespace orval

#include "platform/print/print_settings.h"

#include <cmath>
#include <limits>

namespace orval {

void PrintSettings::setValue(std::string_view key, Value value) {
  if (value.isNull()) {
    values_.remove(key);
    return;
  }
  values_.set(key, std::move(value));
}

const Value* PrintSettings::value(std::string_view key) const { return values_.find(key); }

bool PrintSettings::remove(std::string_view key) { return values_.remove(key); }

std::optional<std::int32_t> PrintSettings::int32Value(std::string_view key) const {
  const Value* v = values_.find(key);
  if (!v) return std::nullopt;
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (const std::int64_t* i = v->asInteger()) {
    if (*i < kMin || *i > kMax) return std::nullopt;
    return static_cast<std::int32_t>(*i);
  }
  if (const double* d = v->asReal()) {
    // A real converts only when nothing is lost.
    if (!std::isfinite(*d) || std::trunc(*d) != *d || *d < kMin || *d > kMax) return std::nullopt;
    return static_cast<std::int32_t>(*d);
  }
  return std::nullopt;
}

std::int32_t PrintSettings::copies() const {
  const std::optional<std::int32_t> copies = int32Value(kCopiesKey);
  return copies && *copies > 0 ? *copies : 1;
}

void PrintSettings::setCopies(std::int32_t copies) { values_.set(kCopiesKey, static_cast<std::int64_t>(copies)); }

bool PrintSettings::collate() const {
  const Value* v = values_.find(kCollateKey);
  return v ? v->truth() : true;
}

void PrintSettings::setCollate(bool collate) { values_.set(kCollateKey, collate); }

DuplexMode PrintSettings::duplex() const {
  const std::optional<std::int32_t> code = int32Value(kDuplexKey);
  if (!code) return DuplexMode::None;
  switch (*code) {
    case static_cast<std::int32_t>(DuplexMode::NoTumble):
      return DuplexMode::NoTumble;
    case static_cast<std::int32_t>(DuplexMode::Tumble):
      return DuplexMode::Tumble;
    case static_cast<std::int32_t>(DuplexMode::SimplexTumble):
      return DuplexMode::SimplexTumble;
    default:
      return DuplexMode::None;
  }
}

void PrintSettings::setDuplex(DuplexMode mode) {
  values_.set(kDuplexKey, static_cast<std::int64_t>(mode));
}

}  // namespace orval

#include "platform/foundation/value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orval {

// Array ---------------------------------------------------------------

Array::Array(std::initializer_list<Value> values) : items_(values) {}

const Value* Array::at(std::size_t i) const { return i < items_.size() ? &items_[i] : nullptr; }

void Array::push_back(Value v) { items_.push_back(std::move(v)); }

void Array::insert(std::size_t index, Value v) {
  if (index > items_.size()) index = items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(v));
}

void Array::erase(std::size_t index) {
  if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool Array::contains(const Value& v) const {
  for (const Value& item : items_)
    if (item == v) return true;
  return false;
}

bool operator==(const Array& a, const Array& b) { return a.items_ == b.items_; }

// Dict ----------------------------------------------------------------

Dict::Dict(std::initializer_list<Entry> entries) {
  for (const Entry& e : entries) set(e.first, e.second);
}
Dict::Dict(const Dict& other) = default;
Dict::Dict(Dict&& other) noexcept = default;
Dict& Dict::operator=(const Dict& other) = default;
Dict& Dict::operator=(Dict&& other) noexcept = default;
Dict::~Dict() = default;

const Value* Dict::find(std::string_view key) const {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

Value* Dict::find(std::string_view key) {
  auto it = index_.find(key);
  return it == index_.end() ? nullptr : &entries_[it->second].second;
}

const Value& Dict::get(std::string_view key) const {
  static const Value kNull;
  const Value* v = find(key);
  return v ? *v : kNull;
}

void Dict::set(std::string_view key, Value v) {
  if (Value* existing = find(key)) {
    *existing = std::move(v);
    return;
  }
  index_.emplace(std::string(key), entries_.size());
  entries_.emplace_back(std::string(key), std::move(v));
}

bool Dict::remove(std::string_view key) {
  auto it = index_.find(key);
  if (it == index_.end()) return false;
  const std::size_t position = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
  reindexFrom(position);
  return true;
}

void Dict::reindexFrom(std::size_t position) {
  for (std::size_t i = position; i < entries_.size(); ++i) index_[entries_[i].first] = i;
}

void Dict::clear() {
  entries_.clear();
  index_.clear();
}

void Dict::merge(const Dict& other) {
  if (&other == this) return;
  for (const Entry& e : other.entries_) set(e.first, e.second);
}

std::vector<std::string> Dict::keys() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) out.push_back(e.first);
  return out;
}

bool operator==(const Dict& a, const Dict& b) {
  if (a.size() != b.size()) return false;
  for (const Dict::Entry& e : a.entries_) {
    const Value* other = b.find(e.first);
    if (!other || !(*other == e.second)) return false;
  }
  return true;
}

// Value ---------------------------------------------------------------

bool Value::truth() const {
  switch (type()) {
    case Type::Bool: return *asBool();
    case Type::Integer: return *asInteger() != 0;
    case Type::Real: return *asReal() != 0.0;
    case Type::String: return boolStringIsTrue(*asString());
    default: return false;
  }
}

std::string Value::text() const {
  switch (type()) {
    case Type::String: return *asString();
    case Type::Bool: return *asBool() ? "True" : "False";
    case Type::Integer: return std::to_string(*asInteger());
    case Type::Real: return formatReal(*asReal());
    default: return {};
  }
}

double Value::doubleValue() const {
  switch (type()) {
    case Type::Bool: return *asBool() ? 1.0 : 0.0;
    case Type::Integer: return static_cast<double>(*asInteger());
    case Type::Real: return *asReal();
    case Type::String: return decimalValueOfString(*asString());
    default: return 0.0;
  }
}

std::int64_t Value::intValue() const {
  switch (type()) {
    case Type::Bool: return *asBool() ? 1 : 0;
    case Type::Integer: return *asInteger();
    case Type::String: return integerValueOfString(*asString());
    default: {
      const double d = doubleValue();
      if (std::isnan(d)) return 0;
      if (d >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
      if (d <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
      return static_cast<std::int64_t>(d);
    }
  }
}

std::string Value::stringOr(const std::string& fallback) const {
  const std::string* s = asString();
  return s ? *s : fallback;
}

bool operator==(const Value& a, const Value& b) {
  // Numbers compare by value across integer and real, as number objects do.
  if (a.isNumber() && b.isNumber() && a.type() != b.type())
    return a.doubleValue() == b.doubleValue();
  return a.v_ == b.v_;
}

// Readings ------------------------------------------------------------

bool boolStringIsTrue(std::string_view text) {
  if (text.size() != 4) return false;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return lower(text[0]) == 't' && lower(text[1]) == 'r' && lower(text[2]) == 'u' &&
         lower(text[3]) == 'e';
}

namespace {

// Length of the longest prefix of s (after white space) that is a decimal
// number: sign, digits, optional fraction, optional exponent.
std::size_t numberPrefix(std::string_view s) {
  std::size_t i = 0;
  const auto digit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t intStart = i;
  while (digit(i)) ++i;
  std::size_t mantissaDigits = i - intStart;
  if (i < s.size() && s[i] == '.') {
    std::size_t j = i + 1;
    while (digit(j)) ++j;
    mantissaDigits += j - i - 1;
    i = j;
  }
  if (mantissaDigits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (digit(j)) {
      while (digit(j)) ++j;
      i = j;
    }
  }
  return i;
}

// The power of ten of the first significant digit of number (a numberPrefix
// with a non-zero digit): 2 for "123", -3 for "0.00123e0", 1 for "1e1".
// Exponents too long to hold saturate, which keeps their direction.
long long decimalExponent(std::string_view number) {
  std::size_t i = number.front() == '-' ? 1 : 0;
  long long digits = 0;         // mantissa digits seen
  long long integerDigits = 0;  // of them, before the point
  long long firstSignificant = -1;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    if (number[i] == '.') {
      integerDigits = digits;
      continue;
    }
    if (firstSignificant < 0 && number[i] != '0') firstSignificant = digits;
    ++digits;
  }
  if (number.find('.') == std::string_view::npos) integerDigits = digits;
  if (firstSignificant < 0) return 0;
  long long exponent = 0;
  bool negative = false;
  if (i < number.size()) {
    ++i;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    for (; i < number.size(); ++i) exponent = std::min<long long>(exponent * 10 + (number[i] - '0'), 1'000'000'000);
  }
  return integerDigits - 1 - firstSignificant + (negative ? -exponent : exponent);
}

std::string_view skipSpace(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                          s[i] == '\f' || s[i] == '\v'))
    ++i;
  return s.substr(i);
}

}  // namespace

double decimalValueOfString(std::string_view text) {
  std::string_view s = skipSpace(text);
  const std::size_t n = numberPrefix(s);
  if (n == 0) return 0.0;
  std::string_view number = s.substr(0, n);
  if (number.front() == '+') number.remove_prefix(1);
  double d = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), d);
  if (result.ec == std::errc::result_out_of_range) {
    // from_chars leaves d unset when out of range; as strtod, a number too
    // large is infinite and one too small is zero, with its sign.
    const bool negative = number.front() == '-';
    const double magnitude = decimalExponent(number) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
  }
  return d;
}

std::int64_t integerValueOfString(std::string_view text) {
  const double d = decimalValueOfString(text);
  if (std::isnan(d)) return 0;
  if (d >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
  if (d <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(d);
}

std::string formatReal(double d) {
  if (std::isnan(d)) return "nan";
  if (std::isinf(d)) return d < 0 ? "-inf" : "inf";
  if (d == std::trunc(d) && std::fabs(d) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", d);
    return buf;
  }
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, result.ptr);
}

}  // namespace orval

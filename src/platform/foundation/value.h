// Value: the property-list value every part of Orval passes around.
//
// A Value is null, a boolean, a 64-bit integer, a real, a UTF-8 string, a
// date, a byte string, an Array or a Dict. Values are plain value types:
// copying one copies its contents. A Dict keeps its keys in insertion order
// (a property list's order is its file order) and finds a key in O(1), so
// every walk over a dictionary is stable and testable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace orval {

class Value;

// A point in time: seconds since 2001-01-01 00:00:00 UTC, the reference date
// of the property-list format.
struct Date {
  double secondsSinceReferenceDate = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

// Raw bytes (a property list's <data>).
using Data = std::vector<std::uint8_t>;

// An ordered sequence of values.
class Array {
 public:
  Array() = default;
  Array(std::initializer_list<Value> values);

  std::size_t size() const;
  bool empty() const;
  const Value& operator[](std::size_t i) const;
  Value& operator[](std::size_t i);
  // The value at i, or nullptr when i is out of range.
  const Value* at(std::size_t i) const;
  void push_back(Value v);
  void insert(std::size_t index, Value v);
  void erase(std::size_t index);
  void clear();
  bool contains(const Value& v) const;

  std::vector<Value>::const_iterator begin() const;
  std::vector<Value>::const_iterator end() const;
  std::vector<Value>::iterator begin();
  std::vector<Value>::iterator end();

  friend bool operator==(const Array& a, const Array& b);

 private:
  std::vector<Value> items_;
};

// A string-keyed dictionary that remembers insertion order and finds in O(1).
// Setting an existing key replaces its value in place; removing a key keeps
// the order of the others.
class Dict {
 public:
  using Entry = std::pair<std::string, Value>;

  Dict() = default;
  Dict(std::initializer_list<Entry> entries);
  Dict(const Dict& other);
  Dict(Dict&& other) noexcept;
  Dict& operator=(const Dict& other);
  Dict& operator=(Dict&& other) noexcept;
  ~Dict();

  std::size_t size() const;
  bool empty() const;
  bool contains(std::string_view key) const { return find(key) != nullptr; }
  // The value for key, or nullptr when the key is absent.
  const Value* find(std::string_view key) const;
  Value* find(std::string_view key);
  // The value for key; a null Value when absent.
  const Value& get(std::string_view key) const;
  void set(std::string_view key, Value v);
  // Removes key; answers whether it was present.
  bool remove(std::string_view key);
  void clear();
  // Sets every entry of other, in other's order.
  void merge(const Dict& other);
  std::vector<std::string> keys() const;

  std::vector<Entry>::const_iterator begin() const;
  std::vector<Entry>::const_iterator end() const;

  // Equality ignores order, as dictionary equality does.
  friend bool operator==(const Dict& a, const Dict& b);

 private:
  void reindexFrom(std::size_t position);

  // Hashing that finds a key from any string-like key without making a string of it.
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };

  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
};

class Value {
 public:
  enum class Type { Null, Bool, Integer, Real, String, Date, Data, Array, Dict };

  Value() = default;
  Value(std::nullptr_t) {}
  Value(bool b) : v_(b) {}
  Value(int i) : v_(static_cast<std::int64_t>(i)) {}
  Value(long i) : v_(static_cast<std::int64_t>(i)) {}
  Value(long long i) : v_(static_cast<std::int64_t>(i)) {}
  Value(unsigned i) : v_(static_cast<std::int64_t>(i)) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(orval::Date d) : v_(d) {}
  Value(orval::Data d) : v_(std::move(d)) {}
  Value(orval::Array a) : v_(std::move(a)) {}
  Value(orval::Dict d) : v_(std::move(d)) {}

  Type type() const { return static_cast<Type>(v_.index()); }
  bool isNull() const { return type() == Type::Null; }
  bool isBool() const { return type() == Type::Bool; }
  bool isInteger() const { return type() == Type::Integer; }
  bool isReal() const { return type() == Type::Real; }
  bool isNumber() const { return isInteger() || isReal(); }
  bool isString() const { return type() == Type::String; }
  bool isDate() const { return type() == Type::Date; }
  bool isData() const { return type() == Type::Data; }
  bool isArray() const { return type() == Type::Array; }
  bool isDict() const { return type() == Type::Dict; }

  // Typed access; nullptr when the value is of another type.
  const bool* asBool() const { return std::get_if<bool>(&v_); }
  const std::int64_t* asInteger() const { return std::get_if<std::int64_t>(&v_); }
  const double* asReal() const { return std::get_if<double>(&v_); }
  const std::string* asString() const { return std::get_if<std::string>(&v_); }
  const orval::Date* asDate() const { return std::get_if<orval::Date>(&v_); }
  const orval::Data* asData() const { return std::get_if<orval::Data>(&v_); }
  const orval::Array* asArray() const { return std::get_if<orval::Array>(&v_); }
  orval::Array* asArray() { return std::get_if<orval::Array>(&v_); }
  const orval::Dict* asDict() const { return std::get_if<orval::Dict>(&v_); }
  orval::Dict* asDict() { return std::get_if<orval::Dict>(&v_); }

  // The readings the system uses everywhere ----------------------------

  // Truth of any value: a boolean is itself, a number is true when not zero,
  // a string is true exactly when it equals "True" ignoring case; anything
  // else is false.
  bool truth() const;
  // The value as text: a string as it is, a boolean as "True"/"False", an
  // integer in decimal, a real in the shortest form that reads back the same;
  // empty for every other type.
  std::string text() const;
  // Decimal reading: a number as itself, a boolean as 1/0, a string read as
  // a leading decimal number (0 when it holds none); 0 for other types.
  double doubleValue() const;
  // The decimal reading truncated towards zero.
  std::int64_t intValue() const;
  // The string, or fallback when the value is not a string. Answers a copy,
  // so the result never outlives the value it came from.
  std::string stringOr(const std::string& fallback) const;

  friend bool operator==(const Value& a, const Value& b);

 private:
  std::variant<std::monostate, bool, std::int64_t, double, std::string, orval::Date, orval::Data,
               orval::Array, orval::Dict>
      v_;
};

inline std::size_t Array::size() const { return items_.size(); }
inline bool Array::empty() const { return items_.empty(); }
// Defined after Value is complete: clear() needs the element type whole.
inline void Array::clear() { items_.clear(); }
inline const Value& Array::operator[](std::size_t i) const { return items_[i]; }
inline Value& Array::operator[](std::size_t i) { return items_[i]; }
inline std::vector<Value>::const_iterator Array::begin() const { return items_.begin(); }
inline std::vector<Value>::const_iterator Array::end() const { return items_.end(); }
inline std::vector<Value>::iterator Array::begin() { return items_.begin(); }
inline std::vector<Value>::iterator Array::end() { return items_.end(); }
inline std::size_t Dict::size() const { return entries_.size(); }
inline bool Dict::empty() const { return entries_.empty(); }
inline std::vector<Dict::Entry>::const_iterator Dict::begin() const { return entries_.begin(); }
inline std::vector<Dict::Entry>::const_iterator Dict::end() const { return entries_.end(); }

// The print option set: print option key -> value (strings as a rule).
using PrintOption = Dict;

// Booleans as text: true exactly when text equals "True" ignoring case.
bool boolStringIsTrue(std::string_view text);
// Decimal reading of text, as the system reads numbers typed or stored as
// text: leading white space, an optional sign, digits with an optional
// fraction and exponent; trailing characters are ignored; 0 when the text
// does not begin with a number. Independent of the locale.
double decimalValueOfString(std::string_view text);
// The decimal reading truncated towards zero, clamped to the 64-bit range.
std::int64_t integerValueOfString(std::string_view text);
// Shortest decimal text of a real that reads back to the same real
// ("1", "0.5", "1e+30").
std::string formatReal(double d);

}  // namespace orval

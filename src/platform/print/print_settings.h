// PrintSettings: the job's print settings as the host's print system keeps them.
//
// An ordered store of key -> Value. The host's own settings (collate, duplex)
// live under the print system's keys, so a reader of the raw key and a caller
// of the accessors see the same value; any other key (the system's private
// entries included) is just a key here.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

// The print system's two-sided kinds, with its codes.
enum class DuplexMode : std::int32_t {
  None = 1,           // one-sided
  NoTumble = 2,       // two-sided, long edge binding
  Tumble = 3,         // two-sided, short edge binding
  SimplexTumble = 4,  // one-sided, every other page turned
};

class PrintSettings {
 public:
  // The key of the two-sided setting (an integer DuplexMode code).
  static constexpr std::string_view kDuplexKey = "com.apple.print.PrintSettings.PMDuplexing";
  // The key of the collate setting (a boolean).
  static constexpr std::string_view kCollateKey = "com.apple.print.PrintSettings.PMCopyCollate";
  // The key of the number of copies (an integer).
  static constexpr std::string_view kCopiesKey = "com.apple.print.PrintSettings.PMCopies";
  // The prefix of the print system's own keys (collate, duplex, copies...).
  static constexpr std::string_view kPrintSystemKeyPrefix = "com.apple.print.";

  // Stores value under key (at the key's place when it exists); a null value removes the key.
  void setValue(std::string_view key, Value value);
  // The value under key, or nullptr.
  const Value* value(std::string_view key) const;
  // Removes key; answers whether it was present.
  bool remove(std::string_view key);
  // The value under key when it is a number that converts exactly to a
  // 32-bit signed integer; nullopt otherwise (absent, text, fraction, out of range).
  std::optional<std::int32_t> int32Value(std::string_view key) const;

  // The number of copies; 1 when unset or not a positive 32-bit integer.
  std::int32_t copies() const;
  // Sets the number of copies.
  void setCopies(std::int32_t copies);
  // Whether copies are collated; true when never set, as the print dialog starts.
  bool collate() const;
  // Sets the collate flag.
  void setCollate(bool collate);
  // The two-sided kind; None when unset or when the stored code is not a known kind.
  DuplexMode duplex() const;
  // Sets the two-sided kind.
  void setDuplex(DuplexMode mode);

  // Every entry, in the order the keys were first set.
  const Dict& values() const { return values_; }
  // Replaces every entry.
  void setValues(Dict values) { values_ = std::move(values); }
  // Removes every entry.
  void clear() { values_.clear(); }

 private:
  Dict values_;
};

}  // namespace orval

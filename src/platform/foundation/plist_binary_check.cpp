#include "platform/foundation/plist_binary_check.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/foundation/plist_format.h"

namespace orval::detail {
namespace {

// A binary property list may reference one object many times; reading it
// expands every reference, so the expanded size is bounded: in objects, and
// in bytes (a kilobyte of references to one long string would otherwise
// expand to gigabytes). The byte budget is generous for every list the
// system reads: at least 64 MiB, or 16 times the input.
constexpr std::uint64_t kMaxBinaryObjects = 1u << 20;
constexpr std::uint64_t kMinExpandedBytes = std::uint64_t{64} << 20;
constexpr std::uint64_t kExpansionFactor = 16;
// What one object costs beyond its contents, as counted against the budget.
constexpr std::uint64_t kObjectOverhead = 16;

// Checks a binary property list's trailer, offset table and every object
// reachable from the top, with a stack of pending objects instead of
// recursion.
class BinaryChecker {
 public:
  explicit BinaryChecker(std::span<const std::uint8_t> b)
      : b_(b), budget_(std::max<std::uint64_t>(kMinExpandedBytes, kExpansionFactor * b.size())) {}

  bool check(std::string& error) {
    if (!checkAll()) {
      error = "malformed binary property list: " + error_;
      return false;
    }
    return true;
  }

 private:
  bool fail(std::string what) {
    error_ = std::move(what);
    return false;
  }

  bool checkAll() {
    if (b_.size() < 8 + 1 + 1 + 32) return fail("too short");
    if (std::memcmp(b_.data(), "bplist00", 8) != 0) return fail("unsupported format version");
    const std::uint8_t* trailer = b_.data() + b_.size() - 32;
    offsetSize_ = trailer[6];
    refSize_ = trailer[7];
    objects_ = readBigEndian(trailer + 8, 8);
    const std::uint64_t top = readBigEndian(trailer + 16, 8);
    tableOffset_ = readBigEndian(trailer + 24, 8);
    const std::uint64_t tableLimit = b_.size() - 32;
    if (offsetSize_ < 1 || offsetSize_ > 8 || refSize_ < 1 || refSize_ > 8)
      return fail("invalid trailer");
    if (objects_ == 0 || top >= objects_ || tableOffset_ < 9 || tableOffset_ > tableLimit ||
        objects_ > (tableLimit - tableOffset_) / offsetSize_)
      return fail("offset table out of range");
    if (refSize_ < 8 && objects_ > (std::uint64_t{1} << (8 * refSize_)))
      return fail("invalid trailer");

    std::vector<std::pair<std::uint64_t, int>> pending{{top, 1}};
    while (!pending.empty()) {
      const auto [index, depth] = pending.back();
      pending.pop_back();
      if (depth > kMaxDepth) return fail("objects nested too deeply or in a cycle");
      if (!checkObject(index, depth, pending)) return false;
    }
    return true;
  }

  std::uint64_t offsetOf(std::uint64_t index) const {
    return readBigEndian(b_.data() + tableOffset_ + index * offsetSize_, offsetSize_);
  }

  // True when n more bytes from pos_ stay before the offset table.
  bool has(std::uint64_t n) const { return pos_ <= tableOffset_ && n <= tableOffset_ - pos_; }

  // The element count of an object whose marker's low nibble is low.
  bool readCount(unsigned low, std::uint64_t& count) {
    if (low != 0xF) {
      count = low;
      return true;
    }
    if (!has(1)) return fail("truncated object");
    const std::uint8_t marker = b_[pos_];
    if ((marker >> 4) != 0x1 || (marker & 0xF) > 3) return fail("invalid object length");
    const std::uint64_t n = std::uint64_t{1} << (marker & 0xF);
    if (!has(1 + n)) return fail("truncated object");
    count = readBigEndian(b_.data() + pos_ + 1, n);
    pos_ += 1 + n;
    return true;
  }

  bool readRefs(std::uint64_t count, int depth, std::vector<std::pair<std::uint64_t, int>>& pending,
                bool keys) {
    if (count > (tableOffset_ - pos_) / refSize_) return fail("truncated container");
    if ((references_ += count) > kMaxBinaryObjects) return fail("too many objects");
    for (std::uint64_t i = 0; i < count; ++i) {
      const std::uint64_t ref = readBigEndian(b_.data() + pos_ + i * refSize_, refSize_);
      if (ref >= objects_) return fail("reference out of range");
      if (keys) {
        const std::uint64_t at = offsetOf(ref);
        const unsigned kind = at < tableOffset_ ? b_[at] >> 4 : 0;
        if (kind != 0x5 && kind != 0x6) return fail("dictionary key is not a string");
      }
      pending.emplace_back(ref, depth + 1);
    }
    pos_ += count * refSize_;
    return true;
  }

  // Counts bytes of expanded contents against the budget; false (failed) past it.
  bool spend(std::uint64_t bytes) {
    if (bytes > budget_) return fail("expands to more than " + std::to_string(budget_ >> 20) + " MiB");
    budget_ -= bytes;
    return true;
  }

  bool checkObject(std::uint64_t index, int depth,
                   std::vector<std::pair<std::uint64_t, int>>& pending) {
    if (!spend(kObjectOverhead)) return false;
    const std::uint64_t offset = offsetOf(index);
    if (offset < 8 || offset >= tableOffset_) return fail("object offset out of range");
    const std::uint8_t marker = b_[offset];
    const unsigned kind = marker >> 4, low = marker & 0xF;
    pos_ = offset + 1;
    const std::uint8_t* p = b_.data() + pos_;
    std::uint64_t count = 0;
    switch (kind) {
      case 0x0:
        if (low != 0x8 && low != 0x9) return fail("unsupported object");
        return true;
      case 0x1: {  // integer of 1, 2, 4, 8 or 16 bytes
        if (low > 4 || !has(std::uint64_t{1} << low)) return fail("invalid integer");
        if (low == 4) {
          const std::uint64_t high = readBigEndian(p, 8), value = readBigEndian(p + 8, 8);
          const bool fits = (high == 0 && value < (std::uint64_t{1} << 63)) ||
                            (high == ~std::uint64_t{0} && value >= (std::uint64_t{1} << 63));
          if (!fits) return fail("integer out of range");
        }
        return true;
      }
      case 0x2:
        if ((low != 2 && low != 3) || !has(std::uint64_t{1} << low)) return fail("invalid real");
        return true;
      case 0x3: {
        if (low != 3 || !has(8)) return fail("invalid date");
        const std::uint64_t bits = readBigEndian(p, 8);
        double seconds;
        std::memcpy(&seconds, &bits, sizeof seconds);
        if (!(seconds >= kMinDate && seconds < kMaxDate)) return fail("date out of range");
        return true;
      }
      case 0x4:
        if (!readCount(low, count) || !has(count)) return fail("truncated data");
        return spend(count);
      case 0x5: {
        if (!readCount(low, count) || !has(count)) return fail("truncated string");
        if (std::memchr(b_.data() + pos_, 0, count)) return fail("string holds a NUL character");
        return spend(count);
      }
      case 0x6: {
        if (!readCount(low, count) || count > tableOffset_ / 2 || !has(2 * count))
          return fail("truncated string");
        bool expectLow = false;
        for (std::uint64_t i = 0; i < count; ++i) {
          const auto unit = static_cast<std::uint16_t>(readBigEndian(b_.data() + pos_ + 2 * i, 2));
          const bool high = unit >= 0xD800 && unit <= 0xDBFF,
                     lowSurrogate = unit >= 0xDC00 && unit <= 0xDFFF;
          if (unit == 0 || (expectLow != lowSurrogate)) return fail("invalid UTF-16 string");
          expectLow = high;
        }
        if (expectLow) return fail("invalid UTF-16 string");
        return spend(3 * count);  // as UTF-8
      }
      case 0x8: {
        const unsigned size = low + 1;
        if ((size != 1 && size != 2 && size != 4 && size != 8) || !has(size))
          return fail("invalid UID");
        return true;
      }
      case 0xA:
        return readCount(low, count) && readRefs(count, depth, pending, false);
      case 0xD:
        if (!readCount(low, count)) return false;
        if (count > tableOffset_) return fail("truncated container");
        return readRefs(count, depth, pending, true) && readRefs(count, depth, pending, false);
      default:
        return fail("unsupported object");
    }
  }

  std::span<const std::uint8_t> b_;
  std::uint8_t offsetSize_ = 0, refSize_ = 0;
  std::uint64_t objects_ = 0, tableOffset_ = 0, pos_ = 0, references_ = 0, budget_ = 0;
  std::string error_;
};

}  // namespace

bool checkBinaryPlist(std::span<const std::uint8_t> bytes, std::string& error) {
  return BinaryChecker(bytes).check(error);
}

}  // namespace orval::detail

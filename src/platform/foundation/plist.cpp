#include "platform/foundation/plist.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "platform/foundation/log.h"
#include "platform/foundation/text_encoding.h"
#include "platform/foundation/utf8.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

// Deeper nesting than this is refused: it only occurs in hostile input, and
// the readers and converters recurse once per level.
constexpr int kMaxDepth = 512;
// A binary property list may reference one object many times; reading it
// expands every reference, so the expanded size is bounded.
constexpr std::uint64_t kMaxBinaryObjects = 1u << 20;
// Seconds between 1970-01-01 and the reference date 2001-01-01.
constexpr std::int64_t kReferenceDateUnixTime = 978307200;
// libplist keeps whole seconds of a date in 32 bits.
constexpr double kMinDate = -2147483648.0;
constexpr double kMaxDate = 2147483648.0;

struct PlistFree {
  void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

// Text a property list can carry: valid UTF-8 without NUL (which neither
// libplist nor C strings can hold).
bool isPlistText(std::string_view s) {
  return s.find('\0') == std::string_view::npos && orval::isValidUtf8(s);
}

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isXmlSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isXmlSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Scalar texts of the XML form ------------------------------------------

// Decimal, or hexadecimal after "0x"; an optional sign. Leading zeros are
// decimal (not octal).
std::optional<std::int64_t> parseInteger(std::string_view text) {
  std::string_view s = trimmed(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
  if (negative) {
    if (magnitude > kLimit) return std::nullopt;
    return magnitude == kLimit ? std::numeric_limits<std::int64_t>::min()
                               : -static_cast<std::int64_t>(magnitude);
  }
  if (magnitude >= kLimit) return std::nullopt;
  return static_cast<std::int64_t>(magnitude);
}

// A decimal real, "nan", "inf"/"infinity" with an optional sign.
std::optional<double> parseReal(std::string_view text) {
  std::string_view s = trimmed(text);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
  double d = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return d;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// "YYYY-MM-DDTHH:MM:SSZ" as seconds since the reference date.
std::optional<double> parseDate(std::string_view text) {
  const std::string_view s = trimmed(text);
  static constexpr std::string_view kPattern = "dddd-dd-ddTdd:dd:ddZ";
  if (s.size() != kPattern.size()) return std::nullopt;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool digit = s[i] >= '0' && s[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : s[i] != kPattern[i]) return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t length) {
    unsigned n = 0;
    for (std::size_t i = at; i < at + length; ++i) n = n * 10 + static_cast<unsigned>(s[i] - '0');
    return n;
  };
  const unsigned year = number(0, 4), month = number(5, 2), day = number(8, 2);
  const unsigned hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
  static constexpr unsigned kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1] ||
      (month == 2 && day == 29 && !leap) || hour > 23 || minute > 59 || second > 59)
    return std::nullopt;
  const std::int64_t unixTime =
      daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
  return static_cast<double>(unixTime - kReferenceDateUnixTime);
}

// Base64 with padding; white space between characters is ignored.
std::optional<Data> decodeBase64(std::string_view text) {
  Data out;
  std::uint32_t group = 0;
  int count = 0, padding = 0;
  for (const char c : text) {
    if (isXmlSpace(c)) continue;
    int v;
    if (c >= 'A' && c <= 'Z')
      v = c - 'A';
    else if (c >= 'a' && c <= 'z')
      v = c - 'a' + 26;
    else if (c >= '0' && c <= '9')
      v = c - '0' + 52;
    else if (c == '+')
      v = 62;
    else if (c == '/')
      v = 63;
    else if (c == '=')
      v = -1;
    else
      return std::nullopt;
    if (v < 0) {
      // Padding only in the last two places of a group.
      if (count < 2) return std::nullopt;
      ++padding;
      v = 0;
    } else if (padding > 0) {
      return std::nullopt;
    }
    group = (group << 6) | static_cast<std::uint32_t>(v);
    if (++count == 4) {
      out.push_back(static_cast<std::uint8_t>(group >> 16));
      if (padding < 2) out.push_back(static_cast<std::uint8_t>(group >> 8));
      if (padding < 1) out.push_back(static_cast<std::uint8_t>(group));
      if (padding > 0) padding = 3;  // nothing may follow a padded group
      group = 0;
      count = 0;
    }
  }
  if (count != 0) return std::nullopt;
  return out;
}

// XML reader --------------------------------------------------------------

// Reads the XML form strictly: one well-formed document whose root <plist>
// holds exactly one value, every element known, every scalar's text valid.
// (libplist's own XML reader accepts missing end tags and unreadable
// numbers, dates and data, answering partial or invented values, so the
// XML form is read here.)
class XmlReader {
 public:
  explicit XmlReader(std::string_view text) : s_(text) {}

  std::optional<Value> read(std::string& error) {
    Value value;
    if (!readDocument(value)) {
      error = "malformed XML property list at byte " + std::to_string(failedAt_) + ": " + error_;
      return std::nullopt;
    }
    return value;
  }

 private:
  struct Tag {
    std::string_view name;
    bool closing = false;
    bool empty = false;  // <name/>
  };

  bool fail(std::string what) {
    failedAt_ = pos_;
    error_ = std::move(what);
    return false;
  }
  bool lookingAt(std::string_view t) const { return s_.substr(pos_).starts_with(t); }
  bool skipPast(std::string_view terminator) {
    const std::size_t at = s_.find(terminator, pos_);
    if (at == std::string_view::npos) return false;
    pos_ = at + terminator.size();
    return true;
  }
  void skipSpace() {
    while (pos_ < s_.size() && isXmlSpace(s_[pos_])) ++pos_;
  }
  // White space, comments and processing instructions.
  bool skipMisc() {
    for (;;) {
      skipSpace();
      if (lookingAt("<!--")) {
        if (!skipPast("-->")) return fail("unterminated comment");
      } else if (lookingAt("<?")) {
        if (!skipPast("?>")) return fail("unterminated processing instruction");
      } else {
        return true;
      }
    }
  }
  bool skipDoctype() {
    pos_ += 9;  // "<!DOCTYPE"
    while (pos_ < s_.size()) {
      const char c = s_[pos_++];
      if (c == '>') return true;
      if (c == '[')
        return fail("document type declarations with an internal subset are not supported");
      if (c == '"' || c == '\'') {
        const std::size_t close = s_.find(c, pos_);
        if (close == std::string_view::npos) break;
        pos_ = close + 1;
      }
    }
    return fail("unterminated document type declaration");
  }

  std::string_view readName() {
    const std::size_t start = pos_;
    const auto nameChar = [](char c, bool first) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
             (!first && ((c >= '0' && c <= '9') || c == '-' || c == '.'));
    };
    while (pos_ < s_.size() && nameChar(s_[pos_], pos_ == start)) ++pos_;
    return s_.substr(start, pos_ - start);
  }

  bool readTag(Tag& tag) {
    if (!lookingAt("<"))
      return fail(pos_ >= s_.size() ? "unexpected end of document" : "expected an element");
    ++pos_;
    tag = Tag{};
    if (lookingAt("/")) {
      tag.closing = true;
      ++pos_;
    }
    tag.name = readName();
    if (tag.name.empty()) return fail("expected an element name");
    for (;;) {
      const std::size_t before = pos_;
      skipSpace();
      if (lookingAt(">")) {
        ++pos_;
        return true;
      }
      if (!tag.closing && lookingAt("/>")) {
        pos_ += 2;
        tag.empty = true;
        return true;
      }
      if (tag.closing || pos_ == before || readName().empty())
        return fail("malformed tag <" + std::string(tag.name) + ">");
      skipSpace();
      if (!lookingAt("=")) return fail("attribute without a value");
      ++pos_;
      skipSpace();
      if (!lookingAt("\"") && !lookingAt("'")) return fail("attribute value without quotes");
      const std::size_t close = s_.find(s_[pos_], pos_ + 1);
      if (close == std::string_view::npos ||
          s_.substr(pos_, close - pos_).find('<') != std::string_view::npos)
        return fail("unterminated attribute value");
      pos_ = close + 1;
    }
  }

  bool readEntity(std::string& out) {
    const std::size_t semicolon = s_.find(';', pos_);
    if (semicolon == std::string_view::npos || semicolon - pos_ > 12)
      return fail("malformed entity reference");
    const std::string_view name = s_.substr(pos_ + 1, semicolon - pos_ - 1);
    pos_ = semicolon + 1;
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.starts_with("#")) {
      const bool hex = name.starts_with("#x");
      const std::string_view digits = name.substr(hex ? 2 : 1);
      std::uint32_t cp = 0;
      const auto [end, ec] =
          std::from_chars(digits.data(), digits.data() + digits.size(), cp, hex ? 16 : 10);
      if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || cp == 0 ||
          cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return fail("invalid character reference &" + std::string(name) + ";");
      appendUtf8(out, cp);
    } else {
      return fail("unknown entity &" + std::string(name) + ";");
    }
    return true;
  }

  // The text of element up to its end tag: characters, references, CDATA
  // sections and comments, but no child elements.
  bool readText(std::string_view element, std::string& out) {
    for (;;) {
      const std::size_t special = s_.find_first_of("<&", pos_);
      if (special == std::string_view::npos) {
        pos_ = s_.size();
        return fail("unterminated <" + std::string(element) + ">");
      }
      out.append(s_.substr(pos_, special - pos_));
      pos_ = special;
      if (s_[pos_] == '&') {
        if (!readEntity(out)) return false;
      } else if (lookingAt("<!--")) {
        if (!skipPast("-->")) return fail("unterminated comment");
      } else if (lookingAt("<![CDATA[")) {
        pos_ += 9;
        const std::size_t end = s_.find("]]>", pos_);
        if (end == std::string_view::npos) return fail("unterminated CDATA section");
        out.append(s_.substr(pos_, end - pos_));
        pos_ = end + 3;
      } else {
        Tag tag;
        if (!readTag(tag)) return false;
        if (!tag.closing || tag.name != element)
          return fail("unexpected <" + std::string(tag.name) + "> inside <" + std::string(element) +
                      ">");
        return true;
      }
    }
  }

  bool readDocument(Value& value) {
    if (lookingAt("\xEF\xBB\xBF")) pos_ += 3;
    if (!skipMisc()) return false;
    if (lookingAt("<!DOCTYPE") && (!skipDoctype() || !skipMisc())) return false;
    Tag root;
    if (!readTag(root)) return false;
    if (root.closing || root.name != "plist") return fail("the root element is not <plist>");
    if (root.empty) return fail("<plist> holds no value");
    Tag tag;
    if (!skipMisc() || !readTag(tag)) return false;
    if (tag.closing) return fail("<plist> holds no value");
    if (!readValue(tag, 1, value) || !skipMisc() || !readTag(tag)) return false;
    if (!tag.closing) return fail("<plist> holds more than one value");
    if (tag.name != "plist") return fail("mismatched </" + std::string(tag.name) + ">");
    if (!skipMisc()) return false;
    if (pos_ != s_.size()) return fail("content after </plist>");
    return true;
  }

  bool readValue(const Tag& open, int depth, Value& out) {
    if (open.closing) return fail("unexpected </" + std::string(open.name) + ">");
    if (depth > kMaxDepth) return fail("values nested too deeply");
    if (open.name == "dict") return readDict(open, depth, out);
    if (open.name == "array") return readArray(open, depth, out);
    return readScalar(open, out);
  }

  bool readDict(const Tag& open, int depth, Value& out) {
    Dict dict;
    while (!open.empty) {
      Tag tag;
      if (!skipMisc() || !readTag(tag)) return false;
      if (tag.closing) {
        if (tag.name != "dict") return fail("mismatched </" + std::string(tag.name) + ">");
        break;
      }
      if (tag.name != "key") return fail("<" + std::string(tag.name) + "> where a <key> belongs");
      std::string key;
      if (!tag.empty && !readText("key", key)) return false;
      if (dict.contains(key)) return fail("duplicate key \"" + key + "\"");
      Value value;
      if (!skipMisc() || !readTag(tag)) return false;
      if (tag.closing) return fail("key \"" + key + "\" has no value");
      if (!readValue(tag, depth + 1, value)) return false;
      dict.set(key, std::move(value));
    }
    out = std::move(dict);
    return true;
  }

  bool readArray(const Tag& open, int depth, Value& out) {
    Array array;
    while (!open.empty) {
      Tag tag;
      if (!skipMisc() || !readTag(tag)) return false;
      if (tag.closing) {
        if (tag.name != "array") return fail("mismatched </" + std::string(tag.name) + ">");
        break;
      }
      Value value;
      if (!readValue(tag, depth + 1, value)) return false;
      array.push_back(std::move(value));
    }
    out = std::move(array);
    return true;
  }

  bool readScalar(const Tag& open, Value& out) {
    const std::string_view name = open.name;
    static constexpr std::string_view kScalars[] = {"string", "integer", "real", "true",
                                                    "false",  "date",    "data"};
    if (name == "key") return fail("<key> outside a dictionary");
    if (std::find(std::begin(kScalars), std::end(kScalars), name) == std::end(kScalars))
      return fail("unknown element <" + std::string(name) + ">");
    const std::size_t start = pos_;
    std::string text;
    if (!open.empty && !readText(name, text)) return false;
    const auto invalid = [&] {
      pos_ = start;
      return fail("invalid <" + std::string(name) + "> \"" + text.substr(0, 40) + "\"");
    };
    if (name == "string") {
      out = std::move(text);
    } else if (name == "true" || name == "false") {
      if (!trimmed(text).empty()) return invalid();
      out = name == "true";
    } else if (name == "integer") {
      const auto n = parseInteger(text);
      if (!n) return invalid();
      out = Value(static_cast<long long>(*n));
    } else if (name == "real") {
      const auto d = parseReal(text);
      if (!d) return invalid();
      out = *d;
    } else if (name == "date") {
      const auto d = parseDate(text);
      if (!d) return invalid();
      out = Date{*d};
    } else {
      auto bytes = decodeBase64(text);
      if (!bytes) return invalid();
      out = std::move(*bytes);
    }
    return true;
  }

  std::string_view s_;
  std::size_t pos_ = 0;
  std::size_t failedAt_ = 0;
  std::string error_;
};

// Binary form -------------------------------------------------------------

std::uint64_t readBigEndian(const std::uint8_t* p, std::size_t n) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

// Checks a binary property list's trailer, offset table and every object
// reachable from the top before libplist reads it: libplist trusts nesting
// depth (a deep or cyclic file overflows its stack), silently drops parts of
// malformed strings and clamps integers and dates that do not fit.
class BinaryChecker {
 public:
  explicit BinaryChecker(std::span<const std::uint8_t> b) : b_(b) {}

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

  bool checkObject(std::uint64_t index, int depth,
                   std::vector<std::pair<std::uint64_t, int>>& pending) {
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
        return true;
      case 0x5: {
        if (!readCount(low, count) || !has(count)) return fail("truncated string");
        if (std::memchr(b_.data() + pos_, 0, count)) return fail("string holds a NUL character");
        return true;
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
        return true;
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
  std::uint64_t objects_ = 0, tableOffset_ = 0, pos_ = 0, references_ = 0;
  std::string error_;
};

// A date node made through the binary reader: libplist 2.2 writes dates made
// with plist_new_date into the binary form as a constant, while dates it has
// read itself are written faithfully.
PlistPtr newDateNode(double seconds) {
  std::uint8_t b[8 + 9 + 1 + 32] = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0x33};
  std::uint64_t bits;
  std::memcpy(&bits, &seconds, sizeof bits);
  for (int i = 0; i < 8; ++i) b[9 + i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
  b[17] = 8;  // the offset table: one offset of one byte
  std::uint8_t* trailer = b + 18;
  trailer[6] = 1;    // offset size
  trailer[7] = 1;    // reference size
  trailer[15] = 1;   // one object, the top one (0)
  trailer[31] = 17;  // offset of the offset table
  plist_t node = nullptr;
  plist_from_bin(reinterpret_cast<const char*>(b), sizeof b, &node);
  return PlistPtr(node);
}

// A date node's seconds, exactly. plist_get_date_val answers whole seconds
// truncated towards zero and the fraction without its sign, so a date in the
// second before the reference date would read as its mirror; the node's own
// binary form holds the exact value.
double dateSeconds(plist_t node) {
  char* bytes = nullptr;
  std::uint32_t length = 0;
  plist_to_bin(node, &bytes, &length);
  const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
  if (bytes && length >= 17 && static_cast<std::uint8_t>(bytes[8]) == 0x33) {
    const std::uint64_t bits = readBigEndian(reinterpret_cast<const std::uint8_t*>(bytes) + 9, 8);
    double seconds;
    std::memcpy(&seconds, &bits, sizeof seconds);
    return seconds;
  }
  std::int32_t sec = 0, usec = 0;
  plist_get_date_val(node, &sec, &usec);
  return sec < 0 ? sec - usec / 1e6 : sec + usec / 1e6;
}

// libplist tree -> Value.
bool fromNode(plist_t node, Value& out, std::string& error) {
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      std::uint8_t b = 0;
      plist_get_bool_val(node, &b);
      out = b != 0;
      return true;
    }
    case PLIST_UINT: {
      // Checked to fit 64 signed bits; libplist keeps them as their unsigned pattern.
      std::uint64_t v = 0;
      plist_get_uint_val(node, &v);
      out = Value(static_cast<long long>(v));
      return true;
    }
    case PLIST_REAL: {
      double d = 0;
      plist_get_real_val(node, &d);
      out = d;
      return true;
    }
    case PLIST_STRING: {
      std::uint64_t length = 0;
      const char* s = plist_get_string_ptr(node, &length);
      const std::string_view text(s ? s : "", s ? length : 0);
      if (!isPlistText(text)) return error = "a string is not valid UTF-8", false;
      out = text;
      return true;
    }
    case PLIST_DATE:
      out = Date{dateSeconds(node)};
      return true;
    case PLIST_DATA: {
      std::uint64_t length = 0;
      const char* bytes = plist_get_data_ptr(node, &length);
      out = bytes ? Data(bytes, bytes + length) : Data{};
      return true;
    }
    case PLIST_ARRAY: {
      Array array;
      const std::uint32_t size = plist_array_get_size(node);
      for (std::uint32_t i = 0; i < size; ++i) {
        Value item;
        if (!fromNode(plist_array_get_item(node, i), item, error)) return false;
        array.push_back(std::move(item));
      }
      out = std::move(array);
      return true;
    }
    case PLIST_DICT: {
      Dict dict;
      plist_dict_iter iter = nullptr;
      plist_dict_new_iter(node, &iter);
      const std::unique_ptr<void, decltype(&std::free)> ownedIter(iter, &std::free);
      for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        const std::unique_ptr<char, decltype(&std::free)> ownedKey(rawKey, &std::free);
        if (!item) break;
        const std::string key = rawKey ? rawKey : "";
        if (!isPlistText(key)) return error = "a key is not valid UTF-8", false;
        if (dict.contains(key)) return error = "duplicate key \"" + key + "\"", false;
        Value value;
        if (!fromNode(item, value, error)) return false;
        dict.set(key, std::move(value));
      }
      out = std::move(dict);
      return true;
    }
    case PLIST_UID: {
      // A keyed-archive reference reads as its XML form, {"CF$UID": n}.
      std::uint64_t v = 0;
      plist_get_uid_val(node, &v);
      out = Dict{{"CF$UID", Value(static_cast<long long>(v))}};
      return true;
    }
    default:
      error = "unsupported object";
      return false;
  }
}

// Value -> libplist tree; nullptr with error for what has no plist form.
PlistPtr toNode(const Value& value, int depth, std::string& error) {
  if (depth > kMaxDepth) return error = "values nested too deeply", nullptr;
  switch (value.type()) {
    case Value::Type::Null:
      error = "a null value has no property-list form";
      return nullptr;
    case Value::Type::Bool:
      return PlistPtr(plist_new_bool(*value.asBool()));
    case Value::Type::Integer:
      // libplist writes the 64-bit pattern as a signed integer in both forms.
      return PlistPtr(plist_new_uint(static_cast<std::uint64_t>(*value.asInteger())));
    case Value::Type::Real:
      return PlistPtr(plist_new_real(*value.asReal()));
    case Value::Type::String:
      if (!isPlistText(*value.asString()))
        return error = "a string is not valid UTF-8 or holds NUL", nullptr;
      return PlistPtr(plist_new_string(value.asString()->c_str()));
    case Value::Type::Date: {
      const double seconds = value.asDate()->secondsSinceReferenceDate;
      if (!(seconds >= kMinDate && seconds < kMaxDate))
        return error = "a date is out of the writable range (1932-2069)", nullptr;
      PlistPtr node = newDateNode(seconds);
      if (!node) error = "cannot make a date";
      return node;
    }
    case Value::Type::Data: {
      const Data& data = *value.asData();
      static const char kNone = 0;
      return PlistPtr(plist_new_data(
          data.empty() ? &kNone : reinterpret_cast<const char*>(data.data()), data.size()));
    }
    case Value::Type::Array: {
      PlistPtr array(plist_new_array());
      for (const Value& item : *value.asArray()) {
        PlistPtr child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_array_append_item(array.get(), child.release());
      }
      return array;
    }
    case Value::Type::Dict: {
      PlistPtr dict(plist_new_dict());
      for (const auto& [key, item] : *value.asDict()) {
        if (!isPlistText(key)) return error = "a key is not valid UTF-8 or holds NUL", nullptr;
        PlistPtr child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_dict_set_item(dict.get(), key.c_str(), child.release());
      }
      return dict;
    }
  }
  return nullptr;
}

std::optional<std::string> encode(const Value& value, bool binary, std::string& error) {
  PlistPtr root = toNode(value, 1, error);
  if (!root) return std::nullopt;
  char* bytes = nullptr;
  std::uint32_t length = 0;
  if (binary)
    plist_to_bin(root.get(), &bytes, &length);
  else
    plist_to_xml(root.get(), &bytes, &length);
  const std::unique_ptr<char, decltype(&std::free)> owned(bytes, &std::free);
  if (!bytes) {
    error = "libplist could not write the value";
    return std::nullopt;
  }
  return std::string(bytes, length);
}

std::optional<Value> decode(std::span<const std::uint8_t> bytes, std::string& error) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (trimmed(text).empty()) return error = "empty input", std::nullopt;
  if (text.starts_with("bplist")) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
      return error = "too large", std::nullopt;
    if (!BinaryChecker(bytes).check(error)) return std::nullopt;
    plist_t raw = nullptr;
    plist_from_bin(text.data(), static_cast<std::uint32_t>(text.size()), &raw);
    const PlistPtr root(raw);
    if (!root) return error = "malformed binary property list", std::nullopt;
    Value value;
    if (!fromNode(root.get(), value, error)) {
      error = "malformed binary property list: " + error;
      return std::nullopt;
    }
    return value;
  }
  if (!isPlistText(text)) return error = "not a property list (not UTF-8 text)", std::nullopt;
  return XmlReader(text).read(error);
}

void report(std::string_view what, const std::string& reason, std::string* error) {
  logMessage("###Error: " + std::string(what) + ": " + reason);
  if (error) *error = reason;
}

std::optional<std::string> readWholeFile(const fs::path& path, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return error = std::strerror(errno), std::nullopt;
  std::string bytes;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return error = "is a folder", std::nullopt;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

// Writes bytes to a temporary file beside path, flushes it and renames it
// over path, so that path holds either its old or its new contents.
bool writeAtomically(const fs::path& path, std::string_view bytes, std::string& error) {
  if (!path.has_filename()) return error = "no file name", false;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0)
    return error = "cannot create a file in " + folder.string() + ": " + std::strerror(errno),
           false;

  // The new file gets the old one's permissions, or the usual ones.
  struct stat st {};
  mode_t mode;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0;
  for (std::size_t done = 0; ok && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  int savedErrno = errno;
  if (::close(fd) != 0 && ok) ok = false, savedErrno = errno;
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) ok = false, savedErrno = errno;
  if (!ok) {
    ::unlink(temporary.c_str());
    error = std::strerror(savedErrno);
    return false;
  }
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace

std::optional<Value> plistFromBytes(std::span<const std::uint8_t> bytes, std::string* error) {
  std::string reason;
  std::optional<Value> value = decode(bytes, reason);
  if (!value) report("cannot read property list", reason, error);
  return value;
}

std::optional<Value> plistFromBytes(std::string_view bytes, std::string* error) {
  return plistFromBytes(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), error);
}

std::optional<Value> plistFromFile(const fs::path& path, std::string* error) {
  std::string reason;
  std::optional<std::string> bytes = readWholeFile(path, reason);
  std::optional<Value> value;
  if (bytes)
    value = decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()),
                   reason);
  if (!value) report("cannot read property list " + path.string(), reason, error);
  return value;
}

std::optional<Dict> dictFromFile(const fs::path& path, std::string* error) {
  std::optional<Value> value = plistFromFile(path, error);
  if (!value) return std::nullopt;
  if (Dict* dict = value->asDict()) return std::move(*dict);
  report("cannot read property list " + path.string(), "the root is not a dictionary", error);
  return std::nullopt;
}

std::string plistToXml(const Value& value) {
  std::string reason;
  std::optional<std::string> xml = encode(value, false, reason);
  if (!xml) report("cannot write property list", reason, nullptr);
  return xml.value_or(std::string());
}

std::string plistToBinary(const Value& value) {
  std::string reason;
  std::optional<std::string> bytes = encode(value, true, reason);
  if (!bytes) report("cannot write property list", reason, nullptr);
  return bytes.value_or(std::string());
}

bool writePlistFile(const fs::path& path, const Value& value, std::string* error) {
  std::string reason;
  const std::optional<std::string> xml = encode(value, false, reason);
  if (!xml || !writeAtomically(path, *xml, reason)) {
    report("cannot write property list " + path.string(), reason, error);
    return false;
  }
  return true;
}

}  // namespace orval

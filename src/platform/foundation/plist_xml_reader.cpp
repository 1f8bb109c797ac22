#include "platform/foundation/plist_xml_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

#include "platform/foundation/plist_format.h"
#include "platform/foundation/utf8.h"

namespace orval::detail {
namespace {

// Seconds between 1970-01-01 and the reference date 2001-01-01.
constexpr std::int64_t kReferenceDateUnixTime = 978307200;

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

}  // namespace

std::optional<Value> readXmlPlist(std::string_view text, std::string& error) {
  return XmlReader(text).read(error);
}

}  // namespace orval::detail

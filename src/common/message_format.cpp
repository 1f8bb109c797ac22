#include "common/message_format.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <locale.h>

#include <algorithm>
#include "platform/foundation/utf8.h"

namespace orval {
namespace {

// Switches the calling thread to the "C" locale while alive, so that numbers
// are written with "." whatever locale the host has set.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  static locale_t cLocale() {
    // Process-wide and never freed: the locale lives as long as the process.
    // When it cannot be made, uselocale(0) leaves the thread's locale alone.
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
  }
  locale_t previous_;
};

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size };

// One parsed conversion.
struct Conversion {
  bool leftAlign = false;
  bool plusSign = false;
  bool spaceSign = false;
  bool alternate = false;
  bool zeroPad = false;
  int width = -1;      // -1: none
  int precision = -1;  // -1: none
  Length length = Length::None;
  char type = 0;
};

int clampField(unsigned long long n) {
  return static_cast<int>(std::min<unsigned long long>(n, kMaxFormatFieldWidth));
}

// The printf specification of c for the given conversion character and length text.
std::string cSpecification(const Conversion& c, std::string_view length, char type) {
  std::string spec = "%";
  if (c.leftAlign) spec += '-';
  if (c.plusSign) spec += '+';
  if (c.spaceSign) spec += ' ';
  if (c.alternate) spec += '#';
  if (c.zeroPad) spec += '0';
  if (c.width >= 0) spec += std::to_string(c.width);
  if (c.precision >= 0) spec += '.' + std::to_string(c.precision);
  spec += length;
  spec += type;
  return spec;
}

// One value written by snprintf with a specification built above (never a
// caller's text), in the "C" locale.
template <typename T>
std::string cFormat(const std::string& spec, T value) {
  const CLocaleScope scope;
  char buffer[128];
  const int n = std::snprintf(buffer, sizeof buffer, spec.c_str(), value);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<std::size_t>(n));
  std::string out(static_cast<std::size_t>(n), '\0');
  std::snprintf(out.data(), out.size() + 1, spec.c_str(), value);
  return out;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t characterCount(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

// text cut to at most count characters.
std::string_view firstCharacters(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isContinuationByte(text[i])) continue;
    if (seen == count) return text.substr(0, i);
    ++seen;
  }
  return text;
}

// A text conversion: precision cuts, width pads with spaces (on the right when left-aligned).
std::string padText(std::string_view text, const Conversion& c) {
  if (c.precision >= 0) text = firstCharacters(text, static_cast<std::size_t>(c.precision));
  std::string out(text);
  const std::size_t count = characterCount(text);
  if (c.width > 0 && count < static_cast<std::size_t>(c.width)) {
    const std::string padding(static_cast<std::size_t>(c.width) - count, ' ');
    out = c.leftAlign ? out + padding : padding + out;
  }
  return out;
}

// The UTF-8 form of one code point; empty for NUL, surrogates and values beyond Unicode.
std::string utf8OfCodePoint(std::int64_t code) {
  if (code <= 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  std::string out;
  appendUtf8(out, static_cast<std::uint32_t>(code));
  return out;
}

// The unsigned reading of a conversion: a non-negative value in full; a
// negative one in two's complement at the width its length modifier names.
unsigned long long unsignedReading(std::int64_t value, Length length) {
  const auto bits = static_cast<std::uint64_t>(value);
  if (value >= 0) return bits;
  switch (length) {
    case Length::Char: return static_cast<std::uint8_t>(bits);
    case Length::Short: return static_cast<std::uint16_t>(bits);
    case Length::None: return static_cast<std::uint32_t>(bits);
    default: return bits;
  }
}

// The text of one conversion with its argument (nullptr when there is none).
std::string render(const Conversion& c, const Value* argument) {
  if (argument == nullptr || argument->isNull()) return {};
  switch (c.type) {
    case '@':
    case 's':
    case 'S':
      return padText(argument->text(), c);
    case 'c':
    case 'C': {
      Conversion text = c;
      text.precision = -1;
      return padText(utf8OfCodePoint(argument->intValue()), text);
    }
    case 'd':
    case 'i':
      return cFormat(cSpecification(c, "ll", 'd'), static_cast<long long>(argument->intValue()));
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      return cFormat(cSpecification(c, "ll", c.type), unsignedReading(argument->intValue(), c.length));
    default:  // f F e E g G a A
      return cFormat(cSpecification(c, "", c.type), argument->doubleValue());
  }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at format[i], advancing i; -1 when there is none.
long long readNumber(std::string_view format, std::size_t& i) {
  if (i >= format.size() || !isDigit(format[i])) return -1;
  long long n = 0;
  while (i < format.size() && isDigit(format[i])) {
    if (n < 1'000'000'000) n = n * 10 + (format[i] - '0');
    ++i;
  }
  return n;
}

constexpr std::string_view kConversionTypes = "@sScCdiuoxXfFeEgGaA";

}  // namespace

std::string formatMessage(std::string_view format, std::span<const Value> arguments) {
  std::string out;
  out.reserve(format.size());
  std::size_t nextArgument = 0;
  auto takeNext = [&]() -> const Value* {
    const std::size_t index = nextArgument++;
    return index < arguments.size() ? &arguments[index] : nullptr;
  };

  std::size_t i = 0;
  while (i < format.size()) {
    const std::size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) {
      out += format.substr(i);
      break;
    }
    out += format.substr(i, percent - i);
    i = percent + 1;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }

    Conversion c;
    // Positional argument: "n$".
    long long position = -1;
    {
      std::size_t j = i;
      const long long n = readNumber(format, j);
      if (n >= 1 && j < format.size() && format[j] == '$') {
        position = n;
        i = j + 1;
      }
    }
    // Flags.
    for (; i < format.size(); ++i) {
      const char f = format[i];
      if (f == '-') c.leftAlign = true;
      else if (f == '+') c.plusSign = true;
      else if (f == ' ') c.spaceSign = true;
      else if (f == '#') c.alternate = true;
      else if (f == '0') c.zeroPad = true;
      else if (f == '\'') continue;  // grouping: the "C" locale has none
      else break;
    }
    // Width and precision; "*" takes them from the running arguments.
    bool starWidth = false;
    bool starPrecision = false;
    if (i < format.size() && format[i] == '*') {
      starWidth = true;
      ++i;
    } else {
      const long long n = readNumber(format, i);
      if (n >= 0) c.width = clampField(static_cast<unsigned long long>(n));
    }
    if (i < format.size() && format[i] == '.') {
      ++i;
      if (i < format.size() && format[i] == '*') {
        starPrecision = true;
        ++i;
      } else {
        const long long n = readNumber(format, i);
        c.precision = n >= 0 ? clampField(static_cast<unsigned long long>(n)) : 0;
      }
    }
    // Length modifier.
    if (i < format.size()) {
      const std::string_view rest = format.substr(i);
      if (rest.starts_with("hh")) c.length = Length::Char, i += 2;
      else if (rest.starts_with("ll")) c.length = Length::LongLong, i += 2;
      else if (rest[0] == 'h') c.length = Length::Short, ++i;
      else if (rest[0] == 'l') c.length = Length::Long, ++i;
      else if (rest[0] == 'q') c.length = Length::LongLong, ++i;
      else if (rest[0] == 'L') c.length = Length::LongDouble, ++i;
      else if (rest[0] == 'j' || rest[0] == 'z' || rest[0] == 't') c.length = Length::Size, ++i;
    }
    // Conversion character; anything else is copied as it stands.
    if (i >= format.size() || kConversionTypes.find(format[i]) == std::string_view::npos) {
      const std::size_t end = std::min(i + 1, format.size());
      out += format.substr(percent, end - percent);
      i = end;
      continue;
    }
    c.type = format[i++];

    if (starWidth) {
      if (const Value* w = takeNext(); w != nullptr && !w->isNull()) {
        // A negative width asks for left alignment, as in printf.
        const std::int64_t n = w->intValue();
        const auto bits = static_cast<unsigned long long>(n);
        if (n < 0) c.leftAlign = true;
        c.width = clampField(n < 0 ? 0ULL - bits : bits);
      }
    }
    if (starPrecision) {
      if (const Value* p = takeNext(); p != nullptr && !p->isNull()) {
        const std::int64_t n = p->intValue();
        c.precision = n < 0 ? -1 : clampField(static_cast<unsigned long long>(n));
      }
    }
    const Value* argument = nullptr;
    if (position > 0) {
      if (static_cast<unsigned long long>(position) <= arguments.size())
        argument = &arguments[static_cast<std::size_t>(position - 1)];
    } else {
      argument = takeNext();
    }
    out += render(c, argument);
  }
  return out;
}

}  // namespace orval

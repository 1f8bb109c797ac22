// AppPreference: reading profile files.
//
// A profile file is text, one "key=value" pair per line, written with CR LF
// line ends by the print server's tools. It is read as UTF-8 and, when it is
// not UTF-8, as CP850 (DOS Latin 1).
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <string_view>

#include "common/message_format.h"
#include "favorites/app_preference.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

// The platform's number of the UTF-8 encoding, as the read diagnostic names it.
constexpr int kUtf8EncodingNumber = 4;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The most a profile holds: a few hundred "key=value" lines; a larger file is not one.
constexpr std::uintmax_t kMaxProfileBytes = std::uintmax_t{16} << 20;

// The code point at text[i] (valid UTF-8) and the index after it.
UChar32 codePointAt(std::string_view text, std::size_t& i) {
  UChar32 c = 0;
  std::int32_t index = static_cast<std::int32_t>(i);
  U8_NEXT(text.data(), index, static_cast<std::int32_t>(text.size()), c);
  i = static_cast<std::size_t>(index);
  return c;
}

// The length of the line that begins at start, its end (LF, CR, CR LF,
// NEL, LS or PS) included.
std::size_t lineLength(std::string_view text, std::size_t start) {
  std::size_t i = start;
  while (i < text.size()) {
    const UChar32 c = codePointAt(text, i);
    if (c == '\r') {
      if (i < text.size() && text[i] == '\n') ++i;
      break;
    }
    if (c == '\n' || c == 0x85 || c == 0x2028 || c == 0x2029) break;
  }
  return i - start;
}

// line without its last two characters; none when it has fewer than two.
std::optional<std::string_view> withoutLastTwoCharacters(std::string_view line) {
  std::size_t end = line.size();
  for (int dropped = 0; dropped < 2; ++dropped) {
    if (end == 0) return std::nullopt;
    do {
      --end;
    } while (end > 0 && U8_IS_TRAIL(static_cast<std::uint8_t>(line[end])));
  }
  return line.substr(0, end);
}

// line from its first character that is neither white space nor a line break.
std::string_view withoutLeadingWhiteSpace(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size()) {
    std::size_t next = i;
    if (!u_isUWhiteSpace(codePointAt(line, next))) break;
    i = next;
  }
  return line.substr(i);
}

}  // namespace

std::optional<Dict> AppPreference::profileDictionaryWithContentsOfFile(const std::optional<fs::path>& path) const {
  if (!path || path->empty()) return std::nullopt;
  // A missing profile is an absent profile to every caller.
  if (!files::exists(*path)) {
    logMessage(stringWithFormat("##### File not found: %@ not found", path->string()));
    return std::nullopt;
  }
  std::string error;
  const std::optional<std::string> bytes = files::readFile(*path, files::FileKind{"profile", kMaxProfileBytes}, &error);
  std::optional<std::string> text;
  if (bytes) {
    text = decodeText(*bytes, stringEncodingForServer());
    if (!text) {
      error = "the file is not valid UTF-8";
      text = decodeText(*bytes, TextEncoding::CP850);
    }
  }
  if (!text) {
    logMessage(stringWithFormat("##### fail to read \"%@\" (encoding=%d, error=%@)", path->string(),
                                kUtf8EncodingNumber, error));
    return std::nullopt;
  }
  std::string_view content(*text);
  if (content.starts_with(kByteOrderMark)) content.remove_prefix(kByteOrderMark.size());
  return _profileDictionaryWithString(content);
}

Dict AppPreference::_profileDictionaryWithString(std::string_view text) {
  Dict pairs;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t length = lineLength(text, start);
    const std::string_view line = text.substr(start, length);
    start += length;
    // The line's last two characters are its CR LF end.
    const std::optional<std::string_view> content = withoutLastTwoCharacters(line);
    if (!content) continue;
    const std::string_view rest = withoutLeadingWhiteSpace(*content);
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos || equals == 0) continue;
    pairs.set(rest.substr(0, equals), Value(std::string(rest.substr(equals + 1))));
  }
  return pairs;
}

}  // namespace orval

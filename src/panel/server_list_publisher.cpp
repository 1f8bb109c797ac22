// libcups marks its PPD functions deprecated; the published text is read back through them.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "panel/server_list_publisher.h"

#include <cups/http.h>
#include <cups/ppd.h>
#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/foundation/file_manager.h"
#include "platform/foundation/plist.h"

namespace orval {

namespace {

// Printer description lines hold at most 255 characters.
constexpr std::size_t kMaxLineLength = 255;
// Characters of a chunk line around its name and Base64 text: '*', four digits, ': "' and '"'.
constexpr std::size_t kChunkLineOverhead = 9;
// The most a printer description to publish into may hold: a queue's takes well under a mebibyte, and the lists
// published into it some more; a larger file is none.
constexpr std::uintmax_t kMaxPrinterDescriptionBytes = std::uintmax_t{64} << 20;

void setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

bool isKeywordCharacter(char c) {
  return c > ' ' && c < 0x7F && c != ':' && c != '/' && c != '"';
}

bool isValidListName(std::string_view name) {
  if (name.empty() || name.size() > kServerListMaxNameLength) return false;
  for (const char c : name)
    if (!isKeywordCharacter(c)) return false;
  return true;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}

bool isHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The decoded bytes per chunk for name: the requested count, fewer when the
// Base64 text of that many bytes would make the line longer than allowed.
std::size_t chunkBytesFor(std::string_view name, std::size_t requested) {
  const std::size_t base64Room = kMaxLineLength - kChunkLineOverhead - name.size();
  return std::min(requested, base64Room / 4 * 3);
}

std::optional<std::string> deflateBytes(std::string_view bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string compressed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    return std::nullopt;
  compressed.resize(size);
  return compressed;
}

// The property-list form of list; empty when it has none.
std::string serialize(const Value& list, ServerListFormat format) {
  if (list.isNull()) return {};
  return format == ServerListFormat::Binary ? plistToBinary(list) : plistToXml(list);
}

std::string base64(std::string_view bytes) {
  std::string text((bytes.size() + 2) / 3 * 4 + 1, '\0');
  httpEncode64_2(text.data(), static_cast<int>(text.size()), bytes.data(), static_cast<int>(bytes.size()));
  text.resize(text.size() - 1);
  return text;
}

// One line of a text with its terminator ("\n", "\r\n" or "\r"; none on an unterminated last line).
struct Line {
  std::string_view body;
  std::string_view ending;
};

std::vector<Line> splitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    const std::size_t endingLength = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    lines.push_back({text.substr(start, end - start), text.substr(end, endingLength)});
    start = end + endingLength;
  }
  return lines;
}

// The line ending the text uses (that of its first line), "\n" when it has none.
std::string_view lineEndingOf(const std::vector<Line>& lines) {
  for (const Line& line : lines)
    if (!line.ending.empty()) return line.ending;
  return "\n";
}

// True when line is an attribute of a chunk of list name ("*NAME" and four
// hexadecimal digits, then the end of the keyword), compared without regard
// to case as libcups finds attributes.
bool isChunkLine(std::string_view line, std::string_view name) {
  const std::size_t keywordEnd = 1 + name.size() + 4;
  if (line.size() <= keywordEnd || line[0] != '*') return false;
  if (!equalsIgnoringCase(line.substr(1, name.size()), name)) return false;
  for (std::size_t i = 1 + name.size(); i < keywordEnd; ++i)
    if (!isHexDigit(line[i])) return false;
  const char next = line[keywordEnd];
  return next == ':' || next == ' ' || next == '\t' || next == '/';
}

// True when the quoted value begun on this line goes on to the following lines.
bool opensQuotedValue(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::size_t quotes = 0;
  for (std::size_t i = colon; i < line.size(); ++i) quotes += line[i] == '"';
  return quotes % 2 == 1;
}

struct PpdCloser {
  void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// Opens text as a printer description (from an anonymous in-memory file, as
// libcups reads descriptions only from files) and checks that every list
// reads back equal.
bool verifyPublished(const std::string& text, const Dict& lists, std::string* error) {
  const int fd = memfd_create("orval-published-ppd", MFD_CLOEXEC);
  if (fd < 0) {
    setError(error, std::string("cannot read the published printer description back: ") + std::strerror(errno));
    return false;
  }
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      setError(error, std::string("cannot read the published printer description back: ") + std::strerror(errno));
      close(fd);
      return false;
    }
    written += static_cast<std::size_t>(n);
  }
  lseek(fd, 0, SEEK_SET);
  std::unique_ptr<ppd_file_t, PpdCloser> ppd(ppdOpenFd(fd));  // libcups takes and closes fd
  if (!ppd) {
    int line = 0;
    const ppd_status_t status = ppdLastError(&line);
    setError(error, std::string("the printer description does not open: ") + ppdErrorString(status) +
                        " (line " + std::to_string(line) + ")");
    return false;
  }
  for (const auto& [name, list] : lists) {
    const std::optional<Value> readBack = readServerList(ppd.get(), name);
    if (!readBack || !(*readBack == list)) {
      setError(error, "server list " + name + " does not read back as published");
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::vector<ServerListChunk>> serverListChunks(std::string_view name, const Value& list,
                                                             const ServerListPublishOptions& options,
                                                             std::string* error) {
  if (!isValidListName(name)) {
    setError(error, "server list name \"" + std::string(name) +
                        "\" is not a printer description keyword of 1 to " +
                        std::to_string(kServerListMaxNameLength) + " characters");
    return std::nullopt;
  }
  if (options.chunkBytes < 1 || options.chunkBytes > kServerListChunkBytes) {
    setError(error, "chunk size " + std::to_string(options.chunkBytes) + " is not between 1 and " +
                        std::to_string(kServerListChunkBytes) + " bytes");
    return std::nullopt;
  }
  const std::string serialized = serialize(list, options.format);
  if (serialized.empty()) {
    setError(error, "server list " + std::string(name) + " has no property-list form");
    return std::nullopt;
  }
  const std::optional<std::string> compressed = deflateBytes(serialized);
  if (!compressed) {
    setError(error, "server list " + std::string(name) + " cannot be compressed");
    return std::nullopt;
  }
  const std::size_t chunkBytes = chunkBytesFor(name, options.chunkBytes);
  const std::size_t count = (compressed->size() + chunkBytes - 1) / chunkBytes;
  if (count > std::size_t{kServerListMaxChunk} + 1) {
    setError(error, "server list " + std::string(name) + " needs " + std::to_string(count) +
                        " chunks; at most " + std::to_string(kServerListMaxChunk + 1) + " fit");
    return std::nullopt;
  }
  std::vector<ServerListChunk> chunks;
  chunks.reserve(count);
  for (std::size_t number = 0; number < count; ++number) {
    const std::string_view chunk = std::string_view(*compressed).substr(number * chunkBytes, chunkBytes);
    chunks.push_back({*serverListChunkName(name, static_cast<unsigned>(number)), base64(chunk)});
  }
  return chunks;
}

std::optional<std::string> serverListAttributes(std::string_view name, const Value& list,
                                                const ServerListPublishOptions& options,
                                                std::string_view lineEnding, std::string* error) {
  const std::optional<std::vector<ServerListChunk>> chunks = serverListChunks(name, list, options, error);
  if (!chunks) return std::nullopt;
  std::string attributes;
  for (const ServerListChunk& chunk : *chunks) {
    attributes += '*';
    attributes += chunk.attribute;
    attributes += ": \"";
    attributes += chunk.value;
    attributes += '"';
    attributes += lineEnding;
  }
  return attributes;
}

std::optional<std::string> publishServerLists(std::string_view ppdText, const Dict& lists,
                                              const ServerListPublishOptions& options, std::string* error) {
  const std::vector<Line> lines = splitLines(ppdText);
  const std::string_view lineEnding = lineEndingOf(lines);

  // The text without earlier chunks of the lists; each list goes where its
  // first earlier chunk stood, or at the end.
  std::vector<Line> kept;
  std::map<std::string, std::size_t> insertAt;
  bool skippingQuotedValue = false;
  for (const Line& line : lines) {
    if (skippingQuotedValue) {
      if (line.body.find('"') != std::string_view::npos) skippingQuotedValue = false;
      continue;
    }
    bool removed = false;
    for (const auto& [name, list] : lists) {
      if (!isChunkLine(line.body, name)) continue;
      insertAt.emplace(name, kept.size());
      skippingQuotedValue = opensQuotedValue(line.body);
      removed = true;
      break;
    }
    if (!removed) kept.push_back(line);
  }

  std::map<std::size_t, std::string> blocks;  // position in kept -> attributes to insert there
  for (const auto& [name, list] : lists) {
    const std::optional<std::string> attributes =
        serverListAttributes(name, list, options, lineEnding, error);
    if (!attributes) return std::nullopt;
    const auto found = insertAt.find(name);
    blocks[found == insertAt.end() ? kept.size() : found->second] += *attributes;
  }

  std::string published;
  published.reserve(ppdText.size());
  for (std::size_t i = 0; i <= kept.size(); ++i) {
    if (const auto block = blocks.find(i); block != blocks.end()) published += block->second;
    if (i == kept.size()) break;
    published += kept[i].body;
    // An unterminated last line is ended when lists follow it.
    published += kept[i].ending.empty() && blocks.contains(kept.size()) ? lineEnding : kept[i].ending;
  }
  if (!verifyPublished(published, lists, error)) return std::nullopt;
  return published;
}

bool publishServerListsToFile(const std::filesystem::path& source,
                              const std::filesystem::path& destination, const Dict& lists,
                              const ServerListPublishOptions& options, std::string* error) {
  std::error_code ec;
  if (std::filesystem::exists(destination, ec) && std::filesystem::equivalent(source, destination, ec)) {
    setError(error, "refusing to write the published printer description over its source " +
                        source.string());
    return false;
  }
  const std::optional<std::string> text =
      files::readFile(source, files::FileKind{"printer description", kMaxPrinterDescriptionBytes}, error);
  if (!text) return false;
  const std::optional<std::string> published = publishServerLists(*text, lists, options, error);
  if (!published) return false;
  return files::writeFileAtomically(destination, *published, error);
}

}  // namespace orval

// libcups marks its PPD functions deprecated; this file reads attributes through them.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "panel/server_list_channel.h"

#include <cups/http.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {

namespace {

// The output starts with room for 256 bytes; it doubles while below 2048
// bytes and then grows by 2048 bytes at a time, up to kServerListMaxBytes.
constexpr std::size_t kInitialOutputBytes = 256;
constexpr std::size_t kDoublingLimit = 2048;

std::size_t grownSize(std::size_t size) {
  const std::size_t grown = size < kDoublingLimit ? size * 2 : size + kDoublingLimit;
  return std::min(grown, kServerListMaxBytes);
}

// A zlib inflate stream, ended when it goes.
class InflateStream {
 public:
  InflateStream() { ok_ = inflateInit(&stream_) == Z_OK; }
  ~InflateStream() {
    if (ok_) inflateEnd(&stream_);
  }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  bool ok() const { return ok_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

// The output of one list: bytes written so far, growing by the rule above.
class InflateOutput {
 public:
  InflateOutput() : buffer_(kInitialOutputBytes, '\0') {}

  // True when no more room can be made (the cap is reached).
  bool full() const { return written_ == buffer_.size() && buffer_.size() >= kServerListMaxBytes; }
  // Makes room when the buffer is full; throws std::bad_alloc when memory runs out.
  void makeRoom() {
    if (written_ < buffer_.size()) return;
    const std::size_t size = grownSize(buffer_.size());
    // Reserve geometrically (never beyond the cap) so that growing in steps
    // of 2048 bytes does not copy the whole buffer at every step.
    if (size > buffer_.capacity())
      buffer_.reserve(std::min(std::max(size, buffer_.capacity() * 2), kServerListMaxBytes));
    buffer_.resize(size, '\0');
  }
  Bytef* next() { return reinterpret_cast<Bytef*>(buffer_.data()) + written_; }
  uInt available() const { return static_cast<uInt>(buffer_.size() - written_); }
  void wrote(std::size_t count) { written_ += count; }
  std::string take() && {
    buffer_.resize(written_);
    return std::move(buffer_);
  }

 private:
  std::string buffer_;
  std::size_t written_ = 0;
};

// The bytes of one chunk's Base64 value; nullopt when it decodes to nothing
// or to more than one chunk may hold.
std::optional<std::vector<char>> decodeChunk(const char* value, std::string_view attributeName) {
  if (value == nullptr) return std::nullopt;
  // httpDecode64_2 keeps the last byte of its area for a terminator, so the
  // area has room for the whole chunk plus one; a longer value is decoded in
  // full so that an oversized chunk is refused, never silently cut.
  const std::size_t length = std::strlen(value);
  std::vector<char> area(std::max(kServerListChunkBytes, length / 4 * 3 + 3) + 1);
  int decoded = static_cast<int>(area.size());
  if (httpDecode64_2(area.data(), &decoded, value) == nullptr || decoded <= 0) return std::nullopt;
  if (static_cast<std::size_t>(decoded) > kServerListChunkBytes) {
    logMessage("###Error: server list chunk " + std::string(attributeName) + " holds more than " +
               std::to_string(kServerListChunkBytes) + " bytes");
    return std::nullopt;
  }
  area.resize(static_cast<std::size_t>(decoded));
  return area;
}

void reportInflateError(int result, const z_stream& stream) {
  std::fprintf(stderr, "ERROR: inflate returned %d (%s)\n", result, stream.msg ? stream.msg : "(null)");
}

}  // namespace

std::optional<std::string> serverListChunkName(std::string_view name, unsigned number) {
  if (number > kServerListMaxChunk || name.size() > kServerListMaxNameLength) return std::nullopt;
  char digits[5];
  std::snprintf(digits, sizeof digits, "%04X", number);
  std::string attributeName(name);
  attributeName += digits;
  return attributeName;
}

std::optional<std::string> ppdxReadData(ppd_file_t* ppd, std::string_view name) {
  if (ppd == nullptr || name.empty() || name.find('\0') != std::string_view::npos) return std::nullopt;
  std::optional<std::string> attributeName = serverListChunkName(name, 0);
  if (!attributeName) return std::nullopt;
  const ppd_attr_t* attribute = ppdFindAttr(ppd, attributeName->c_str(), nullptr);
  if (attribute == nullptr) return std::nullopt;

  try {
    InflateStream inflater;
    if (!inflater.ok()) return std::nullopt;
    z_stream& stream = inflater.stream();
    InflateOutput output;
    bool finished = false;  // the stream ended, cannot go on, or the cap is reached
    for (unsigned number = 0; attribute != nullptr && !finished;) {
      std::optional<std::vector<char>> chunk = decodeChunk(attribute->value, *attributeName);
      if (!chunk) break;
      stream.next_in = reinterpret_cast<Bytef*>(chunk->data());
      stream.avail_in = static_cast<uInt>(chunk->size());
      while (stream.avail_in > 0) {
        if (output.full()) {
          finished = true;
          break;
        }
        output.makeRoom();
        stream.next_out = output.next();
        stream.avail_out = output.available();
        const uInt before = stream.avail_out;
        const int result = inflate(&stream, Z_NO_FLUSH);
        output.wrote(before - stream.avail_out);
        if (result == Z_STREAM_END) {
          // Whatever follows the end of the stream is not part of the list.
          finished = true;
          break;
        }
        if (result < 0) {
          reportInflateError(result, stream);
          break;  // on with the next chunk
        }
        if (result == Z_NEED_DICT) {
          // A stream that needs a preset dictionary cannot be inflated here.
          reportInflateError(result, stream);
          finished = true;
          break;
        }
      }
      if (number == kServerListMaxChunk) break;
      attributeName = serverListChunkName(name, ++number);
      attribute = ppdFindAttr(ppd, attributeName->c_str(), nullptr);
    }
    return std::move(output).take();
  } catch (const std::bad_alloc&) {
    logMessage("###Error: out of memory reading server list " + std::string(name));
    return std::nullopt;
  }
}

std::optional<Value> readServerList(ppd_file_t* ppd, std::string_view name) {
  const std::optional<std::string> data = ppdxReadData(ppd, name);
  // Nothing read: an empty chunk 0, which is how a queue says that the print server has no such list, or chunks
  // whose fault was reported already. No list, and no second report.
  if (!data || data->empty()) return std::nullopt;
  return plistFromBytes(std::string_view(*data));
}

}  // namespace orval

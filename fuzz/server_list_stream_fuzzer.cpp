// The inflate-and-parse path of the server list channel: the input's first
// byte sets the chunk size (1 to 159 bytes), the rest is the zlib stream the
// print queue would publish. The stream is cut into chunks, published as
// Base64 chunk attributes of a printer description and read back. A stream
// that inflates cleanly in one go must read back as exactly its bytes.
#include <cups/http.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "panel/server_list_channel.h"
#include "platform/foundation/log.h"

using namespace orval;

namespace {

constexpr const char* kListName = "FuzzList";

// The bytes stream inflates to in one go, up to the channel's cap; none when
// it does not end cleanly within them.
std::optional<std::string> inflateWhole(std::string_view stream) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) fuzz::fail("inflateInit failed");
  std::string out;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  int result = Z_OK;
  while (result == Z_OK && out.size() < kServerListMaxBytes) {
    const std::size_t written = out.size();
    out.resize(std::min(kServerListMaxBytes, written + 65536));
    z.next_out = reinterpret_cast<Bytef*>(out.data() + written);
    z.avail_out = static_cast<uInt>(out.size() - written);
    result = inflate(&z, Z_FINISH);
    out.resize(out.size() - z.avail_out);
    if (result == Z_BUF_ERROR && z.avail_out != 0) break;  // the input ended before the stream
    if (result == Z_BUF_ERROR) result = Z_OK;               // room was short: more
  }
  inflateEnd(&z);
  if (result != Z_STREAM_END) return std::nullopt;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  LogCapture quiet(LogCapture::Sinks::Silenced);
  const std::size_t chunkBytes = 1 + data[0] % kServerListChunkBytes;
  const std::string_view stream = fuzz::textOf(data + 1, size - 1);
  if ((stream.size() + chunkBytes - 1) / chunkBytes > kServerListMaxChunk + 1) return 0;

  std::string text(fuzz::kPpdHeader);
  std::vector<char> base64(4 * kServerListChunkBytes);
  for (std::size_t offset = 0, number = 0; offset < stream.size(); offset += chunkBytes, ++number) {
    const std::string_view chunk = stream.substr(offset, chunkBytes);
    httpEncode64_2(base64.data(), static_cast<int>(base64.size()), chunk.data(), static_cast<int>(chunk.size()));
    text += "*" + *serverListChunkName(kListName, static_cast<unsigned>(number)) + ": \"" + base64.data() + "\"\n";
  }
  const fuzz::PpdPtr ppd = fuzz::openPpdText(text);
  ORVAL_FUZZ_CHECK(ppd != nullptr);

  const std::optional<std::string> read = ppdxReadData(ppd.get(), kListName);
  ORVAL_FUZZ_CHECK(read.has_value() == !stream.empty());
  if (const std::optional<std::string> whole = inflateWhole(stream)) ORVAL_FUZZ_CHECK(read == whole);
  if (read) readServerList(ppd.get(), kListName);
  return 0;
}

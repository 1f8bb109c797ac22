// Helpers of the server list tests: an independent producer of list chunks
// (zlib and GLib's Base64) and printer descriptions opened from text.
#pragma once

#include <cups/ppd.h>
#include <glib.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::testing_support {

namespace fs = std::filesystem;

using foundation_testing::fileContents;

inline std::string panelFixture(const std::string& name) {
  return fileContents(fs::path(ORVAL_SOURCE_DIR) / "src/panel/testdata" / name);
}

// Base64 with padding, as GLib reads and writes it (not the publisher's own encoder).
inline std::string decodeBase64(std::string_view text) {
  gsize size = 0;
  guchar* bytes = g_base64_decode(std::string(text).c_str(), &size);
  std::string out(reinterpret_cast<const char*>(bytes), size);
  g_free(bytes);
  return out;
}

inline std::string zlibCompress(std::string_view bytes, int level = Z_DEFAULT_COMPRESSION) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                      static_cast<uLong>(bytes.size()), level),
            Z_OK);
  out.resize(size);
  return out;
}

// Inflates a whole zlib stream (or as much of it as there is).
inline std::string zlibInflate(std::string_view bytes) {
  z_stream stream{};
  EXPECT_EQ(inflateInit(&stream), Z_OK);
  std::string out;
  char buffer[4096];
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  int result = Z_OK;
  do {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = inflate(&stream, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - stream.avail_out);
  } while (result == Z_OK && (stream.avail_in > 0 || stream.avail_out == 0));
  inflateEnd(&stream);
  return out;
}

inline std::vector<std::string> splitBytes(std::string_view bytes, std::size_t size) {
  std::vector<std::string> parts;
  for (std::size_t i = 0; i < bytes.size(); i += size) parts.emplace_back(bytes.substr(i, size));
  return parts;
}

// Chunk attribute lines written by hand: values[i] as attribute name + "%04X" of first + i.
inline std::string chunkLines(const std::string& name, const std::vector<std::string>& values, unsigned first = 0) {
  std::string lines;
  for (std::size_t i = 0; i < values.size(); ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(first + i));
    lines += "*" + name + digits + ": \"" + values[i] + "\"\n";
  }
  return lines;
}

inline std::vector<std::string> base64Each(const std::vector<std::string>& chunks) {
  std::vector<std::string> values;
  for (const std::string& chunk : chunks) {
    gchar* text = g_base64_encode(reinterpret_cast<const guchar*>(chunk.data()), chunk.size());
    values.emplace_back(text);
    g_free(text);
  }
  return values;
}

// A printer description opened with libcups from text (through a file, as a queue's is).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
class PpdFromText {
 public:
  explicit PpdFromText(std::string_view text)
      : ppd_(ppdOpenFile(folder_.write("list.ppd", std::string(text)).c_str())) {}
  ~PpdFromText() {
    if (ppd_) ppdClose(ppd_);
  }
  PpdFromText(const PpdFromText&) = delete;
  PpdFromText& operator=(const PpdFromText&) = delete;

  ppd_file_t* get() const { return ppd_; }

 private:
  foundation_testing::TemporaryFolder folder_;
  ppd_file_t* ppd_;
};
#pragma GCC diagnostic pop

}  // namespace orval::testing_support

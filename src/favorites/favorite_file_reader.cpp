// FavoriteFile: reading a favorite file token by token.
//
// The reader takes one byte at a time. A token ends at its delimiter (which
// is consumed), at the end of the file, or once it holds more bytes than its
// limit (the next byte then starts the next token); it is absent when it
// collected no byte or its bytes do not decode. The limits are the readers'
// of every system that shares these files, so a text longer than its limit
// is misread, exactly as they misread it.
#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "favorites/app_preference.h"
#include "favorites/favorite_encoding.h"
#include "favorites/favorite_file.h"

namespace orval {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct Token {
  std::optional<std::string> text;
  bool endOfFile = false;
};

class TokenReader {
 public:
  explicit TokenReader(std::FILE* file) : file_(file) {}

  Token read(char delimiter, std::size_t limit, TextEncoding encoding) {
    std::string bytes;
    Token token;
    while (bytes.size() <= limit) {
      const int c = std::getc(file_);
      if (c == EOF) {
        token.endOfFile = true;
        break;
      }
      if (c == static_cast<unsigned char>(delimiter)) break;
      bytes.push_back(static_cast<char>(c));
    }
    if (!bytes.empty()) token.text = decodeText(bytes, encoding);
    return token;
  }

  long position() const { return std::ftell(file_); }
  bool seek(long position) { return position >= 0 && std::fseek(file_, position, SEEK_SET) == 0; }

 private:
  std::FILE* file_;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A header line of exactly one decimal digit, or none.
std::optional<int> singleDigit(const Token& token) {
  if (!token.text || token.endOfFile || token.text->size() != 1 || !isDigit((*token.text)[0])) return std::nullopt;
  return (*token.text)[0] - '0';
}

}  // namespace

void FavoriteFile::_readFile(const std::filesystem::path& path) {
  // Only a regular file is read: a folder has no bytes and a pipe could block for ever.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return;
  TokenReader reader(file.get());
  const auto fail = [this] { _reset(); };

  const std::optional<int> version = singleDigit(reader.read('\n', kHeaderLimit, TextEncoding::ASCII));
  if (!version || *version > kMaxReadableVersion) return fail();
  _version = *version;

  const Token device = reader.read('\n', kHeaderLimit, TextEncoding::ASCII);
  if (!device.text || device.endOfFile) return fail();
  if (device.text->size() <= 2 && isDigit((*device.text)[0])) {
    // The leading integer: one or two digits.
    _iotType = (*device.text)[0] - '0';
    if (device.text->size() == 2 && isDigit((*device.text)[1])) _iotType = _iotType * 10 + ((*device.text)[1] - '0');
  }
  if (_iotType != AppPreference::sharedInstance().destinationIotType()) return fail();

  if (_version > 1) {
    const std::optional<int> code = singleDigit(reader.read('\n', kHeaderLimit, TextEncoding::ASCII));
    if (!code) return fail();
    _encoding = *code;
  }
  const TextEncoding encoding = favoriteTextEncodingForLanguageCode(
      _encoding == kFavoriteFile_UnknownEncoding ? kFavoriteLanguageCodeCP932 : _encoding);

  // The comment line is optional: anything else is the first pair.
  const long pairsStart = reader.position();
  const Token commentKey = reader.read('=', kHeaderLimit, TextEncoding::ASCII);
  if (!commentKey.text || commentKey.endOfFile) return fail();
  if (*commentKey.text == kCommentKey) {
    const Token comment = reader.read('\n', kCommentLimit, encoding);
    _comment = comment.text && !comment.endOfFile ? *comment.text : std::string();
  } else if (!reader.seek(pairsStart)) {
    return fail();
  }

  Dict options;
  for (;;) {
    const Token key = reader.read('=', kKeyLimit, encoding);
    if (!key.text || key.endOfFile) break;
    const Token value = reader.read('\t', kValueLimit, encoding);
    // A later pair with the same key wins.
    options.set(*key.text, Value(value.text && !value.endOfFile ? *value.text : std::string()));
    if (reader.read('\t', 1, TextEncoding::ASCII).endOfFile) break;
  }
  if (options.empty()) return fail();
  _options = std::move(options);
}

}  // namespace orval

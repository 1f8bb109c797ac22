// FavoriteFile: one favorite file in memory, and the names of favorite files.
//
// A favorite file is a byte stream with LF line ends and no byte order mark:
//
//   version LF  device type LF  language code LF     (ASCII; no code line before version 2)
//   Comment=<comment> LF                             (optional on reading)
//   key=value TAB TAB  key=value TAB TAB ...         (to the end of the file)
//
// The comment and the pairs are in the text encoding the language code names
// (favorite_encoding.h). Nothing is escaped, so a key holds no "=", a value
// no TAB and the comment no LF; readers cut a key after 128 bytes, a value
// after 512 and the comment after 255. The writer refuses anything a reader
// would not get back exactly, and replaces a file only once the new one is
// complete, so a failed write never costs the favorite it would replace.
//
// An object lives for one operation: read, perhaps changed, written, dropped.
// A version of kFavoriteFile_UnknownVersion after reading is the only sign
// that the file did not read.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/text_encoding.h"
#include "platform/foundation/value.h"

namespace orval {

inline constexpr int kFavoriteFile_UnknownVersion = -1;
inline constexpr int kFavoriteFile_UnknownIotType = 0;
inline constexpr int kFavoriteFile_UnknownEncoding = -1;

// Why a favorite file was not written.
enum class FavoriteWriteFailure {
  None,
  NoPath,           // an absent or empty path
  NoLocalEncoding,  // the locale's script has no favorite encoding
  NoOptions,        // a file without a pair would not read back
  UnstorableText,   // a text the encoding or the format cannot hold, or too long
  FileSystem,       // the file could not be written (the old one, if any, is whole)
};

class FavoriteFile {
 public:
  // The format this system writes, and the readers' limits in bytes.
  static constexpr int kWrittenVersion = 2;
  static constexpr int kMaxReadableVersion = 2;
  static constexpr std::size_t kHeaderLimit = 32;
  static constexpr std::size_t kCommentLimit = 255;
  static constexpr std::size_t kKeyLimit = 128;
  static constexpr std::size_t kValueLimit = 512;
  static constexpr const char* kCommentKey = "Comment";
  static constexpr const char* kExtension = "pfj";

  // A new object with the unknown values.
  FavoriteFile() = default;
  // initWithContentsOfFile: the unknown values, then path read (see the class comment).
  explicit FavoriteFile(const std::optional<std::filesystem::path>& path);
  // A new object read from path; never absent: check version().
  static FavoriteFile favoriteFileWithContentsOfFile(const std::optional<std::filesystem::path>& path);

  // Writes the object as a version 2 file in the local encoding, replacing
  // any file at path only when the whole new file is in place. Answers
  // FavoriteWriteFailure::None on success; *reason says why otherwise.
  FavoriteWriteFailure writeToFile(const std::optional<std::filesystem::path>& path,
                                   std::string* reason = nullptr) const;
  // The same, but fails (FileSystem) rather than replace an existing file.
  FavoriteWriteFailure writeToNewFile(const std::optional<std::filesystem::path>& path,
                                      std::string* reason = nullptr) const;
  // The bytes writeToFile would write; none (with *failure and *reason) when it would refuse.
  std::optional<std::string> fileBytes(FavoriteWriteFailure* failure = nullptr, std::string* reason = nullptr) const;

  int version() const { return _version; }
  void setVersion(int version) { _version = version; }
  int iotType() const { return _iotType; }
  void setIotType(int iotType) { _iotType = iotType; }
  int encoding() const { return _encoding; }
  void setEncoding(int encoding) { _encoding = encoding; }
  const std::optional<std::string>& comment() const { return _comment; }
  // Keeps the previous comment when comment is absent.
  void setComment(const std::optional<std::string>& comment);
  const std::optional<Dict>& options() const { return _options; }
  // Keeps the previous options when options is absent.
  void setOptions(const std::optional<Dict>& options);

  // The encoding favorites are written in here, or none (logged) for a locale of another script.
  static std::optional<TextEncoding> stringEncodingForLocal();

  // Names: each answers none for an absent argument.
  // name + ".pfj".
  static std::optional<std::string> stringByAppendingExtension(const std::optional<std::string>& name);
  // Whether fileName ends with ".pfj" (case-sensitive).
  static bool hasExtension(const std::optional<std::string>& fileName);
  // folder / name.pfj; also none for a name that would leave the folder (one holding "/" or NUL).
  static std::optional<std::filesystem::path> pathWithName(const std::optional<std::string>& name,
                                                           const std::optional<std::filesystem::path>& folder);
  // The last path component without its extension: "a.b.pfj" gives "a.b".
  static std::optional<std::string> nameWithPath(const std::optional<std::filesystem::path>& path);
  // name + " (Classic)".
  static std::optional<std::string> nameAppendingClassic(const std::optional<std::string>& name);

 private:
  void _readFile(const std::filesystem::path& path);
  void _reset();

  int _version = kFavoriteFile_UnknownVersion;
  int _iotType = kFavoriteFile_UnknownIotType;
  int _encoding = kFavoriteFile_UnknownEncoding;
  std::optional<std::string> _comment;
  std::optional<Dict> _options;
};

}  // namespace orval

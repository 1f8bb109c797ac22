// FavoriteFile: writing a favorite file.
//
// The whole file is made in memory first, so that a text that cannot be
// stored stops the write before any byte reaches the disk; the bytes then
// replace the old file in one rename (files::writeFileAtomically).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "favorites/app_preference.h"
#include "favorites/favorite_encoding.h"
#include "favorites/favorite_file.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/log.h"

namespace orval {

namespace {

// A value as the file holds it: text as it is; a number as a decimal integer
// (a real truncated to 32 bits, as the shared format writes numbers); none
// for a value that is no text or number.
std::optional<std::string> valueText(const Value& value) {
  if (const std::string* text = value.asString()) return *text;
  if (const bool* flag = value.asBool()) return *flag ? "1" : "0";
  if (const std::int64_t* integer = value.asInteger()) return std::to_string(*integer);
  if (const double* real = value.asReal()) {
    if (std::isnan(*real)) return "0";
    const double clamped = std::clamp(std::trunc(*real), double(std::numeric_limits<std::int32_t>::min()),
                                      double(std::numeric_limits<std::int32_t>::max()));
    return std::to_string(static_cast<std::int32_t>(clamped));
  }
  return std::nullopt;
}

class Encoder {
 public:
  explicit Encoder(TextEncoding encoding) : encoding_(encoding) {}

  // Appends text encoded; false (with the reason) when it does not encode,
  // holds forbidden, or takes more than limit bytes.
  bool append(std::string& out, const std::string& text, std::string_view forbidden, std::size_t limit,
              const std::string& what) {
    if (text.find_first_of(forbidden) != std::string::npos)
      return refuse(what + " holds a character the file cannot hold");
    const std::optional<std::string> bytes = encodeText(text, encoding_);
    if (!bytes) return refuse(what + " holds characters the file's text encoding cannot hold");
    if (bytes->size() > limit)
      return refuse(what + " takes " + std::to_string(bytes->size()) + " bytes, more than " + std::to_string(limit));
    out += *bytes;
    return true;
  }

  const std::string& reason() const { return reason_; }

 private:
  bool refuse(std::string reason) {
    reason_ = std::move(reason);
    return false;
  }

  TextEncoding encoding_;
  std::string reason_;
};

FavoriteWriteFailure failWith(FavoriteWriteFailure failure, const std::string& why, FavoriteWriteFailure* out,
                              std::string* reason) {
  if (out != nullptr) *out = failure;
  if (reason != nullptr) *reason = why;
  return failure;
}

}  // namespace

std::optional<std::string> FavoriteFile::fileBytes(FavoriteWriteFailure* failure, std::string* reason) const {
  const auto refuse = [&](FavoriteWriteFailure kind, const std::string& why) -> std::optional<std::string> {
    failWith(kind, why, failure, reason);
    return std::nullopt;
  };
  const std::optional<TextEncoding> encoding = stringEncodingForLocal();
  if (!encoding) return refuse(FavoriteWriteFailure::NoLocalEncoding, "the locale's script has no favorite encoding");
  if (!_options || _options->empty()) return refuse(FavoriteWriteFailure::NoOptions, "there are no settings to store");

  std::string out = std::to_string(kWrittenVersion) + "\n" +
                    std::to_string(AppPreference::sharedInstance().destinationIotType()) + "\n" +
                    std::to_string(favoriteLanguageCodeForTextEncoding(*encoding)) + "\n";
  Encoder encoder(*encoding);
  out += std::string(kCommentKey) + "=";
  if (_comment && !encoder.append(out, *_comment, "\n", kCommentLimit, "the comment"))
    return refuse(FavoriteWriteFailure::UnstorableText, encoder.reason());
  out += "\n";
  for (const auto& [key, value] : *_options) {
    const std::optional<std::string> text = valueText(value);
    if (key.empty()) return refuse(FavoriteWriteFailure::UnstorableText, "a setting has an empty key");
    if (!text) return refuse(FavoriteWriteFailure::UnstorableText, "the value of \"" + key + "\" is not text");
    if (!encoder.append(out, key, "=", kKeyLimit, "the key \"" + key + "\""))
      return refuse(FavoriteWriteFailure::UnstorableText, encoder.reason());
    out += "=";
    if (!encoder.append(out, *text, "\t", kValueLimit, "the value of \"" + key + "\""))
      return refuse(FavoriteWriteFailure::UnstorableText, encoder.reason());
    out += "\t\t";
  }
  if (failure != nullptr) *failure = FavoriteWriteFailure::None;
  return out;
}

namespace {

FavoriteWriteFailure writeFavorite(const FavoriteFile& file, const std::optional<std::filesystem::path>& path,
                                   bool replace, std::string* reason) {
  if (!path || path->empty()) return failWith(FavoriteWriteFailure::NoPath, "no path", nullptr, reason);
  FavoriteWriteFailure failure = FavoriteWriteFailure::None;
  std::string why;
  const std::optional<std::string> bytes = file.fileBytes(&failure, &why);
  if (bytes) {
    const bool written =
        replace ? files::writeFileAtomically(*path, *bytes, &why) : files::createFileAtomically(*path, *bytes, &why);
    if (written) return FavoriteWriteFailure::None;
    failure = FavoriteWriteFailure::FileSystem;
  }
  logMessage("##### Fail to write favorite \"" + path->string() + "\" (" + why + ")");
  return failWith(failure, why, nullptr, reason);
}

}  // namespace

FavoriteWriteFailure FavoriteFile::writeToFile(const std::optional<std::filesystem::path>& path,
                                               std::string* reason) const {
  return writeFavorite(*this, path, /*replace=*/true, reason);
}

FavoriteWriteFailure FavoriteFile::writeToNewFile(const std::optional<std::filesystem::path>& path,
                                                  std::string* reason) const {
  return writeFavorite(*this, path, /*replace=*/false, reason);
}

}  // namespace orval

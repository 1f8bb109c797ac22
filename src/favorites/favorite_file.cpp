// FavoriteFile: the object, the local encoding and the names of favorite files.
#include "favorites/favorite_file.h"

#include <unicode/ucnv.h>

#include "common/message_format.h"
#include "favorites/favorite_encoding.h"
#include "platform/foundation/log.h"

namespace orval {

namespace fs = std::filesystem;

namespace {

// The codeset part of the character locale ("UTF-8" of "ru_RU.UTF-8"), or "".
std::string localeCodeset(const std::string& locale) {
  const auto dot = locale.find('.');
  if (dot == std::string::npos) return {};
  const std::string codeset = locale.substr(dot + 1);
  return codeset.substr(0, codeset.find('@'));
}

// The three lines that tell which locale left favorites without an encoding.
void logUnknownScript() {
  const std::string locale = favoriteCharacterLocale();
  const std::string codeset = localeCodeset(locale);
  UErrorCode status = U_ZERO_ERROR;
  UConverter* converter = codeset.empty() ? nullptr : ucnv_open(codeset.c_str(), &status);
  const int ccsid = converter != nullptr ? ucnv_getCCSID(converter, &status) : 0;
  if (converter != nullptr) ucnv_close(converter);
  status = U_ZERO_ERROR;
  const char* iana = codeset.empty() ? nullptr : ucnv_getStandardName(codeset.c_str(), "IANA", &status);
  logMessage(
      stringWithFormat("system encoding=0x%x, ns encoding=0x%x", ccsid, static_cast<int>(defaultCStringEncoding())));
  logMessage(stringWithFormat("IANA: \"%@\"", iana != nullptr ? std::string(iana) : codeset));
  logMessage(stringWithFormat("localizedName: \"%@\"", locale));
}

// The last component of path, ignoring separators at its end.
std::string lastPathComponent(const fs::path& path) {
  std::string text = path.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  const auto slash = text.rfind('/');
  return slash == std::string::npos || text.size() == 1 ? text : text.substr(slash + 1);
}

}  // namespace

FavoriteFile::FavoriteFile(const std::optional<fs::path>& path) {
  if (path && !path->empty()) _readFile(*path);
}

FavoriteFile FavoriteFile::favoriteFileWithContentsOfFile(const std::optional<fs::path>& path) {
  return FavoriteFile(path);
}

void FavoriteFile::setComment(const std::optional<std::string>& comment) {
  if (comment) _comment = comment;
}

void FavoriteFile::setOptions(const std::optional<Dict>& options) {
  if (options) _options = options;
}

void FavoriteFile::_reset() { *this = FavoriteFile(); }

std::optional<TextEncoding> FavoriteFile::stringEncodingForLocal() {
  const std::optional<TextEncoding> encoding = favoriteEncodingForScript(favoriteLocalScript());
  if (!encoding) logUnknownScript();
  return encoding;
}

// Names ---------------------------------------------------------------------------------------

std::optional<std::string> FavoriteFile::stringByAppendingExtension(const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  return *name + "." + kExtension;
}

bool FavoriteFile::hasExtension(const std::optional<std::string>& fileName) {
  return fileName && fileName->ends_with(std::string(".") + kExtension);
}

std::optional<fs::path> FavoriteFile::pathWithName(const std::optional<std::string>& name,
                                                   const std::optional<fs::path>& folder) {
  if (!name || !folder) return std::nullopt;
  // A favorite's name becomes one file name in the folder, never a path elsewhere.
  if (name->find('/') != std::string::npos || name->find('\0') != std::string::npos) return std::nullopt;
  return *folder / *stringByAppendingExtension(name);
}

std::optional<std::string> FavoriteFile::nameWithPath(const std::optional<fs::path>& path) {
  if (!path) return std::nullopt;
  std::string name = lastPathComponent(*path);
  // The extension begins at the last "."; a leading "." begins no extension.
  const auto dot = name.rfind('.');
  if (dot != std::string::npos && dot != 0) name.erase(dot);
  return name;
}

std::optional<std::string> FavoriteFile::nameAppendingClassic(const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  return *name + " (Classic)";
}

}  // namespace orval

// libcups marks its PPD functions deprecated; this file is where they are wrapped.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include "panes/ppd_file.h"

#include <cstring>
#include <system_error>

#include "common/localized_string.h"

namespace orval {

namespace {

// Room of a printer description name: 40 characters (libcups PPD_MAX_NAME less the terminator).
constexpr std::size_t kMaxKeywordLength = PPD_MAX_NAME - 1;

// A keyword as the zero-terminated ASCII string libcups compares; nullopt for
// a missing (empty) keyword, one longer than 40 characters, or one with a
// character outside ASCII (or a zero byte, which would cut it short).
std::optional<std::string> keywordCString(std::string_view keyword) {
  if (keyword.empty() || keyword.size() > kMaxKeywordLength) return std::nullopt;
  for (const char c : keyword) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0 || byte > 0x7F) return std::nullopt;
  }
  return std::string(keyword);
}


}  // namespace

TextEncoding ppdStringEncoding(std::string_view languageEncoding, std::string_view languageVersion) {
  if (languageEncoding == "UTF-8") return TextEncoding::UTF8;
  if (languageEncoding == "ISOLatin1") return TextEncoding::MacRoman;
  if (languageEncoding == "JIS83-RKSJ") return TextEncoding::CP932;
  if (languageVersion == "Chinese" && languageEncoding == "None") return TextEncoding::CP936;
  return TextEncoding::ASCII;
}

void PpdFile::Closer::operator()(ppd_file_t* ppd) const { ppdClose(ppd); }

PpdFile::PpdFile(ppd_file_t* ppdFile) { _setPpdFile(ppdFile); }

PpdFile::PpdFile(OwnedHandle ppdFile) : _ownedPpdFile(std::move(ppdFile)) {
  _setPpdFile(_ownedPpdFile.get());
}

PpdFile::~PpdFile() = default;

PpdFile::OwnedHandle PpdFile::_openFile(const std::filesystem::path& path, std::string* error) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) {
    if (error) *error = "no printer description file at " + path.string();
    return nullptr;
  }
  OwnedHandle ppd(ppdOpenFile(path.c_str()));
  if (!ppd) {
    int line = 0;
    const ppd_status_t status = ppdLastError(&line);
    if (error)
      *error = path.string() + ": " + ppdErrorString(status) + " (line " + std::to_string(line) + ")";
  }
  return ppd;
}

std::unique_ptr<PpdFile> PpdFile::initWithContentsOfFile(const std::filesystem::path& path,
                                                         std::string* error) {
  OwnedHandle ppd = _openFile(path, error);
  if (!ppd) return nullptr;
  return std::unique_ptr<PpdFile>(new PpdFile(std::move(ppd)));
}

void PpdFile::_setPpdFile(ppd_file_t* ppdFile) {
  _ppdFile = ppdFile;
  _stringEncoding = TextEncoding::ASCII;
  if (_ppdFile == nullptr) return;
  // libcups reports every description whose encoding it converted as "UTF-8"
  // in lang_encoding and keeps the declared one as an attribute; the
  // declared one says how the bytes it leaves alone (product, choices) are written.
  const ppd_attr_t* declared = ppdFindAttr(_ppdFile, "LanguageEncoding", nullptr);
  const char* encoding = declared && declared->value ? declared->value : _ppdFile->lang_encoding;
  _stringEncoding = ppdStringEncoding(encoding ? encoding : "",
                                      _ppdFile->lang_version ? _ppdFile->lang_version : "");
}

const ppd_option_t* PpdFile::_findOption(std::string_view mainKeyword) const {
  if (_ppdFile == nullptr) return nullptr;
  const std::optional<std::string> keyword = keywordCString(mainKeyword);
  if (!keyword) return nullptr;
  return ppdFindOption(_ppdFile, keyword->c_str());
}

std::optional<std::string> PpdFile::_decode(const char* bytes) const {
  if (bytes == nullptr) return std::nullopt;
  return decodeText(bytes, _stringEncoding);
}

Value PpdFile::_choiceValue(const ppd_option_t& option, const char* choice) const {
  if (option.ui == PPD_UI_BOOLEAN) return Value(std::strcmp(choice, "True") == 0);
  std::optional<std::string> text = _decode(choice);
  return text ? Value(std::move(*text)) : Value();
}

std::optional<std::string> PpdFile::_title(const char* bytes) const {
  if (bytes == nullptr) return std::nullopt;
  // libcups converts titles to UTF-8 from every encoding it knows; a Chinese description
  // declaring "None" is not among them, and its title bytes are left in CP936.
  if (_stringEncoding == TextEncoding::CP936) return _decode(bytes);
  std::string text(bytes);
  if (!isValidUtf8(text)) return std::nullopt;
  return text;
}

std::string PpdFile::_choiceTitle(const ppd_choice_t& choice) const {
  if (std::optional<std::string> title = _title(choice.text)) return *title;
  return _decode(choice.choice).value_or("xxx");
}

bool PpdFile::isExists(std::string_view mainKeyword) const {
  return _findOption(mainKeyword) != nullptr;
}

bool PpdFile::isExists(std::string_view mainKeyword, std::string_view optionKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  const std::optional<std::string> choice = keywordCString(optionKeyword);
  if (option == nullptr || !choice || option->choices == nullptr) return false;
  for (int i = 0; i < option->num_choices; ++i)
    if (std::strcmp(option->choices[i].choice, choice->c_str()) == 0) return true;
  return false;
}

std::optional<std::vector<std::string>> PpdFile::optionKeywords(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  if (option == nullptr) return std::nullopt;
  std::vector<std::string> keywords;
  keywords.reserve(static_cast<std::size_t>(option->num_choices));
  for (int i = 0; i < option->num_choices; ++i)
    keywords.push_back(_decode(option->choices[i].choice).value_or("xxx"));
  return keywords;
}

std::optional<std::vector<std::string>> PpdFile::optionAliases(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  if (option == nullptr) return std::nullopt;
  std::vector<std::string> aliases;
  aliases.reserve(static_cast<std::size_t>(option->num_choices));
  for (int i = 0; i < option->num_choices; ++i) aliases.push_back(_choiceTitle(option->choices[i]));
  return aliases;
}

std::optional<std::string> PpdFile::optionAlias(std::string_view mainKeyword,
                                                std::string_view optionKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  const std::optional<std::string> choice = keywordCString(optionKeyword);
  if (option == nullptr || !choice) return std::nullopt;
  for (int i = 0; i < option->num_choices; ++i)
    if (std::strcmp(option->choices[i].choice, choice->c_str()) == 0)
      return _choiceTitle(option->choices[i]);
  return std::nullopt;
}

std::optional<std::string> PpdFile::mainAlias(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  if (option == nullptr) return std::nullopt;
  return _title(option->text);
}

int PpdFile::uiType(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  return option ? static_cast<int>(option->ui) : 0;
}

std::optional<Value> PpdFile::defaultOptionChoice(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  if (option == nullptr) return std::nullopt;
  Value value = _choiceValue(*option, option->defchoice);
  if (value.isNull()) return std::nullopt;
  return value;
}

Dict PpdFile::defaultValueDictionary() const {
  Dict defaults;
  if (_ppdFile == nullptr) return defaults;
  const auto addOptions = [&](const ppd_group_t& group) {
    for (int i = 0; i < group.num_options; ++i) {
      const ppd_option_t& option = group.options[i];
      Value value = _choiceValue(option, option.defchoice);
      if (!value.isNull()) defaults.set(option.keyword, std::move(value));
    }
  };
  for (int g = 0; g < _ppdFile->num_groups; ++g) {
    const ppd_group_t& group = _ppdFile->groups[g];
    addOptions(group);
    for (int s = 0; s < group.num_subgroups; ++s) addOptions(group.subgroups[s]);
  }
  return defaults;
}

std::optional<Value> PpdFile::findMarkedChoice(std::string_view mainKeyword) const {
  const ppd_option_t* option = _findOption(mainKeyword);
  if (option == nullptr) return std::nullopt;
  const ppd_choice_t* choice = ppdFindMarkedChoice(_ppdFile, option->keyword);
  if (choice == nullptr) return std::nullopt;
  Value value = _choiceValue(*option, choice->choice);
  if (value.isNull()) return std::nullopt;
  return value;
}

int PpdFile::markOption(std::string_view mainKeyword, std::string_view optionKeyword) {
  if (_ppdFile == nullptr) return 0;
  const std::optional<std::string> keyword = keywordCString(mainKeyword);
  const std::optional<std::string> choice = keywordCString(optionKeyword);
  if (!keyword || !choice) return 0;
  return ppdMarkOption(_ppdFile, keyword->c_str(), choice->c_str());
}

std::optional<std::string> PpdFile::product() const {
  if (_ppdFile == nullptr) return std::nullopt;
  return _decode(_ppdFile->product);
}

std::string PpdFile::localizedOptionKeyword(std::string_view mainKeyword, std::string_view optionKeyword) {
  std::string key;
  key.reserve(mainKeyword.size() + 1 + optionKeyword.size());
  key.append(mainKeyword).append(":").append(optionKeyword);
  return BSLocalizedString(key);
}

}  // namespace orval

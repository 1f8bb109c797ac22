// PpdFile: one opened printer description (a libcups PPD handle), asked in
// strings and booleans: does a main keyword exist, does it have a choice
// (option keyword), which choices and titles it has, its default and marked
// choice; and marking a choice.
//
// A wrapper either borrows a handle that its owner (the host dialog) keeps
// and closes, or opens a file itself and closes it exactly once when it goes.
// Keywords handed in are ASCII of at most 40 characters, the printer
// description's name limit; anything else names nothing. A choice of a
// boolean option is handed out as a boolean, true exactly when it is "True".
// Titles are handed out as libcups made them while reading the file (UTF-8,
// converted from the declared encoding; an ISOLatin1 description's titles
// thus read as ISO 8859-1), except a Chinese description declaring "None",
// whose title bytes libcups leaves alone: they are read in CP936. The
// description's own byte strings (product, choices) are read in the
// encoding its LanguageEncoding declares.
#pragma once

#include <cups/ppd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/text_encoding.h"
#include "platform/foundation/value.h"

namespace orval {

class PpdFile {
 public:
  // Wraps a handle that the caller owns and closes (null: a wrapper without a handle).
  explicit PpdFile(ppd_file_t* ppdFile);
  // Opens the printer description at path; nullptr when it is missing or libcups refuses it
  // (the reason in *error when given).
  static std::unique_ptr<PpdFile> initWithContentsOfFile(const std::filesystem::path& path,
                                                         std::string* error = nullptr);

  virtual ~PpdFile();
  PpdFile(const PpdFile&) = delete;
  PpdFile& operator=(const PpdFile&) = delete;

  // The libcups handle (null when there is none); owned as described above.
  ppd_file_t* ppdFile() const { return _ppdFile; }
  // The encoding of the description's own byte strings (product, choices).
  TextEncoding stringEncoding() const { return _stringEncoding; }
  // True when the wrapper opened the file and closes it.
  bool isOpendBySelf() const { return _ownedPpdFile != nullptr; }

  // True when the description has the option mainKeyword.
  bool isExists(std::string_view mainKeyword) const;
  // True when the option mainKeyword has optionKeyword among its choices.
  bool isExists(std::string_view mainKeyword, std::string_view optionKeyword) const;
  // The option's choices in file order ("xxx" for one that does not decode); nullopt without the option.
  std::optional<std::vector<std::string>> optionKeywords(std::string_view mainKeyword) const;
  // The choices' titles in the same order (a choice stands for an undecodable title).
  std::optional<std::vector<std::string>> optionAliases(std::string_view mainKeyword) const;
  // The title of choice optionKeyword of option mainKeyword; nullopt when there is no such choice.
  std::optional<std::string> optionAlias(std::string_view mainKeyword,
                                         std::string_view optionKeyword) const;
  // The option's title; nullopt without the option.
  std::optional<std::string> mainAlias(std::string_view mainKeyword) const;
  // The option's user-interface type (0 boolean, 1 pick-one, 2 pick-many); 0 without the option.
  int uiType(std::string_view mainKeyword) const;
  // The option's default choice (a boolean for boolean options); nullopt without the option.
  std::optional<Value> defaultOptionChoice(std::string_view mainKeyword) const;
  // Every option of every group and subgroup: main keyword -> default choice, in file order.
  Dict defaultValueDictionary() const;
  // The marked choice of the option (a boolean for boolean options); nullopt when none is marked.
  std::optional<Value> findMarkedChoice(std::string_view mainKeyword) const;
  // Marks optionKeyword of mainKeyword; answers the number of conflicts (0 when an argument is missing).
  int markOption(std::string_view mainKeyword, std::string_view optionKeyword);
  // The description's product string, e.g. "(TZ Print Server)"; nullopt when absent or undecodable.
  std::optional<std::string> product() const;

  // The localized text of the key "mainKeyword:optionKeyword" in the plug-in's bundle.
  static std::string localizedOptionKeyword(std::string_view mainKeyword, std::string_view optionKeyword);

 protected:
  struct Closer {
    void operator()(ppd_file_t* ppd) const;
  };
  using OwnedHandle = std::unique_ptr<ppd_file_t, Closer>;

  // Opens path with libcups; null when it is missing or refused (the reason in *error when given).
  static OwnedHandle _openFile(const std::filesystem::path& path, std::string* error);
  // Takes ownership of an opened handle, closed once when the wrapper goes.
  explicit PpdFile(OwnedHandle ppdFile);

 private:
  void _setPpdFile(ppd_file_t* ppdFile);
  const ppd_option_t* _findOption(std::string_view mainKeyword) const;
  Value _choiceValue(const ppd_option_t& option, const char* choice) const;
  // A byte string of the description (product, choices) in _stringEncoding.
  std::optional<std::string> _decode(const char* bytes) const;
  // A title as libcups left it: UTF-8, or CP936 bytes that it did not convert; nullopt when it does not decode.
  std::optional<std::string> _title(const char* bytes) const;
  // The title of a choice, or the choice itself when the title does not decode.
  std::string _choiceTitle(const ppd_choice_t& choice) const;

  ppd_file_t* _ppdFile = nullptr;
  TextEncoding _stringEncoding = TextEncoding::ASCII;
  OwnedHandle _ownedPpdFile;  // set exactly when the wrapper opened the file
};

// The encoding of a printer description's byte strings, chosen from its
// language encoding and language version: "UTF-8" UTF-8, "ISOLatin1" Mac
// Roman, "JIS83-RKSJ" CP932 (standing in for Mac Japanese), language version
// "Chinese" with encoding "None" CP936; ASCII otherwise.
TextEncoding ppdStringEncoding(std::string_view languageEncoding, std::string_view languageVersion);

}  // namespace orval

// AppPreference: the plug-in's per-installation and per-user answers.
//
// Which resources describe the panes tree, the keyword conversion and the
// bundle's own printer description (the information dictionary
// "miscellaneous" of the plug-in bundle, one entry per application name);
// where the user's favorites live; whether the user prefers Japanese; how
// profile files are read; and two fixed values of this build. It keeps
// nothing but the language answer: everything else is looked up on every
// call, so changed resources and folders are seen at once.
//
// The favorite folder is
//   $XDG_CONFIG_HOME/QUILLANT/<productFolderName>/<subFolderName>/favorite
// (the configuration folder stands for the desktop's "Library/Preferences").
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/text_encoding.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/image.h"

namespace orval {

namespace tk {
class PopUpButton;
}

class AppPreference {
 public:
  // The information dictionary's resource name and its keys.
  static constexpr const char* kInformationResource = "miscellaneous";
  static constexpr const char* kPanesTreeFileName = "panesTreeFileName";
  static constexpr const char* kConvertTableFileName = "convertTableFileName";
  static constexpr const char* kPpdFileName = "ppdFileName";
  static constexpr const char* kProductFolderName = "productFolderName";
  static constexpr const char* kSubFolderName = "subFolderName";
  // The maker's folder under the preferences folder, and the favorites' own folder.
  static constexpr const char* kMakerFolderName = "QUILLANT";
  static constexpr const char* kFavoriteFolderName = "favorite";
  // The mode of every favorite folder level this object creates.
  static constexpr unsigned kFolderMode = 0775;

  // The process-wide object, created on first use.
  static AppPreference& sharedInstance();
  // Test-only: forgets the process-wide object (and so its language answer).
  static void resetSharedInstanceForTesting();

  AppPreference() = default;
  AppPreference(const AppPreference&) = delete;
  AppPreference& operator=(const AppPreference&) = delete;

  // The device type written into and required from favorite files: 7.
  int destinationIotType() const { return 7; }
  // The first encoding tried when reading a profile file: UTF-8.
  TextEncoding stringEncodingForServer() const { return TextEncoding::UTF8; }

  // The panes tree resource name of appName (the bundle's "CFBundleName" when none), or none.
  std::optional<std::string> panesTreeFileNameWithAppName(const std::optional<std::string>& appName = {}) const;
  // The keyword convert table resource name of appName, or none.
  std::optional<std::string> convertTableFileNameWithAppName(const std::optional<std::string>& appName = {}) const;
  // The bundle's printer description resource name of appName, or none.
  std::optional<std::string> ppdFileNameWithAppName(const std::optional<std::string>& appName = {}) const;

  // True when the preferred localization is exactly "Japanese" or "ja"; decided on the first call.
  bool isJapanesePreferred();

  // The favorite folders (one, or none when it cannot be named); with
  // createIfNeed every missing level is created with kFolderMode (a missing
  // configuration folder itself is made private, 0700, as XDG asks).
  std::vector<std::filesystem::path> favoriteFolderPathArray(bool createIfNeed) const;

  // The key = value pairs of the profile file at path; none for no path, a
  // missing file or a file that reads neither as UTF-8 nor as CP850.
  std::optional<Dict> profileDictionaryWithContentsOfFile(const std::optional<std::filesystem::path>& path) const;

  // Favorites --------------------------------------------------------------------------------

  // The full paths of all favorite files, folder by folder (missing folders
  // are created); *error receives the localized message of a folder that
  // could not be made or listed.
  std::vector<std::filesystem::path> arrayForFavoritePath(std::string* error = nullptr) const;
  // True when a favorite folder lists the file at path if it is a file: visible, ending in ".pfj".
  static bool isListedFavoriteFile(const std::filesystem::path& path);
  // Writes options with comment as the favorite name in the first favorite
  // folder, replacing a favorite of that name; answers the target path (none
  // without a name, options or folder) whether or not the write succeeded,
  // and *error receives the localized message when it did not.
  std::optional<std::filesystem::path> saveFavoriteOnFavoriteDirectory(const std::optional<std::string>& name,
                                                                       const std::optional<std::string>& comment,
                                                                       const std::optional<Dict>& options,
                                                                       std::string* error = nullptr) const;
  // Fills popUp with the default favorite and, after a separator, one item per favorite file.
  void buildFavoritePopup(tk::PopUpButton* popUp) const;
  // The favorite files of folder in name order: visible, not folders, ending in ".pfj".
  std::vector<std::filesystem::path> _pathArrayForOneFavoriteFolder(const std::filesystem::path& folder,
                                                                    std::string* error = nullptr) const;

  // The image of the bundle resource "Classic" (the icon of favorites kept
  // outside the user's home folder), or none when the bundle has none.
  std::optional<tk::Image> clasicIcon() const;

  // The value of key in the information entry of appName (the bundle's
  // "CFBundleName" when none); none, with a diagnostic when the entry is missing.
  std::optional<std::string> _infomationsForAppType(const std::optional<std::string>& appName,
                                                    const std::string& key) const;
  // The folders named subFolder under the favorites' product folder, created when asked.
  std::vector<std::filesystem::path> _subFolderPathArray(const std::string& subFolder, bool createIfNeed) const;
  // Creates every missing level of path with kFolderMode; failures are ignored.
  static void _createDirectoryRecursively(const std::filesystem::path& path);

  // The pairs of profile text: one per line of the form key=value; each line
  // loses its last two characters (its CR LF end) first.
  static Dict _profileDictionaryWithString(std::string_view text);

 private:
  std::optional<bool> _isJapanesePreferred;
};

}  // namespace orval

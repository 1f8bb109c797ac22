// Bundle: a directory `Name.ext/Contents/` with Info.plist, Resources/,
// PlugIns/ and an executable under Linux/.
//
// Resources are found by name and type; localized strings come from
// `Resources/<lang>.lproj/<table>.strings` (XML or binary property-list
// dictionaries) in the environment's preferred languages, then "en"; a key
// without an entry is answered as it stands. The executable is loaded with
// dlopen and its principal class reached through an exported factory.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

// What a bundle's principal-class factory makes. The concrete class (a
// print-dialog plug-in, a pane plug-in) is known to the caller, who
// dynamic_casts to the interface it expects.
class BundlePrincipal {
 public:
  virtual ~BundlePrincipal() = default;
};

// A bundle executable exports, for the class named by "NSPrincipalClass" in
// its Info.plist, the C function `OrvalPrincipalClass_<name>` of this type.
// The caller owns the object it answers (null when it cannot make one).
using BundlePrincipalFactory = BundlePrincipal* (*)();

class Bundle {
 public:
  // Opens the bundle at path; nullptr when path is not a directory.
  static std::shared_ptr<Bundle> bundleWithPath(const std::filesystem::path& path);
  // Leaves the executable loaded: objects it made may outlive the Bundle.
  ~Bundle();
  Bundle(const Bundle&) = delete;
  Bundle& operator=(const Bundle&) = delete;

  const std::filesystem::path& bundlePath() const;
  std::filesystem::path contentsPath() const;   // <bundle>/Contents
  std::filesystem::path resourcePath() const;   // <bundle>/Contents/Resources
  std::filesystem::path builtInPlugInsPath() const;  // <bundle>/Contents/PlugIns
  // <bundle>/Contents/Linux/<CFBundleExecutable>; empty when Info.plist names none.
  std::filesystem::path executablePath() const;

  // Contents/Info.plist as a dictionary (empty when missing or malformed).
  const Dict& infoDictionary() const;
  // infoDictionary()'s value for key, or null.
  const Value& objectForInfoDictionaryKey(const std::string& key) const;
  std::string bundleIdentifier() const;

  // The path of resource "name.type" (type may be empty, or given in name),
  // looked up in Resources/, then in Resources/<lang>.lproj/ for the
  // preferred languages; nullopt when absent.
  std::optional<std::filesystem::path> pathForResource(const std::string& name,
                                                       const std::string& type) const;
  // Every resource of the type directly in Resources/ (or its subdirectory), sorted by name.
  std::vector<std::filesystem::path> pathsForResourcesOfType(const std::string& type,
                                                             const std::string& subdirectory = {}) const;

  // The localized string for key from table (the default table is
  // "Localizable"); value when given and the key has no entry; else key.
  std::string localizedString(const std::string& key, const std::string& value = {},
                              const std::string& table = {}) const;
  // The bundle's localizations ("en", "ja", ...), that is its <lang>.lproj folders.
  std::vector<std::string> localizations() const;
  // The localizations of this bundle in the environment's order of
  // preference (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), "en" last.
  std::vector<std::string> preferredLocalizations() const;

  // Loads the executable (dlopen); false with a diagnostic when it cannot.
  bool load(std::string* error = nullptr);
  bool isLoaded() const;
  // Closes the executable. Objects made by it must be gone first.
  void unload();
  // A symbol of the loaded executable, or nullptr.
  void* symbol(const std::string& name) const;
  // "NSPrincipalClass" of Info.plist.
  std::string principalClassName() const;
  // Loads the executable when needed and makes one principal object; nullptr
  // with a diagnostic when the bundle cannot be loaded or exports no factory.
  std::unique_ptr<BundlePrincipal> makePrincipalObject(std::string* error = nullptr);

  // The environment's preferred languages, most preferred first, always
  // ending with "en" (e.g. LANGUAGE=ja:fr gives ja, fr, en).
  static std::vector<std::string> preferredLanguages();

 private:
  explicit Bundle(std::filesystem::path path);
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace orval

#include "platform/foundation/bundle.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <map>
#include <system_error>
#include <utility>

#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLprojSuffix = ".lproj";
constexpr std::string_view kFactoryPrefix = "OrvalPrincipalClass_";

bool isFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool pathExists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// The languages a locale name stands for: "ja_JP.UTF-8@x" gives "ja_JP" then
// "ja"; "C" and "POSIX" give none.
void appendLanguagesOfLocale(std::string_view locale, std::vector<std::string>& out) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  if (locale.empty() || locale == "C" || locale == "POSIX") return;
  const auto add = [&](std::string_view language) {
    if (std::find(out.begin(), out.end(), language) == out.end()) out.emplace_back(language);
  };
  add(locale);
  const std::size_t territory = locale.find('_');
  if (territory != std::string_view::npos) add(locale.substr(0, territory));
}

}  // namespace

struct Bundle::Impl {
  fs::path path;
  Dict info;
  // String tables by "<language>/<table>", read once; nullopt when absent or unreadable.
  std::map<std::string, std::optional<Dict>> tables;
  // The <language>.lproj folders, listed once.
  std::optional<std::vector<std::string>> localizations;
  void* handle = nullptr;

  const std::optional<Dict>& table(const std::string& language, const std::string& name) {
    const std::string cacheKey = language + "/" + name;
    auto found = tables.find(cacheKey);
    if (found != tables.end()) return found->second;
    const fs::path file =
        path / "Contents/Resources" / (language + std::string(kLprojSuffix)) / (name + ".strings");
    std::optional<Dict> dict;
    if (pathExists(file)) dict = dictFromFile(file);
    return tables.emplace(cacheKey, std::move(dict)).first->second;
  }

  bool fail(const std::string& reason, std::string* error) const {
    logMessage("###Error: bundle " + path.string() + ": " + reason);
    if (error) *error = reason;
    return false;
  }
};

Bundle::Bundle(fs::path path) : impl_(std::make_unique<Impl>()) {
  impl_->path = std::move(path);
  const fs::path infoPath = contentsPath() / "Info.plist";
  if (pathExists(infoPath)) impl_->info = dictFromFile(infoPath).value_or(Dict{});
}

// The executable stays mapped: objects it made may outlive this Bundle, and
// their code must outlive them. unload() closes it on purpose.
Bundle::~Bundle() = default;

std::shared_ptr<Bundle> Bundle::bundleWithPath(const fs::path& path) {
  if (path.empty() || !isFolder(path)) return nullptr;
  return std::shared_ptr<Bundle>(new Bundle(path));
}

const fs::path& Bundle::bundlePath() const { return impl_->path; }
fs::path Bundle::contentsPath() const { return impl_->path / "Contents"; }
fs::path Bundle::resourcePath() const { return contentsPath() / "Resources"; }
fs::path Bundle::builtInPlugInsPath() const { return contentsPath() / "PlugIns"; }

fs::path Bundle::executablePath() const {
  const std::string name = objectForInfoDictionaryKey("CFBundleExecutable").stringOr({});
  // A plain file name only: the executable lives in Contents/Linux.
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return {};
  return contentsPath() / "Linux" / name;
}

const Dict& Bundle::infoDictionary() const { return impl_->info; }

const Value& Bundle::objectForInfoDictionaryKey(const std::string& key) const {
  return impl_->info.get(key);
}

std::string Bundle::bundleIdentifier() const {
  return objectForInfoDictionaryKey("CFBundleIdentifier").stringOr({});
}

std::optional<fs::path> Bundle::pathForResource(const std::string& name,
                                                const std::string& type) const {
  if (name.empty()) return std::nullopt;
  std::string fileName = name;
  if (!type.empty()) fileName += type.front() == '.' ? type : "." + type;
  const fs::path resources = resourcePath();
  if (pathExists(resources / fileName)) return resources / fileName;
  for (const std::string& language : preferredLocalizations()) {
    const fs::path candidate = resources / (language + std::string(kLprojSuffix)) / fileName;
    if (pathExists(candidate)) return candidate;
  }
  return std::nullopt;
}

std::vector<fs::path> Bundle::pathsForResourcesOfType(const std::string& type,
                                                      const std::string& subdirectory) const {
  const fs::path folder = subdirectory.empty() ? resourcePath() : resourcePath() / subdirectory;
  const std::string extension = type.empty() || type.front() == '.' ? type : "." + type;
  std::vector<fs::path> paths;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (extension.empty() || path.extension() == extension) paths.push_back(path);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

std::string Bundle::localizedString(const std::string& key, const std::string& value,
                                    const std::string& table) const {
  const std::string tableName = table.empty() ? "Localizable" : table;
  for (const std::string& language : preferredLocalizations()) {
    const std::optional<Dict>& strings = impl_->table(language, tableName);
    if (!strings) continue;
    if (const std::string* text = strings->get(key).asString()) return *text;
  }
  return value.empty() ? key : value;
}

std::vector<std::string> Bundle::localizations() const {
  if (impl_->localizations) return *impl_->localizations;
  std::vector<std::string> languages;
  std::error_code ec;
  for (fs::directory_iterator it(resourcePath(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > kLprojSuffix.size() && name.ends_with(kLprojSuffix) && isFolder(it->path()))
      languages.push_back(name.substr(0, name.size() - kLprojSuffix.size()));
  }
  std::sort(languages.begin(), languages.end());
  impl_->localizations = languages;
  return languages;
}

std::vector<std::string> Bundle::preferredLocalizations() const {
  const std::vector<std::string> available = localizations();
  std::vector<std::string> preferred;
  for (const std::string& language : preferredLanguages())
    if (std::find(available.begin(), available.end(), language) != available.end())
      preferred.push_back(language);
  return preferred;
}

std::vector<std::string> Bundle::preferredLanguages() {
  std::vector<std::string> languages;
  if (const char* list = std::getenv("LANGUAGE")) {
    std::string_view rest(list);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      appendLanguagesOfLocale(rest.substr(0, colon), languages);
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
  }
  // The locale of messages is the first of these that is set, as for every
  // program: LC_ALL overrides LC_MESSAGES, which overrides LANG.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* locale = std::getenv(variable);
    if (locale && *locale) {
      appendLanguagesOfLocale(locale, languages);
      break;
    }
  }
  if (std::find(languages.begin(), languages.end(), "en") == languages.end())
    languages.emplace_back("en");
  return languages;
}

bool Bundle::load(std::string* error) {
  if (impl_->handle) return true;
  const fs::path executable = executablePath();
  if (executable.empty())
    return impl_->fail("Info.plist names no executable (CFBundleExecutable)", error);
  if (!pathExists(executable))
    return impl_->fail("executable " + executable.string() + " not found", error);
  dlerror();
  impl_->handle = dlopen(executable.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!impl_->handle) {
    const char* reason = dlerror();
    return impl_->fail(
        "cannot load " + executable.string() + ": " + (reason ? reason : "unknown error"), error);
  }
  return true;
}

bool Bundle::isLoaded() const { return impl_->handle != nullptr; }

void Bundle::unload() {
  if (!impl_->handle) return;
  dlclose(impl_->handle);
  impl_->handle = nullptr;
}

void* Bundle::symbol(const std::string& name) const {
  return impl_->handle ? dlsym(impl_->handle, name.c_str()) : nullptr;
}

std::string Bundle::principalClassName() const {
  return objectForInfoDictionaryKey("NSPrincipalClass").stringOr({});
}

std::unique_ptr<BundlePrincipal> Bundle::makePrincipalObject(std::string* error) {
  const std::string className = principalClassName();
  if (className.empty())
    return impl_->fail("Info.plist names no principal class (NSPrincipalClass)", error), nullptr;
  if (!load(error)) return nullptr;
  const std::string factoryName = std::string(kFactoryPrefix) + className;
  const auto factory = reinterpret_cast<BundlePrincipalFactory>(symbol(factoryName));
  if (!factory) return impl_->fail("the executable exports no " + factoryName, error), nullptr;
  std::unique_ptr<BundlePrincipal> object;
  try {
    object.reset(factory());
  } catch (const std::exception& e) {
    return impl_->fail(factoryName + " failed: " + e.what(), error), nullptr;
  } catch (...) {
    return impl_->fail(factoryName + " failed", error), nullptr;
  }
  if (!object) return impl_->fail(factoryName + " made no object", error), nullptr;
  return object;
}

}  // namespace orval

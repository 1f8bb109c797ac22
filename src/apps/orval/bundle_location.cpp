#include "apps/orval/bundle_location.h"

#include <cstdlib>
#include <system_error>

#include "apps/orval/commands.h"

namespace orval::cli {

namespace fs = std::filesystem;

namespace {

bool isBundleFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path / "Contents/Info.plist", ec);
}

// True when path lies inside folder (both resolved as far as they exist).
bool liesInside(const fs::path& path, const fs::path& folder) {
  if (path.empty() || folder.empty()) return false;
  std::error_code ec;
  const fs::path resolvedPath = fs::weakly_canonical(path, ec);
  if (ec) return false;
  const fs::path resolvedFolder = fs::weakly_canonical(folder, ec);
  if (ec) return false;
  const fs::path relative = resolvedPath.lexically_relative(resolvedFolder);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::optional<fs::path> findBundle(const BundleSearch& search, std::string* where, std::string* error) {
  const auto given = [&](const fs::path& path, const char* source) -> std::optional<fs::path> {
    if (isBundleFolder(path)) {
      if (where != nullptr) *where = source;
      return path;
    }
    if (error != nullptr) *error = path.string() + " (from " + source + ") is not a plug-in bundle";
    return std::nullopt;
  };
  if (search.explicitPath) return given(*search.explicitPath, "--bundle");
  if (search.environmentPath) return given(*search.environmentPath, "ORVAL_BUNDLE");

  if (liesInside(search.executable, search.buildTree) && isBundleFolder(search.buildTreeBundle)) {
    if (where != nullptr) *where = "build tree";
    return search.buildTreeBundle;
  }
  std::vector<fs::path> installed;
  if (!search.executable.empty())
    installed.push_back(search.executable.parent_path().parent_path() / search.installedBundle);
  if (!search.installPrefix.empty()) installed.push_back(search.installPrefix / search.installedBundle);
  for (const fs::path& path : installed) {
    if (isBundleFolder(path)) {
      if (where != nullptr) *where = "installed";
      return path;
    }
  }
  if (error != nullptr)
    *error = "no OrvalPDE.plugin bundle found; give its path with --bundle or ORVAL_BUNDLE";
  return std::nullopt;
}

BundleSearch bundleSearch(const std::optional<fs::path>& explicitPath) {
  BundleSearch search;
  search.explicitPath = explicitPath;
  if (const char* environment = std::getenv("ORVAL_BUNDLE"); environment != nullptr && *environment != '\0')
    search.environmentPath = fs::path(environment);
  std::error_code ec;
  search.executable = fs::read_symlink("/proc/self/exe", ec);
  search.buildTree = ORVAL_BUILD_TREE;
  search.buildTreeBundle = ORVAL_BUILD_TREE_BUNDLE;
  search.installPrefix = ORVAL_INSTALL_PREFIX;
  search.installedBundle = ORVAL_INSTALLED_BUNDLE;
  return search;
}

fs::path locateBundle(const std::optional<fs::path>& explicitPath) {
  std::string error;
  std::optional<fs::path> bundle = findBundle(bundleSearch(explicitPath), nullptr, &error);
  if (!bundle) throw CommandError(error);
  return *bundle;
}

std::shared_ptr<Bundle> openBundle(const std::optional<std::string>& explicitPath) {
  const fs::path path = locateBundle(explicitPath ? std::optional<fs::path>(*explicitPath) : std::nullopt);
  std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(path);
  if (!bundle) throw CommandError("cannot open the bundle " + path.string());
  return bundle;
}

void addBundleOption(CLI::App& command, std::optional<std::string>* path) {
  command
      .add_option("--bundle", *path,
                  "The OrvalPDE.plugin bundle (default: $ORVAL_BUNDLE, else the build tree's, else the installed one)")
      ->type_name("PATH");
}

}  // namespace orval::cli

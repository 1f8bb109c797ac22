// Where orval finds the OrvalPDE.plugin bundle it loads.
//
// In this order, the first that applies wins:
//   1. the path given with --bundle;
//   2. the path in the environment variable ORVAL_BUNDLE;
//   3. the build tree's bundle (<build>/OrvalPDE.plugin), when orval runs from that build tree;
//   4. the installed bundle, <prefix>/<libdir>/orval/OrvalPDE.plugin: first relative to the
//      program (<bin>/../<libdir>/...), then under the prefix the build was configured with.
// A path given by 1 or 2 that is not a bundle folder is an error; it is not passed over.
#pragma once

#include <CLI/App.hpp>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"

namespace orval::cli {

// What the search looks at; locateBundle fills it from the process and the build.
struct BundleSearch {
  std::optional<std::filesystem::path> explicitPath;  // --bundle
  std::optional<std::filesystem::path> environmentPath;  // ORVAL_BUNDLE
  std::filesystem::path executable;  // the running program
  std::filesystem::path buildTree;  // the build tree this program was built in
  std::filesystem::path buildTreeBundle;  // the bundle of that build tree
  std::filesystem::path installPrefix;  // the configured install prefix
  std::filesystem::path installedBundle;  // the bundle's place relative to a prefix
};

// The bundle found by search (see above), with where it was found ("--bundle", "ORVAL_BUNDLE",
// "build tree", "installed"); none, with the reason in *error, when no place has one.
std::optional<std::filesystem::path> findBundle(const BundleSearch& search, std::string* where,
                                                std::string* error);

// The search of this process: --bundle explicitPath, $ORVAL_BUNDLE, this program and this build.
BundleSearch bundleSearch(const std::optional<std::filesystem::path>& explicitPath);

// findBundle of bundleSearch; throws CommandError when there is none.
std::filesystem::path locateBundle(const std::optional<std::filesystem::path>& explicitPath);
// The bundle at locateBundle(explicitPath), opened; throws CommandError when there is none.
std::shared_ptr<Bundle> openBundle(const std::optional<std::string>& explicitPath);
// Adds the `--bundle PATH` option to command, setting *path when given.
void addBundleOption(CLI::App& command, std::optional<std::string>* path);

}  // namespace orval::cli

#include "apps/orval/bundle_location.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Pair;
using Found = std::pair<std::optional<fs::path>, std::string>;

class BundleLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    makeBundle("given.plugin");
    makeBundle("environment.plugin");
    makeBundle("build/OrvalPDE.plugin");
    makeBundle("prefix/lib/orval/OrvalPDE.plugin");
    makeBundle("relocated/lib/orval/OrvalPDE.plugin");
    fs::create_directories(root / "build/src/apps/orval");
    fs::create_directories(root / "relocated/bin");

    search.executable = root / "build/src/apps/orval/orval";
    search.buildTree = root / "build";
    search.buildTreeBundle = root / "build/OrvalPDE.plugin";
    search.installPrefix = root / "prefix";
    search.installedBundle = "lib/orval/OrvalPDE.plugin";
  }
  void makeBundle(const std::string& name) const {
    folder.write(name + "/Contents/Info.plist", "<plist version=\"1.0\"><dict/></plist>\n");
  }
  // The bundle found and where it was found, or nothing and why.
  Found find() const {
    std::string where, error;
    const std::optional<fs::path> found = findBundle(search, &where, &error);
    return {found, found ? where : error};
  }

  const foundation_testing::TemporaryFolder folder;
  const fs::path root = folder.path();
  BundleSearch search;
};

TEST_F(BundleLocationTest, ExplicitPathThenEnvironmentThenBuildTreeThenInstalled) {
  search.explicitPath = root / "given.plugin";
  search.environmentPath = root / "environment.plugin";
  EXPECT_EQ(find(), Found(root / "given.plugin", "--bundle"));

  search.explicitPath.reset();
  EXPECT_EQ(find(), Found(root / "environment.plugin", "ORVAL_BUNDLE"));

  search.environmentPath.reset();
  // A program outside the build tree does not take its bundle (orval_cli_info finds it from inside).
  search.executable = root / "relocated/bin/orval";
  EXPECT_EQ(find(), Found(root / "relocated/lib/orval/OrvalPDE.plugin", "installed"));

  search.executable = root / "elsewhere/bin/orval";
  EXPECT_EQ(find(), Found(root / "prefix/lib/orval/OrvalPDE.plugin", "installed"));
}

TEST_F(BundleLocationTest, WhatIsNotFoundIsAnErrorThatSaysWhy) {
  search.explicitPath = root / "missing.plugin";
  EXPECT_THAT(find(), Pair(std::nullopt, HasSubstr("missing.plugin (from --bundle) is not a plug-in bundle")));

  search.explicitPath.reset();
  search.environmentPath = root;  // a folder, but not a bundle
  EXPECT_THAT(find(), Pair(std::nullopt, HasSubstr("(from ORVAL_BUNDLE)")));

  search.environmentPath.reset();
  search.executable = root / "elsewhere/bin/orval";
  search.installPrefix = root / "empty";
  EXPECT_THAT(find(), Pair(std::nullopt, HasSubstr("--bundle or ORVAL_BUNDLE")));
}

}  // namespace
}  // namespace orval::cli

#include "apps/orval/bundle_location.h"

#include <gtest/gtest.h>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;

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
  std::optional<fs::path> find(std::string* where = nullptr, std::string* error = nullptr) const {
    return findBundle(search, where, error);
  }

  const foundation_testing::TemporaryFolder folder;
  const fs::path root = folder.path();
  BundleSearch search;
};

TEST_F(BundleLocationTest, ExplicitPathThenEnvironmentThenBuildTreeThenInstalled) {
  std::string where;
  search.explicitPath = root / "given.plugin";
  search.environmentPath = root / "environment.plugin";
  EXPECT_EQ(find(&where), root / "given.plugin");
  EXPECT_EQ(where, "--bundle");

  search.explicitPath.reset();
  EXPECT_EQ(find(&where), root / "environment.plugin");
  EXPECT_EQ(where, "ORVAL_BUNDLE");

  search.environmentPath.reset();
  EXPECT_EQ(find(&where), root / "build/OrvalPDE.plugin");
  EXPECT_EQ(where, "build tree");

  // A program outside the build tree does not take the build tree's bundle.
  search.executable = root / "relocated/bin/orval";
  EXPECT_EQ(find(&where), root / "relocated/lib/orval/OrvalPDE.plugin");
  EXPECT_EQ(where, "installed");

  search.executable = root / "elsewhere/bin/orval";
  EXPECT_EQ(find(&where), root / "prefix/lib/orval/OrvalPDE.plugin");
  EXPECT_EQ(where, "installed");
}

TEST_F(BundleLocationTest, WhatIsNotFoundIsAnErrorThatSaysWhy) {
  std::string error;
  search.explicitPath = root / "missing.plugin";
  EXPECT_EQ(find(nullptr, &error), std::nullopt);
  EXPECT_NE(error.find("missing.plugin (from --bundle) is not a plug-in bundle"), std::string::npos) << error;

  search.explicitPath.reset();
  search.environmentPath = root;  // a folder, but not a bundle
  EXPECT_EQ(find(nullptr, &error), std::nullopt);
  EXPECT_NE(error.find("(from ORVAL_BUNDLE)"), std::string::npos) << error;

  search.environmentPath.reset();
  search.executable = root / "elsewhere/bin/orval";
  search.installPrefix = root / "empty";
  EXPECT_EQ(find(nullptr, &error), std::nullopt);
  EXPECT_NE(error.find("--bundle or ORVAL_BUNDLE"), std::string::npos) << error;
}

}  // namespace
}  // namespace orval::cli

// Helpers of the pane plug-in manager's tests: a plug-in bundle assembled from testdata/Test.plugin
// and the fixture pane plug-ins of the build tree, and fresh process-wide objects around every test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/principal_bundle.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/pane_state_test_support.h"
#include "panes/testdata/fixture_pane_probe.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::panes_testing {

namespace fs = std::filesystem;

// The test plug-in bundle: Resources (UI description "TestUI", panes tree "PanesTree", printer
// description "Test.ppd", the password library) and PlugIns (the fixture pane plug-ins).
class TestPlugIn {
 public:
  TestPlugIn() {
    fs::copy(fs::path(ORVAL_SOURCE_DIR) / "src/panes/testdata/Test.plugin", path(), fs::copy_options::recursive);
    fs::copy(PANES_FIXTURE_PLUGINS_DIR, plugIns(), fs::copy_options::recursive);
    fs::copy_file(PANES_ENCRYPTION_LIBRARY, resources() / "libencryption.so");
  }

  fs::path path() const { return folder_.path() / "Test.plugin"; }
  fs::path resources() const { return path() / "Contents/Resources"; }
  fs::path plugIns() const { return path() / "Contents/PlugIns"; }

  // Registers the bundle as the principal bundle and answers the (new) shared manager.
  PanePlugInMgr& manager() const {
    SetBSPrincipalBundle(Bundle::bundleWithPath(path()));
    return PanePlugInMgr::sharedInstance();
  }
  static void setInfo(const fs::path& infoPlist, const std::string& key, const Value& value) {
    std::optional<Dict> info = dictFromFile(infoPlist);
    ASSERT_TRUE(info) << infoPlist;
    info->set(key, value);
    ASSERT_TRUE(writePlistFile(infoPlist, Value(*info)));
  }
  // Makes the fixture pane name throw a PlatformException from operation.
  void makePaneThrow(const std::string& name, const std::string& operation) const {
    setInfo(plugIns() / (name + ".bundle/Contents/Info.plist"), "FixtureThrowsIn", Value(Array{Value(operation)}));
  }
  void edit(const std::string& file, const std::string& from, const std::string& to) const {
    folder_.replaceInFile(fs::path("Test.plugin/Contents/Resources") / file, from, to);
  }

 private:
  foundation_testing::TemporaryFolder folder_;
};

// How many times the fixture pane controller was asked for operation (-1: not a fixture pane).
inline long eventCount(const PanePlugInInterface* controller, const std::string& operation) {
  const auto* probe = dynamic_cast<const FixturePaneProbe*>(controller);
  if (probe == nullptr) return -1;
  return std::count(probe->events().begin(), probe->events().end(), operation);
}

inline std::vector<std::string> tableNames(const PanePlugInMgr& manager) {
  std::vector<std::string> names;
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) names.push_back(entry.name);
  return names;
}

class PanePlugInMgrTest : public PanePlugInMgrTestBase {
 protected:
  TestPlugIn plugIn_;
};

}  // namespace orval::panes_testing

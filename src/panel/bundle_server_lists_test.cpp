// The server lists published in the bundle's printer description are those of
// resources/server_lists/*.plist (regenerate them with the target
// publish_bundle_server_lists after changing a list).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "panel/server_list_channel.h"
#include "panel/server_list_test_support.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const fs::path kResources = fs::path(ORVAL_SOURCE_DIR) / "resources";

TEST(BundleServerListsTest, PublishedListsAreTheirSources) {
  const std::string text = fileContents(kResources / "TZPrintServer.ppd");
  PpdFromText ppd(text);
  ASSERT_NE(ppd.get(), nullptr);

  std::set<std::string> sources;
  for (const fs::directory_entry& entry : fs::directory_iterator(kResources / "server_lists")) {
    if (entry.path().extension() != ".plist") continue;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    sources.insert(name);
    std::string error;
    const std::optional<Value> source = plistFromFile(entry.path(), &error);
    ASSERT_TRUE(source.has_value()) << error;
    EXPECT_EQ(readServerList(ppd.get(), name), source);
  }
  // Every list the panel asks the queue for, and the special toner settings.
  std::set<std::string> expected(PanePlugInMgr::allListCommands().begin(), PanePlugInMgr::allListCommands().end());
  expected.insert("JobResource-SPECIAL_TONER");
  EXPECT_EQ(sources, expected);

  // No list is published without a source.
  std::set<std::string> published;
  for (std::size_t at = text.find("0000: \""); at != std::string::npos; at = text.find("0000: \"", at + 1)) {
    const std::size_t start = text.rfind('*', at) + 1;
    published.insert(text.substr(start, at - start));
  }
  EXPECT_EQ(published, sources);

  // The custom paper types are pairs of strings, as the tray dialogs read them (the option updater's tests
  // read the feeders, stackers and abilities from the same sources).
  const std::optional<Value> custom = readServerList(ppd.get(), "PrePostDevice");
  ASSERT_TRUE(custom && custom->isArray());
  for (const Value& entry : *custom->asArray())
    EXPECT_TRUE(entry.isArray() && entry.asArray()->size() == 2 && (*entry.asArray())[0].isString() &&
                (*entry.asArray())[1].isString())
        << plistToXml(entry);
}

}  // namespace
}  // namespace orval

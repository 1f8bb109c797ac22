#include "platform/print/panel_driver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/foundation/plist.h"

#include "platform/print/memory_print_host.h"
#include "platform/print/recording_plugin_test_support.h"

namespace orval {
namespace {

using testing::Journal;
using testing::RecordingPanel;
using testing::RecordingPlugIn;

class NotAPlugIn : public BundlePrincipal {};

class PanelDriverTest : public ::testing::Test {
 protected:
  // Loads a recording plug-in with the given panels; answers the plug-in (owned by the driver).
  RecordingPlugIn* load(std::vector<std::string> names) {
    auto plugIn = std::make_unique<RecordingPlugIn>(std::move(names), journal_);
    RecordingPlugIn* raw = plugIn.get();
    std::string error;
    EXPECT_TRUE(driver_.loadPlugIn(std::move(plugIn), nullptr, &error)) << error;
    return raw;
  }
  RecordingPanel& panel(std::size_t i) { return static_cast<RecordingPanel&>(*driver_.panels().at(i)); }

  std::shared_ptr<Journal> journal_ = std::make_shared<Journal>();
  MemoryPrintHost host_;
  PanelDriver driver_{host_};
};

TEST_F(PanelDriverTest, AsksThePlugInForThePrintDialogsPanelsWithTheHostsCallback) {
  load({"Main", "Extra"});
  EXPECT_EQ(*journal_, (Journal{"plugin.initWithBundle",
                                "plugin.PDEPanelsForType BDB091F4-E57F-11D3-B5CC-0050E4603277"}));
  ASSERT_EQ(driver_.panels().size(), 2u);
  EXPECT_EQ(panel(0).callback(), &host_);
  EXPECT_EQ(driver_.panelNamed("Extra"), &panel(1));
  EXPECT_EQ(driver_.panelNamed("Other"), nullptr);
}

TEST_F(PanelDriverTest, APrincipalThatMakesNoPanelIsRefused) {
  std::string error;
  EXPECT_FALSE(driver_.loadPlugIn(std::make_unique<NotAPlugIn>(), nullptr, &error));
  EXPECT_NE(error.find("not a print dialog plug-in"), std::string::npos) << error;

  auto refusing = std::make_unique<RecordingPlugIn>(std::vector<std::string>{"Main"}, journal_);
  refusing->acceptBundle = false;
  EXPECT_FALSE(driver_.loadPlugIn(std::move(refusing), nullptr, &error));
  EXPECT_NE(error.find("refused"), std::string::npos) << error;

  auto none = std::make_unique<RecordingPlugIn>(std::vector<std::string>{"Main"}, journal_);
  none->makePanels = false;
  EXPECT_FALSE(driver_.loadPlugIn(std::move(none), nullptr, &error));
  EXPECT_NE(error.find("no panel"), std::string::npos) << error;

  auto empty = std::make_unique<RecordingPlugIn>(std::vector<std::string>{}, journal_);
  EXPECT_FALSE(driver_.loadPlugIn(std::move(empty), nullptr, &error));
  EXPECT_TRUE(driver_.panels().empty());
  EXPECT_FALSE(driver_.loadPlugIn(std::shared_ptr<Bundle>(), &error));
}

TEST_F(PanelDriverTest, ShowingAskTheShownPanelToHideAndGivesTheViewBeforeWillShow) {
  load({"Main", "Extra"});
  journal_->clear();
  ASSERT_TRUE(driver_.show(panel(0)));
  EXPECT_TRUE(driver_.show(panel(0)));  // already shown: nothing more
  panel(0).allowHide = false;
  EXPECT_FALSE(driver_.show(panel(1)));
  EXPECT_EQ(driver_.shownPanel(), &panel(0));
  panel(0).allowHide = true;
  ASSERT_TRUE(driver_.show(panel(1)));
  EXPECT_EQ(driver_.shownPanel(), &panel(1));
  EXPECT_EQ(*journal_, (Journal{"Main.panelView", "Main.willShow", "Main.shouldHide", "Main.shouldHide",
                                "Extra.panelView", "Extra.willShow"}));

  RecordingPanel stranger("Stranger", journal_, nullptr);
  EXPECT_FALSE(driver_.show(stranger));
  EXPECT_EQ(driver_.shownPanel(), &panel(1));
}

TEST_F(PanelDriverTest, RestoreAndSaveReachEveryPanelAndNameTheOnesThatFail) {
  load({"Main", "Extra"});
  journal_->clear();
  std::string error;
  EXPECT_TRUE(driver_.restoreValues(&error));
  panel(0).failure = "disk full";
  EXPECT_FALSE(driver_.saveValues(&error));
  EXPECT_EQ(error, "Main: disk full");
  panel(1).failure = "";
  EXPECT_FALSE(driver_.restoreValues(&error));
  EXPECT_EQ(error, "Main: disk full; Extra: failed");
  EXPECT_EQ(*journal_, (Journal{"Main.restore", "Extra.restore", "Main.save", "Extra.save", "Main.restore",
                                "Extra.restore"}));
}

TEST_F(PanelDriverTest, ChoiceChangesGoOnlyToPanelsThatListTheKey) {
  load({"Main", "Extra"});
  panel(0).supportedKeys = Array{"Duplex", "StapleMode"};
  journal_->clear();
  driver_.PPDOptionKeyValueDidChange("Duplex", "DuplexTumble");
  driver_.PPDOptionKeyValueDidChange("PageSize", "A4");
  EXPECT_EQ(*journal_, (Journal{"Main.didChange Duplex=DuplexTumble"}));

  const auto summaries = driver_.summaries();
  ASSERT_EQ(summaries.size(), 2u);
  EXPECT_EQ(summaries[1].first, "Extra");
  EXPECT_EQ(summaries[1].second.get("Panel"), Value("Extra"));
}

TEST_F(PanelDriverTest, PanelsGoBeforeThePlugInThatMadeThem) {
  load({"Main"});
  journal_->clear();
  driver_.unloadPlugIn();
  EXPECT_EQ(*journal_, (Journal{"Main.released", "plugin.released"}));
  EXPECT_TRUE(driver_.panels().empty());
  EXPECT_EQ(driver_.shownPanel(), nullptr);
}

// A plug-in bundle assembled from the test plug-in executable, as the build
// assembles the real one: Info.plist naming the principal class, the
// executable under Contents/Linux.
class TestBundleFolder {
 public:
  explicit TestBundleFolder(const std::string& principalClass) {
    path_ = std::filesystem::temp_directory_path() /
            ("orval-bundle-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "-" + principalClass) /
            "Test.plugin";
    std::filesystem::remove_all(path_.parent_path());
    std::filesystem::create_directories(path_ / "Contents/Linux");
    std::filesystem::copy_file(PRINT_TEST_PLUGIN_PATH, path_ / "Contents/Linux/libTest.so");
    const Dict info{{"CFBundleExecutable", "libTest.so"},
                    {"CFBundleIdentifier", "org.orval.test.plugin"},
                    {"NSPrincipalClass", principalClass}};
    std::string error;
    EXPECT_TRUE(writePlistFile(path_ / "Contents/Info.plist", Value(info), &error)) << error;
  }
  ~TestBundleFolder() { std::filesystem::remove_all(path_.parent_path()); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(PanelDriverBundleTest, LoadsThePrincipalObjectOfAPlugInBundle) {
  TestBundleFolder folder("RecordingPlugIn");
  MemoryPrintHost host;
  std::string error;
  ASSERT_TRUE(host.panels().loadPlugIn(Bundle::bundleWithPath(folder.path()), &error)) << error;
  ASSERT_EQ(host.panels().panels().size(), 1u);
  PDEPanel& panel = *host.panels().panels().front();
  EXPECT_EQ(panel.panelName(), "Recorded");
  EXPECT_EQ(static_cast<RecordingPanel&>(panel).callback(), &host);
  EXPECT_TRUE(host.panels().show(panel));
  EXPECT_TRUE(host.panels().saveValues(&error)) << error;
  host.panels().unloadPlugIn();
}

TEST(PanelDriverBundleTest, ABundleWhosePrincipalIsNoPrintPlugInIsRefused) {
  TestBundleFolder folder("NotAPlugIn");
  MemoryPrintHost host;
  std::string error;
  EXPECT_FALSE(host.panels().loadPlugIn(Bundle::bundleWithPath(folder.path()), &error));
  EXPECT_NE(error.find("not a print dialog plug-in"), std::string::npos) << error;

  TestBundleFolder missing("NoSuchClass");
  EXPECT_FALSE(host.panels().loadPlugIn(Bundle::bundleWithPath(missing.path()), &error));
  EXPECT_NE(error.find("cannot load the plug-in"), std::string::npos) << error;
  EXPECT_TRUE(host.panels().panels().empty());
}

}  // namespace
}  // namespace orval

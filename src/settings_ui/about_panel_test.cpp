#include "settings_ui/about_panel.h"

#include <filesystem>

#include "common/principal_bundle.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

// A plug-in bundle in a temporary folder with the shipped About panel.
class AboutPanelTest : public kora_ui_testing::ScriptedPersonTest {
 protected:
  AboutPanelTest() {
    fs::create_directories(folder / "Test.plugin/Contents/Resources");
    fs::copy_file(fs::path(ORVAL_SOURCE_DIR) / "resources/About.plist",
                  folder / "Test.plugin/Contents/Resources/About.plist");
  }

  const foundation_testing::TemporaryFolder scratch;
  const fs::path folder = scratch.path();
};

TEST_F(AboutPanelTest, ShowsTheBundlesVersionEndsOnAClickOrKeyOnlyAndNeedsItsInterfaceFile) {
  const Dict info{{"CFBundleShortVersionString", "2.1"}, {"QZBuildVersion", "7"}, {"CFBundleVersion", "2.1.7"},
                  {"NSHumanReadableCopyright", "Copyright Quillant"}};
  ASSERT_TRUE(writePlistFile(folder / "Test.plugin/Contents/Info.plist", Value(info)));
  SetBSPrincipalBundle(Bundle::bundleWithPath(folder / "Test.plugin"));
  int hookRuns = 0;
  tk::Application::shared().setInterfaceLoadedHook([&hookRuns] { ++hookRuns; });
  AboutPanelController controller;
  ASSERT_NE(controller.window(), nullptr);  // loads the panel
  EXPECT_EQ(hookRuns, 0);  // suspended while the panel loads, and back afterwards
  ASSERT_TRUE(tk::Application::shared().interfaceLoadedHook());
  EXPECT_EQ(controller.versionField()->stringValue(), "2.1.7 (2.1.7)");
  EXPECT_EQ(controller.copyrightField()->stringValue(), "Copyright Quillant");

  person->act([](tk::Window& panel) { panel.sendEvent({tk::EventType::MouseMoved, {}}); })
      .act([](tk::Window& panel) { panel.sendEvent({tk::EventType::RightMouseDown, {}}); });
  EXPECT_EQ(AboutPanelController::runModal(), tk::ModalResponse::Stop);
  person->act([](tk::Window& panel) { panel.close(); });
  EXPECT_EQ(AboutPanelController::runModal(), tk::ModalResponse::Abort);

  fs::remove(folder / "Test.plugin/Contents/Resources/About.plist");  // no step left: an opened panel would throw
  EXPECT_EQ(AboutPanelController::runModal(), tk::ModalResponse::Abort);
}

TEST_F(AboutPanelTest, ATitlelessPanelFloatsOnlyWhileTheApplicationIsActive) {
  TitlelessPanel panel({0, 0, 100, 100}, "ignored", tk::TitledWindowMask | tk::ClosableWindowMask);
  EXPECT_EQ(panel.styleMask(), tk::BorderlessWindowMask);
  panel.display();
  EXPECT_EQ(panel.level(), tk::windowLevelForKey(tk::MainMenuWindowLevelKey));
  tk::Application::shared().setActive(false);  // redraws on the change
  EXPECT_EQ(panel.level(), tk::windowLevelForKey(tk::NormalWindowLevelKey));
  EXPECT_EQ(panel.displayCount(), 2);
}

}  // namespace
}  // namespace orval

#include "platform/toolkit/interface_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "platform/foundation/plist.h"
#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

Dict parse(const std::string& xml) {
  const std::optional<Value> value = plistFromBytes(xml);
  EXPECT_TRUE(value && value->isDict()) << xml;
  return value && value->isDict() ? *value->asDict() : Dict();
}

std::string plist(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>" + body + "</dict></plist>";
}

class InterfaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { Application::resetSharedForTesting(); }
  void TearDown() override { Application::resetSharedForTesting(); }
};

TEST_F(InterfaceFileTest, BuildsTheWindowItDescribesAndBindsActionsByName) {
  int hookRuns = 0;
  Application::shared().setInterfaceLoadedHook([&hookRuns] { ++hookRuns; });
  std::string error;
  std::unique_ptr<Window> window = loadInterfaceFile(
      std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/toolkit/testdata/Settings.plist", {}, &error);
  ASSERT_NE(window, nullptr) << error;
  EXPECT_EQ(hookRuns, 1);
  EXPECT_EQ(std::tuple(window->className(), window->title(), window->frame().width, window->frameAutosaveName()),
            std::tuple("Panel", "Settings", 300.0, "SettingsDialog"));

  Button* ok = viewWithIdentifier<Button>(*window, "ok");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->frame().x, 200);
  int pressed = 0;
  EXPECT_EQ(bindAction(*window, "okButton:", [&pressed](Control&) { ++pressed; }), 1);
  EXPECT_TRUE(ok->performClick());
  EXPECT_EQ(pressed, 1);

  PopUpButton* style = viewWithIdentifier<PopUpButton>(*window, "style");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->itemTitles(), (std::vector<std::string>{"Tabs", "Tree"}));
  OutlineView* tree = viewWithIdentifier<OutlineView>(*window, "tree");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->enclosingScrollView(), viewWithIdentifier<ScrollView>(*window, "scroll"));
  EXPECT_EQ(tree->tableColumnWithIdentifier("name")->width(), 90);
  TextField* hello = viewWithIdentifier<TextField>(*window, "hello");
  ASSERT_NE(hello, nullptr);
  EXPECT_EQ(std::pair(hello->isHidden(), hello->stringValue()), std::pair(true, std::string("Hello")));
  EXPECT_EQ(viewWithIdentifier<TabView>(*window, "tabs")->selectedTabViewItem()->label(), "One");
  Matrix* mode = viewWithIdentifier<Matrix>(*window, "mode");
  ASSERT_NE(mode, nullptr);
  const ButtonCell* input = mode->cellAtRow(1, 0);
  EXPECT_EQ(std::tuple(mode->numberOfRows(), mode->selectedRow(), input->title(), input->tag()),
            std::tuple(2, 0, "Input", 1L));
}

TEST_F(InterfaceFileTest, AMalformedDescriptionIsRefusedWithItsPlace) {
  struct Case {
    std::string body;
    std::string reason;
  };
  const Case cases[] = {
      {"<key>views</key><array><dict><key>class</key><string>Gizmo</string></dict></array>",
       "the window, view 1: unknown class \"Gizmo\""},
      {"<key>views</key><array><dict><key>class</key><string>View</string><key>frame</key><array><integer>1</integer></"
       "array></dict></array>",
       "the window, view 1: \"frame\" is not [x, y, width, height]"},
      {"<key>views</key><array><string>Button</string></array>", "the window, view 1: not a dictionary"},
      {"<key>style</key><array><string>wobbly</string></array>", "the window: unknown style \"wobbly\""},
      {"<key>class</key><string>Sheet</string>", "the window: unknown class \"Sheet\""},
  };
  int hookRuns = 0;
  Application::shared().setInterfaceLoadedHook([&hookRuns] { ++hookRuns; });
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(loadInterface(parse(plist(c.body)), {}, &error), nullptr) << c.body;
    EXPECT_EQ(error, c.reason);
  }
  EXPECT_EQ(hookRuns, 0);
  std::string error;
  EXPECT_EQ(loadInterfaceFile("/nonexistent/About.plist", {}, &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/About.plist"), std::string::npos);
}

TEST_F(InterfaceFileTest, AWindowOfItsOwnClassComesFromTheFactory) {
  class Special : public Panel {
   public:
    using Panel::Panel;
    std::string className() const override { return "Special"; }
  };
  const WindowFactory factory = [](const std::string& kind, Rect frame, const std::string& title,
                                   unsigned style) -> std::unique_ptr<Window> {
    if (kind != "Special") return nullptr;
    return std::make_unique<Special>(frame, title, style);
  };
  std::unique_ptr<Window> window =
      loadInterface(parse(plist("<key>class</key><string>Special</string><key>style</key><array/>")), factory);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->className(), "Special");
  EXPECT_EQ(window->styleMask(), BorderlessWindowMask);
  EXPECT_EQ(loadInterface(parse(plist("")), factory)->className(), "Window");
}

}  // namespace
}  // namespace orval::tk

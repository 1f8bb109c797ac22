#include "platform/toolkit/interface_file.h"

#include <gtest/gtest.h>

#include "platform/foundation/plist.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/scroll_view.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"

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
  const Dict description = parse(plist(R"(
    <key>class</key><string>Panel</string><key>title</key><string>Settings</string>
    <key>frame</key><array><integer>10</integer><integer>20</integer><integer>300</integer><integer>200</integer></array>
    <key>frameAutosaveName</key><string>SettingsDialog</string>
    <key>views</key><array>
      <dict><key>class</key><string>Button</string><key>identifier</key><string>ok</string>
        <key>title</key><string>OK</string><key>action</key><string>okButton:</string>
        <key>frame</key><array><integer>200</integer><integer>10</integer><integer>80</integer><integer>24</integer></array></dict>
      <dict><key>class</key><string>PopUpButton</string><key>identifier</key><string>style</string>
        <key>items</key><array><dict><key>title</key><string>Tabs</string><key>tag</key><integer>1</integer></dict>
          <string>Tree</string></array></dict>
      <dict><key>class</key><string>ScrollView</string><key>identifier</key><string>scroll</string>
        <key>frame</key><array><integer>0</integer><integer>40</integer><integer>100</integer><integer>150</integer></array>
        <key>document</key><dict><key>class</key><string>OutlineView</string><key>identifier</key><string>tree</string>
          <key>columns</key><array><dict><key>identifier</key><string>name</string><key>width</key><integer>90</integer></dict></array></dict></dict>
      <dict><key>class</key><string>TabView</string><key>identifier</key><string>tabs</string>
        <key>tabs</key><array><dict><key>identifier</key><string>one</string><key>label</key><string>One</string>
          <key>views</key><array><dict><key>class</key><string>Label</string><key>title</key><string>Hello</string>
            <key>identifier</key><string>hello</string><key>hidden</key><true/></dict></array></dict></array></dict>
      <dict><key>class</key><string>TableView</string><key>identifier</key><string>list</string>
        <key>columns</key><array><dict><key>identifier</key><string>name</string></dict></array></dict>
      <dict><key>class</key><string>Matrix</string><key>identifier</key><string>mode</string>
        <key>cells</key><array><dict><key>title</key><string>Auto</string></dict>
          <dict><key>title</key><string>Input</string><key>tag</key><integer>1</integer></dict></array></dict>
    </array>)"));
  std::string error;
  std::unique_ptr<Window> window = loadInterface(description, {}, &error);
  ASSERT_NE(window, nullptr) << error;
  EXPECT_EQ(hookRuns, 1);
  EXPECT_EQ(window->className(), "Panel");
  EXPECT_EQ(window->title(), "Settings");
  EXPECT_EQ(window->frame().width, 300);
  EXPECT_EQ(window->frameAutosaveName(), "SettingsDialog");

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
  EXPECT_EQ(style->itemAtIndex(0)->tag(), 1);
  OutlineView* tree = viewWithIdentifier<OutlineView>(*window, "tree");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->enclosingScrollView(), viewWithIdentifier<ScrollView>(*window, "scroll"));
  EXPECT_EQ(tree->tableColumnWithIdentifier("name")->width(), 90);
  TextField* hello = viewWithIdentifier<TextField>(*window, "hello");
  ASSERT_NE(hello, nullptr);
  EXPECT_TRUE(hello->isHidden());
  EXPECT_EQ(hello->stringValue(), "Hello");
  EXPECT_EQ(viewWithIdentifier<TabView>(*window, "tabs")->selectedTabViewItem()->label(), "One");
  TableView* list = viewWithIdentifier<TableView>(*window, "list");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->className(), "TableView");
  EXPECT_NE(list->tableColumnWithIdentifier("name"), nullptr);
  Matrix* mode = viewWithIdentifier<Matrix>(*window, "mode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->numberOfRows(), 2);
  EXPECT_EQ(mode->cellAtRow(1, 0)->title(), "Input");
  EXPECT_EQ(mode->cellAtRow(1, 0)->tag(), 1);
  EXPECT_EQ(mode->selectedRow(), 0);
}

TEST_F(InterfaceFileTest, AMalformedDescriptionIsRefusedWithItsPlace) {
  struct Case {
    std::string body;
    std::string reason;
  };
  const Case cases[] = {
      {"<key>views</key><array><dict><key>class</key><string>Gizmo</string></dict></array>",
       "the window, view 1: unknown class \"Gizmo\""},
      {"<key>views</key><array><dict><key>class</key><string>View</string><key>frame</key><array><integer>1</integer></array></dict></array>",
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

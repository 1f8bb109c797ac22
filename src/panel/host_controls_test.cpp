#include "panel/host_controls.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/toolkit/toolkit.h"

namespace orval {
namespace {

std::unique_ptr<tk::Button> buttonWithAction(const std::string& action) {
  auto button = std::make_unique<tk::Button>();
  button->setAction(action, [](tk::Control&) {});
  return button;
}

TEST(HostControlsTest, FindsButtonsByActionAndCopiesByFrameInPlainViewsAndBoxesButNotOtherContainers) {
  tk::View content({0, 0, 600, 400});
  tk::TabView& tabs = content.add(std::make_unique<tk::TabView>());
  auto tab = std::make_unique<tk::TabViewItem>(Value("one"));
  tab->view()->addSubview(buttonWithAction("twoSidedSelected:"));
  tabs.addTabViewItem(std::move(tab));
  content.addSubview(buttonWithAction("someOtherAction:"));
  content.add(std::make_unique<tk::TextField>(tk::Rect{95, 4, 70, 23}));
  tk::TextField& copies = content.add(std::make_unique<tk::TextField>(tk::Rect{101, 4, 60, 22}));
  EXPECT_EQ(getCocoaPDEsControl(&content, kHostDuplexModeKey), nullptr);
  EXPECT_EQ(getCocoaPDEsControl(&content, kHostCollateKey), nullptr);  // a copies field answers no other key

  tk::View& inner = content.add(std::make_unique<tk::View>()).add(std::make_unique<tk::View>());
  tk::Button& collate = inner.add(buttonWithAction("collatedSelected:"));
  tk::Box& box = content.add(std::make_unique<tk::Box>());
  tk::Button& twoSided = box.contentView()->add(buttonWithAction("twoSidedSelected:"));
  tk::TextField& boxed = box.contentView()->add(std::make_unique<tk::TextField>(tk::Rect{92, 4, 60, 22}));

  EXPECT_EQ(getCocoaPDEsControl(&content, kHostCollateKey), &collate);
  EXPECT_EQ(getCocoaPDEsControl(&content, kHostDuplexModeKey), &twoSided);
  EXPECT_EQ(getCocoaPDEsControl(&content, kHostNumCopiesKey), &copies);
  EXPECT_EQ(getCocoaPDEsControl(box.contentView(), kHostNumCopiesKey), &boxed);
  EXPECT_EQ(getCocoaPDEsControl(&content, "Copies"), nullptr);
  EXPECT_EQ(getCocoaPDEsControl(nullptr, kHostNumCopiesKey), nullptr);
}

TEST(HostControlsTest, SelectItemByRepresentedObject) {
  tk::PopUpButton popup;
  for (const char* choice : {"Tray1", "Tray2", "Tray2"}) {
    tk::MenuItem& item = popup.addItemWithTitle(choice);
    item.setRepresentedObject(Value(choice));
  }
  popup.selectItemAtIndex(0);
  EXPECT_TRUE(selectItem(&popup, Value("Tray2")));
  EXPECT_EQ(popup.indexOfSelectedItem(), 1);
  EXPECT_FALSE(selectItem(&popup, Value("Tray9")));
  EXPECT_EQ(popup.indexOfSelectedItem(), 1);
  EXPECT_FALSE(selectItem(&popup, Value()));
  EXPECT_FALSE(selectItem(nullptr, Value("Tray1")));
}

}  // namespace
}  // namespace orval

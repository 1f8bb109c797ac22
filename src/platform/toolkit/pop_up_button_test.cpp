#include "platform/toolkit/pop_up_button.h"

#include <gtest/gtest.h>

namespace orval::tk {
namespace {

class PopUpButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* value : {"A4", "A3", "Letter"}) {
      MenuItem& item = popUp.addItemWithTitle(std::string("Paper ") + value);
      item.setRepresentedObject(Value(value));
    }
  }
  PopUpButton popUp;
};

TEST_F(PopUpButtonTest, PerItemEnablingCountsOnlyWithAutoenablingOff) {
  int actions = 0;
  popUp.setAction("popupButtonAction:", [&](Control&) { ++actions; });
  popUp.itemAtIndex(1)->setEnabled(false);
  EXPECT_TRUE(popUp.isItemEnabled(1));  // the menu enables every item itself
  EXPECT_TRUE(popUp.chooseItemAtIndex(1));
  popUp.setAutoenablesItems(false);
  EXPECT_FALSE(popUp.isItemEnabled(1));
  popUp.selectItemAtIndex(0);
  EXPECT_FALSE(popUp.chooseItemAtIndex(1));
  EXPECT_EQ(popUp.indexOfSelectedItem(), 0);
  EXPECT_TRUE(popUp.chooseItemAtIndex(2));
  EXPECT_EQ(actions, 2);
  popUp.setEnabled(false);
  EXPECT_FALSE(popUp.chooseItemAtIndex(0));
}

TEST_F(PopUpButtonTest, SeparatorsAreItemsThatCannotBeChosen) {
  popUp.insertItem(MenuItem::separatorItem(), 1);
  popUp.addItem(MenuItem::separatorItem());
  EXPECT_EQ(popUp.numberOfItems(), 5);
  EXPECT_TRUE(popUp.itemAtIndex(1)->isSeparatorItem());
  EXPECT_FALSE(popUp.isItemEnabled(1));
  EXPECT_FALSE(popUp.chooseItemAtIndex(1));
}

TEST_F(PopUpButtonTest, SelectsByTitleTagAndRepresentedObject) {
  EXPECT_EQ(popUp.indexOfSelectedItem(), 0);  // the first item added was selected
  popUp.itemAtIndex(2)->setTag(42);
  EXPECT_TRUE(popUp.selectItemWithTag(42));
  EXPECT_EQ(popUp.titleOfSelectedItem(), "Paper Letter");
  EXPECT_FALSE(popUp.selectItemWithTitle("Paper B5"));
  EXPECT_EQ(popUp.indexOfSelectedItem(), 2);  // unchanged by a failed selection
  EXPECT_EQ(popUp.indexOfItemWithRepresentedObject(Value("A3")), 1);
  EXPECT_EQ(popUp.indexOfItemWithRepresentedObject(Value("B5")), -1);
  popUp.selectItemAtIndex(9);
  EXPECT_EQ(popUp.selectedItem(), nullptr);
  EXPECT_EQ(popUp.titleOfSelectedItem(), "");
}

TEST_F(PopUpButtonTest, AddingAnExistingTitleMovesItAndRemovalKeepsTheSelectionOnItsItem) {
  popUp.selectItemAtIndex(2);
  popUp.removeItemAtIndex(0);
  EXPECT_EQ(popUp.titleOfSelectedItem(), "Paper Letter");
  popUp.addItemWithTitle("Paper A3");  // replaces the existing one, at the end
  EXPECT_EQ(popUp.itemTitles(), (std::vector<std::string>{"Paper Letter", "Paper A3"}));
  EXPECT_TRUE(popUp.itemAtIndex(1)->representedObject().isNull());
  EXPECT_EQ(popUp.titleOfSelectedItem(), "Paper Letter");
  popUp.insertItemWithTitle("Paper Letter", 2);
  EXPECT_EQ(popUp.itemTitles(), (std::vector<std::string>{"Paper A3", "Paper Letter"}));
  popUp.removeAllItems();
  EXPECT_EQ(popUp.indexOfSelectedItem(), -1);
}

}  // namespace
}  // namespace orval::tk

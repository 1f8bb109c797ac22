#include "platform/toolkit/view.h"

#include <gtest/gtest.h>

#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

// Counts how many of its kind are alive, to see who destroys what.
class Counted : public View {
 public:
  explicit Counted(int& alive) : alive_(alive) { ++alive_; }
  ~Counted() override { --alive_; }

 private:
  int& alive_;
};

TEST(ViewTest, ALentViewStaysWithItsOwnerWhicheverGoesFirst) {
  int alive = 0;
  auto owned = std::make_unique<Counted>(alive);
  Window window;
  TextField& typed = owned->add(std::make_unique<TextField>());
  {
    View& lentTo = window.contentView().addSubview(std::make_unique<View>());
    lentTo.addLentSubview(*owned);
    EXPECT_EQ(std::tuple(owned->isLent(), owned->window()), std::tuple(true, &window));
    ASSERT_TRUE(typed.selectText());
    // Taken out, it is not handed over: its owner keeps it.
    EXPECT_EQ(owned->removeFromSuperview(), nullptr);
    EXPECT_EQ(window.firstResponder(), &window);
    lentTo.addLentSubview(*owned);
    window.contentView().removeAllSubviews();  // the host goes, the lent view stays
  }
  EXPECT_EQ(std::tuple(alive, owned->superview(), owned->isLent()), std::tuple(1, nullptr, false));
  // Destroyed by its owner while lent, it leaves the tree first.
  View& host = window.contentView().addSubview(std::make_unique<View>());
  host.addLentSubview(*owned);
  ASSERT_TRUE(typed.selectText());
  owned.reset();
  EXPECT_EQ(std::tuple(alive, host.subviewCount(), window.firstResponder()), std::tuple(0, 0u, &window));
}

TEST(ViewTest, OwnsSubviewsAndHandsThemBackWhenRemoved) {
  int alive = 0;
  {
    View root;
    View& a = root.addSubview(std::make_unique<Counted>(alive));
    root.addSubview(std::make_unique<Counted>(alive));
    a.addSubview(std::make_unique<Counted>(alive));
    std::unique_ptr<View> taken = a.removeFromSuperview();
    ASSERT_EQ(taken.get(), &a);
    EXPECT_EQ(alive, 3);  // handed back, not destroyed
    taken.reset();
    EXPECT_EQ(alive, 1);  // with its own subview
    EXPECT_EQ(View().removeFromSuperview(), nullptr);
  }
  EXPECT_EQ(alive, 0);
}

TEST(ViewTest, InsertsAndFindsByTagDepthFirst) {
  View root;
  View& first = root.addSubview(std::make_unique<View>());
  View& inner = first.addSubview(std::make_unique<View>());
  View& last = root.addSubview(std::make_unique<View>());
  View& front = root.insertSubview(std::make_unique<View>(), 0);
  inner.setTag(7);
  last.setTag(7);
  EXPECT_EQ(root.subviews(), (std::vector<View*>{&front, &first, &last}));
  EXPECT_EQ(root.viewWithTag(7), &inner);  // depth first: inside "first" before "last"
  EXPECT_EQ(root.viewWithTag(0), &root);   // the view itself counts
  EXPECT_EQ(root.viewWithTag(99), nullptr);
  EXPECT_TRUE(inner.isDescendantOf(root));
  EXPECT_FALSE(root.isDescendantOf(inner));
}

TEST(ViewTest, HiddenAncestorHidesDescendants) {
  View root;
  View& child = root.addSubview(std::make_unique<View>());
  Button& button = child.add(std::make_unique<Button>());
  int clicks = 0;
  button.setAction("click:", [&](Control&) { ++clicks; });
  child.setHidden(true);
  EXPECT_FALSE(button.isHidden());
  EXPECT_TRUE(button.isHiddenOrHasHiddenAncestor());
  EXPECT_FALSE(button.performClick());  // nobody can click what is not shown
  child.setHidden(false);
  EXPECT_TRUE(button.performClick());
  EXPECT_EQ(clicks, 1);
}

TEST(ViewTest, BoxContentViewIsReplacedAndForgottenWhenTakenOut) {
  Box box({0, 0, 50, 50});
  View* original = box.contentView();
  ASSERT_NE(original, nullptr);
  box.setContentView(std::make_unique<View>());
  EXPECT_NE(box.contentView(), original);
  EXPECT_EQ(box.subviewCount(), 1u);
  std::unique_ptr<View> out = box.contentView()->removeFromSuperview();
  EXPECT_EQ(box.contentView(), nullptr);
}

}  // namespace
}  // namespace orval::tk

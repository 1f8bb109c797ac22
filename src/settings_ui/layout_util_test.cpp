#include "settings_ui/layout_util.h"

#include <gtest/gtest.h>

#include "platform/toolkit/view.h"

namespace orval {
namespace {

TEST(RangeTest, IntersectionAndUnion) {
  struct Row {
    FloatRange a, b, intersection, join;
  };
  const Row rows[] = {
      {{0, 10}, {5, 10}, {5, 5}, {0, 15}},
      {{0, 4}, {5, 3}, {0, 0}, {0, 8}},
      {{0, 5}, {5, 5}, {0, 0}, {0, 10}},  // touching is not overlapping
      {{2, 2}, {0, 10}, {2, 2}, {0, 10}},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(_intersectionRange(r.a, r.b), r.intersection) << r.a.location << "," << r.b.location;
    EXPECT_EQ(_unionRange(r.a, r.b), r.join) << r.a.location << "," << r.b.location;
  }
}

// A pane of 300 points with views stacked upwards: a (0-20), b (30-50, hidden), c (60-80), d (90-110).
class LayoutUtilTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, y] : {std::pair{"a", 0.0}, {"b", 30.0}, {"c", 60.0}, {"d", 90.0}}) {
      tk::View& view = pane.addSubview(std::make_unique<tk::View>(tk::Rect{10, y, 100, 20}));
      view.setIdentifier(name);
    }
    pane.subviews()[1]->setHidden(true);
  }
  static std::vector<std::string> names(const std::vector<tk::View*>& views) {
    std::vector<std::string> out;
    for (const tk::View* view : views) out.push_back(view->identifier());
    return out;
  }
  tk::View* at(std::size_t i) { return pane.subviews()[i]; }

  tk::View pane{tk::Rect{0, 0, 200, 300}};
};

TEST_F(LayoutUtilTest, FindsVisibleNeighboursAndBands) {
  EXPECT_EQ(names(LayoutUtil::visibleSubViews(&pane)), (std::vector<std::string>{"a", "c", "d"}));
  EXPECT_EQ(LayoutUtil::visibleNearNorthView(&pane, at(0))->identifier(), "c");  // b is hidden
  EXPECT_EQ(LayoutUtil::visibleNearNorthView(&pane, at(3)), nullptr);
  EXPECT_EQ(names(LayoutUtil::visibleSouthViews(&pane, at(2))), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(names(LayoutUtil::visibleRangeViews(&pane, at(3), at(2))), (std::vector<std::string>{"c", "d"}));
  EXPECT_EQ(LayoutUtil::viewReversePosi(&pane, at(2)), (tk::Point{10, 220}));
}

TEST_F(LayoutUtilTest, MovesAGroupUpToAGapBelowATarget) {
  std::vector<tk::View*> group{at(0), at(2)};
  LayoutUtil::closeViewsToView(&group, at(3), 4);  // the highest top (80) goes to 90 - 4
  EXPECT_EQ(at(2)->frame().maxY(), 86);
  EXPECT_EQ(at(0)->frame().y, 6);
  LayoutUtil::closeViewsToView(nullptr, at(3), 4);
  LayoutUtil::moveViews(group, -10, 1);
  EXPECT_EQ(at(0)->frame().origin(), (tk::Point{0, 7}));
}

}  // namespace
}  // namespace orval

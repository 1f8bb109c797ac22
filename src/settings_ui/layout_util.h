// LayoutUtil: view-arrangement helpers for panes that show and hide groups
// of controls: collecting visible views, moving groups, finding neighbours;
// and the float ranges (location, length) the helpers measure bands with.
//
// Coordinates have y growing upwards; the "top" of a frame is y + height.
// A view's vertical extent overlaps a band when it begins below the band's
// top and ends above its bottom (touching is not overlapping).
#pragma once

#include <vector>

#include "platform/toolkit/geometry.h"

namespace orval {

namespace tk {
class View;
}

// A range of single-precision floats.
struct FloatRange {
  float location = 0;
  float length = 0;
  friend bool operator==(const FloatRange&, const FloatRange&) = default;
};

// The range (location, length).
FloatRange _makeRange(float location, float length);
// From the larger location to the smaller end; (0, 0) when a and b do not overlap.
FloatRange _intersectionRange(FloatRange a, FloatRange b);
// From the smaller location to the larger end.
FloatRange _unionRange(FloatRange a, FloatRange b);

class LayoutUtil {
 public:
  // view's subviews that are not hidden, in order.
  static std::vector<tk::View*> visibleSubViews(const tk::View* view);
  // Moves every frame by (dx, dy).
  static void moveViews(const std::vector<tk::View*>& views, double dx, double dy);
  // (target's x, view's height - target's top): target's top-left corner measured from view's top edge.
  static tk::Point viewReversePosi(const tk::View* view, const tk::View* target);
  // Orders views by their frames' y truncated to integers: negative, 0 or positive.
  static int compareViewsBottom(const tk::View* a, const tk::View* b);
  // The first visible subview of view, by ascending y, whose y lies above target's top; nullptr if none.
  static tk::View* visibleNearNorthView(const tk::View* view, const tk::View* target);
  // Moves views vertically so that the highest top among them lies gap below target's y.
  static void closeViewsToView(const std::vector<tk::View*>* views, const tk::View* target, double gap);
  // The visible subviews of view overlapping the band from 0 to target's top.
  static std::vector<tk::View*> visibleSouthViews(const tk::View* view, const tk::View* target);
  // The visible subviews of view overlapping the band from bottomTarget's y to topTarget's top.
  static std::vector<tk::View*> visibleRangeViews(const tk::View* view, const tk::View* topTarget,
                                                  const tk::View* bottomTarget);
};

}  // namespace orval

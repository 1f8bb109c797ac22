#include "settings_ui/layout_util.h"

#include <algorithm>
#include <optional>

#include "platform/toolkit/view.h"

namespace orval {

namespace {

// True when frame's vertical extent overlaps the band from bottom to top.
bool overlapsBand(const tk::Rect& frame, double bottom, double top) { return frame.y < top && frame.maxY() > bottom; }

std::vector<tk::View*> visibleInBand(const tk::View* view, double bottom, double top) {
  std::vector<tk::View*> found;
  for (tk::View* subview : LayoutUtil::visibleSubViews(view))
    if (overlapsBand(subview->frame(), bottom, top)) found.push_back(subview);
  return found;
}

}  // namespace

FloatRange _makeRange(float location, float length) { return {location, length}; }

FloatRange _intersectionRange(FloatRange a, FloatRange b) {
  const float location = std::max(a.location, b.location);
  const float end = std::min(a.location + a.length, b.location + b.length);
  if (end <= location) return {0, 0};
  return {location, end - location};
}

FloatRange _unionRange(FloatRange a, FloatRange b) {
  const float location = std::min(a.location, b.location);
  const float end = std::max(a.location + a.length, b.location + b.length);
  return {location, end - location};
}

std::vector<tk::View*> LayoutUtil::visibleSubViews(const tk::View* view) {
  std::vector<tk::View*> visible;
  if (view == nullptr) return visible;
  for (tk::View* subview : view->subviews())
    if (!subview->isHidden()) visible.push_back(subview);
  return visible;
}

void LayoutUtil::moveViews(const std::vector<tk::View*>& views, double dx, double dy) {
  for (tk::View* view : views)
    if (view != nullptr) view->setFrameOrigin({view->frame().x + dx, view->frame().y + dy});
}

tk::Point LayoutUtil::viewReversePosi(const tk::View* view, const tk::View* target) {
  if (view == nullptr || target == nullptr) return {};
  return {target->frame().x, view->frame().height - target->frame().maxY()};
}

int LayoutUtil::compareViewsBottom(const tk::View* a, const tk::View* b) {
  const long ya = static_cast<long>(a->frame().y);
  const long yb = static_cast<long>(b->frame().y);
  return ya < yb ? -1 : (ya > yb ? 1 : 0);
}

tk::View* LayoutUtil::visibleNearNorthView(const tk::View* view, const tk::View* target) {
  if (target == nullptr) return nullptr;
  std::vector<tk::View*> visible = visibleSubViews(view);
  std::stable_sort(visible.begin(), visible.end(),
                   [](const tk::View* a, const tk::View* b) { return compareViewsBottom(a, b) < 0; });
  const double top = target->frame().maxY();
  for (tk::View* candidate : visible)
    if (candidate->frame().y > top) return candidate;
  return nullptr;
}

void LayoutUtil::closeViewsToView(const std::vector<tk::View*>* views, const tk::View* target, double gap) {
  if (views == nullptr || target == nullptr) return;
  std::optional<double> highest;
  for (const tk::View* view : *views)
    if (view != nullptr) highest = std::max(highest.value_or(view->frame().maxY()), view->frame().maxY());
  if (highest) moveViews(*views, 0, target->frame().y - gap - *highest);
}

std::vector<tk::View*> LayoutUtil::visibleSouthViews(const tk::View* view, const tk::View* target) {
  if (target == nullptr) return {};
  return visibleInBand(view, 0, target->frame().maxY());
}

std::vector<tk::View*> LayoutUtil::visibleRangeViews(const tk::View* view, const tk::View* topTarget,
                                                     const tk::View* bottomTarget) {
  if (topTarget == nullptr || bottomTarget == nullptr) return {};
  return visibleInBand(view, bottomTarget->frame().y, topTarget->frame().maxY());
}

}  // namespace orval

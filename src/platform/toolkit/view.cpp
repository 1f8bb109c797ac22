#include "platform/toolkit/view.h"

#include <algorithm>

#include "platform/toolkit/scroll_view.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

View::View(Rect frame) : frame_(frame) {}

View::~View() {
  // A lent view destroyed by its owner leaves the tree it was lent to first.
  if (superview_ && lent_) removeFromSuperview();
  // Subviews go last first, as the platform releases them; each leaves the
  // list before it is destroyed, so no walk of the tree meets a dying view.
  // Lent subviews go back to their owners.
  while (!subviews_.empty()) {
    std::unique_ptr<View> last = std::move(subviews_.back());
    subviews_.pop_back();
    last->superview_ = nullptr;
    if (last->lent_) {
      last->lent_ = false;
      last.release();
    }
  }
}

const std::string& View::toolTip() const {
  static const std::string none;
  return toolTip_ ? *toolTip_ : none;
}

void View::setFrame(Rect frame) { frame_ = frame; }

void View::setFrameOrigin(Point origin) {
  Rect f = frame_;
  f.x = origin.x;
  f.y = origin.y;
  setFrame(f);
}

void View::setFrameSize(Size size) {
  Rect f = frame_;
  f.width = size.width;
  f.height = size.height;
  setFrame(f);
}

std::vector<View*> View::subviews() const {
  std::vector<View*> views;
  views.reserve(subviews_.size());
  for (const auto& v : subviews_) views.push_back(v.get());
  return views;
}

View& View::addSubview(std::unique_ptr<View> view) { return insertSubview(std::move(view), subviews_.size()); }

View& View::insertSubview(std::unique_ptr<View> view, std::size_t index) {
  View& ref = *view;
  ref.superview_ = this;
  index = std::min(index, subviews_.size());
  subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), std::move(view));
  if (window()) ref.notifyMovedToWindow();
  return ref;
}

View& View::addLentSubview(View& view) {
  if (view.superview_) view.removeFromSuperview();
  View& added = addSubview(std::unique_ptr<View>(&view));
  added.lent_ = true;
  return added;
}

std::unique_ptr<View> View::removeFromSuperview() {
  if (!superview_) return nullptr;
  if (Window* w = window()) w->viewWillLeave(*this);
  auto& siblings = superview_->subviews_;
  auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& v) { return v.get() == this; });
  std::unique_ptr<View> self = std::move(*it);
  siblings.erase(it);
  superview_ = nullptr;
  if (lent_) {
    lent_ = false;
    self.release();
    return nullptr;
  }
  return self;
}

void View::removeAllSubviews() {
  while (!subviews_.empty()) subviews_.back()->removeFromSuperview();
}

Window* View::window() const {
  const View* v = this;
  while (v->superview_) v = v->superview_;
  return v->rootWindow_;
}

bool View::isDescendantOf(const View& view) const {
  for (const View* v = this; v; v = v->superview_)
    if (v == &view) return true;
  return false;
}

ScrollView* View::enclosingScrollView() const {
  for (View* v = superview_; v; v = v->superview_)
    if (auto* scroll = dynamic_cast<ScrollView*>(v)) return scroll;
  return nullptr;
}

View* View::viewWithTag(long tag) {
  if (tag_ == tag) return this;
  for (const auto& v : subviews_)
    if (View* found = v->viewWithTag(tag)) return found;
  return nullptr;
}

View* View::findSubview(const std::function<bool(const View&)>& matches) {
  for (const auto& v : subviews_) {
    if (matches(*v)) return v.get();
    if (View* found = v->findSubview(matches)) return found;
  }
  return nullptr;
}

std::vector<View*> View::findSubviews(const std::function<bool(const View&)>& matches) {
  std::vector<View*> found;
  for (const auto& v : subviews_) {
    if (matches(*v)) found.push_back(v.get());
    for (View* inner : v->findSubviews(matches)) found.push_back(inner);
  }
  return found;
}

void View::setHidden(bool hidden) { hidden_ = hidden; }

bool View::isHiddenOrHasHiddenAncestor() const {
  for (const View* v = this; v; v = v->superview_)
    if (v->hidden_) return true;
  return false;
}

void View::setWindowOfRoot(Window* window) {
  rootWindow_ = window;
  if (window) notifyMovedToWindow();
}

void View::notifyMovedToWindow() {
  viewDidMoveToWindow();
  for (const auto& v : subviews_) v->notifyMovedToWindow();
}

}  // namespace orval::tk

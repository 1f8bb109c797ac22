#include "platform/toolkit/scroll_view.h"

namespace orval::tk {

View* ClipView::documentView() const {
  const std::vector<View*> views = subviews();
  return views.empty() ? nullptr : views.front();
}

ScrollView::ScrollView(Rect frame) : View(frame) {
  clip_ = &add(std::make_unique<ClipView>(Rect{0, 0, frame.width, frame.height}));
}

void ScrollView::setDocumentView(std::unique_ptr<View> view) {
  clip_->removeAllSubviews();
  if (view) clip_->addSubview(std::move(view));
}

void ScrollView::setFrame(Rect frame) {
  View::setFrame(frame);
  clip_->setFrame({0, 0, frame.width, frame.height});
}

}  // namespace orval::tk

#include "platform/toolkit/box.h"

namespace orval::tk {

Box::Box(Rect frame) : View(frame) { setContentView(std::make_unique<View>(Rect{0, 0, frame.width, frame.height})); }

View* Box::contentView() const {
  // The content view may have been taken out by its own removeFromSuperview.
  for (View* v : subviews())
    if (v == content_) return content_;
  return nullptr;
}

void Box::setContentView(std::unique_ptr<View> view) {
  if (View* old = contentView()) old->removeFromSuperview();
  content_ = nullptr;
  if (view) content_ = &addSubview(std::move(view));
}

}  // namespace orval::tk

// ScrollView and ClipView: a scrolling frame around a document view.
//
// The document view sits in the scroll view's clip view, as on the
// platform, so a table's enclosing views are its clip view and scroll view.
#pragma once

#include <memory>

#include "platform/toolkit/view.h"

namespace orval::tk {

class ClipView : public View {
 public:
  explicit ClipView(Rect frame = {}) : View(frame) {}
  std::string className() const override { return "ClipView"; }
  // The document view, or nullptr.
  View* documentView() const;
};

enum class BorderType { NoBorder, Line, Bezel, Groove };

class ScrollView : public View {
 public:
  explicit ScrollView(Rect frame = {});

  std::string className() const override { return "ScrollView"; }

  ClipView& contentView() const { return *clip_; }
  // The document view, or nullptr.
  View* documentView() const { return clip_->documentView(); }
  // Replaces the document view (the old one is destroyed).
  void setDocumentView(std::unique_ptr<View> view);
  template <class T>
  T& setDocument(std::unique_ptr<T> view) {
    T& ref = *view;
    setDocumentView(std::move(view));
    return ref;
  }

  bool hasVerticalScroller() const { return vertical_; }
  void setHasVerticalScroller(bool has) { vertical_ = has; }
  bool hasHorizontalScroller() const { return horizontal_; }
  void setHasHorizontalScroller(bool has) { horizontal_ = has; }
  BorderType borderType() const { return border_; }
  void setBorderType(BorderType type) { border_ = type; }

  void setFrame(Rect frame) override;

 private:
  ClipView* clip_;
  bool vertical_ = false;
  bool horizontal_ = false;
  BorderType border_ = BorderType::NoBorder;
};

}  // namespace orval::tk

// View: a node of the retained widget tree.
//
// A view has a frame in its superview's coordinates (y grows upwards), owns
// its subviews, and carries the state every widget shares: hidden, tag, tool
// tip, identifier. className() answers the platform class the view stands for
// ("View", "Button", "TextField", ...); classes of the system answer their own.
// There is no drawing: a host renders the tree and reads its state.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/geometry.h"
#include "platform/toolkit/responder.h"

namespace orval::tk {

class Window;
class ScrollView;

enum class FocusRingType { Default, None, Exterior };

class View : public Responder {
 public:
  explicit View(Rect frame = {});
  ~View() override;
  View(const View&) = delete;
  View& operator=(const View&) = delete;

  // The platform class this view stands for.
  virtual std::string className() const { return "View"; }

  // Frame and bounds -------------------------------------------------------

  const Rect& frame() const { return frame_; }
  // Sets the frame (in the superview's coordinates).
  virtual void setFrame(Rect frame);
  // Moves the view, keeping its size.
  void setFrameOrigin(Point origin);
  // Resizes the view, keeping its origin.
  void setFrameSize(Size size);
  // The view's own coordinate space: (0, 0, width, height).
  Rect bounds() const { return {0, 0, frame_.width, frame_.height}; }

  // The tree ---------------------------------------------------------------

  View* superview() const { return superview_; }
  // The subviews in order (back to front).
  std::vector<View*> subviews() const;
  std::size_t subviewCount() const { return subviews_.size(); }
  // The subview at index (below subviewCount()), without copying the list.
  View* subviewAt(std::size_t index) const { return subviews_[index].get(); }
  // Adds view as the last subview and takes ownership; answers the view.
  View& addSubview(std::unique_ptr<View> view);
  // Adds a view of a known class and answers it typed.
  template <class T>
  T& add(std::unique_ptr<T> view) {
    T& ref = *view;
    addSubview(std::move(view));
    return ref;
  }
  // Inserts view at index (clamped) among the subviews and takes ownership.
  View& insertSubview(std::unique_ptr<View> view, std::size_t index);
  // Adds view as the last subview without taking ownership: its owner keeps
  // it (a pane lends its view to a window). Taken out of any superview
  // first. A lent view leaves its superview when it is destroyed, and is
  // given back (not destroyed) when the superview goes.
  View& addLentSubview(View& view);
  // True while this view is lent to its superview.
  bool isLent() const { return lent_; }
  // Takes this view out of its superview and hands it back; nullptr when it
  // has none, or when it was lent (its owner keeps it).
  std::unique_ptr<View> removeFromSuperview();
  // Removes and destroys every subview, last first.
  void removeAllSubviews();
  // The window whose content this view is part of, or nullptr.
  Window* window() const;
  // True when this view is view or lies inside it.
  bool isDescendantOf(const View& view) const;
  // The nearest enclosing scroll view, or nullptr.
  ScrollView* enclosingScrollView() const;

  // This view or the first descendant (depth first, in order) with the tag.
  View* viewWithTag(long tag);
  // The first descendant (depth first, in order, not this view) that matches.
  View* findSubview(const std::function<bool(const View&)>& matches);
  // Every descendant (depth first, in order, not this view) that matches.
  std::vector<View*> findSubviews(const std::function<bool(const View&)>& matches);
  // Every descendant of class T (depth first, in order).
  template <class T>
  std::vector<T*> descendantsOfType() {
    std::vector<T*> found;
    for (View* v : findSubviews([](const View& v) { return dynamic_cast<const T*>(&v) != nullptr; }))
      found.push_back(static_cast<T*>(v));
    return found;
  }

  // Shared state -----------------------------------------------------------

  bool isHidden() const { return hidden_; }
  virtual void setHidden(bool hidden);
  // True when this view or one of its superviews is hidden.
  bool isHiddenOrHasHiddenAncestor() const;
  long tag() const { return tag_; }
  void setTag(long tag) { tag_ = tag; }
  // The tool tip ("" when there is none).
  const std::string& toolTip() const;
  // True when the view has a tool tip (which may be the empty text).
  bool hasToolTip() const { return toolTip_.has_value(); }
  // Sets the tool tip; none (or {}) removes it.
  void setToolTip(std::optional<std::string> toolTip) { toolTip_ = std::move(toolTip); }
  // A free name for finding the view (a layout's outlet name, a test's handle).
  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
  FocusRingType focusRingType() const { return focusRingType_; }
  void setFocusRingType(FocusRingType type) { focusRingType_ = type; }
  // The view that takes the focus after this one (Tab); not owned.
  View* nextKeyView() const { return nextKeyView_; }
  void setNextKeyView(View* view) { nextKeyView_ = view; }
  // Marks the view as needing to be shown again (counts requests, for hosts and tests).
  void setNeedsDisplay() { ++displayRequests_; }
  int displayRequests() const { return displayRequests_; }
  // A token that expires when the view is destroyed: work deferred to a later
  // turn of the run loop tests it before it touches the view.
  std::weak_ptr<const void> viewLifetime() const { return life_; }

 protected:
  // Called after this view joined a window (directly or with an ancestor).
  virtual void viewDidMoveToWindow() {}

 private:
  friend class Window;
  void setWindowOfRoot(Window* window);
  void notifyMovedToWindow();
  // The window this view belongs to as a content view (roots only).
  Window* rootWindow_ = nullptr;

  Rect frame_;
  View* superview_ = nullptr;
  bool lent_ = false;
  std::vector<std::unique_ptr<View>> subviews_;
  bool hidden_ = false;
  long tag_ = 0;
  std::optional<std::string> toolTip_;
  std::string identifier_;
  FocusRingType focusRingType_ = FocusRingType::Default;
  View* nextKeyView_ = nullptr;
  int displayRequests_ = 0;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
};

}  // namespace orval::tk

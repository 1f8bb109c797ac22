// Box: a titled frame around a content view.
#pragma once

#include <memory>
#include <string>

#include "platform/toolkit/view.h"

namespace orval::tk {

enum class BoxType { Primary, Separator, Custom };
enum class TitlePosition { NoTitle, AboveTop, AtTop, BelowTop, AboveBottom, AtBottom, BelowBottom };

class Box : public View {
 public:
  // A box whose content view fills it.
  explicit Box(Rect frame = {});

  std::string className() const override { return "Box"; }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  TitlePosition titlePosition() const { return titlePosition_; }
  void setTitlePosition(TitlePosition position) { titlePosition_ = position; }
  BoxType boxType() const { return boxType_; }
  void setBoxType(BoxType type) { boxType_ = type; }

  // The content view (a subview of the box).
  View* contentView() const;
  // Replaces the content view (the old one is destroyed).
  void setContentView(std::unique_ptr<View> view);

 private:
  std::string title_;
  TitlePosition titlePosition_ = TitlePosition::AtTop;
  BoxType boxType_ = BoxType::Primary;
  View* content_ = nullptr;
};

}  // namespace orval::tk

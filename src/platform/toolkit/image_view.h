// ImageView: shows an image (or nothing).
#pragma once

#include <optional>

#include "platform/toolkit/control.h"
#include "platform/toolkit/image.h"

namespace orval::tk {

enum class ImageScaling { ProportionallyDown, AxesIndependently, None, ProportionallyUpOrDown };

class ImageView : public Control {
 public:
  explicit ImageView(Rect frame = {}) : Control(frame) {}

  std::string className() const override { return "ImageView"; }

  const std::optional<Image>& image() const { return image_; }
  void setImage(std::optional<Image> image) { image_ = std::move(image); }
  ImageScaling imageScaling() const { return scaling_; }
  void setImageScaling(ImageScaling scaling) { scaling_ = scaling; }

  // The value is the image's name ("" without an image).
  Value objectValue() const override { return image_ ? Value(image_->name()) : Value(""); }

 private:
  std::optional<Image> image_;
  ImageScaling scaling_ = ImageScaling::ProportionallyDown;
};

}  // namespace orval::tk

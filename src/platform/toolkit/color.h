// Color: a named colour of the platform (text colours of labels and fields).
//
// Only the colours the system paints with exist; each is known by its name
// and an RGBA reading, so a test can ask what colour a label was given.
#pragma once

#include <string>

namespace orval::tk {

class Color {
 public:
  // A colour with a name and RGBA components in 0 ... 1.
  Color(std::string name, double red, double green, double blue, double alpha = 1.0);

  // The system colours.
  static Color controlTextColor();
  static Color disabledControlTextColor();
  static Color secondarySelectedControlColor();
  static Color textColor();
  static Color textBackgroundColor();
  static Color controlColor();
  static Color lightGrayColor();
  static Color grayColor();
  static Color blackColor();
  static Color whiteColor();
  static Color redColor();
  static Color blueColor();
  static Color clearColor();

  const std::string& name() const { return name_; }
  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  double alpha() const { return alpha_; }

  // Equal when name and components agree.
  friend bool operator==(const Color&, const Color&) = default;

 private:
  std::string name_;
  double red_;
  double green_;
  double blue_;
  double alpha_;
};

}  // namespace orval::tk

#include "platform/toolkit/color.h"

namespace orval::tk {

Color::Color(std::string name, double red, double green, double blue, double alpha)
    : name_(std::move(name)), red_(red), green_(green), blue_(blue), alpha_(alpha) {}

Color Color::controlTextColor() { return {"controlTextColor", 0, 0, 0}; }
Color Color::disabledControlTextColor() { return {"disabledControlTextColor", 0, 0, 0, 0.25}; }
Color Color::secondarySelectedControlColor() { return {"secondarySelectedControlColor", 0.83, 0.83, 0.83}; }
Color Color::textColor() { return {"textColor", 0, 0, 0}; }
Color Color::textBackgroundColor() { return {"textBackgroundColor", 1, 1, 1}; }
Color Color::controlColor() { return {"controlColor", 0.93, 0.93, 0.93}; }
Color Color::lightGrayColor() { return {"lightGrayColor", 2.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0}; }
Color Color::grayColor() { return {"grayColor", 0.5, 0.5, 0.5}; }
Color Color::blackColor() { return {"blackColor", 0, 0, 0}; }
Color Color::whiteColor() { return {"whiteColor", 1, 1, 1}; }
Color Color::redColor() { return {"redColor", 1, 0, 0}; }
Color Color::blueColor() { return {"blueColor", 0, 0, 1}; }
Color Color::clearColor() { return {"clearColor", 0, 0, 0, 0}; }

}  // namespace orval::tk

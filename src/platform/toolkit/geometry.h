// Geometry of the view model: points, sizes and frames in points, with y
// growing upwards (a frame's origin is its lower-left corner).
#pragma once

namespace orval::tk {

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  double width = 0;
  double height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;

  // The top edge (y grows upwards).
  double maxY() const { return y + height; }
  // The right edge.
  double maxX() const { return x + width; }
  Point origin() const { return {x, y}; }
  Size size() const { return {width, height}; }
  // True when p lies inside (left and bottom edges included, right and top excluded).
  bool contains(Point p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace orval::tk

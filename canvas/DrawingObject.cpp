#include "canvas/DrawingObject.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace canvas {

std::int32_t Whole(double value) {
  if (!(value > INT32_MIN)) {
    return INT32_MIN;
  }
  if (!(value < INT32_MAX)) {
    return INT32_MAX;
  }
  return static_cast<std::int32_t>(std::lround(value));
}

Box Box::United(const Box& other) const {
  return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
          std::max(bottom, other.bottom)};
}

Box Box::Spanning(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool IsObjectKind(int code) { return (code >= 1 && code <= 10) || code == static_cast<int>(ObjectKind::Link); }

bool IsPointKind(ObjectKind kind) {
  return kind == ObjectKind::Line || kind == ObjectKind::Polyline || kind == ObjectKind::Polygon ||
         kind == ObjectKind::Link;
}

DrawingObject MakeObject(ObjectKind kind, Point first, Point second, const LineAttributes& line,
                         const FillAttributes& fill) {
  DrawingObject object;
  object.kind = kind;
  object.line = line;
  object.fill = fill;
  object.box = Box::Spanning(first, second);
  switch (kind) {
  case ObjectKind::Line:
  case ObjectKind::Link:
    object.points = {first, second};
    break;
  case ObjectKind::Polyline:
    object.points = {{object.box.left, object.box.top}, {object.box.right, object.box.bottom}};
    break;
  case ObjectKind::Polygon:
    object.points = {{object.box.left, object.box.top},
                     {object.box.right, object.box.top},
                     {object.box.right, object.box.bottom},
                     {object.box.left, object.box.bottom}};
    break;
  case ObjectKind::Text:
    object.fill.style = kFillNone;
    break;
  default:
    break;
  }
  return object;
}

Box BoxAround(const std::vector<Point>& points) {
  if (points.empty()) {
    return {};
  }
  Box box{points.front().x, points.front().y, points.front().x, points.front().y};
  for (const Point& p : points) {
    box = box.United({p.x, p.y, p.x, p.y});
  }
  return box;
}

void FitBoxToPoints(DrawingObject& object) {
  if (!object.points.empty()) {
    object.box = BoxAround(object.points);
  }
}

} // namespace canvas

#pragma once

#include "canvas/DrawingObject.h"
#include "canvas/PictureSettings.h"

#include <QPointF>
#include <QRectF>
#include <QTransform>

namespace canvas {

// Maps logical units to device pixels: a scale on each axis and the logical
// point that lands on the device's origin.
class ViewTransform {
public:
  ViewTransform(double scaleX, double scaleY, Point origin) : scaleX_(scaleX), scaleY_(scaleY), origin_(origin) {}

  // How the control shows its picture in a client area of the given size in
  // pixels (see PictureSettings for the rules).
  static ViewTransform ForView(const PictureSettings& picture, double clientWidth, double clientHeight);

  double ScaleX() const { return scaleX_; }
  double ScaleY() const { return scaleY_; }
  Point Origin() const { return origin_; }

  QPointF ToDevice(Point p) const { return {(p.x - origin_.x) * scaleX_, (p.y - origin_.y) * scaleY_}; }
  Point ToLogical(QPointF q) const { return {origin_.x + q.x() / scaleX_, origin_.y + q.y() / scaleY_}; }
  QRectF DeviceRect(const Box& box) const {
    return {ToDevice(Point{box.left, box.top}), ToDevice(Point{box.right, box.bottom})};
  }
  Box LogicalBox(const QRectF& rect) const {
    return Box::Spanning(ToLogical(rect.topLeft()), ToLogical(rect.bottomRight()));
  }
  // The logical length that a number of pixels covers, on the axis that
  // shows more of the drawing, so a tolerance in pixels is never too small.
  double LogicalLength(double pixels) const { return pixels / std::min(scaleX_, scaleY_); }
  QTransform Matrix() const {
    return QTransform(scaleX_, 0, 0, scaleY_, -origin_.x * scaleX_, -origin_.y * scaleY_);
  }

private:
  double scaleX_;
  double scaleY_;
  Point origin_;
};

} // namespace canvas

#pragma once

#include "canvas/DrawingObject.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace canvas {

// Between the drawing's own types and Qt's.

inline QColor ColourOf(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline QPointF PointOf(Point p) { return {p.x, p.y}; }

inline QRectF RectOf(const Box& box) { return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)); }

inline QPolygonF PolygonOf(const std::vector<Point>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const Point& p : points) {
    polygon << PointOf(p);
  }
  return polygon;
}

inline std::vector<Point> PointsOf(const QPolygonF& polygon) {
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(polygon.size()));
  for (const QPointF& q : polygon) {
    points.push_back({q.x(), q.y()});
  }
  return points;
}

} // namespace canvas

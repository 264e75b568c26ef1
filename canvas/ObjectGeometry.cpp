#include "canvas/ObjectGeometry.h"

#include "canvas/QtConversions.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace canvas {

namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

double HalfLine(const DrawingObject& object) {
  return object.line.style == kLineNone ? 0.0 : object.line.width / 2.0;
}

bool IsFilled(const DrawingObject& object) {
  return IsClosedKind(object.kind) && object.fill.style != kFillNone;
}

double SegmentDistance(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  double t = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The distance from p to a chain of points, closed back to the first one
// when closed is set.
double ChainDistance(Point p, const std::vector<Point>& chain, bool closed) {
  double nearest = INFINITY;
  for (std::size_t i = 1; i < chain.size(); ++i) {
    nearest = std::min(nearest, SegmentDistance(p, chain[i - 1], chain[i]));
  }
  if (closed && chain.size() > 2) {
    nearest = std::min(nearest, SegmentDistance(p, chain.back(), chain.front()));
  } else if (chain.size() == 1) {
    nearest = std::hypot(p.x - chain[0].x, p.y - chain[0].y);
  }
  return nearest;
}

// Nonzero winding: polygons are filled as the painter fills them, so a star
// drawn as one crossing outline is filled whole.
bool InsideWinding(Point p, const std::vector<Point>& polygon) {
  int winding = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
    if (a.y <= p.y) {
      if (b.y > p.y && side > 0) {
        ++winding;
      }
    } else if (b.y <= p.y && side < 0) {
      --winding;
    }
  }
  return winding != 0;
}

// The unrotated outline of a box kind.
QPainterPath BoxShapePath(const DrawingObject& object) {
  const QRectF rect = RectOf(object.box);
  QPainterPath path;
  switch (object.kind) {
  case ObjectKind::RoundedRectangle: {
    const double radius = kCornerRadiusShare * std::min(rect.width(), rect.height());
    path.addRoundedRect(rect, radius, radius);
    break;
  }
  case ObjectKind::Ellipse:
    path.addEllipse(rect);
    break;
  case ObjectKind::Arc:
    path.arcMoveTo(rect, kArcStartDegrees);
    path.arcTo(rect, kArcStartDegrees, kArcSpanDegrees);
    break;
  case ObjectKind::Sector:
    path.moveTo(rect.center());
    path.arcTo(rect, kArcStartDegrees, kArcSpanDegrees);
    path.closeSubpath();
    break;
  case ObjectKind::Chord:
    path.arcMoveTo(rect, kArcStartDegrees);
    path.arcTo(rect, kArcStartDegrees, kArcSpanDegrees);
    path.closeSubpath();
    break;
  default:
    path.addRect(rect);
    break;
  }
  return path;
}

bool HitsLink(const DrawingObject& object, Point p, double reach) {
  const Point& start = object.points[0];
  const Point& end = object.points[1];
  if (SegmentDistance(p, start, end) <= reach) {
    return true;
  }
  const auto hitsHead = [&](Point tip, Point from) {
    const auto head = ArrowHead(tip, from, object.link.length, object.link.width);
    const std::vector<Point> corners(head.begin(), head.end());
    return InsideWinding(p, corners) || ChainDistance(p, corners, true) <= reach;
  };
  return (object.link.style >= 1 && hitsHead(end, start)) || (object.link.style == 2 && hitsHead(start, end));
}

bool HitsPointKind(const DrawingObject& object, Point p, double reach) {
  switch (object.kind) {
  case ObjectKind::Link:
    return object.points.size() == 2 && HitsLink(object, p, reach);
  case ObjectKind::Polygon:
    return (IsFilled(object) && InsideWinding(p, object.points)) || ChainDistance(p, object.points, true) <= reach;
  default:
    return ChainDistance(p, object.points, false) <= reach;
  }
}

bool HitsBoxKind(const DrawingObject& object, Point p, double reach) {
  const Box& box = object.box;
  switch (object.kind) {
  case ObjectKind::Text:
    return box.Inflated(reach).Contains(p);
  case ObjectKind::Rectangle: {
    if (!box.Inflated(reach).Contains(p)) {
      return false;
    }
    const bool inside = box.Contains(p);
    const double toEdge = std::min({p.x - box.left, box.right - p.x, p.y - box.top, box.bottom - p.y});
    return inside ? (IsFilled(object) || toEdge <= reach) : true;
  }
  case ObjectKind::Ellipse:
    if (IsFilled(object)) {
      const Point centre = box.Centre();
      const double rx = box.Width() / 2 + reach;
      const double ry = box.Height() / 2 + reach;
      const double nx = rx > 0 ? (p.x - centre.x) / rx : INFINITY;
      const double ny = ry > 0 ? (p.y - centre.y) / ry : INFINITY;
      return nx * nx + ny * ny <= 1;
    }
    break;
  default:
    break;
  }
  const QPainterPath path = BoxShapePath(object);
  if (IsFilled(object) && path.contains(QPointF(p.x, p.y))) {
    return true;
  }
  for (const QPolygonF& polygon : path.toSubpathPolygons()) {
    if (ChainDistance(p, PointsOf(polygon), false) <= reach) {
      return true;
    }
  }
  return false;
}

} // namespace

bool IsClosedKind(ObjectKind kind) {
  return kind != ObjectKind::Line && kind != ObjectKind::Arc && kind != ObjectKind::Polyline &&
         kind != ObjectKind::Link;
}

Point Turned(Point p, Point centre, double degrees) {
  if (degrees == 0) {
    return p;
  }
  const double c = std::cos(Radians(degrees));
  const double s = std::sin(Radians(degrees));
  const double dx = p.x - centre.x;
  const double dy = p.y - centre.y;
  return {centre.x + dx * c + dy * s, centre.y - dx * s + dy * c};
}

std::array<Point, 3> ArrowHead(Point tip, Point from, double length, double width) {
  double dx = tip.x - from.x;
  double dy = tip.y - from.y;
  const double distance = std::hypot(dx, dy);
  if (distance > 0) {
    dx /= distance;
    dy /= distance;
  } else {
    dx = 1;
    dy = 0;
  }
  const Point base{tip.x - dx * length, tip.y - dy * length};
  const double half = width / 2;
  return {tip, Point{base.x - dy * half, base.y + dx * half}, Point{base.x + dy * half, base.y - dx * half}};
}

Box ExtentOf(const DrawingObject& object) {
  const double margin = HalfLine(object);
  if (IsPointKind(object.kind)) {
    Box extent = object.box;
    if (object.kind == ObjectKind::Link && object.points.size() == 2 && object.link.style > 0) {
      const double reach = std::max(object.link.length, object.link.width);
      extent = extent.Inflated(reach);
    }
    return extent.Inflated(margin);
  }
  const Box box = object.box.Inflated(margin);
  if (object.rotation == 0) {
    return box;
  }
  const Point centre = object.box.Centre();
  std::vector<Point> corners = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
  for (Point& corner : corners) {
    corner = Turned(corner, centre, object.rotation);
  }
  return BoxAround(corners);
}

QPainterPath ShapePathOf(const DrawingObject& object) {
  QPainterPath path;
  if (IsPointKind(object.kind)) {
    path.addPolygon(PolygonOf(object.points));
    if (object.kind == ObjectKind::Polygon) {
      path.closeSubpath();
      path.setFillRule(Qt::WindingFill);
    }
    return path;
  }
  path = BoxShapePath(object);
  if (object.rotation != 0) {
    const Point centre = object.box.Centre();
    QTransform turn;
    turn.translate(centre.x, centre.y);
    turn.rotate(-object.rotation);
    turn.translate(-centre.x, -centre.y);
    path = turn.map(path);
  }
  return path;
}

bool HitsShape(const DrawingObject& object, Point p, double tolerance) {
  const double reach = tolerance + HalfLine(object);
  if (IsPointKind(object.kind)) {
    return HitsPointKind(object, p, reach);
  }
  return HitsBoxKind(object, Turned(p, object.box.Centre(), -object.rotation), reach);
}

Box SelectionFrameOf(const DrawingObject& object) {
  return object.rotation != 0 && !IsPointKind(object.kind) ? ExtentOf(object) : object.box;
}

Geometry GeometryOf(const DrawingObject& object) { return {object.box, object.points, object.rotation}; }

void SetGeometry(DrawingObject& object, const Geometry& geometry) {
  object.box = geometry.box;
  object.points = geometry.points;
  object.rotation = geometry.rotation;
}

void Translate(DrawingObject& object, double dx, double dy) {
  object.box = {object.box.left + dx, object.box.top + dy, object.box.right + dx, object.box.bottom + dy};
  for (Point& p : object.points) {
    p = {p.x + dx, p.y + dy};
  }
}

void MapBetweenBoxes(DrawingObject& object, const Box& from, const Box& to) {
  const auto map = [](double value, double fromLow, double fromSpan, double toLow, double toSpan) {
    return fromSpan > 0 ? toLow + (value - fromLow) * toSpan / fromSpan : toLow + toSpan / 2;
  };
  const auto mapPoint = [&](Point p) {
    return Point{map(p.x, from.left, from.Width(), to.left, to.Width()),
                 map(p.y, from.top, from.Height(), to.top, to.Height())};
  };
  for (Point& p : object.points) {
    p = mapPoint(p);
  }
  if (IsPointKind(object.kind)) {
    FitBoxToPoints(object);
  } else {
    object.box = Box::Spanning(mapPoint({object.box.left, object.box.top}),
                               mapPoint({object.box.right, object.box.bottom}));
  }
}

void Rotate(DrawingObject& object, double degrees, Point centre) {
  if (IsPointKind(object.kind)) {
    for (Point& p : object.points) {
      p = Turned(p, centre, degrees);
    }
    FitBoxToPoints(object);
    return;
  }
  const Point oldCentre = object.box.Centre();
  const Point newCentre = Turned(oldCentre, centre, degrees);
  Translate(object, newCentre.x - oldCentre.x, newCentre.y - oldCentre.y);
  object.rotation = std::remainder(object.rotation + degrees, 360.0);
}

} // namespace canvas

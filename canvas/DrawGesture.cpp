#include "canvas/DrawGesture.h"

#include "canvas/AttributeRules.h"
#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace canvas {

namespace {

double SignOf(double value) { return value < 0 ? -1 : 1; }

// p moved so that the box from anchor to it is a square.
Point Square(Point anchor, Point p) {
  const double side = std::max(std::abs(p.x - anchor.x), std::abs(p.y - anchor.y));
  return {anchor.x + SignOf(p.x - anchor.x) * side, anchor.y + SignOf(p.y - anchor.y) * side};
}

// p moved so that the line from anchor to it runs at a multiple of 45
// degrees: along an axis, or along a diagonal as far as p reaches along it.
Point AtEighths(Point anchor, Point p) {
  const double dx = p.x - anchor.x;
  const double dy = p.y - anchor.y;
  const double tan22_5 = std::tan(std::numbers::pi / 8);
  if (std::abs(dy) <= std::abs(dx) * tan22_5) {
    return {p.x, anchor.y};
  }
  if (std::abs(dx) <= std::abs(dy) * tan22_5) {
    return {anchor.x, p.y};
  }
  const double reach = (std::abs(dx) + std::abs(dy)) / 2;
  return {anchor.x + SignOf(dx) * reach, anchor.y + SignOf(dy) * reach};
}

// Press, drag and release: kinds 1 to 7.
class BoxGesture final : public DrawGesture {
public:
  BoxGesture(DrawingControl& control, ObjectKind kind, Point at)
      : DrawGesture(control, kind), anchor_(at), pointer_(at) {}

  void Move(Point at, bool constrain) override {
    pointer_ = !constrain ? at : Kind() == ObjectKind::Line ? AtEighths(anchor_, at) : Square(anchor_, at);
  }

protected:
  std::optional<DrawingObject> Preview() const override { return Outcome(); }
  std::optional<DrawingObject> Outcome() const override {
    if (!BeyondClickSlop(Transform(), anchor_, pointer_)) {
      return std::nullopt;
    }
    return ObjectThrough({anchor_, pointer_});
  }

private:
  Point anchor_;
  Point pointer_;
};

// A vertex at each click: polyline and polygon.
class VertexGesture final : public DrawGesture {
public:
  VertexGesture(DrawingControl& control, ObjectKind kind, Point at)
      : DrawGesture(control, kind), vertices_{at}, pointer_(at) {}

  void Move(Point at, bool constrain) override { pointer_ = constrain ? AtEighths(vertices_.back(), at) : at; }

  bool Press(Point at, bool constrain) override {
    Move(at, constrain);
    // The second press of a double-click lands where the first did.
    if (BeyondClickSlop(Transform(), vertices_.back(), pointer_)) {
      vertices_.push_back(pointer_);
    }
    return false;
  }

  bool Release(Point at, bool constrain) override {
    Move(at, constrain);
    return false;
  }

protected:
  std::optional<DrawingObject> Preview() const override {
    std::vector<Point> points = vertices_;
    points.push_back(pointer_);
    return ObjectThrough(points);
  }
  std::optional<DrawingObject> Outcome() const override {
    if (!PointCountProblem(Kind(), vertices_.size()).empty()) {
      return std::nullopt;
    }
    return ObjectThrough(vertices_);
  }

private:
  std::vector<Point> vertices_;
  Point pointer_;
};

} // namespace

std::unique_ptr<Gesture> DrawGesture::Start(DrawingControl& control, ObjectKind kind, Point at) {
  if (kind == ObjectKind::Polyline || kind == ObjectKind::Polygon) {
    return std::make_unique<VertexGesture>(control, kind, at);
  }
  return std::make_unique<BoxGesture>(control, kind, at);
}

void DrawGesture::Finish() {
  if (std::optional<DrawingObject> object = Outcome()) {
    control_.History().Draw(std::move(*object));
  }
}

void DrawGesture::Paint(QPainter& painter, const ViewTransform& transform) const {
  if (const std::optional<DrawingObject> object = Preview()) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWorldTransform(transform.Matrix());
    DrawingPainter::PaintObject(painter, *object);
    painter.restore();
  }
}

std::vector<Box> DrawGesture::Areas() const {
  const std::optional<DrawingObject> object = Preview();
  return object ? std::vector<Box>{ExtentOf(*object)} : std::vector<Box>{};
}

DrawingObject DrawGesture::ObjectThrough(const std::vector<Point>& points) const {
  const DrawingObject& style = control_.NewObjectStyle();
  DrawingObject object = MakeObject(kind_, points.front(), points.back(), style.line, style.fill);
  if (kind_ == ObjectKind::Polyline || kind_ == ObjectKind::Polygon) {
    object.points = points;
    FitBoxToPoints(object);
  }
  return object;
}

ViewTransform DrawGesture::Transform() const { return control_.Transform(); }

} // namespace canvas

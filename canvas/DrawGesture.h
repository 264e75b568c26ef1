#pragma once

#include "canvas/Gesture.h"

#include <memory>
#include <optional>

namespace canvas {

class DrawingControl;

// Drawing a new object of one kind with the attributes for new objects,
// with a live preview of the object as it would be made. Kinds 1 to 7 are
// drawn by pressing, dragging and releasing (Shift keeps a square, a circle
// or a line at a multiple of 45 degrees); a click without a drag makes
// nothing. A polyline or polygon is drawn by clicking its vertices, with a
// rubber line to the pointer (Shift keeps it at a multiple of 45 degrees);
// a double-click, Enter or a right press ends it, keeping it when it has
// enough points. The object is added on top through the edit history and
// does not become current.
class DrawGesture : public Gesture {
public:
  // The gesture for the kind, started by a left press at `at`.
  static std::unique_ptr<Gesture> Start(DrawingControl& control, ObjectKind kind, Point at);

  void Finish() override;
  void Cancel() override {}
  void Paint(QPainter& painter, const ViewTransform& transform) const override;
  std::vector<Box> Areas() const override;
  Qt::CursorShape Cursor() const override { return Qt::CrossCursor; }

protected:
  DrawGesture(DrawingControl& control, ObjectKind kind) : control_(control), kind_(kind) {}

  // The object as it would look now, and as it would be made if the
  // gesture ended now; none while there is not enough of it.
  virtual std::optional<DrawingObject> Preview() const = 0;
  virtual std::optional<DrawingObject> Outcome() const = 0;
  // The object through the points: a box kind or a line spans the first
  // and the last, a polyline or polygon runs through all of them.
  DrawingObject ObjectThrough(const std::vector<Point>& points) const;
  ObjectKind Kind() const { return kind_; }
  ViewTransform Transform() const;

private:
  DrawingControl& control_;
  ObjectKind kind_;
};

} // namespace canvas

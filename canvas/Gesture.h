#pragma once

#include "canvas/DrawingObject.h"
#include "canvas/ViewTransform.h"

#include <QCursor>

#include <cmath>
#include <vector>

class QPainter;
class QRect;

namespace canvas {

// How far, in pixels, the mouse may travel between press and release and
// still count as a click rather than a drag.
inline constexpr double kClickSlopPixels = 3;

// What the person is doing with the mouse from a press until the action it
// started ends: drawing an object, selecting with a rubber band, moving or
// resizing. A gesture works in logical units; constrain says whether Shift
// is held. The view feeds it the pointer and paints what it shows over the
// drawing.
class Gesture {
public:
  virtual ~Gesture() = default;

  virtual void Move(Point at, bool constrain) = 0;
  // Another left press while the gesture runs; true when that ends it.
  virtual bool Press(Point, bool) { return false; }
  // The left button came up; true when that ends the gesture.
  virtual bool Release(Point at, bool constrain) {
    Move(at, constrain);
    Finish();
    return true;
  }
  // Ends the gesture keeping what it made (double-click, Enter, right
  // press) or undoing what it showed (Esc, another mode).
  virtual void Finish() = 0;
  virtual void Cancel() = 0;

  // Paints the drawing's part of the client area (pixels) in place of the
  // control, from what the gesture keeps of the picture; false leaves it
  // to the control.
  virtual bool PaintDrawing(QPainter&, const QRect&) { return false; }
  // What the gesture shows over the drawing, and the logical areas that
  // covers, so that the view repaints only those.
  virtual void Paint(QPainter& painter, const ViewTransform& transform) const = 0;
  virtual std::vector<Box> Areas() const = 0;
  virtual Qt::CursorShape Cursor() const = 0;
};

// Whether two logical points lie more than the click slop apart on screen.
inline bool BeyondClickSlop(const ViewTransform& transform, Point a, Point b) {
  const QPointF offset = transform.ToDevice(a) - transform.ToDevice(b);
  return std::hypot(offset.x(), offset.y()) > kClickSlopPixels;
}

} // namespace canvas

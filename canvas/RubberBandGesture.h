#pragma once

#include "canvas/Gesture.h"

namespace canvas {

class DrawingControl;

// Selecting with a rubber band dragged over empty space: the objects that
// may be selected and lie wholly inside the band join the selection.
class RubberBandGesture final : public Gesture {
public:
  RubberBandGesture(DrawingControl& control, Point at) : control_(control), anchor_(at), pointer_(at) {}

  void Move(Point at, bool) override { pointer_ = at; }
  void Finish() override;
  void Cancel() override {}
  void Paint(QPainter& painter, const ViewTransform& transform) const override;
  // The band's four sides: the inside is not repainted.
  std::vector<Box> Areas() const override;
  Qt::CursorShape Cursor() const override { return Qt::ArrowCursor; }

private:
  Box Band() const { return Box::Spanning(anchor_, pointer_); }

  DrawingControl& control_;
  Point anchor_;
  Point pointer_;
};

} // namespace canvas

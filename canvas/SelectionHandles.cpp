#include "canvas/SelectionHandles.h"

#include <cmath>

namespace canvas {

namespace {

// Which way each handle lies from the frame's centre: -1, 0 or 1 per axis.
struct Direction {
  int x;
  int y;
};

Direction DirectionOf(Handle handle) {
  switch (handle) {
  case Handle::TopLeft:
    return {-1, -1};
  case Handle::Top:
    return {0, -1};
  case Handle::TopRight:
    return {1, -1};
  case Handle::Right:
    return {1, 0};
  case Handle::BottomRight:
    return {1, 1};
  case Handle::Bottom:
    return {0, 1};
  case Handle::BottomLeft:
    return {-1, 1};
  case Handle::Left:
    break;
  }
  return {-1, 0};
}

double Along(int direction, double low, double high) {
  return direction < 0 ? low : direction > 0 ? high : (low + high) / 2;
}

} // namespace

QPoint HandleCentre(const QRectF& frame, Handle handle) {
  const Direction d = DirectionOf(handle);
  return {static_cast<int>(std::lround(Along(d.x, frame.left(), frame.right()))),
          static_cast<int>(std::lround(Along(d.y, frame.top(), frame.bottom())))};
}

std::optional<Handle> HandleAt(const QRectF& frame, QPointF point, double size) {
  for (const Handle handle : kAllHandles) {
    const QPointF offset = point - QPointF(HandleCentre(frame, handle));
    if (std::abs(offset.x()) <= size / 2 && std::abs(offset.y()) <= size / 2) {
      return handle;
    }
  }
  return std::nullopt;
}

Box ResizedFrame(const Box& frame, Handle handle, double dx, double dy) {
  const Direction d = DirectionOf(handle);
  Box moved = frame;
  if (d.x != 0) {
    (d.x < 0 ? moved.left : moved.right) += dx;
  }
  if (d.y != 0) {
    (d.y < 0 ? moved.top : moved.bottom) += dy;
  }
  // Dragged past the opposite side, the frame turns over rather than
  // becoming negative.
  return Box::Spanning({moved.left, moved.top}, {moved.right, moved.bottom});
}

Qt::CursorShape HandleCursor(Handle handle) {
  const Direction d = DirectionOf(handle);
  if (d.x == 0) {
    return Qt::SizeVerCursor;
  }
  if (d.y == 0) {
    return Qt::SizeHorCursor;
  }
  return d.x == d.y ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
}

} // namespace canvas

#pragma once

#include "canvas/DrawingObject.h"

#include <QCursor>
#include <QPoint>
#include <QRectF>

#include <array>
#include <optional>

namespace canvas {

// The eight handles around a selected object's frame, clockwise from the
// top-left corner. Dragging one resizes the object: the opposite corner or
// side stays where it is.
enum class Handle { TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

inline constexpr std::array<Handle, 8> kAllHandles = {Handle::TopLeft,     Handle::Top,    Handle::TopRight,
                                                      Handle::Right,       Handle::BottomRight, Handle::Bottom,
                                                      Handle::BottomLeft,  Handle::Left};

// Where the handles sit on a frame given in device pixels: on whole pixels,
// so that they look crisp.
QPoint HandleCentre(const QRectF& frame, Handle handle);

// The handle of the frame whose square of the given size holds the device
// point, if any.
std::optional<Handle> HandleAt(const QRectF& frame, QPointF point, double size);

// The frame after its handle has been dragged by (dx, dy): the opposite
// corner or side stays; a side handle changes one dimension only.
Box ResizedFrame(const Box& frame, Handle handle, double dx, double dy);

// The cursor that shows which way a handle resizes.
Qt::CursorShape HandleCursor(Handle handle);

} // namespace canvas

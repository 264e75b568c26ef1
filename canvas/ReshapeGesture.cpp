#include "canvas/ReshapeGesture.h"

#include "canvas/DrawingControl.h"

#include "platform/system/SystemParameters.h"

#include <QPainter>
#include <QPainterPath>

namespace canvas {

namespace {

bool FullWindowDrag() {
  std::int32_t on = 1;
  sys::SystemParametersInfo(sys::SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
  return on != 0;
}

} // namespace

std::unique_ptr<Gesture> ReshapeGesture::Moving(DrawingControl& control, const std::vector<int>& numbers, Point at) {
  std::unique_ptr<ReshapeGesture> gesture(new ReshapeGesture(
      control, numbers, at, [](DrawingObject& object, double dx, double dy) { Translate(object, dx, dy); },
      Qt::SizeAllCursor));
  // Outlines move over a drawing that stays as it is.
  gesture->layers_ = std::make_unique<MoveLayers>(control, gesture->live_ ? numbers : std::vector<int>{});
  return gesture;
}

std::unique_ptr<Gesture> ReshapeGesture::Resizing(DrawingControl& control, int number, Handle handle, Point at) {
  std::unique_ptr<ReshapeGesture> gesture(new ReshapeGesture(
      control, {number}, at,
      [handle](DrawingObject& object, double dx, double dy) {
        const Box frame = SelectionFrameOf(object);
        MapBetweenBoxes(object, frame, ResizedFrame(frame, handle, dx, dy));
      },
      HandleCursor(handle)));
  // A live resize changes the shape of its object, which no layer can show.
  if (!gesture->live_) {
    gesture->layers_ = std::make_unique<MoveLayers>(control, std::vector<int>{});
  }
  return gesture;
}

ReshapeGesture::ReshapeGesture(DrawingControl& control, const std::vector<int>& numbers, Point at, Reshape reshape,
                               Qt::CursorShape cursor)
    : control_(control), numbers_(numbers), anchor_(at), reshape_(std::move(reshape)), cursor_(cursor), live_(FullWindowDrag()) {
  items_.reserve(numbers.size());
  for (const int number : numbers) {
    const DrawingObject& object = control.GetDrawing().Object(number);
    items_.push_back({object, object});
  }
}

void ReshapeGesture::Move(Point at, bool) {
  dragged_ = dragged_ || BeyondClickSlop(control_.Transform(), anchor_, at);
  if (!dragged_) {
    return;
  }
  const Point offset{at.x - anchor_.x, at.y - anchor_.y};
  for (Item& item : items_) {
    SetGeometry(item.now, GeometryOf(item.start));
    reshape_(item.now, offset.x, offset.y);
  }
  if (live_) {
    const std::uint64_t before = control_.GetDrawing().Revision();
    ShowLive(&Item::now);
    if (layers_ != nullptr) {
      layers_->Moved(offset, before, control_.GetDrawing().Revision());
    }
  }
}

void ReshapeGesture::Finish() {
  std::vector<GeometryChange> changes;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    Geometry after = GeometryOf(items_[i].now);
    Geometry before = GeometryOf(items_[i].start);
    if (after != before) {
      changes.push_back({numbers_[i], std::move(before), std::move(after)});
    }
  }
  control_.History().Reshape(std::move(changes));
}

void ReshapeGesture::Cancel() {
  if (live_) {
    ShowLive(&Item::start);
  }
}

void ReshapeGesture::ShowLive(DrawingObject Item::*shape) {
  control_.EditObjects(numbers_, [&](DrawingObject& o, std::size_t i) { SetGeometry(o, GeometryOf(items_[i].*shape)); });
}

bool ReshapeGesture::PaintDrawing(QPainter& painter, const QRect& area) {
  return layers_ != nullptr && layers_->Paint(painter, area);
}

void ReshapeGesture::Paint(QPainter& painter, const ViewTransform& transform) const {
  if (live_ || !dragged_) {
    return;
  }
  QPen pen(Qt::black, 0, Qt::DashLine);
  painter.save();
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QTransform matrix = transform.Matrix();
  for (const Item& item : items_) {
    painter.drawPath(matrix.map(ShapePathOf(item.now)));
  }
  painter.restore();
}

std::vector<Box> ReshapeGesture::Areas() const {
  std::vector<Box> areas;
  if (!live_ && dragged_) {
    areas.reserve(items_.size());
    for (const Item& item : items_) {
      areas.push_back(ExtentOf(item.now));
    }
  }
  return areas;
}

} // namespace canvas

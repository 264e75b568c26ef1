#include "canvas/RubberBandGesture.h"

#include "canvas/DrawingControl.h"

#include <QPainter>

namespace canvas {

void RubberBandGesture::Finish() {
  if (!BeyondClickSlop(control_.Transform(), anchor_, pointer_)) {
    return;
  }
  const Box band = Band();
  std::vector<int> enclosed;
  for (const int number : control_.GetDrawing().ObjectsMeeting(band)) {
    const DrawingObject& object = control_.GetDrawing().Object(number);
    const Box frame = SelectionFrameOf(object);
    if (!object.selected && control_.Allows(UserEdit::Select, number) && band.Contains({frame.left, frame.top}) &&
        band.Contains({frame.right, frame.bottom})) {
      enclosed.push_back(number);
    }
  }
  control_.EditObjects(enclosed, [](DrawingObject& o, std::size_t) { o.selected = true; });
}

void RubberBandGesture::Paint(QPainter& painter, const ViewTransform& transform) const {
  QPen pen(Qt::black, 0, Qt::DashLine);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(transform.DeviceRect(Band()));
  painter.restore();
}

std::vector<Box> RubberBandGesture::Areas() const {
  const Box b = Band();
  return {{b.left, b.top, b.right, b.top},
          {b.left, b.bottom, b.right, b.bottom},
          {b.left, b.top, b.left, b.bottom},
          {b.right, b.top, b.right, b.bottom}};
}

} // namespace canvas

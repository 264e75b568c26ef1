#include "canvas/MoveLayers.h"

#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace canvas {

namespace {

// Beyond this many spots to paint afresh, the box around them is painted
// instead, which costs one lookup of the objects, not many.
constexpr std::size_t kMaxSeparateSpots = 32;

// Puts down the layer's part of target, both in device pixels, with the
// layer's top-left corner at `at`.
void PutDown(QPainter& painter, const QImage& layer, QPoint at, const QRect& target) {
  const QRect part = target.intersected(QRect(at, layer.size()));
  if (!layer.isNull() && !part.isEmpty()) {
    painter.drawImage(part, layer, part.translated(-at));
  }
}

Box Translated(const Box& box, double dx, double dy) {
  return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

} // namespace

MoveLayers::MoveLayers(const DrawingControl& control, std::vector<int> numbers)
    : control_(control), numbers_(std::move(numbers)), revision_(control.GetDrawing().Revision()) {
  std::sort(numbers_.begin(), numbers_.end());
}

void MoveLayers::Moved(Point offset, std::uint64_t before, std::uint64_t after) {
  if (before != revision_) {
    // Something else changed the drawing since the last step.
    Drop();
  }
  offset_ = offset;
  revision_ = after;
}

bool MoveLayers::Paint(QPainter& painter, const QRect& area) {
  if (!InStepWithDrawing() || !TakesLayers(painter)) {
    return false;
  }
  const Setting setting = SettingNow(painter);
  if (setting_ != setting) {
    Drop();
    if (!CanShowMovedObjects() || !WorthPainting(area) || !PaintLayers(setting)) {
      Drop();
      return false;
    }
  }
  std::optional<QPoint> shift = Shift();
  if (!shift) {
    return false;
  }
  const QRect target = DevicePixels(area).intersected(QRect(QPoint(0, 0), setting.device));
  if (!MovingLayerHolds(target, *shift)) {
    if (!PaintMovingLayer()) {
      Drop();
      return false;
    }
    shift = QPoint(0, 0);
  }
  // Where a fresh paint does not cover what lay there before, the spots are
  // left out of the composition, so that they are painted onto that.
  const DrawingPainter drawingPainter(control_.GetDrawing());
  const PaintRequest client = control_.ClientPaintRequest(area);
  const QRegion spots = SpotsToPaintAfresh(target);
  Compose(painter, drawingPainter.CoversArea(client) ? QRegion(target) : QRegion(target) - spots, *shift);
  for (const QRect& spot : spots) {
    PaintAfresh(painter, spot);
  }
  drawingPainter.PaintFrame(painter, client);
  return true;
}

bool MoveLayers::InStepWithDrawing() {
  const std::uint64_t now = control_.GetDrawing().Revision();
  if (now == revision_) {
    return true;
  }
  // Something else changed the drawing after the move's last step, which
  // may have left the moved objects elsewhere than the move put them; while
  // nothing moves, the layers are simply painted again.
  Drop();
  if (!numbers_.empty()) {
    return false;
  }
  revision_ = now;
  return true;
}

bool MoveLayers::TakesLayers(const QPainter& painter) {
  return painter.paintEngine()->type() == QPaintEngine::Raster &&
         painter.deviceTransform().type() <= QTransform::TxScale;
}

MoveLayers::Setting MoveLayers::SettingNow(const QPainter& painter) const {
  const QPaintDevice& device = *painter.paintEngine()->paintDevice();
  return {control_.GetDrawing().Picture(),        control_.ClientSize(),     control_.HoveredObject(),
          QSize(device.width(), device.height()), device.devicePixelRatio(), painter.deviceTransform()};
}

bool MoveLayers::CanShowMovedObjects() const {
  const Drawing& drawing = control_.GetDrawing();
  return std::all_of(numbers_.begin(), numbers_.end(), [&](int number) {
    return drawing.IsNumber(number) && !DrawingPainter::PaintsDevicePattern(drawing.Object(number));
  });
}

bool MoveLayers::WorthPainting(const QRect& area) const {
  const Drawing& drawing = control_.GetDrawing();
  const ViewTransform transform = control_.Transform();
  const auto objectsIn = [&](const QRect& pixels) {
    return drawing.ObjectsMeeting(transform.LogicalBox(QRectF(pixels))).size();
  };
  const std::size_t perStep = objectsIn(area);
  return perStep >= kWorthFrom && perStep * 8 >= objectsIn(QRect(QPoint(0, 0), control_.ClientSize()));
}

QRect MoveLayers::DevicePixels(const QRect& widgetPixels) const {
  return setting_->toDevice.mapRect(QRectF(widgetPixels)).toAlignedRect();
}

QImage MoveLayers::Layer(const QRect& devicePixels) const {
  QImage layer(devicePixels.size(), QImage::Format_ARGB32_Premultiplied);
  if (!layer.isNull()) {
    layer.setDevicePixelRatio(setting_->pixelRatio);
    layer.fill(Qt::transparent);
  }
  return layer;
}

void MoveLayers::PaintLayer(QImage& layer, const QRect& devicePixels, const PaintRequest& request) const {
  QPainter painter(&layer);
  // Widget pixels land where they land on the device, less the layer's
  // corner; the layer's own pixel ratio then scales as the device's does.
  const double ratio = setting_->pixelRatio;
  painter.setWorldTransform(setting_->toDevice * QTransform::fromTranslate(-devicePixels.left(), -devicePixels.top()) *
                            QTransform::fromScale(1 / ratio, 1 / ratio));
  DrawingPainter(control_.GetDrawing()).Paint(painter, request);
}

PaintRequest MoveLayers::LayerRequest(const QRectF& area) const {
  PaintRequest request = control_.ClientPaintRequest(QRect());
  request.deviceArea = area;
  request.background = false;
  request.frame = false;
  return request;
}

bool MoveLayers::PaintLayers(const Setting& setting) {
  setting_ = setting;
  const Drawing& drawing = control_.GetDrawing();
  moves_.assign(static_cast<std::size_t>(drawing.Count()) + 1, false);
  for (const int number : numbers_) {
    moves_[static_cast<std::size_t>(number)] = true;
  }
  // While nothing moves, everything lies under.
  const bool nothingMoves = numbers_.empty();
  const int lowest = nothingMoves ? drawing.Count() + 1 : numbers_.front();
  const auto stays = [this](int number) { return !moves_[static_cast<std::size_t>(number)]; };
  const QRect client(QPoint(0, 0), setting.client);
  const QRect device(QPoint(0, 0), setting.device);

  under_ = Layer(device);
  if (under_.isNull()) {
    return false;
  }
  PaintRequest under = LayerRequest(client);
  under.background = true;
  under.objects = [lowest](int number) { return number < lowest; };
  under.decorations = [nothingMoves](int) { return nothingMoves; };
  PaintLayer(under_, device, under);

  const ViewTransform transform = control_.Transform();
  const double margin = transform.LogicalLength(DrawingPainter::kDecorationMargin + 2);
  overItems_.clear();
  for (const int number : drawing.ObjectsMeeting(transform.LogicalBox(QRectF(client)).Inflated(margin))) {
    const DrawingObject& object = drawing.Object(number);
    const bool decorated = object.selected || (number == setting.hovered && ShowsHoverHighlight(object));
    if (stays(number) && (number > lowest || (decorated && !nothingMoves))) {
      overItems_.push_back(
          {number, DevicePixels(DrawingPainter::DeviceReach(transform, drawing.Extent(number), decorated))});
    }
  }
  if (!overItems_.empty()) {
    over_ = Layer(device);
    if (over_.isNull()) {
      return false;
    }
    PaintRequest over = LayerRequest(client);
    over.objects = [&](int number) { return number > lowest && stays(number); };
    over.decorations = stays;
    PaintLayer(over_, device, over);
  }
  return PaintMovingLayer();
}

bool MoveLayers::PaintMovingLayer() {
  moving_ = QImage();
  movingLayerOffset_ = offset_;
  movingReach_ = movingLayerArea_ = QRect();
  cut_.clear();
  if (numbers_.empty()) {
    return true;
  }
  const Drawing& drawing = control_.GetDrawing();
  movingExtent_ = drawing.Extent(numbers_.front());
  for (const int number : numbers_) {
    movingExtent_ = movingExtent_.United(drawing.Extent(number));
  }
  movingReach_ = DevicePixels(DrawingPainter::DeviceReach(control_.Transform(), movingExtent_));
  // Room around the device for the objects to come onto it from outside.
  const QSize room = setting_->device / 4;
  const QRect around =
      QRect(QPoint(0, 0), setting_->device).adjusted(-room.width(), -room.height(), room.width(), room.height());
  movingLayerArea_ = movingReach_.intersected(around);
  for (const int number : numbers_) {
    if (!movingLayerArea_.contains(MovedReach(number))) {
      cut_.push_back(number);
    }
  }
  if (movingLayerArea_.isEmpty()) {
    return true;
  }
  moving_ = Layer(movingLayerArea_);
  if (moving_.isNull()) {
    return false;
  }
  PaintRequest request = LayerRequest(setting_->toDevice.inverted().mapRect(QRectF(movingLayerArea_)));
  request.objects = request.decorations = [this](int number) { return moves_[static_cast<std::size_t>(number)]; };
  PaintLayer(moving_, movingLayerArea_, request);
  return true;
}

void MoveLayers::Drop() {
  setting_.reset();
  under_ = moving_ = over_ = QImage();
  overItems_.clear();
  cut_.clear();
}

std::optional<QPoint> MoveLayers::Shift() const {
  // Far beyond any device; also keeps the conversion to whole pixels defined.
  constexpr double kFar = 1e9;
  constexpr double kTolerance = 1e-6;
  const ViewTransform transform = control_.Transform();
  const double x = (offset_.x - movingLayerOffset_.x) * transform.ScaleX() * setting_->toDevice.m11();
  const double y = (offset_.y - movingLayerOffset_.y) * transform.ScaleY() * setting_->toDevice.m22();
  const double wholeX = std::round(x);
  const double wholeY = std::round(y);
  if (!(std::abs(x) < kFar && std::abs(y) < kFar) || std::abs(x - wholeX) > kTolerance ||
      std::abs(y - wholeY) > kTolerance) {
    return std::nullopt;
  }
  return QPoint(static_cast<int>(wholeX), static_cast<int>(wholeY));
}

QRect MoveLayers::MovedReach(int number) const {
  return DevicePixels(DrawingPainter::DeviceReach(control_.Transform(), control_.GetDrawing().Extent(number)));
}

bool MoveLayers::MovingLayerHolds(const QRect& target, QPoint shift) const {
  const QRect needed = movingReach_.intersected(target.translated(-shift));
  return needed.isEmpty() || movingLayerArea_.contains(needed);
}

void MoveLayers::Compose(QPainter& painter, const QRegion& target, QPoint shift) const {
  painter.save();
  // One unit a device pixel, so that the layers are copied pixel for pixel.
  painter.setWorldTransform(setting_->toDevice.inverted(), true);
  if (target.rectCount() > 1) {
    painter.setClipRegion(target, Qt::IntersectClip);
  }
  const QRect bounds = target.boundingRect();
  PutDown(painter, under_, QPoint(0, 0), bounds);
  PutDown(painter, moving_, movingLayerArea_.topLeft() + shift, bounds);
  PutDown(painter, over_, QPoint(0, 0), bounds);
  painter.restore();
}

QRegion MoveLayers::SpotsToPaintAfresh(const QRect& target) const {
  if (numbers_.empty()) {
    return {};
  }
  const Drawing& drawing = control_.GetDrawing();
  const ViewTransform transform = control_.Transform();
  const QRect movingNow = DevicePixels(DrawingPainter::DeviceReach(
      transform, Translated(movingExtent_, offset_.x - movingLayerOffset_.x, offset_.y - movingLayerOffset_.y)));
  if (!movingNow.intersects(target)) {
    return {};
  }
  std::vector<QRect> spots;
  const QRect device(QPoint(0, 0), setting_->device);
  const bool crossesDeviceEdge = !device.contains(movingNow);
  if (crossesDeviceEdge || !cut_.empty()) {
    for (const int number : numbers_) {
      const QRect reach = MovedReach(number);
      if (!device.contains(reach) || std::binary_search(cut_.begin(), cut_.end(), number)) {
        spots.push_back(reach);
      }
    }
  }
  // Two objects' pixels meet when their extents come within both reaches.
  const double reach = transform.LogicalLength(2 * (DrawingPainter::kDecorationMargin + 3));
  const QRect near = movingNow.intersected(target);
  for (const OverItem& item : overItems_) {
    const QRect itemNear = item.reach.intersected(near);
    if (itemNear.isEmpty()) {
      continue;
    }
    for (const int number : drawing.ObjectsMeeting(drawing.Extent(item.number).Inflated(reach))) {
      if (moves_[static_cast<std::size_t>(number)]) {
        spots.push_back(itemNear.intersected(MovedReach(number)));
      }
    }
  }
  if (spots.size() > kMaxSeparateSpots) {
    QRect all;
    for (const QRect& spot : spots) {
      all |= spot;
    }
    spots = {all};
  }
  QRegion region;
  for (const QRect& spot : spots) {
    region |= spot.intersected(target);
  }
  return region;
}

void MoveLayers::PaintAfresh(QPainter& painter, const QRect& devicePixels) const {
  const QTransform toWidget = setting_->toDevice.inverted();
  const QTransform world = painter.worldTransform();
  painter.save();
  // Clipped to whole device pixels, which widget pixels may not be.
  painter.setWorldTransform(toWidget, true);
  painter.setClipRect(devicePixels, Qt::IntersectClip);
  painter.setWorldTransform(world);
  PaintRequest request = control_.ClientPaintRequest(QRect());
  request.deviceArea = toWidget.mapRect(QRectF(devicePixels)).adjusted(-1, -1, 1, 1);
  DrawingPainter(control_.GetDrawing()).Paint(painter, request);
  painter.restore();
}

} // namespace canvas

#pragma once

#include "canvas/DrawingObject.h"
#include "canvas/PictureSettings.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QTransform>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;
class QRegion;

namespace canvas {

class DrawingControl;
struct PaintRequest;

// The picture of the drawing while the person moves objects, kept in
// layers so that a step of the move composes them instead of painting every
// object again. While the objects are shown live, there are three:
//   under:  the page and the objects below the lowest moved one;
//   moving: the moved objects with their handles, and the hover highlight
//           when the hovered object is one of them;
//   over:   the other objects that stay, with their highlights and handles.
// The layers are painted as the view's own paint device would take them,
// pixel for pixel, and the moving layer goes down as far from where it was
// painted as the objects have moved since; the control's frame is painted
// on top. While only outlines move over the drawing and nothing in it
// moves, the under layer holds the whole picture.
//
// What it shows is what the control paints afresh, up to the rounding of
// blending one layer onto another:
// - spots where the layers would not show that are painted afresh: where a
//   moved object comes near something of the over layer, which may belong
//   above it, and where a moved object is cut by the edge of the device or
//   was cut by the edge of the moving layer (an edge of the device changes
//   how Qt draws the thinnest lines that cross it);
// - the layers are painted again when anything else that the view shows
//   has changed (any other change of the drawing, the picture settings,
//   the view's size, the hovered object, the device and where the view
//   lies on it), and the moving layer when the move carries the objects
//   beyond what it holds;
// - the layers leave the painting to the control while the distance moved
//   is not a whole number of device pixels, and when a moved object has a
//   fill whose pattern keeps to the device rather than to the object.
class MoveLayers {
public:
  // Painting the layers paints every object in view once; that pays off
  // when each step of the move would repaint many objects: at least this
  // many, and at least an eighth of those in view.
  static constexpr std::size_t kWorthFrom = 64;

  // The objects that move, as the drawing is when the move starts; none
  // while only outlines move.
  MoveLayers(const DrawingControl& control, std::vector<int> numbers);

  // The move has put every moved object offset (logical units) from where
  // it started, changing the drawing from revision before to after.
  void Moved(Point offset, std::uint64_t before, std::uint64_t after);

  // Paints the client area's pixels in area (widget pixels) from the
  // layers, painting them first where needed; false when the layers cannot
  // show them or would not pay off, which leaves the area to the control.
  bool Paint(QPainter& painter, const QRect& area);

private:
  // What the layers show besides the drawing's objects, and how they lie
  // on the device: its size in pixels, and how widget pixels map to them.
  struct Setting {
    PictureSettings picture;
    QSize client;
    int hovered = 0;
    QSize device;
    double pixelRatio = 1;
    QTransform toDevice;
    friend bool operator==(const Setting&, const Setting&) = default;
  };
  // Something of the over layer, and the widget pixels it may paint.
  struct OverItem {
    int number;
    QRect reach;
  };

  // Whether the layers may stand for the drawing as it is now.
  bool InStepWithDrawing();
  // Whether the painter's device takes layers pixel for pixel: a raster
  // device onto which the view's pixels map without turning.
  static bool TakesLayers(const QPainter& painter);
  Setting SettingNow(const QPainter& painter) const;
  bool CanShowMovedObjects() const;
  bool WorthPainting(const QRect& area) const;
  bool PaintLayers(const Setting& setting);
  bool PaintMovingLayer();
  void Drop();
  // The device pixels that cover widget pixels.
  QRect DevicePixels(const QRect& widgetPixels) const;
  // A layer covering the device pixels, and a painter for it that takes
  // widget pixels as the view's painter does.
  QImage Layer(const QRect& devicePixels) const;
  void PaintLayer(QImage& layer, const QRect& devicePixels, const PaintRequest& request) const;
  PaintRequest LayerRequest(const QRectF& area) const;
  // How far, in device pixels, the moving layer goes from where it was
  // painted; none when that is not a whole number of pixels.
  std::optional<QPoint> Shift() const;
  // The device pixels of a moved object now.
  QRect MovedReach(int number) const;
  bool MovingLayerHolds(const QRect& target, QPoint shift) const;
  void Compose(QPainter& painter, const QRegion& target, QPoint shift) const;
  // The device pixels within target to paint afresh.
  QRegion SpotsToPaintAfresh(const QRect& target) const;
  void PaintAfresh(QPainter& painter, const QRect& devicePixels) const;

  const DrawingControl& control_;
  std::vector<int> numbers_;
  // The move's last step: where it put the objects, and the drawing's
  // revision that step left.
  Point offset_;
  std::uint64_t revision_;

  // What the layers were painted for; none while there are no layers.
  std::optional<Setting> setting_;
  // Whether an object moves, by number.
  std::vector<bool> moves_;
  QImage under_;
  QImage moving_;
  QImage over_;
  std::vector<OverItem> overItems_;
  // The box around the moved objects and the offset of the move when the
  // moving layer was painted, the device pixels they reached then, the
  // device pixels the layer holds, and the moved objects its edge cut.
  Box movingExtent_;
  Point movingLayerOffset_;
  QRect movingReach_;
  QRect movingLayerArea_;
  std::vector<int> cut_;
};

} // namespace canvas

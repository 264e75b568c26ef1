#pragma once

#include "canvas/Drawing.h"
#include "canvas/ViewTransform.h"

#include <QRect>
#include <QRectF>

#include <functional>

class QFont;
class QPainter;

namespace canvas {

// What to paint of a drawing, and where.
struct PaintRequest {
  ViewTransform transform;
  // The part of the device to repaint, in device pixels, within any clip
  // the painter has. Only the objects that meet it are painted.
  QRectF deviceArea;
  // The control's own look: BackColor around the page, the page's border
  // and the control's frame. Pictures leave them out.
  bool controlLook = true;
  // False leaves the page unfilled, whatever the picture settings say.
  bool pageBackground = true;
  // The object under the mouse, whose hover highlight shows when it has
  // one; 0 for none.
  int hovered = 0;
  bool selectionHandles = true;
  bool antialiased = true;
  // The parts of the picture, bottom to top: the page with what lies
  // around it, the objects that `objects` accepts, the hover highlight and
  // handles of those that `decorations` accepts (every one while either is
  // empty), the control's frame. A view that keeps parts of its picture
  // apart paints each with its own choice.
  bool background = true;
  std::function<bool(int number)> objects{};
  std::function<bool(int number)> decorations{};
  bool frame = true;
};

// Paints a drawing with QPainter onto any paint device: the page, the
// objects in stacking order, the hover highlight and the selection handles.
// Device pixels are those of the painter's coordinates as it is handed
// over, so a painter moved to another origin paints the picture there.
class DrawingPainter {
public:
  // Selection handles are squares of this many pixels; the hover highlight
  // is a halo this many pixels wide around the object's outline.
  static constexpr double kHandleSize = 7;
  static constexpr double kHighlightWidth = 6;
  // How far, in pixels, the handles and the highlight reach beyond an
  // object's extent.
  static constexpr double kDecorationMargin = kHandleSize;

  // The pixels in which an object with this extent may paint, with its
  // antialiasing and, when decorated, its hover highlight and its handles.
  static QRect DeviceReach(const ViewTransform& transform, const Box& extent, bool decorated = true);

  explicit DrawingPainter(const Drawing& drawing) : drawing_(drawing) {}

  // Paints the request's area and returns how many objects it painted.
  int Paint(QPainter& painter, const PaintRequest& request) const;
  // Paints the control's frame alone, where the request asks for it.
  void PaintFrame(QPainter& painter, const PaintRequest& request) const;
  // Whether painting the request covers every pixel of its area, whatever
  // lay there before.
  bool CoversArea(const PaintRequest& request) const;

  // Paints one object in logical units: the painter's transform maps them
  // to the device.
  static void PaintObject(QPainter& painter, const DrawingObject& object);
  // Whether the object's pixels depend on where it lies beyond being
  // shifted with it: a hatched fill is laid out from the device's origin.
  static bool PaintsDevicePattern(const DrawingObject& object);
  // The font a text object is painted with, sized in logical units.
  static QFont TextFont(const TextAttributes& text);

private:
  void PaintBackground(QPainter& painter, const PaintRequest& request) const;
  bool ShowsFrame(const PaintRequest& request) const;
  static void DrawFrame(QPainter& painter);
  void PaintDecorations(QPainter& painter, const PaintRequest& request, const std::vector<int>& painted) const;

  const Drawing& drawing_;
};

} // namespace canvas

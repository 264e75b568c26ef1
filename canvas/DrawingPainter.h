#pragma once

#include "canvas/Drawing.h"
#include "canvas/ViewTransform.h"

#include <QRectF>

class QFont;
class QPainter;

namespace canvas {

// What to paint of a drawing, and where.
struct PaintRequest {
  ViewTransform transform;
  // The part of the device to repaint, in device pixels. Only the objects
  // that meet it are painted.
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
};

// Paints a drawing with QPainter onto any paint device: the page, the
// objects in stacking order, the hover highlight and the selection handles.
class DrawingPainter {
public:
  // Selection handles are squares of this many pixels; the hover highlight
  // is a halo this many pixels wide around the object's outline.
  static constexpr double kHandleSize = 7;
  static constexpr double kHighlightWidth = 6;
  // How far, in pixels, the handles and the highlight reach beyond an
  // object's extent.
  static constexpr double kDecorationMargin = kHandleSize;

  explicit DrawingPainter(const Drawing& drawing) : drawing_(drawing) {}

  // Paints the request's area and returns how many objects it painted.
  int Paint(QPainter& painter, const PaintRequest& request) const;

  // Paints one object in logical units: the painter's transform maps them
  // to the device.
  static void PaintObject(QPainter& painter, const DrawingObject& object);
  // The font a text object is painted with, sized in logical units.
  static QFont TextFont(const TextAttributes& text);

private:
  void PaintBackground(QPainter& painter, const PaintRequest& request) const;
  void PaintDecorations(QPainter& painter, const PaintRequest& request, const std::vector<int>& painted) const;

  const Drawing& drawing_;
};

} // namespace canvas

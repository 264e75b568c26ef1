#pragma once

#include "canvas/Gesture.h"
#include "canvas/MoveLayers.h"
#include "canvas/SelectionHandles.h"

#include <functional>
#include <memory>

namespace canvas {

class DrawingControl;

// Moving the selected objects by dragging one of them, or resizing one
// object by dragging a handle of its frame. The drag shows the objects
// themselves moving when the system's full-window-drag setting is on, and
// their outlines, with the objects left in place until the release, when it
// is off; the setting is read as the drag starts. A live move, and any
// drag of outlines over the drawing, paints from layers of the picture
// (MoveLayers). The change is one step of the edit history; Esc puts
// everything back.
class ReshapeGesture final : public Gesture {
public:
  static std::unique_ptr<Gesture> Moving(DrawingControl& control, const std::vector<int>& numbers, Point at);
  static std::unique_ptr<Gesture> Resizing(DrawingControl& control, int number, Handle handle, Point at);

  void Move(Point at, bool constrain) override;
  void Finish() override;
  void Cancel() override;
  bool PaintDrawing(QPainter& painter, const QRect& area) override;
  void Paint(QPainter& painter, const ViewTransform& transform) const override;
  std::vector<Box> Areas() const override;
  Qt::CursorShape Cursor() const override { return cursor_; }

private:
  // Gives an object, as it was when the drag started, its shape for a
  // drag by (dx, dy).
  using Reshape = std::function<void(DrawingObject& object, double dx, double dy)>;
  // An object as the drag found it and as it shows now.
  struct Item {
    DrawingObject start;
    DrawingObject now;
  };

  ReshapeGesture(DrawingControl& control, const std::vector<int>& numbers, Point at, Reshape reshape,
                 Qt::CursorShape cursor);
  // Gives the objects in the drawing the items' start or present shape.
  void ShowLive(DrawingObject Item::*shape);

  DrawingControl& control_;
  std::vector<int> numbers_;
  std::vector<Item> items_;
  Point anchor_;
  Reshape reshape_;
  Qt::CursorShape cursor_;
  bool live_;
  bool dragged_ = false;
  std::unique_ptr<MoveLayers> layers_;
};

} // namespace canvas

#pragma once

#include "canvas/Gesture.h"
#include "canvas/SelectionHandles.h"

#include <QPointF>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QPainter;
class QRect;

namespace canvas {

class DrawingControl;
class DrawingView;
class InPlaceTextEditor;
enum class UserEdit;

// What the person does on the control's view with the mouse and the
// keyboard.
//
// In every mode: the control's mouse events fire for every button; moving
// over objects tracks the hot spot under the mouse (the leave of one
// object fires before the enter of the next, the hover highlight shows
// only on the object under the mouse, a hand cursor where its flags ask for
// one); a left press on an object that takes clicks fires "HitObject" and
// starts nothing else; Ctrl+Z undoes the person's last edit, Ctrl+Shift+Z
// and Ctrl+Y redo it.
//
// By EditMode:
// - 1 to 9 draw that kind (DrawGesture); a right press, a double-click or
//   Enter ends a polyline or polygon, Esc cancels any drawing;
// - 11 selects, moves and resizes: a click selects one object, Shift-click
//   adds or removes one, a drag on empty space selects with a rubber band,
//   a drag on a selected object moves the selection, a drag on a handle
//   resizes its object (ReshapeGesture), Delete deletes the selection,
//   the arrow keys nudge it (Shift: ten times as far), Esc clears it;
// - 0 selects: a click selects one object, which shows its handles and
//   stays where it is; Esc clears the selection.
// Moving, resizing and deleting leave out the objects that EditFlags and
// their ObjMove guard. In modes 0 and 11, a double-click on a text object
// edits its text in place when EditFlags has 8.
class ViewInteraction {
public:
  ViewInteraction(DrawingControl& control, DrawingView& view);
  ~ViewInteraction();
  ViewInteraction(const ViewInteraction&) = delete;
  ViewInteraction& operator=(const ViewInteraction&) = delete;

  void Press(const QMouseEvent& event);
  void DoubleClick(const QMouseEvent& event);
  void Move(const QMouseEvent& event);
  void Release(const QMouseEvent& event);
  void Leave();
  // True when the key did something.
  bool Key(const QKeyEvent& event);
  // Paints the drawing's part of the client area (pixels) when a gesture
  // in progress keeps a picture of it; false leaves it to the control.
  bool PaintDrawing(QPainter& painter, const QRect& area);
  // What a gesture in progress shows over the drawing.
  void Paint(QPainter& painter) const;

  // The edit mode changed: a gesture in progress is cancelled.
  void EditModeChanged();
  // The automation client changed which objects there are: a gesture or
  // text edit in progress, which names objects by number, is dropped.
  void Abandon();

private:
  struct HandleHit {
    int number;
    Handle handle;
  };

  Point Logical(QPointF device) const;
  void StartGesture(Point at, bool shift);
  void StartSelecting(Point at, bool shift);
  // Runs one step of the gesture in progress, which returns true when it
  // ends the gesture, and repaints what the gesture showed and shows.
  template <typename Step>
  void Drive(Step&& step);
  void TrackHover(int under);
  std::optional<HandleHit> HandleUnderPointer() const;
  Qt::CursorShape CursorAt(Point at) const;
  void RefreshCursor();
  bool EditKey(const QKeyEvent& event);
  void SelectOnly(int number);
  std::vector<int> SelectedAllowing(UserEdit edit) const;
  void Nudge(double dx, double dy);
  void StartTextEditing(int number);
  void EndTextEditing(bool commit);

  DrawingControl& control_;
  DrawingView& view_;
  std::unique_ptr<Gesture> gesture_;
  QPointer<InPlaceTextEditor> editor_;
  // Where the mouse was last seen, in pixels.
  QPointF pointer_;
};

} // namespace canvas

#include "canvas/ViewInteraction.h"

#include "canvas/DrawGesture.h"
#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"
#include "canvas/DrawingView.h"
#include "canvas/InPlaceTextEditor.h"
#include "canvas/ReshapeGesture.h"
#include "canvas/RubberBandGesture.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace canvas {

namespace {

// How many nudges Shift makes an arrow key take at once.
constexpr double kShiftNudges = 10;

// Buttons as the mouse events carry them: 1 left, 2 right, 4 middle.
int ButtonCode(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
         (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

// The shift state: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

bool Shifted(const QInputEvent& event) { return event.modifiers().testFlag(Qt::ShiftModifier); }

bool IsDrawingMode(std::int32_t mode) { return mode >= 1 && mode <= 9; }

bool IsSelectingMode(std::int32_t mode) { return mode == kEditSelect || mode == kEditSelectMoveResize; }

} // namespace

ViewInteraction::ViewInteraction(DrawingControl& control, DrawingView& view) : control_(control), view_(view) {}

ViewInteraction::~ViewInteraction() { delete editor_.data(); }

Point ViewInteraction::Logical(QPointF device) const { return control_.Transform().ToLogical(device); }

void ViewInteraction::Press(const QMouseEvent& event) {
  EndTextEditing(true);
  pointer_ = event.position();
  const Point at = Logical(pointer_);
  if (const int button = ButtonCode(event.button())) {
    control_.ReportMouseButton(MouseTransition::Down, button, ShiftCode(event.modifiers()), at);
  }
  if (event.button() == Qt::RightButton && gesture_ != nullptr) {
    Drive([&] {
      gesture_->Finish();
      return true;
    });
  } else if (event.button() == Qt::LeftButton && !control_.ReportHit(control_.ObjectAt(at), at)) {
    if (gesture_ != nullptr) {
      Drive([&] { return gesture_->Press(at, Shifted(event)); });
    } else {
      StartGesture(at, Shifted(event));
    }
  }
  RefreshCursor();
}

void ViewInteraction::DoubleClick(const QMouseEvent& event) {
  // The presses of a double-click have arrived as presses already.
  if (event.button() != Qt::LeftButton) {
    return;
  }
  pointer_ = event.position();
  if (gesture_ != nullptr) {
    Drive([&] {
      gesture_->Finish();
      return true;
    });
  }
  const int number = control_.ObjectAt(Logical(pointer_));
  if (IsSelectingMode(control_.EditMode()) && !control_.TakesClicks(number) &&
      control_.Allows(UserEdit::EditText, number)) {
    StartTextEditing(number);
  }
  RefreshCursor();
}

void ViewInteraction::Move(const QMouseEvent& event) {
  pointer_ = event.position();
  const Point at = Logical(pointer_);
  control_.ReportMouseMove(ButtonCode(event.buttons()), ShiftCode(event.modifiers()), at);
  if (gesture_ != nullptr) {
    Drive([&] {
      gesture_->Move(at, Shifted(event));
      return false;
    });
  } else {
    TrackHover(control_.HotSpotsOn() ? control_.ObjectAt(at) : 0);
  }
  RefreshCursor();
}

void ViewInteraction::Release(const QMouseEvent& event) {
  pointer_ = event.position();
  const Point at = Logical(pointer_);
  if (event.button() == Qt::LeftButton && gesture_ != nullptr) {
    Drive([&] { return gesture_->Release(at, Shifted(event)); });
  }
  if (const int button = ButtonCode(event.button())) {
    control_.ReportMouseButton(MouseTransition::Up, button, ShiftCode(event.modifiers()), at);
  }
  if (gesture_ == nullptr) {
    TrackHover(control_.HotSpotsOn() ? control_.ObjectAt(Logical(pointer_)) : 0);
  }
  RefreshCursor();
}

void ViewInteraction::Leave() {
  if (gesture_ == nullptr) {
    TrackHover(0);
  }
}

bool ViewInteraction::Key(const QKeyEvent& event) {
  if (gesture_ != nullptr) {
    const int key = event.key();
    if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) {
      return false;
    }
    Drive([&] {
      key == Qt::Key_Escape ? gesture_->Cancel() : gesture_->Finish();
      return true;
    });
    RefreshCursor();
    return true;
  }
  const bool handled = EditKey(event);
  RefreshCursor();
  return handled;
}

bool ViewInteraction::EditKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers =
      event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const int key = event.key();
  if (key == Qt::Key_Z && modifiers == Qt::ControlModifier) {
    control_.History().Undo();
    return true;
  }
  if ((key == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) ||
      (key == Qt::Key_Y && modifiers == Qt::ControlModifier)) {
    control_.History().Redo();
    return true;
  }
  const std::int32_t mode = control_.EditMode();
  if (key == Qt::Key_Escape && IsSelectingMode(mode)) {
    SelectOnly(0);
    return true;
  }
  if (mode != kEditSelectMoveResize) {
    return false;
  }
  const double nudge = std::max(1.0, std::ceil(control_.Transform().LogicalLength(1))) *
                       (modifiers.testFlag(Qt::ShiftModifier) ? kShiftNudges : 1);
  switch (key) {
  case Qt::Key_Delete:
    control_.History().Delete(SelectedAllowing(UserEdit::Delete));
    return true;
  case Qt::Key_Left:
    Nudge(-nudge, 0);
    return true;
  case Qt::Key_Right:
    Nudge(nudge, 0);
    return true;
  case Qt::Key_Up:
    Nudge(0, -nudge);
    return true;
  case Qt::Key_Down:
    Nudge(0, nudge);
    return true;
  default:
    return false;
  }
}

bool ViewInteraction::PaintDrawing(QPainter& painter, const QRect& area) {
  return gesture_ != nullptr && gesture_->PaintDrawing(painter, area);
}

void ViewInteraction::Paint(QPainter& painter) const {
  if (gesture_ != nullptr) {
    gesture_->Paint(painter, control_.Transform());
  }
}

void ViewInteraction::EditModeChanged() {
  if (gesture_ != nullptr) {
    Drive([&] {
      gesture_->Cancel();
      return true;
    });
  }
  RefreshCursor();
}

void ViewInteraction::Abandon() {
  EndTextEditing(false);
  if (gesture_ != nullptr) {
    view_.UpdateAreas(gesture_->Areas());
    gesture_.reset();
  }
  RefreshCursor();
}

void ViewInteraction::StartGesture(Point at, bool shift) {
  const std::int32_t mode = control_.EditMode();
  if (IsDrawingMode(mode)) {
    gesture_ = DrawGesture::Start(control_, static_cast<ObjectKind>(mode), at);
  } else {
    StartSelecting(at, shift);
  }
  if (gesture_ != nullptr) {
    view_.UpdateAreas(gesture_->Areas());
  }
}

void ViewInteraction::StartSelecting(Point at, bool shift) {
  const bool moveAndResize = control_.EditMode() == kEditSelectMoveResize;
  if (moveAndResize) {
    if (const std::optional<HandleHit> hit = HandleUnderPointer()) {
      gesture_ = ReshapeGesture::Resizing(control_, hit->number, hit->handle, at);
      return;
    }
  }
  int number = control_.ObjectAt(at);
  if (!control_.Allows(UserEdit::Select, number)) {
    number = 0;
  }
  if (!moveAndResize) {
    SelectOnly(number);
    return;
  }
  if (number == 0) {
    if (!shift) {
      SelectOnly(0);
    }
    gesture_ = std::make_unique<RubberBandGesture>(control_, at);
    return;
  }
  if (shift) {
    control_.EditObject(number, [](DrawingObject& o) { o.selected = !o.selected; });
    return;
  }
  if (!control_.GetDrawing().Object(number).selected) {
    SelectOnly(number);
  }
  const std::vector<int> movable = SelectedAllowing(UserEdit::Move);
  if (!movable.empty()) {
    gesture_ = ReshapeGesture::Moving(control_, movable, at);
  }
}

template <typename Step>
void ViewInteraction::Drive(Step&& step) {
  const std::vector<Box> before = gesture_->Areas();
  const bool over = step();
  view_.UpdateAreas(before);
  if (over) {
    gesture_.reset();
  } else if (gesture_ != nullptr) {
    view_.UpdateAreas(gesture_->Areas());
  }
}

void ViewInteraction::TrackHover(int under) {
  const int left = control_.HoveredObject();
  if (under == left) {
    return;
  }
  control_.SetHoveredObject(under);
  control_.ReportHotSpot(left, HotSpotTransition::Left);
  // The client may have changed the drawing while the leave was delivered.
  if (under != 0 && control_.HoveredObject() == under) {
    control_.ReportHotSpot(under, HotSpotTransition::Entered);
  }
}

std::optional<ViewInteraction::HandleHit> ViewInteraction::HandleUnderPointer() const {
  const double reach = DrawingPainter::kHandleSize / 2 + 1;
  const ViewTransform transform = control_.Transform();
  const Drawing& drawing = control_.GetDrawing();
  const std::vector<int> near =
      drawing.ObjectsMeeting(transform.LogicalBox(QRectF(pointer_ - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach))));
  for (auto number = near.rbegin(); number != near.rend(); ++number) {
    const DrawingObject& object = drawing.Object(*number);
    if (object.selected && control_.Allows(UserEdit::Resize, *number)) {
      if (const auto handle = HandleAt(transform.DeviceRect(SelectionFrameOf(object)), pointer_, 2 * reach)) {
        return HandleHit{*number, *handle};
      }
    }
  }
  return std::nullopt;
}

Qt::CursorShape ViewInteraction::CursorAt(Point at) const {
  if (gesture_ != nullptr) {
    return gesture_->Cursor();
  }
  const Drawing& drawing = control_.GetDrawing();
  const int hovered = control_.HoveredObject();
  if (hovered != 0 && (drawing.Object(hovered).hotSpot & kHotSpotHandCursor) != 0) {
    return Qt::PointingHandCursor;
  }
  const std::int32_t mode = control_.EditMode();
  if (IsDrawingMode(mode)) {
    return Qt::CrossCursor;
  }
  if (mode == kEditSelectMoveResize) {
    if (const std::optional<HandleHit> hit = HandleUnderPointer()) {
      return HandleCursor(hit->handle);
    }
    const int number = control_.ObjectAt(at);
    if (number != 0 && drawing.Object(number).selected && control_.Allows(UserEdit::Move, number)) {
      return Qt::SizeAllCursor;
    }
  }
  return Qt::ArrowCursor;
}

void ViewInteraction::RefreshCursor() {
  const Qt::CursorShape shape = CursorAt(Logical(pointer_));
  if (view_.cursor().shape() != shape) {
    view_.setCursor(shape);
  }
}

void ViewInteraction::SelectOnly(int number) {
  const Drawing& drawing = control_.GetDrawing();
  std::vector<int> changing;
  for (int each = 1; each <= drawing.Count(); ++each) {
    if (drawing.Object(each).selected != (each == number)) {
      changing.push_back(each);
    }
  }
  control_.EditObjects(changing, [](DrawingObject& o, std::size_t) { o.selected = !o.selected; });
}

std::vector<int> ViewInteraction::SelectedAllowing(UserEdit edit) const {
  const Drawing& drawing = control_.GetDrawing();
  std::vector<int> numbers;
  for (int number = 1; number <= drawing.Count(); ++number) {
    if (drawing.Object(number).selected && control_.Allows(edit, number)) {
      numbers.push_back(number);
    }
  }
  return numbers;
}

void ViewInteraction::Nudge(double dx, double dy) {
  std::vector<GeometryChange> changes;
  for (const int number : SelectedAllowing(UserEdit::Move)) {
    DrawingObject moved = control_.GetDrawing().Object(number);
    const Geometry before = GeometryOf(moved);
    Translate(moved, dx, dy);
    changes.push_back({number, before, GeometryOf(moved)});
  }
  control_.History().Reshape(std::move(changes));
}

void ViewInteraction::StartTextEditing(int number) {
  editor_ = new InPlaceTextEditor(control_, number, &view_, [this](bool commit) { EndTextEditing(commit); });
}

void ViewInteraction::EndTextEditing(bool commit) {
  InPlaceTextEditor* editor = editor_.data();
  if (editor == nullptr) {
    return;
  }
  editor_ = nullptr;
  const int number = editor->Number();
  const std::string text = editor->text().toStdString();
  editor->hide();
  editor->deleteLater();
  view_.setFocus(Qt::OtherFocusReason);
  if (commit && control_.GetDrawing().IsNumber(number)) {
    control_.History().EditText(number, text);
  }
}

} // namespace canvas

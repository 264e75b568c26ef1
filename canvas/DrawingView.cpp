#include "canvas/DrawingView.h"

#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"
#include "canvas/ViewInteraction.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace canvas {

DrawingView::DrawingView(DrawingControl& control, QWidget* parent)
    : QWidget(parent), control_(control), interaction_(std::make_unique<ViewInteraction>(control, *this)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  Attach(parent);
}

DrawingView::~DrawingView() = default;

void DrawingView::Attach(QWidget* parent) {
  if (parentWidget() != nullptr) {
    parentWidget()->removeEventFilter(this);
  }
  setParent(parent);
  if (parent != nullptr) {
    parent->installEventFilter(this);
  }
  FillParent();
}

void DrawingView::FillParent() {
  if (parentWidget() != nullptr) {
    setGeometry(parentWidget()->rect());
  }
  control_.SetClientSize(size());
}

void DrawingView::UpdateArea(const Box& logicalArea) {
  update(DrawingPainter::DeviceReach(control_.Transform(), logicalArea).intersected(rect()));
}

void DrawingView::UpdateAreas(const std::vector<Box>& logicalAreas) {
  constexpr std::size_t kMaxSeparateAreas = 32;
  if (logicalAreas.size() <= kMaxSeparateAreas) {
    for (const Box& area : logicalAreas) {
      UpdateArea(area);
    }
    return;
  }
  Box all = logicalAreas.front();
  for (const Box& area : logicalAreas) {
    all = all.United(area);
  }
  UpdateArea(all);
}

void DrawingView::EditModeChanged() { interaction_->EditModeChanged(); }

void DrawingView::AbandonInteraction() { interaction_->Abandon(); }

void DrawingView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!interaction_->PaintDrawing(painter, event->rect())) {
    control_.PaintClient(painter, event->rect());
  }
  interaction_->Paint(painter);
}

void DrawingView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  control_.SetClientSize(size());
}

void DrawingView::mousePressEvent(QMouseEvent* event) { interaction_->Press(*event); }

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event) { interaction_->DoubleClick(*event); }

void DrawingView::mouseMoveEvent(QMouseEvent* event) { interaction_->Move(*event); }

void DrawingView::mouseReleaseEvent(QMouseEvent* event) { interaction_->Release(*event); }

void DrawingView::leaveEvent(QEvent* event) {
  interaction_->Leave();
  QWidget::leaveEvent(event);
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
  if (!interaction_->Key(*event)) {
    QWidget::keyPressEvent(event);
  }
}

bool DrawingView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) {
    FillParent();
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace canvas

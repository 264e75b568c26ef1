#include "canvas/DrawingView.h"

#include "canvas/DrawingControl.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace canvas {

DrawingView::DrawingView(DrawingControl& control, QWidget* parent) : QWidget(parent), control_(control) {
  Attach(parent);
}

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

void DrawingView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  control_.PaintClient(painter, event->rect());
}

void DrawingView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  control_.SetClientSize(size());
}

bool DrawingView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) {
    FillParent();
  }
  return QWidget::eventFilter(watched, event);
}

} // namespace canvas

#include "canvas/InPlaceTextEditor.h"

#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace canvas {

InPlaceTextEditor::InPlaceTextEditor(const DrawingControl& control, int number, QWidget* view, Done done)
    : QLineEdit(view), number_(number), done_(std::move(done)) {
  const DrawingObject& object = control.GetDrawing().Object(number);
  const ViewTransform transform = control.Transform();
  QFont font = DrawingPainter::TextFont(object.text);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * transform.ScaleY()))));
  setFont(font);
  static constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  setAlignment(kAlignments[std::clamp(object.text.horizontalAlignment, 0, 2)] | Qt::AlignVCenter);
  setText(QString::fromStdString(object.text.text));
  selectAll();
  const QRect box = transform.DeviceRect(object.box).toAlignedRect();
  setGeometry(box.adjusted(0, 0, 0, std::max(0, sizeHint().height() - box.height())));
  show();
  setFocus(Qt::OtherFocusReason);
}

void InPlaceTextEditor::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    End(true);
    return;
  case Qt::Key_Escape:
    End(false);
    return;
  default:
    QLineEdit::keyPressEvent(event);
  }
}

void InPlaceTextEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  End(true);
}

void InPlaceTextEditor::End(bool commit) {
  // Reports once: hiding the editor takes its focus, which ends it again.
  if (Done done = std::exchange(done_, nullptr)) {
    done(commit);
  }
}

} // namespace canvas

#pragma once

#include <QWidget>

namespace canvas {

class DrawingControl;

// The widget that shows a drawing control's drawing inside its parent: it
// fills the parent and follows its size, and paints only the part of
// itself that needs it. The control decides what a pixel shows (its
// transform) and is told the client size.
class DrawingView : public QWidget {
public:
  DrawingView(DrawingControl& control, QWidget* parent);

  // Moves the view into another parent, which it then fills.
  void Attach(QWidget* parent);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void FillParent();

  DrawingControl& control_;
};

} // namespace canvas

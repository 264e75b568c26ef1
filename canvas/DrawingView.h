#pragma once

#include "canvas/DrawingObject.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace canvas {

class DrawingControl;
class ViewInteraction;

// The widget that shows a drawing control's drawing inside its parent: it
// fills the parent and follows its size, paints only the part of itself
// that needs it, and hands the mouse and the keyboard to the control's
// interaction (ViewInteraction). The control decides what a pixel shows
// (its transform) and is told the client size.
class DrawingView : public QWidget {
public:
  DrawingView(DrawingControl& control, QWidget* parent);
  ~DrawingView() override;

  // Moves the view into another parent, which it then fills.
  void Attach(QWidget* parent);
  // Repaints the pixels that show a logical area, with room for the hover
  // highlight and the selection handles around it.
  void UpdateArea(const Box& logicalArea);
  // The same for several areas: each on its own while they are few, else
  // the box around them all, which is far cheaper to track than a region
  // of many pieces.
  void UpdateAreas(const std::vector<Box>& logicalAreas);
  // See ViewInteraction.
  void EditModeChanged();
  void AbandonInteraction();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void FillParent();

  DrawingControl& control_;
  std::unique_ptr<ViewInteraction> interaction_;
};

} // namespace canvas

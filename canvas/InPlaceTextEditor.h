#pragma once

#include <QLineEdit>

#include <functional>

namespace canvas {

class DrawingControl;

// A line editor laid over a text object to edit its text in place: Enter
// or leaving it (a click elsewhere) commits, Esc cancels. It reports once,
// then the owner deletes it.
class InPlaceTextEditor final : public QLineEdit {
public:
  using Done = std::function<void(bool commit)>;

  // Covers the text object's box in the view, in the object's font at the
  // view's scale.
  InPlaceTextEditor(const DrawingControl& control, int number, QWidget* view, Done done);

  int Number() const { return number_; }

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void End(bool commit);

  int number_;
  Done done_;
};

} // namespace canvas

#pragma once

#include <QObject>

// Watches the process's first top-level window: once its first frame has
// been painted, writes the monotonic clock in nanoseconds as one line to
// standard output, then asks the window to close as its close box would.
// The startup benchmark reads the line.
class FirstPaintProbe : public QObject {
public:
  // Installs itself on the application object.
  FirstPaintProbe();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool reported_ = false;
};

#include "FirstPaintProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

} // namespace

FirstPaintProbe::FirstPaintProbe() { qApp->installEventFilter(this); }

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!reported_ && event->type() == QEvent::Paint && widget != nullptr && widget->isWindow()) {
    reported_ = true;
    QWidget* window = widget;
    // The frame is complete once the paint cycle that this event starts
    // has returned to the event loop.
    QTimer::singleShot(0, window, [window] {
      std::printf("%lld\n", MonotonicNanoseconds());
      std::fflush(stdout);
      window->close();
    });
  }
  return false;
}

#include "platform/window/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>

namespace window {

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  averageCharWidth_ = metrics.averageCharWidth();
  height_ = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const { return qRound(units * averageCharWidth_ / 4.0); }

int DialogUnits::ToPixelsY(int units) const { return qRound(units * height_ / 8.0); }

QRect DialogUnits::ToPixels(const DialogRect& rect, QSize naturalSize) const {
  return {ToPixelsX(rect.x), ToPixelsY(rect.y), rect.width ? ToPixelsX(*rect.width) : naturalSize.width(),
          rect.height ? ToPixelsY(*rect.height) : naturalSize.height()};
}

} // namespace window

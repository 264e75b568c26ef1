#pragma once

#include "platform/window/WindowDescription.h"

#include <QRect>
#include <QSize>

class QFont;

namespace window {

// Converts dialog units to pixels with the real metrics of a font as the
// system resolved it: one unit across is a quarter of the font's average
// character width, one unit down an eighth of its height, each rounded to
// the nearest pixel.
class DialogUnits {
public:
  explicit DialogUnits(const QFont& font);

  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QSize ToPixels(int width, int height) const { return {ToPixelsX(width), ToPixelsY(height)}; }
  // A missing width or height takes the natural size's.
  QRect ToPixels(const DialogRect& rect, QSize naturalSize) const;

  int AverageCharWidth() const { return averageCharWidth_; }
  int Height() const { return height_; }

private:
  int averageCharWidth_;
  int height_;
};

} // namespace window

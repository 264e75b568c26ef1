#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace canvas::driver {

// Blending one layer of a picture onto another rounds differently from
// painting onto the picture at once: a channel may come out this much
// apart.
inline constexpr int kBlendRounding = 3;

// Whether what a view shows matches a fresh paint of it pixel for pixel,
// each channel within the rounding of blending; on failure, how many
// pixels differ and where the first of them is.
inline testing::AssertionResult PicturesMatch(const QImage& shown, const QImage& fresh) {
  if (shown.size() != fresh.size()) {
    return testing::AssertionFailure() << "sizes differ: " << shown.width() << "x" << shown.height() << " shown, "
                                       << fresh.width() << "x" << fresh.height() << " fresh";
  }
  const QImage a = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage b = fresh.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const auto apart = [](QRgb p, QRgb q) {
    return std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                     std::abs(qAlpha(p) - qAlpha(q))});
  };
  int differing = 0;
  QPoint first;
  for (int y = 0; y < a.height(); ++y) {
    const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      if (apart(rowA[x], rowB[x]) > kBlendRounding && differing++ == 0) {
        first = QPoint(x, y);
      }
    }
  }
  if (differing == 0) {
    return testing::AssertionSuccess();
  }
  const auto hex = [](QRgb colour) { return QString::number(colour, 16).toStdString(); };
  return testing::AssertionFailure() << differing << " pixels differ, the first at (" << first.x() << ", " << first.y()
                                     << "): shown #" << hex(a.pixel(first)) << ", fresh #" << hex(b.pixel(first));
}

} // namespace canvas::driver

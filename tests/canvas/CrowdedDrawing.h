#pragma once

#include "canvas/DrawingControl.h"

#include <cmath>
#include <string>

namespace canvas::driver {

// Adds count objects of every kind over the default page, on a grid with
// room between them, every sixth one large enough to overlap its
// neighbours, in many colours, some unfilled so that what lies below shows
// through and some hatched, all with a hover highlight.
inline void AddCrowd(DrawingControl& control, int count) {
  const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
  const double cell = 1000.0 / columns;
  for (int i = 0; i < count; ++i) {
    const auto kind = static_cast<ObjectKind>(i % 10 == 9 ? 10 : 1 + i % 9);
    const double size = i % 6 == 0 ? 1.8 : 0.6;
    const Point first{(i % columns) * cell + cell / 5, (i / columns) * cell + cell / 5};
    const Point second{first.x + cell * size, first.y + cell * size * 0.8};
    const Colour colour = static_cast<Colour>((i * 0x2F3B47) & 0xFFFFFF);
    const LineAttributes line{colour ^ 0x808080, 1 + i % 3, i % 7 == 3 ? 1 : 0};
    const std::int32_t fillStyle = i % 4 == 2 ? kFillNone : i % 8 == 5 ? 2 + i / 8 % 6 : 0;
    DrawingObject object = MakeObject(kind, first, second, line, {colour, fillStyle});
    object.text.text = "Crowd " + std::to_string(i);
    object.hotSpot = kHotSpotHighlight;
    control.AddObject(std::move(object), false);
  }
}

} // namespace canvas::driver

#pragma once

#include "canvas/DrawingObject.h"

#include <cstdint>

namespace canvas {

// The picture: the page on which the objects lie and how the control shows
// it. Kept in the drawing file with the objects.
//
// The page is the logical rectangle PicLeft, PicTop, PicWidth, PicHeight.
// How many pixels a logical unit takes:
//   - AutoScale on (the default): the page fits into the client area
//     without distortion;
//   - AutoScale off: PicXSize and PicYSize pixels for the page's width and
//     height, or one pixel a unit while they are 0;
// and then times the zoom factor. PicXOfs and PicYOfs scroll the view: the
// client area's top-left corner shows the logical point (PicLeft + PicXOfs,
// PicTop + PicYOfs).
//
// Around the page the control shows BackColor (BackStyle 1 opaque, 0 leaves
// the parent showing through). The page is filled with PicBackColor in
// pageFillStyle, or with a gradient from PicBackColor to PicBorderColor
// (GradientStyle 1 left to right, 2 top to bottom, 3 diagonal, 4 radial),
// and framed by a line in PicBorderColor of pageLineWidth and pageLineStyle.
// TransparentBackground 1 leaves the page unfilled, on screen and in
// exports. BorderStyle 1 draws a frame around the control.
//
// OrigWidth and OrigHeight are the page's size on paper in millimetres,
// used where a picture format has a physical size (the PDF page, the
// resolution stamped in bitmaps, the size of an SVG); while 0, a logical
// unit measures a tenth of a millimetre.
struct PictureSettings {
  std::int32_t picLeft = 0;
  std::int32_t picTop = 0;
  std::int32_t picWidth = 1000;
  std::int32_t picHeight = 1000;
  double origWidth = 0;
  double origHeight = 0;
  double picXSize = 0;
  double picYSize = 0;
  double picXOfs = 0;
  double picYOfs = 0;
  double zoom = 1;
  bool autoScale = true;
  // 0 none, 1 shown when the page does not fit.
  std::int32_t scrollBars = 0;
  Colour backColor = 0xFFFFFF;
  std::int32_t backStyle = 1;
  std::int32_t borderStyle = 1;
  bool transparentBackground = false;
  Colour picBackColor = 0xFFFFFF;
  Colour picBorderColor = 0x808080;
  std::int32_t gradientStyle = 0;
  std::int32_t pageFillStyle = 0;
  std::int32_t pageLineWidth = 0;
  std::int32_t pageLineStyle = 0;

  Box Page() const {
    return {static_cast<double>(picLeft), static_cast<double>(picTop), static_cast<double>(picLeft) + picWidth,
            static_cast<double>(picTop) + picHeight};
  }

  friend bool operator==(const PictureSettings&, const PictureSettings&) = default;
};

} // namespace canvas

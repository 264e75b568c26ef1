#pragma once

#include "canvas/Drawing.h"

#include <QByteArray>

#include <optional>
#include <string>

namespace canvas {

// The control's own drawing file: UTF-8 JSON that keeps every object with
// every attribute, and the picture settings, so that a drawing loads back
// exactly as it was saved.
//
//   {"format": "MetaDraw drawing", "version": 1,
//    "picture": {"left": 0, "top": 0, "width": 1000, ...},
//    "objects": [{"kind": 2, "box": [left, top, right, bottom],
//                 "line": [colour, width, style], "fill": [colour, style], ...},
//                {"kind": 8, "points": [x1, y1, x2, y2, ...], ...}]}
//
// Attributes at their defaults are left out of an object; a point kind
// keeps its points and no box. A reader refuses a file of a later version,
// which may mean things it does not know.
inline constexpr int kDrawingFileVersion = 1;

QByteArray SerializeDrawing(const Drawing& drawing);

// The drawing a file holds, or nothing with error saying why: text that is
// not JSON, a truncated file, a file of another format or a later version,
// a value of the wrong type or outside what the control accepts.
std::optional<Drawing> ParseDrawing(const QByteArray& bytes, std::string& error);

} // namespace canvas

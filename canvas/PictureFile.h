#pragma once

#include "canvas/Drawing.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QIODevice;

namespace canvas {

// The picture types of SavePicture and of the PictureType property. Only
// the drawing file can be loaded again; the others are exports.
enum class PictureType : std::int32_t {
  // The control's own drawing file (see DrawingFile.h).
  Drawing = 0,
  Bmp = 1,
  Jpeg = 2,
  Svg = 3,
  Pdf = 4,
  Png = 14,
};

bool IsPictureType(std::int64_t code);

// The ExportOptions flags, which shape an export (not the drawing file):
// 1 only the clip rectangle (ClipLeft, ClipTop, ClipWidth, ClipHeight)
//   rather than the whole page;
// 2 a transparent background where the format has one (PNG, SVG, PDF);
// 4 no antialiasing;
// 8 as on screen: with BackColor, the page's border, the selection handles
//   and the hover highlight.
inline constexpr std::int32_t kExportClip = 1;
inline constexpr std::int32_t kExportTransparent = 2;
inline constexpr std::int32_t kExportAliased = 4;
inline constexpr std::int32_t kExportAsOnScreen = 8;

// Bitmaps larger than this are refused rather than attempted.
inline constexpr std::int64_t kMaxExportSide = 16384;
inline constexpr std::int64_t kMaxExportPixels = 64LL * 1024 * 1024;

struct ExportRequest {
  PictureType type = PictureType::Png;
  // The logical area that the picture shows.
  Box area;
  // Pixels a logical unit, for bitmaps; vector formats keep the geometry
  // and take the same size.
  double scaleX = 1;
  double scaleY = 1;
  std::int32_t options = 0;
  // The object under the mouse, for an export as on screen.
  int hovered = 0;
};

// Writes the drawing in the request's type. Every write goes to a temporary
// file that replaces the target only once it is complete, so a failed save
// leaves the file that was there untouched. False with error saying why.
bool SavePictureFile(const Drawing& drawing, const ExportRequest& request, const QString& path, std::string& error);

// Reads a drawing file. A file that is missing, unreadable, or not a
// complete drawing file of a version this control reads gives nothing, with
// error saying why.
std::optional<Drawing> LoadDrawingFile(const QString& path, std::string& error);

// Writes a file through write(device, error) and puts it in place only when
// write and the commit succeed; otherwise the old file stays as it was.
bool WriteAtomically(const QString& path, const std::function<bool(QIODevice&, std::string&)>& write,
                     std::string& error);

} // namespace canvas

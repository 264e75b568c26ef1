#pragma once

#include "canvas/DrawingObject.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace canvas {

// The values that the control accepts, shared by its automation surface
// and its drawing file, so that a value refused from a client is refused
// from a file as well.
struct ValueRange {
  std::int64_t low;
  std::int64_t high;
  bool Contains(std::int64_t value) const { return value >= low && value <= high; }
};

inline constexpr ValueRange kColourRange{0, 0xFFFFFF};
inline constexpr ValueRange kLineStyleRange{0, 5};
inline constexpr ValueRange kFillStyleRange{0, 7};
inline constexpr ValueRange kLineWidthRange{0, 10000};
inline constexpr ValueRange kFontSizeRange{1, 1000};
inline constexpr ValueRange kFontOrientationRange{-3600, 3600};
inline constexpr ValueRange kTextStyleRange{0, 3};
inline constexpr ValueRange kAlignmentRange{0, 2};
inline constexpr ValueRange kFlagsRange{0, 15};
inline constexpr ValueRange kLinkStyleRange{0, 2};
inline constexpr ValueRange kLinkSizeRange{0, 10000};
inline constexpr ValueRange kLinkLabelRange{0, 1};
inline constexpr ValueRange kGradientStyleRange{0, 4};
inline constexpr ValueRange kSwitchRange{0, 1};
// Logical coordinates stay well inside 32 bits, so that sums and sizes of
// them do too.
inline constexpr double kCoordinateLimit = 1e9;
inline constexpr ValueRange kCoordinateRange{-1000000000, 1000000000};
inline constexpr ValueRange kPageSizeRange{1, 1000000000};
// The zoom factor, the picture's pixel size and its size on paper in
// millimetres.
inline constexpr double kMinZoom = 0.001;
inline constexpr double kMaxZoom = 1000;
inline constexpr double kMaxPixelSize = 1e9;
inline constexpr double kMaxPaperSize = 1e6;

// Empty when value lies in range, else a sentence for the client, such as
// "LineStyle must lie between 0 and 5; 9 is refused."
std::string RangeProblem(std::string_view what, std::int64_t value, ValueRange range);
// Empty when value is one of allowed, else "EditMode takes 0, 1, ...; 12 is
// refused."
std::string ChoiceProblem(std::string_view what, std::int64_t value, std::initializer_list<std::int32_t> allowed);
// The same for a real that must be finite and lie in [low, high].
std::string RealProblem(std::string_view what, double value, double low, double high);
// The same for a logical coordinate.
std::string CoordinateProblem(std::string_view what, double value);
// Empty when an object of the kind may have that many points: a line and a
// link exactly 2, a polyline at least 2, a polygon at least 3; box kinds
// have none.
std::string PointCountProblem(ObjectKind kind, std::size_t count);

} // namespace canvas

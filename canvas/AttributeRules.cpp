#include "canvas/AttributeRules.h"

#include "platform/ole/Variant.h"

#include <cmath>

namespace canvas {

std::string RangeProblem(std::string_view what, std::int64_t value, ValueRange range) {
  if (range.Contains(value)) {
    return {};
  }
  return std::string(what) + " must lie between " + std::to_string(range.low) + " and " +
         std::to_string(range.high) + "; " + std::to_string(value) + " is refused.";
}

std::string ChoiceProblem(std::string_view what, std::int64_t value, std::initializer_list<std::int32_t> allowed) {
  std::string list;
  for (const std::int32_t choice : allowed) {
    if (choice == value) {
      return {};
    }
    list += (list.empty() ? "" : ", ") + std::to_string(choice);
  }
  return std::string(what) + " takes " + list + "; " + std::to_string(value) + " is refused.";
}

std::string RealProblem(std::string_view what, double value, double low, double high) {
  if (std::isfinite(value) && value >= low && value <= high) {
    return {};
  }
  return std::string(what) + " must lie between " + ole::RealToText(low) + " and " + ole::RealToText(high) +
         "; " + ole::RealToText(value) + " is refused.";
}

std::string CoordinateProblem(std::string_view what, double value) {
  return RealProblem(what, value, -kCoordinateLimit, kCoordinateLimit);
}

std::string PointCountProblem(ObjectKind kind, std::size_t count) {
  std::size_t least = 0;
  std::size_t most = 0;
  switch (kind) {
  case ObjectKind::Line:
  case ObjectKind::Link:
    least = most = 2;
    break;
  case ObjectKind::Polyline:
    least = 2;
    most = SIZE_MAX;
    break;
  case ObjectKind::Polygon:
    least = 3;
    most = SIZE_MAX;
    break;
  default:
    break;
  }
  if (count >= least && count <= most) {
    return {};
  }
  const std::string wanted = least == most ? std::to_string(least) : "at least " + std::to_string(least);
  return "An object of kind " + std::to_string(static_cast<int>(kind)) + " takes " + wanted + " points, not " +
         std::to_string(count) + ".";
}

} // namespace canvas

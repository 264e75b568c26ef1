#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace canvas {

// A colour laid out as 0x00BBGGRR: red in the low byte.
using Colour = std::int32_t;

// A point and a box in logical units: origin top left, y growing downward.
// Geometry is kept in doubles so that rotations and proportional resizes
// lose nothing; the automation surface hands out whole numbers.
struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// left <= right and top <= bottom.
struct Box {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  Point Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
  bool Contains(Point p) const { return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
  bool Meets(const Box& other) const {
    return left <= other.right && other.left <= right && top <= other.bottom && other.top <= bottom;
  }
  Box Inflated(double margin) const { return {left - margin, top - margin, right + margin, bottom + margin}; }
  Box United(const Box& other) const;
  // The box spanned by two corners given in any order.
  static Box Spanning(Point a, Point b);
  friend bool operator==(const Box&, const Box&) = default;
};

// A logical value handed out as a whole number: rounded to the nearest,
// held within 32 bits.
std::int32_t Whole(double value);

// The kinds of object, numbered as the automation surface numbers them.
enum class ObjectKind : int {
  Line = 1,
  Rectangle = 2,
  RoundedRectangle = 3,
  Ellipse = 4,
  Arc = 5,
  Sector = 6,
  Chord = 7,
  Polyline = 8,
  Polygon = 9,
  Text = 10,
  // A connector line between two points with an arrowhead.
  Link = 22,
};

bool IsObjectKind(int code);
// Line, polyline, polygon and link are made of points; the others fill a box.
bool IsPointKind(ObjectKind kind);

// Line styles: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
// A width of 0 is the thinnest line the device can draw; other widths are
// logical units and scale with the view.
struct LineAttributes {
  Colour colour = 0x000000;
  std::int32_t width = 1;
  std::int32_t style = 0;
  friend bool operator==(const LineAttributes&, const LineAttributes&) = default;
};

// Fill styles: 0 solid, 1 none (transparent), 2 horizontal lines,
// 3 vertical lines, 4 upward diagonals, 5 downward diagonals, 6 cross,
// 7 diagonal cross.
struct FillAttributes {
  Colour colour = 0xFFFFFF;
  std::int32_t style = 0;
  friend bool operator==(const FillAttributes&, const FillAttributes&) = default;
};

inline constexpr std::int32_t kFillNone = 1;
inline constexpr std::int32_t kLineNone = 5;

// The drawing's measure: a logical unit is a tenth of a millimetre, so the
// default page of 1000 units is 10 cm square and, fitted into the demo
// window's first size, shows at about its size on paper; text of 12 points
// then reads as 12-point text.
inline constexpr double kMillimetresPerUnit = 0.1;
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kPointsPerInch = 72;

// The height of a font of so many points, in logical units.
inline constexpr double UnitsForPoints(double points) {
  return points / kPointsPerInch * kMillimetresPerInch / kMillimetresPerUnit;
}

// What a text object (kind 10) shows. The font size is in points of
// 1/72 inch of the drawing's measure, so it scales with the view as the
// rest of the drawing does. The orientation is in tenths of a
// degree, counterclockwise. Style flags: 1 frame, 2 word wrap inside the
// box. Alignments: horizontal 0 left, 1 centre, 2 right; vertical 0 top,
// 1 centre, 2 bottom.
struct TextAttributes {
  std::string text;
  std::string fontName = "Arial";
  std::int32_t fontSize = 10;
  bool bold = false;
  std::int32_t orientation = 0;
  Colour colour = 0x000000;
  std::int32_t style = 0;
  std::int32_t horizontalAlignment = 0;
  std::int32_t verticalAlignment = 0;
  friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

inline constexpr std::int32_t kTextFrame = 1;
inline constexpr std::int32_t kTextWordWrap = 2;

// The arrowheads of a link (kind 22): style 0 none, 1 at the end point,
// 2 at both ends; their length along the line and width across it in
// logical units. label 1 writes the link's tag at its middle.
struct LinkAttributes {
  std::int32_t style = 1;
  std::int32_t length = 20;
  std::int32_t width = 15;
  std::int32_t label = 0;
  friend bool operator==(const LinkAttributes&, const LinkAttributes&) = default;
};

struct NamedTag {
  std::string name;
  std::string value;
  friend bool operator==(const NamedTag&, const NamedTag&) = default;
};

// Hot-spot flags: 1 hot-spot events, 2 a click fires "HitObject", 4 hand
// cursor, 8 hover highlight.
inline constexpr std::int32_t kHotSpotEvents = 1;
inline constexpr std::int32_t kHotSpotClick = 2;
inline constexpr std::int32_t kHotSpotHandCursor = 4;
inline constexpr std::int32_t kHotSpotHighlight = 8;

// Move flags, which guard an object against the mouse and the keyboard:
// 1 cannot be selected, 2 cannot be moved, 4 cannot be resized, 8 cannot be
// deleted. The automation client itself may still do all of these.
inline constexpr std::int32_t kMoveNoSelect = 1;
inline constexpr std::int32_t kMoveNoMove = 2;
inline constexpr std::int32_t kMoveNoResize = 4;
inline constexpr std::int32_t kMoveNoDelete = 8;

// One object of a drawing. Objects of a point kind keep their shape in
// points (a line and a link have exactly two) and their box is the box
// around those points; the other kinds are drawn in their box, turned by
// rotation degrees counterclockwise about its centre.
struct DrawingObject {
  ObjectKind kind = ObjectKind::Rectangle;
  Box box;
  std::vector<Point> points;
  double rotation = 0;
  LineAttributes line;
  FillAttributes fill;
  TextAttributes text;
  LinkAttributes link;
  std::string tag;
  std::vector<NamedTag> tags;
  std::int32_t hotSpot = 0;
  std::int32_t move = 0;
  // Whether the object shows its hover highlight while the mouse is over it.
  bool highlight = true;
  bool selected = false;
  // A number the automation client keeps with the object; not interpreted.
  std::int32_t status = 0;

  friend bool operator==(const DrawingObject&, const DrawingObject&) = default;
};

// Whether the object shows a highlight while the mouse is over it.
inline bool ShowsHoverHighlight(const DrawingObject& object) {
  return (object.hotSpot & kHotSpotHighlight) != 0 && object.highlight;
}

// A new object of a kind in the box spanned by (x1, y1) and (x2, y2): a line
// or link runs from the first corner to the second, a polyline starts as the
// box's diagonal and a polygon as its outline; text objects start without
// fill.
DrawingObject MakeObject(ObjectKind kind, Point first, Point second, const LineAttributes& line,
                         const FillAttributes& fill);

// The smallest box around the points; an empty box for none.
Box BoxAround(const std::vector<Point>& points);

// Recomputes the box of a point kind from its points.
void FitBoxToPoints(DrawingObject& object);

} // namespace canvas

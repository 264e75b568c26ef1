#pragma once

#include "canvas/DrawingObject.h"

#include <array>

class QPainterPath;

namespace canvas {

// Arcs, sectors and chords drawn in a box run counterclockwise from 45
// degrees (the upper right of the box) through 270 degrees: the arc is an
// open curve, the sector a slice with its two radii, the chord a segment
// closed by a straight line, so the three look different.
inline constexpr double kArcStartDegrees = 45;
inline constexpr double kArcSpanDegrees = 270;
// The corners of a rounded rectangle have this share of its shorter side as
// their radius.
inline constexpr double kCornerRadiusShare = 0.2;

// Whether the kind encloses an area that a fill can cover.
bool IsClosedKind(ObjectKind kind);

// p turned by degrees counterclockwise (as seen on screen) about centre.
Point Turned(Point p, Point centre, double degrees);

// The three corners of an arrowhead whose tip lies at tip, pointing away
// from from: the tip, then the two barbs.
std::array<Point, 3> ArrowHead(Point tip, Point from, double length, double width);

// The box that holds everything the object paints: its shape, half its
// line, its arrowheads, turned by its rotation.
Box ExtentOf(const DrawingObject& object);

// The object's outline in logical units, rotation applied, as a path whose
// fill rule is the one the object is painted with.
QPainterPath ShapePathOf(const DrawingObject& object);

// Whether a point lies on the object as it is drawn: inside a filled shape,
// or within tolerance (plus half the line) of a line or an outline. A click
// inside an ellipse's box but outside the ellipse misses it; an unfilled
// shape is hit on its outline only; a text object anywhere in its box.
bool HitsShape(const DrawingObject& object, Point p, double tolerance);

// The box that selection handles frame: the object's box, or for a turned
// box kind the extent of the turned shape.
Box SelectionFrameOf(const DrawingObject& object);

// Where an object lies and what shape it has: what moving and resizing
// change, and all that undoing them restores.
struct Geometry {
  Box box;
  std::vector<Point> points;
  double rotation = 0;
  friend bool operator==(const Geometry&, const Geometry&) = default;
};
Geometry GeometryOf(const DrawingObject& object);
void SetGeometry(DrawingObject& object, const Geometry& geometry);

void Translate(DrawingObject& object, double dx, double dy);
// Maps the object proportionally from one box to another; a side of zero
// length lands in the middle of the new one.
void MapBetweenBoxes(DrawingObject& object, const Box& from, const Box& to);
// Turns the object by degrees counterclockwise about centre: the points of
// a point kind turn, a box kind turns its box's centre and adds to its
// rotation.
void Rotate(DrawingObject& object, double degrees, Point centre);

} // namespace canvas

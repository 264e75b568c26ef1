#include "canvas/Drawing.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

namespace canvas {
namespace {

DrawingObject Shape(ObjectKind kind, Box box, std::int32_t fillStyle = 0, std::int32_t lineWidth = 1) {
  DrawingObject object = MakeObject(kind, {box.left, box.top}, {box.right, box.bottom}, {0, lineWidth, 0},
                                    {0xFFFFFF, fillStyle});
  return object;
}

TEST(DrawingTest, NumbersObjectsInOrderAndClosesTheGapWhenOneIsRemoved) {
  Drawing drawing;
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(drawing.Add(Shape(ObjectKind::Rectangle, {i * 10.0, 0, i * 10.0 + 5, 5})), i + 1);
  }
  drawing.Remove(2);
  ASSERT_EQ(drawing.Count(), 3);
  EXPECT_EQ(drawing.Object(2).box.left, 20) << "the third object moved down to number 2";
  EXPECT_EQ(drawing.TopmostAt({22, 2}, 0, true), 2) << "the index follows the renumbering";
  EXPECT_EQ(drawing.TopmostAt({12, 2}, 0, true), 0) << "the removed object is gone from the index";
}

TEST(DrawingTest, TheTopmostObjectWinsAHit) {
  Drawing drawing;
  drawing.Add(Shape(ObjectKind::Rectangle, {0, 0, 100, 100}));
  drawing.Add(Shape(ObjectKind::Rectangle, {50, 50, 150, 150}));
  EXPECT_EQ(drawing.TopmostAt({75, 75}, 0, true), 2);
  EXPECT_EQ(drawing.TopmostAt({25, 25}, 0, true), 1);
  EXPECT_EQ(drawing.TopmostAt({125, 25}, 0, true), 0);
}

struct HitCase {
  const char* what;
  DrawingObject object;
  Point at;
  double tolerance;
  bool byShape;
  bool hits;
};

void PrintTo(const HitCase& hit, std::ostream* out) { *out << hit.what; }

class HitByShapeTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitByShapeTest, HitsWhereTheShapeIsDrawn) {
  const HitCase& hit = GetParam();
  Drawing drawing;
  drawing.Add(hit.object);
  EXPECT_EQ(drawing.TopmostAt(hit.at, hit.tolerance, hit.byShape) == 1, hit.hits) << hit.what;
}

DrawingObject LineFrom(Point a, Point b, std::int32_t width = 1) {
  return MakeObject(ObjectKind::Line, a, b, {0, width, 0}, {});
}

DrawingObject Turned(DrawingObject object, double degrees) {
  Rotate(object, degrees, object.box.Centre());
  return object;
}

DrawingObject Star() {
  DrawingObject star = Shape(ObjectKind::Polygon, {820, 100, 890, 400});
  star.points = {{855, 100}, {890, 400}, {820, 200}, {890, 200}, {820, 400}, {855, 100}};
  FitBoxToPoints(star);
  return star;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, HitByShapeTest,
    testing::Values(
        HitCase{"inside a filled ellipse", Shape(ObjectKind::Ellipse, {0, 0, 100, 100}), {50, 50}, 0, true, true},
        HitCase{"ellipse box corner misses", Shape(ObjectKind::Ellipse, {0, 0, 100, 100}), {5, 5}, 1, true, false},
        HitCase{"ellipse box corner hits by box", Shape(ObjectKind::Ellipse, {0, 0, 100, 100}), {5, 5}, 1, false,
                true},
        HitCase{"inside an unfilled rectangle misses", Shape(ObjectKind::Rectangle, {0, 0, 100, 100}, kFillNone),
                {50, 50}, 3, true, false},
        HitCase{"on an unfilled rectangle's edge", Shape(ObjectKind::Rectangle, {0, 0, 100, 100}, kFillNone),
                {50, 2}, 3, true, true},
        HitCase{"near a line", LineFrom({0, 0}, {100, 100}), {52, 48}, 3, true, true},
        HitCase{"beside a line", LineFrom({0, 0}, {100, 100}), {60, 40}, 3, true, false},
        HitCase{"past a line's end", LineFrom({0, 0}, {100, 100}), {106, 106}, 3, true, false},
        HitCase{"a thick line's half width counts", LineFrom({0, 50}, {100, 50}, 20), {50, 58}, 1, true, true},
        HitCase{"the star's centre is filled", Star(), {855, 260}, 0, true, true},
        HitCase{"between the star's points", Star(), {825, 120}, 1, true, false},
        HitCase{"a turned rectangle's corner region", Turned(Shape(ObjectKind::Rectangle, {0, 0, 100, 10}), 90),
                {10, 2}, 0, true, false},
        HitCase{"a turned rectangle where it turned to", Turned(Shape(ObjectKind::Rectangle, {0, 0, 100, 10}), 90),
                {50, 50}, 0, true, true},
        HitCase{"the open side of an arc", Shape(ObjectKind::Arc, {0, 0, 100, 100}), {50, 50}, 3, true, false},
        HitCase{"on an arc's curve", Shape(ObjectKind::Arc, {0, 0, 100, 100}), {0, 50}, 3, true, true},
        HitCase{"the slice cut from a sector", Shape(ObjectKind::Sector, {0, 0, 100, 100}), {80, 40}, 0, true,
                false},
        HitCase{"inside a sector", Shape(ObjectKind::Sector, {0, 0, 100, 100}), {30, 60}, 0, true, true},
        HitCase{"anywhere in a text box", Shape(ObjectKind::Text, {0, 0, 100, 40}), {90, 35}, 0, true, true}));

TEST(DrawingTest, TheIndexFindsWhatAFullSearchFinds) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> position(-500, 5000);
  std::uniform_real_distribution<double> size(0, 300);
  Drawing drawing;
  const auto randomBox = [&] {
    const double left = position(random);
    const double top = position(random);
    // Now and then one far larger than the rest, which the index keeps apart.
    const double scale = random() % 50 == 0 ? 20 : 1;
    return Box{left, top, left + scale * size(random), top + scale * size(random)};
  };
  for (int i = 0; i < 2000; ++i) {
    drawing.Add(Shape(static_cast<ObjectKind>(1 + i % 9), randomBox()));
    if (i % 97 == 0 && drawing.Count() > 3) {
      drawing.Remove(drawing.Count() / 2);
    }
    if (i % 13 == 0) {
      drawing.Edit(1 + i % drawing.Count(), [&](DrawingObject& o) { Translate(o, size(random), -size(random)); });
    }
  }
  for (int query = 0; query < 300; ++query) {
    const Box area = randomBox();
    std::vector<int> expected;
    for (int number = 1; number <= drawing.Count(); ++number) {
      if (ExtentOf(drawing.Object(number)).Meets(area)) {
        expected.push_back(number);
      }
    }
    ASSERT_EQ(drawing.ObjectsMeeting(area), expected) << "query " << query;
  }
}

TEST(DrawingTest, RotatingAboutACommonCentreAndBackRestoresTheObjects) {
  DrawingObject rectangle = Shape(ObjectKind::Rectangle, {0, 0, 100, 50});
  DrawingObject polyline = Shape(ObjectKind::Polyline, {200, 0, 300, 80});
  const DrawingObject originals[] = {rectangle, polyline};
  const Point centre{150, 40};
  for (DrawingObject* object : {&rectangle, &polyline}) {
    Rotate(*object, 90, centre);
  }
  EXPECT_NEAR(rectangle.box.Centre().x, 150 - 15, 1e-9) << "the box's centre turned about the common centre";
  EXPECT_NEAR(rectangle.box.Centre().y, 40 + 100, 1e-9);
  EXPECT_EQ(rectangle.rotation, 90);
  EXPECT_NEAR(polyline.points[0].x, 110, 1e-9) << "points turn counterclockwise on screen";
  EXPECT_NEAR(polyline.points[0].y, -10, 1e-9);
  for (DrawingObject* object : {&rectangle, &polyline}) {
    Rotate(*object, -90, centre);
  }
  EXPECT_NEAR(rectangle.box.left, originals[0].box.left, 1e-9);
  EXPECT_NEAR(rectangle.rotation, 0, 1e-9);
  EXPECT_NEAR(polyline.points[1].y, originals[1].points[1].y, 1e-9);
}

TEST(DrawingTest, MappingBetweenBoxesScalesPointsAndBoxes) {
  DrawingObject polygon = Shape(ObjectKind::Polygon, {0, 0, 100, 100});
  MapBetweenBoxes(polygon, polygon.box, {100, 200, 150, 400});
  EXPECT_EQ(polygon.box, (Box{100, 200, 150, 400}));
  EXPECT_EQ(polygon.points[1], (Point{150, 200}));

  DrawingObject vertical = LineFrom({10, 0}, {10, 100});
  MapBetweenBoxes(vertical, vertical.box, {0, 0, 40, 50});
  EXPECT_EQ(vertical.points[0], (Point{20, 0})) << "a side of zero length lands in the middle";
}

TEST(DrawingTest, EveryChangeOfTheObjectsGivesARevisionNoDrawingHadBefore) {
  Drawing drawing;
  drawing.Add(Shape(ObjectKind::Rectangle, {0, 0, 10, 10}));
  drawing.Add(Shape(ObjectKind::Ellipse, {20, 0, 30, 10}));
  Drawing other = drawing;
  EXPECT_EQ(other.Revision(), drawing.Revision()) << "a copy has the same objects";

  const std::vector<std::pair<const char*, std::function<void(Drawing&)>>> changes = {
      {"add", [](Drawing& d) { d.Add(Shape(ObjectKind::Line, {0, 0, 5, 5})); }},
      {"insert", [](Drawing& d) { d.Insert(1, Shape(ObjectKind::Line, {0, 0, 5, 5})); }},
      {"edit", [](Drawing& d) { d.Edit(1, [](DrawingObject& o) { o.selected = true; }); }},
      {"remove", [](Drawing& d) { d.Remove(1); }},
      {"append", [&](Drawing& d) { d.Append(other); }},
      {"clear", [](Drawing& d) { d.Clear(); }},
  };
  std::set<std::uint64_t> seen = {drawing.Revision()};
  for (const auto& [what, change] : changes) {
    change(drawing);
    EXPECT_TRUE(seen.insert(drawing.Revision()).second) << what;
    Drawing copy = other;
    change(copy);
    EXPECT_TRUE(seen.insert(copy.Revision()).second) << what << " on a copy";
  }
  drawing.Picture().zoom = 2;
  EXPECT_TRUE(seen.count(drawing.Revision())) << "the picture settings are not part of it";
}

} // namespace
} // namespace canvas

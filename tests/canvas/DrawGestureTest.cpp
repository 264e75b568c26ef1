#include "ViewFixture.h"

#include <QImage>

namespace canvas {
namespace {

using namespace canvas::driver;

class DrawGestureTest : public ViewFixture {
protected:
  void SetUp() override {
    ViewFixture::SetUp();
    // The demo's caption, current, which drawing must leave current.
    control_.Add(10, 10, 10, 300, 60);
    control_.Set("Current", 4);
    control_.Set("FillColor", 0x0000FF);
    control_.Set("LineColor", 0x00FF00);
    control_.Set("LineWidth", 3);
    control_.Set("LineStyle", 1);
  }

  // The object drawn last, checked for the attributes for new objects.
  const DrawingObject& Drawn1() {
    const DrawingObject& object = Drawn().Object(Drawn().Count());
    EXPECT_EQ(object.fill, (FillAttributes{0x0000FF, 0}));
    EXPECT_EQ(object.line, (LineAttributes{0x00FF00, 3, 1}));
    EXPECT_FALSE(object.selected);
    return object;
  }
};

struct DragCase {
  int kind;
  Point from;
  Point to;
  Qt::KeyboardModifiers modifiers;
  Box box;
  std::vector<Point> points;
};

void PrintTo(const DragCase& c, std::ostream* out) {
  *out << "kind " << c.kind << (c.modifiers != Qt::NoModifier ? " with Shift" : "");
}

class DragKindTest : public DrawGestureTest, public testing::WithParamInterface<DragCase> {};

TEST_P(DragKindTest, LandsWithItsKindBoxPointsAndTheAttributesForNewObjects) {
  const DragCase& c = GetParam();
  control_.Set("EditMode", c.kind);
  Drag(At(c.from.x, c.from.y), At(c.to.x, c.to.y), c.modifiers);
  ASSERT_EQ(Drawn().Count(), 2);
  const DrawingObject& object = Drawn1();
  EXPECT_EQ(static_cast<int>(object.kind), c.kind);
  EXPECT_EQ(object.box, c.box);
  EXPECT_EQ(object.points, c.points);
  EXPECT_EQ(control_.Long("ObjNumber"), 1) << "drawing leaves the current object alone";
  EXPECT_EQ(control_.Long("EditMode"), c.kind) << "the mode stays for the next one";
  Drag(At(600, 600), At(700, 700), c.modifiers);
  EXPECT_EQ(Drawn().Count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, DragKindTest,
    testing::Values(DragCase{1, {300, 400}, {100, 200}, {}, {100, 200, 300, 400}, {{300, 400}, {100, 200}}},
                    DragCase{2, {100, 200}, {300, 500}, {}, {100, 200, 300, 500}, {}},
                    DragCase{3, {300, 500}, {100, 200}, {}, {100, 200, 300, 500}, {}},
                    DragCase{4, {100, 200}, {300, 500}, {}, {100, 200, 300, 500}, {}},
                    DragCase{5, {100, 200}, {300, 500}, {}, {100, 200, 300, 500}, {}},
                    DragCase{6, {100, 200}, {300, 500}, {}, {100, 200, 300, 500}, {}},
                    DragCase{7, {100, 200}, {300, 500}, {}, {100, 200, 300, 500}, {}},
                    // Shift: a square, a circle, a line along an axis or a diagonal.
                    DragCase{2, {100, 200}, {300, 320}, Qt::ShiftModifier, {100, 200, 300, 400}, {}},
                    DragCase{4, {300, 400}, {220, 100}, Qt::ShiftModifier, {0, 100, 300, 400}, {}},
                    DragCase{1, {100, 200}, {400, 240}, Qt::ShiftModifier, {100, 200, 400, 200}, {{100, 200}, {400, 200}}},
                    DragCase{1, {100, 200}, {300, 380}, Qt::ShiftModifier, {100, 200, 290, 390}, {{100, 200}, {290, 390}}},
                    DragCase{1, {300, 400}, {280, 100}, Qt::ShiftModifier, {300, 100, 300, 400}, {{300, 400}, {300, 100}}}));

TEST_F(DrawGestureTest, AClickWithoutADragMakesNothing) {
  for (int kind = 1; kind <= 7; ++kind) {
    control_.Set("EditMode", kind);
    Click(At(400, 400));
    Drag(At(400, 400), At(402, 404));
  }
  EXPECT_EQ(Drawn().Count(), 1);
}

TEST_F(DrawGestureTest, ShowsTheObjectLiveWhileDraggingAndEscCancelsIt) {
  control_.Set("EditMode", 2);
  Press(At(200, 200));
  DragTo(At(600, 600));
  EXPECT_EQ(View().grab().toImage().pixelColor(At(400, 400)), QColor(Qt::red)) << "the preview";
  Key(Qt::Key_Escape);
  EXPECT_EQ(View().grab().toImage().pixelColor(At(400, 400)), QColor(Qt::white));
  Release(At(600, 600));
  EXPECT_EQ(Drawn().Count(), 1);
}

TEST_F(DrawGestureTest, APolygonTakesAVertexPerClickAndEndsWithADoubleClick) {
  control_.Set("EditMode", 9);
  Click(At(100, 100));
  Click(At(500, 100));
  Hover(At(500, 500));
  EXPECT_NE(View().grab().toImage().pixelColor(At(500, 300)), QColor(Qt::white)) << "the rubber line to the pointer";
  Click(At(500, 500));
  DoubleClick(At(100, 500));
  ASSERT_EQ(Drawn().Count(), 2);
  const DrawingObject& polygon = Drawn1();
  EXPECT_EQ(polygon.kind, ObjectKind::Polygon);
  EXPECT_EQ(polygon.points, (std::vector<Point>{{100, 100}, {500, 100}, {500, 500}, {100, 500}}));
  EXPECT_EQ(polygon.box, (Box{100, 100, 500, 500}));
  EXPECT_EQ(control_.Long("ObjNumber"), 1);
}

TEST_F(DrawGestureTest, EnterAndARightPressEndAShapeKeepingItOnlyWithEnoughPoints) {
  struct Case {
    int kind;
    int vertices;
    int endKey;  // 0: a right press
    bool kept;
  };
  const Case cases[] = {{8, 2, Qt::Key_Return, true}, {8, 2, 0, true},  {8, 1, 0, false},
                        {9, 3, Qt::Key_Enter, true},  {9, 2, 0, false}, {9, 3, 0, true},
                        {8, 3, Qt::Key_Escape, false}};
  int expected = 1;
  for (const Case& c : cases) {
    control_.Set("EditMode", c.kind);
    for (int i = 0; i < c.vertices; ++i) {
      Click(At(100 + 200 * i, 300 + 100 * (i % 2)));
    }
    if (c.endKey != 0) {
      Key(c.endKey);
    } else {
      Click(At(900, 900), Qt::RightButton);
    }
    expected += c.kept ? 1 : 0;
    ASSERT_EQ(Drawn().Count(), expected) << "kind " << c.kind << ", " << c.vertices << " vertices, key " << c.endKey;
    if (c.kept) {
      EXPECT_EQ(Drawn1().points.size(), static_cast<std::size_t>(c.vertices));
    }
  }
}

TEST_F(DrawGestureTest, ShiftKeepsEachSegmentAtAMultipleOf45Degrees) {
  control_.Set("EditMode", 8);
  Click(At(100, 100));
  Click(At(400, 140), Qt::LeftButton, Qt::ShiftModifier);
  Click(At(460, 400), Qt::LeftButton, Qt::ShiftModifier);
  Key(Qt::Key_Return);
  ASSERT_EQ(Drawn().Count(), 2);
  EXPECT_EQ(Drawn1().points, (std::vector<Point>{{100, 100}, {400, 100}, {400, 400}}));
}

TEST_F(DrawGestureTest, FollowsTheZoomAndTheScrollOffsets) {
  control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(2)});
  control_.InvokeId(7, ole::DISPATCH_METHOD, {R8(100)});
  control_.Set("EditMode", 2);
  // Half scale zoomed twice: a pixel a unit, from x = 100 on.
  Drag(QPoint(100, 200), QPoint(300, 250));
  ASSERT_EQ(Drawn().Count(), 2);
  EXPECT_EQ(Drawn1().box, (Box{200, 200, 400, 250}));
}

TEST_F(DrawGestureTest, ChangingTheModeCancelsTheShapeInProgress) {
  control_.Set("EditMode", 8);
  Click(At(100, 100));
  Click(At(300, 300));
  control_.Set("EditMode", 0);
  Key(Qt::Key_Return);
  Click(At(500, 500));
  EXPECT_EQ(Drawn().Count(), 1);
}

} // namespace
} // namespace canvas

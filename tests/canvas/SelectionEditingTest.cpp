#include "ViewFixture.h"

namespace canvas {
namespace {

using namespace canvas::driver;

class SelectionEditingTest : public ViewFixture {
protected:
  // Rectangles side by side, 200 wide, from x = 100 on, with a gap of 100.
  void AddRectangles(int count) {
    for (int i = 0; i < count; ++i) {
      control_.Add(2, 100 + 300 * i, 100, 300 + 300 * i, 300);
    }
  }
  std::vector<int> Selected() {
    std::vector<int> numbers;
    for (int number = 1; number <= Drawn().Count(); ++number) {
      if (Drawn().Object(number).selected) {
        numbers.push_back(number);
      }
    }
    return numbers;
  }
  const Box& BoxOf(int number) { return Drawn().Object(number).box; }
};

TEST_F(SelectionEditingTest, ClickShiftClickRubberBandAndEscChooseTheSelection) {
  AddRectangles(3);
  control_.Set("EditMode", 11);
  Click(At(200, 200));
  EXPECT_EQ(Selected(), (std::vector<int>{1}));
  Click(At(500, 200));
  EXPECT_EQ(Selected(), (std::vector<int>{2})) << "a click selects one object";
  Click(At(800, 200), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2, 3}));
  Click(At(500, 200), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{3})) << "Shift-click removes a selected one";
  Click(At(500, 600));
  EXPECT_TRUE(Selected().empty()) << "a click on empty space clears";

  Drag(At(50, 50), At(650, 350));
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2})) << "only what lies wholly inside the band";
  Drag(At(650, 50), At(950, 350), Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3})) << "Shift adds the band to the selection";
  control_.Set("ObjNumber", 2);
  control_.Set("ObjMove", 1);
  Drag(At(50, 50), At(950, 350));
  EXPECT_EQ(Selected(), (std::vector<int>{1, 3})) << "ObjMove 1 cannot be selected";
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectionEditingTest, SelectModeSelectsOneObjectAndMovesNothing) {
  AddRectangles(2);
  Click(At(200, 200));
  Drag(At(500, 200), At(500, 600), Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{2}));
  EXPECT_EQ(BoxOf(2), (Box{400, 100, 600, 300}));
  Key(Qt::Key_Delete);
  Key(Qt::Key_Right);
  EXPECT_EQ(Drawn().Count(), 2);
  EXPECT_EQ(BoxOf(2), (Box{400, 100, 600, 300}));
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectionEditingTest, DraggingASelectedObjectMovesTheWholeSelection) {
  AddRectangles(3);
  control_.Set("EditMode", 11);
  Click(At(200, 200));
  Click(At(500, 200), Qt::LeftButton, Qt::ShiftModifier);
  Drag(At(500, 200), At(540, 500));
  EXPECT_EQ(BoxOf(1), (Box{140, 400, 340, 600}));
  EXPECT_EQ(BoxOf(2), (Box{440, 400, 640, 600}));
  EXPECT_EQ(BoxOf(3), (Box{700, 100, 900, 300}));
  Drag(At(800, 200), At(800, 600));
  EXPECT_EQ(Selected(), (std::vector<int>{3})) << "a drag on an unselected object selects it first";
  EXPECT_EQ(BoxOf(3), (Box{700, 500, 900, 700}));
}

TEST_F(SelectionEditingTest, HandlesResizeAgainstTheOppositeSide) {
  control_.Add(2, 200, 200, 400, 400);
  control_.Add(8, 500, 500, 700, 700);
  control_.Set("EditMode", 11);
  Click(At(300, 300));
  Drag(At(400, 400), At(500, 600));
  EXPECT_EQ(BoxOf(1), (Box{200, 200, 500, 600}));
  Drag(At(200, 400), At(100, 400));
  EXPECT_EQ(BoxOf(1), (Box{100, 200, 500, 600})) << "a side handle changes one side";
  Click(At(600, 600));
  Drag(At(600, 500), At(600, 300));
  EXPECT_EQ(Drawn().Object(2).points, (std::vector<Point>{{500, 300}, {700, 700}})) << "points follow their box";
}

struct GuardCase {
  std::int32_t objMove;
  std::int32_t editFlags;
  bool moves;
  bool resizes;
  bool deletes;
};

void PrintTo(const GuardCase& c, std::ostream* out) { *out << "ObjMove " << c.objMove << ", EditFlags " << c.editFlags; }

class GuardTest : public SelectionEditingTest, public testing::WithParamInterface<GuardCase> {};

TEST_P(GuardTest, MovingResizingAndDeletingObeyObjMoveAndEditFlags) {
  const GuardCase& c = GetParam();
  control_.Add(2, 200, 200, 400, 400);
  control_.Set("ObjMove", c.objMove);
  control_.Set("EditFlags", c.editFlags);
  control_.Set("EditMode", 11);
  Click(At(300, 300));
  ASSERT_EQ(Selected(), (std::vector<int>{1}));

  Drag(At(300, 300), At(340, 300));
  EXPECT_EQ(BoxOf(1).left, c.moves ? 240 : 200) << "drag";
  const double left = BoxOf(1).left;
  Key(Qt::Key_Right);
  EXPECT_EQ(BoxOf(1).left > left, c.moves) << "nudge";

  const Box before = BoxOf(1);
  Drag(At(before.right, before.bottom), At(before.right + 100, before.bottom + 100));
  EXPECT_EQ(BoxOf(1).Height(), before.Height() + (c.resizes ? 100 : 0)) << "resize";

  Key(Qt::Key_Delete);
  EXPECT_EQ(Drawn().Count(), c.deletes ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Guards, GuardTest,
                         testing::Values(GuardCase{0, 15, true, true, true}, GuardCase{2, 15, false, true, true},
                                         GuardCase{4, 15, true, false, true}, GuardCase{8, 15, true, true, false},
                                         GuardCase{14, 15, false, false, false}, GuardCase{0, 14, false, true, true},
                                         GuardCase{0, 13, true, false, true}, GuardCase{0, 11, true, true, false},
                                         GuardCase{0, 0, false, false, false}));

TEST_F(SelectionEditingTest, ArrowKeysNudgeTheSelectionAndShiftNudgesTenTimesAsFar) {
  AddRectangles(2);
  control_.Set("EditMode", 11);
  Click(At(200, 200));
  Key(Qt::Key_Right);
  const double step = BoxOf(1).left - 100;
  EXPECT_GE(step, 1);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(BoxOf(1), (Box{100 + step, 100 + 10 * step, 300 + step, 300 + 10 * step}));
  Key(Qt::Key_Left);
  Key(Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(BoxOf(1), (Box{100, 100, 300, 300}));
  EXPECT_EQ(BoxOf(2), (Box{400, 100, 600, 300})) << "unselected objects stay";
}

TEST_F(SelectionEditingTest, TheDragSettingChoosesLiveObjectsOrOutlines) {
  control_.Add(2, 200, 200, 400, 400);
  control_.Set("EditMode", 11);
  Click(At(300, 300));
  for (const bool live : {true, false}) {
    SetFullWindowDrag(live);
    const Box start = BoxOf(1);
    const QPoint centre = At(start.Centre().x, start.Centre().y);
    const QPoint below = centre + QPoint(0, 100);
    Press(centre);
    DragTo(below);
    EXPECT_EQ(BoxOf(1) != start, live) << (live ? "live" : "outline");
    Release(below);
    EXPECT_EQ(BoxOf(1).top, start.top + 200);
    Press(below);
    DragTo(centre);
    Key(Qt::Key_Escape);
    Release(centre);
    EXPECT_EQ(BoxOf(1).top, start.top + 200) << "Esc puts it back";
  }
}

} // namespace
} // namespace canvas

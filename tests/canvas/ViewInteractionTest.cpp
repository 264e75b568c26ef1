#include "ViewFixture.h"

#include <QImage>
#include <QTest>

namespace canvas {
namespace {

using namespace canvas::driver;

using HoverTest = ViewFixture;

TEST_F(HoverTest, CrossingThreeAdjacentObjectsLeavesEachBeforeEnteringTheNext) {
  for (int i = 0; i < 3; ++i) {
    control_.Add(2, 100 + 200 * i, 100, 300 + 200 * i, 300);
    control_.Set("ObjHotSpot", 1);
  }
  std::vector<int> currentDuring;
  sink_->during = [&](const FiredEvent&) { currentDuring.push_back(control_.Long("ObjNumber")); };
  for (const int x : {60, 200, 400, 600, 760}) {
    Hover(At(x, 200));
  }
  std::vector<std::vector<std::int32_t>> hotSpots;
  for (const FiredEvent& event : sink_->events) {
    EXPECT_EQ(event.name, "OnHotSpot");
    hotSpots.push_back(event.parameters);
  }
  EXPECT_EQ(hotSpots, (std::vector<std::vector<std::int32_t>>{
                          {1, 1, 0}, {1, 1, 1}, {2, 1, 0}, {2, 1, 1}, {3, 1, 0}, {3, 1, 1}}));
  EXPECT_EQ(currentDuring, (std::vector<int>{1, 1, 2, 2, 3, 3})) << "each event's object is current while it fires";
}

TEST_F(HoverTest, FiresOnlyForHotSpotsThatAskAndOnlyWhileHotSpotsAreOn) {
  control_.Add(2, 100, 100, 300, 300);
  control_.Set("ObjHotSpot", 2 | 4 | 8);
  control_.Add(2, 500, 100, 700, 300);
  control_.Set("ObjHotSpot", 1);
  control_.Set("HotSpots", 0);
  Hover(At(600, 200));
  Hover(At(800, 800));
  control_.Set("HotSpots", 1);
  Hover(At(200, 200));
  Hover(At(800, 800));
  EXPECT_TRUE(sink_->events.empty());
  control_.Set("EventMask", 1);
  Hover(At(600, 200));
  EXPECT_TRUE(sink_->events.empty()) << "EventMask without 32";
}

TEST_F(HoverTest, HighlightShowsOnlyWhileOverTheObjectAndWhenObjVisibleSaysSo) {
  control_.Add(2, 200, 200, 400, 400);
  control_.Set("ObjHotSpot", 8);
  control_.Set("LineStyle", 5);
  // Just outside the object's edge, where only the halo reaches.
  const QPoint halo = At(200, 300) - QPoint(2, 0);
  const auto haloShows = [&] { return View().grab().toImage().pixelColor(halo) != QColor(Qt::white); };

  EXPECT_FALSE(haloShows());
  Hover(At(300, 300));
  EXPECT_TRUE(haloShows());
  Hover(At(800, 800));
  EXPECT_FALSE(haloShows()) << "gone as the mouse leaves";
  control_.Set("ObjVisible", 0);
  Hover(At(300, 300));
  EXPECT_FALSE(haloShows()) << "ObjVisible 0";
  control_.Set("ObjVisible", 1);
  EXPECT_TRUE(haloShows());
}

TEST_F(HoverTest, TheCursorSaysWhatAPressWouldDo) {
  control_.Add(2, 100, 100, 300, 300);
  control_.Set("ObjHotSpot", 4);
  control_.Add(2, 500, 500, 700, 700);
  control_.Set("ObjSelected", 1);
  const auto cursorAt = [&](QPoint at) {
    Hover(at);
    return View().cursor().shape();
  };
  EXPECT_EQ(cursorAt(At(200, 200)), Qt::PointingHandCursor);
  EXPECT_EQ(cursorAt(At(600, 600)), Qt::ArrowCursor) << "select mode";
  control_.Set("EditMode", 4);
  EXPECT_EQ(View().cursor().shape(), Qt::CrossCursor) << "changes with the mode, before the mouse moves";
  EXPECT_EQ(cursorAt(At(200, 200)), Qt::PointingHandCursor) << "the hand wherever the flags ask for it";
  control_.Set("EditMode", 11);
  EXPECT_EQ(cursorAt(At(600, 600)), Qt::SizeAllCursor);
  EXPECT_EQ(cursorAt(At(500, 500)), Qt::SizeFDiagCursor);
  EXPECT_EQ(cursorAt(At(700, 500)), Qt::SizeBDiagCursor);
  EXPECT_EQ(cursorAt(At(600, 700)), Qt::SizeVerCursor);
  EXPECT_EQ(cursorAt(At(500, 600)), Qt::SizeHorCursor);
  EXPECT_EQ(cursorAt(At(900, 900)), Qt::ArrowCursor);
  control_.Set("ObjMove", 2 | 4);
  EXPECT_EQ(cursorAt(At(600, 600)), Qt::ArrowCursor) << "neither moves nor resizes";
  EXPECT_EQ(cursorAt(At(500, 500)), Qt::ArrowCursor);
}

using MouseEventsTest = ViewFixture;

TEST_F(MouseEventsTest, EveryButtonFiresDownAndUpWithShiftStateAndLogicalPosition) {
  struct Case {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    std::int32_t code;
    std::int32_t shift;
  };
  const Case cases[] = {{Qt::LeftButton, {}, 1, 0},
                        {Qt::RightButton, {}, 2, 0},
                        {Qt::MiddleButton, Qt::ShiftModifier, 4, 1},
                        {Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, 2, 6}};
  for (const Case& c : cases) {
    sink_->events.clear();
    Click(At(300, 500), c.button, c.modifiers);
    ASSERT_EQ(sink_->Names(), (std::vector<std::string>{"MouseDown", "MouseUp"})) << c.code;
    EXPECT_EQ(sink_->events[0].id, ole::DISPID_MOUSEDOWN);
    EXPECT_EQ(sink_->events[1].id, ole::DISPID_MOUSEUP);
    for (const FiredEvent& event : sink_->events) {
      EXPECT_EQ(event.parameters, (std::vector<std::int32_t>{c.code, c.shift, 300, 500})) << event.name;
    }
  }
  sink_->events.clear();
  control_.Set("EventMask", 16);
  Press(At(100, 100));
  DragTo(At(120, 100));
  Release(At(120, 100));
  ASSERT_FALSE(sink_->events.empty());
  EXPECT_EQ(sink_->events.back().name, "MouseMove");
  EXPECT_EQ(sink_->events.back().parameters, (std::vector<std::int32_t>{1, 0, 120, 100})) << "the button held";
}

// A press on an object with the click flag fires "HitObject" and nothing
// else, whatever the mode; objects without it get what the mode does.
class HitObjectTest : public ViewFixture, public testing::WithParamInterface<std::int32_t> {};

TEST_P(HitObjectTest, OnlyObjectsWithTheClickFlagAreHit) {
  const int sample = control_.Add(2, 100, 100, 300, 300);
  control_.Set("ObjHotSpot", 15);
  const int plain = control_.Add(2, 500, 100, 700, 300);
  control_.Set("ObjHotSpot", 1 | 4 | 8);
  control_.Set("ObjNumber", 0);
  control_.Set("EditMode", GetParam());
  const Drawing before = Drawn();

  sink_->events.clear();
  Press(At(200, 200));
  DragTo(At(260, 260));
  Release(At(260, 260));
  std::vector<std::string> hits;
  for (const FiredEvent& event : sink_->events) {
    if (event.name == "HitObject") {
      EXPECT_EQ(event.parameters, (std::vector<std::int32_t>{sample, 200, 200}));
      hits.push_back(event.name);
    }
  }
  EXPECT_EQ(hits.size(), 1u);
  EXPECT_EQ(control_.Long("ObjNumber"), sample) << "current while the event fired";
  EXPECT_TRUE(Drawn() == before) << "nothing drawn, selected or moved";

  sink_->events.clear();
  Click(At(600, 200));
  for (const FiredEvent& event : sink_->events) {
    EXPECT_NE(event.name, "HitObject");
  }
  EXPECT_EQ(Drawn().Object(plain).selected, GetParam() == 0 || GetParam() == 11);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, HitObjectTest, testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11),
                         [](const testing::TestParamInfo<std::int32_t>& info) {
                           return "EditMode" + std::to_string(info.param);
                         });

TEST_F(MouseEventsTest, AClientThatClearsTheDrawingDuringAnEventLeavesTheViewSound) {
  control_.Add(2, 100, 100, 300, 300);
  control_.Add(2, 400, 100, 600, 300);
  control_.Set("EditMode", 11);
  Click(At(200, 200));
  Press(At(200, 200));
  DragTo(At(300, 300));
  control_.Call("Clear");
  DragTo(At(400, 400));
  Release(At(400, 400));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Drawn().Count(), 0);

  control_.Add(2, 100, 100, 300, 300);
  control_.Set("ObjHotSpot", 1);
  sink_->during = [&](const FiredEvent& event) {
    if (event.name == "MouseDown" || event.name == "OnHotSpot") {
      control_.Call("Clear");
    }
  };
  Hover(At(200, 200));
  Drag(At(200, 200), At(300, 300));
  EXPECT_EQ(Drawn().Count(), 0);
}

} // namespace
} // namespace canvas

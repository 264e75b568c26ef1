#include "ControlDriver.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

namespace canvas {
namespace {

using namespace canvas::driver;

class ControlEventsTest : public testing::Test {
protected:
  void SetUp() override {
    sink_ = ole::ComPtr<RecordingSink>::Adopt(new RecordingSink);
    ole::ComPtr<ole::IEventSource> source;
    ASSERT_EQ(control_.Dispatch()->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid()), ole::S_OK);
    source->Advise(sink_.get());
    const char* names[] = {"a line", "a rectangle"};
    for (int i = 0; i < 2; ++i) {
      control_.Add(i + 1, 100 + 90 * i, 100, 170 + 90 * i, 400);
      control_.Set("ObjHotSpot", 15);
      control_.Put("ObjTags", Str(names[i]), {Str("x")});
    }
    control_.Set("HotSpots", 1);
    control_.Set("EventMask", 35);
  }
  void TearDown() override {
    ole::ComPtr<ole::IEventSource> source;
    control_.Dispatch()->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid());
    source->Advise(nullptr);
  }

  DrawingControl& Control() { return control_.Control(); }

  ControlDriver control_;
  ole::ComPtr<RecordingSink> sink_;
};

TEST_F(ControlEventsTest, AHotSpotMakesItsObjectCurrentBeforeTheEventFires) {
  control_.Set("ObjNumber", 1);
  control_.Set("Current", 4);
  std::string tagDuringEvent;
  sink_->during = [&](const FiredEvent&) { tagDuringEvent = control_.Text("ObjTags", {Str("x")}); };

  EXPECT_TRUE(Control().ReportHotSpot(2, HotSpotTransition::Entered));
  ASSERT_EQ(sink_->events.size(), 1u);
  EXPECT_EQ(sink_->events[0].name, "OnHotSpot");
  EXPECT_EQ(sink_->events[0].parameters, (std::vector<std::int32_t>{2, 15, 0}));
  EXPECT_EQ(tagDuringEvent, "a rectangle");
  EXPECT_EQ(control_.Long("Current"), 0) << "the control made another object current";

  Control().ReportHotSpot(2, HotSpotTransition::Left);
  EXPECT_EQ(sink_->events.back().parameters[2], 1);
}

TEST_F(ControlEventsTest, AClickOnAClickHotSpotFiresHitObjectWithTheObjectCurrent) {
  std::int32_t fillDuringEvent = -1;
  control_.Set("FillColor", 255);
  control_.Set("ObjNumber", 1);
  sink_->during = [&](const FiredEvent&) { fillDuringEvent = control_.Long("FillColor"); };
  EXPECT_TRUE(Control().ReportHit(2, {130, 250}));
  ASSERT_EQ(sink_->events.size(), 1u);
  EXPECT_EQ(sink_->events[0].name, "HitObject");
  EXPECT_EQ(sink_->events[0].parameters, (std::vector<std::int32_t>{2, 130, 250}));
  EXPECT_EQ(fillDuringEvent, 255);
  EXPECT_EQ(control_.Long("ObjNumber"), 2);
}

struct MaskCase {
  std::int32_t mask;
  std::vector<std::string> fired;
};

void PrintTo(const MaskCase& mask, std::ostream* out) { *out << "EventMask " << mask.mask; }

class EventMaskTest : public ControlEventsTest, public testing::WithParamInterface<MaskCase> {};

TEST_P(EventMaskTest, FiresOnlyWhatTheMaskLetsThrough) {
  control_.Set("EventMask", GetParam().mask);
  Control().ReportMouseButton(MouseTransition::Down, 1, 0, {10, 20});
  Control().ReportMouseMove(1, 0, {11, 21});
  Control().ReportMouseButton(MouseTransition::Up, 2, 1, {12, 22});
  Control().ReportHotSpot(1, HotSpotTransition::Entered);
  EXPECT_TRUE(Control().ReportHit(1, {130, 250})) << "a click hot spot takes the press, masked or not";
  EXPECT_EQ(sink_->Names(), GetParam().fired);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, EventMaskTest,
    testing::Values(MaskCase{0, {}}, MaskCase{1, {"MouseDown", "MouseUp"}}, MaskCase{2, {"HitObject"}},
                    MaskCase{16, {"MouseMove"}}, MaskCase{32, {"OnHotSpot"}},
                    MaskCase{35, {"MouseDown", "MouseUp", "OnHotSpot", "HitObject"}},
                    MaskCase{51, {"MouseDown", "MouseMove", "MouseUp", "OnHotSpot", "HitObject"}}));

TEST_F(ControlEventsTest, MouseEventsCarryButtonShiftAndLogicalPosition) {
  control_.Set("EventMask", 17);
  Control().ReportMouseButton(MouseTransition::Up, 2, 1, {12.4, 22.6});
  Control().ReportMouseMove(0, 0, {1, 2});
  ASSERT_EQ(sink_->events.size(), 2u);
  EXPECT_EQ(sink_->events[0].id, ole::DISPID_MOUSEUP);
  EXPECT_EQ(sink_->events[0].parameters, (std::vector<std::int32_t>{2, 1, 12, 23}));
  EXPECT_EQ(sink_->events[1].id, ole::DISPID_MOUSEMOVE);
}

TEST_F(ControlEventsTest, NothingFiresWithoutHotSpotsOrTheObjectsFlags) {
  control_.Set("ObjNumber", 1);
  control_.Set("ObjHotSpot", 0);
  EXPECT_FALSE(Control().ReportHotSpot(1, HotSpotTransition::Entered));
  EXPECT_FALSE(Control().ReportHit(1, {0, 0})) << "no click flag: the press does what the mode does";
  control_.Set("HotSpots", 0);
  EXPECT_FALSE(Control().ReportHotSpot(2, HotSpotTransition::Entered));
  EXPECT_TRUE(sink_->events.empty());
  EXPECT_EQ(control_.Long("ObjNumber"), 1) << "no event, no change of the current object";
}

TEST_F(ControlEventsTest, TheSinkMayChangeTheDrawingWhileAnEventIsDelivered) {
  sink_->during = [&](const FiredEvent&) { control_.Call("Clear"); };
  Control().ReportHotSpot(2, HotSpotTransition::Entered);
  EXPECT_EQ(Control().GetDrawing().Count(), 0);
  EXPECT_EQ(control_.Long("ObjNumber"), 0);
  EXPECT_FALSE(Control().ReportHit(2, {0, 0}));
}

} // namespace
} // namespace canvas

#include "automation/ControlEventForwarding.h"
#include "automation/EventMessageQueue.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/FixedText.h"
#include "tests/support/controls/RecordingControl.h"
#include "tests/support/controls/ScopedControlFactory.h"
#include "tests/window/WindowTestSupport.h"
#include "tests/support/Eventually.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testsupport::RecordingControl;
using testsupport::VariantOf;

constexpr std::int16_t kSlot = 3;
constexpr char kProgId[] = "Test.Forwarding.1";

struct ExpectedRecord {
  std::string name;
  std::int32_t p1 = 0;
  std::int32_t p2 = 0;
  std::int32_t p3 = 0;
  std::string tag;
};

std::vector<ExpectedRecord> Queued() {
  std::vector<ExpectedRecord> records;
  for (const auto& record : EventMessageQueue) {
    records.push_back({std::string(ole::TrimTrailingBlanks(record.MQ_MESSAGENAME)), record.MQ_LPARAM1,
                       record.MQ_LPARAM2, record.MQ_LPARAM3, record.MQ_TAG});
  }
  return records;
}

bool operator==(const ExpectedRecord& a, const ExpectedRecord& b) {
  return a.name == b.name && a.p1 == b.p1 && a.p2 == b.p2 && a.p3 == b.p3 && a.tag == b.tag;
}

void PrintTo(const ExpectedRecord& r, std::ostream* out) {
  *out << r.name << " " << r.p1 << "," << r.p2 << "," << r.p3 << " [" << r.tag << "]";
}

// A main window whose slot 3 holds a recording control with the forwarding
// registered on it, as the program registers it. The object tag reads go
// to the control's "ObjTags" member, as they do through the wrapper.
class ControlEventForwardingTest : public testing::Test {
protected:
  void SetUp() override {
    EventMessageQueue.clear();
    control->AddMember("ObjTags").Returns(ole::MakeText("a rounded rectangle"));
    container::SetMember(&window, kSlot, "31942", container::SetValue::Text(kProgId));
    container::RegisterEventCallback(&window, kSlot, ForwardControlEvent);
    SetObjectTagReader([](std::string_view name) {
      return container::GetMember(nullptr, kSlot, "ObjTags(\"" + std::string(name) + "\")");
    });
  }
  void TearDown() override {
    SetObjectTagReader(nullptr);
    EventMessageQueue.clear();
  }

  // Runs the main window's loop, fires the events from it, and returns the
  // user events that reached the window once every posted one has arrived.
  std::vector<std::int32_t> FireWhileRunning(const std::function<void()>& fire) {
    controller.whenOpen = [&](window::testing::RecordingController& running) {
      MainWindowThread = window::CurrentThreadNumber();
      fire();
      const std::size_t queued = EventMessageQueue.size();
      EXPECT_EVENTUALLY_EQ(running.windowEvents.size(), queued);
      running.GetWindow().RequestClose();
    };
    window::testing::LoopWatchdog watchdog;
    controller.Run();
    std::vector<std::int32_t> userEvents;
    for (const std::int32_t event : controller.windowEvents) {
      if (event != window::EVENT_CloseWindow) {
        userEvents.push_back(event);
      }
    }
    return userEvents;
  }

  container::RecordingMessagePresenter boxes;
  container::ScopedMessagePresenter presenter{boxes};
  ole::ComPtr<RecordingControl> control = RecordingControl::Create();
  testsupport::ScopedControlFactory factory{kProgId, ole::ComPtr<ole::IUnknown>(control->Unknown())};
  std::int32_t ticked = 0;
  window::Window window{window::testing::MainWindowDescription(ticked)};
  window::testing::RecordingController controller{window};
};

TEST_F(ControlEventForwardingTest, KeepsTheThreeEventsAndPostsOneEventForEach) {
  const std::vector<ExpectedRecord> expected = {
      {"OnHotSpot", 4, 15, 0, "a rounded rectangle "},
      {"HitObject", 0, 0, 0, std::string(20, ' ')},
      {"MouseUp", 2, 0, 0, std::string(20, ' ')},
      {"OnHotSpot", 4, 15, 1, "a rounded rectangle "},
  };
  const auto posted = FireWhileRunning([&] {
    control->Fire(1, u"OnHotSpot", {ole::MakeI4(4), ole::MakeI4(15), ole::MakeI4(0)});
    control->Fire(2, u"HitObject", {ole::MakeI4(4), ole::MakeI4(300), ole::MakeI4(200)});
    control->Fire(ole::DISPID_MOUSEUP, u"MouseUp", {ole::MakeI2(2), ole::MakeI2(0), ole::MakeI4(10), ole::MakeI4(20)});
    control->Fire(1, u"OnHotSpot", {ole::MakeI4(4), ole::MakeI4(15), ole::MakeI4(1)});
  });
  EXPECT_EQ(Queued(), expected);
  EXPECT_EQ(posted, std::vector<std::int32_t>(4, ControlMessageEvent));
}

TEST_F(ControlEventForwardingTest, DropsEveryOtherEventWithoutPosting) {
  const auto posted = FireWhileRunning([&] {
    // A mouse move is dropped before its name is read, whatever it is called.
    control->Fire(ole::DISPID_MOUSEMOVE, u"OnHotSpot", {ole::MakeI4(4), ole::MakeI4(15), ole::MakeI4(0)});
    control->Fire(1, u"onhotspot", {ole::MakeI4(4), ole::MakeI4(15), ole::MakeI4(0)});
    control->Fire(ole::DISPID_MOUSEDOWN, u"MouseDown", {ole::MakeI2(1), ole::MakeI2(0), ole::MakeI4(1), ole::MakeI4(1)});
    control->Fire(7, u"", {});
  });
  EXPECT_TRUE(EventMessageQueue.empty());
  EXPECT_TRUE(posted.empty());
  EXPECT_TRUE(control->Calls().empty()) << "no tag was read for a dropped event";
}

TEST_F(ControlEventForwardingTest, ReadsParametersAsWholeNumbersAndCutsTheTag) {
  control->FindMember("ObjTags")->Returns(ole::MakeText("a tag that is longer than twenty"));
  FireWhileRunning([&] {
    // Two parameters only: the third reads 0.
    control->Fire(1, u"OnHotSpot", {ole::MakeR8(2.9), ole::MakeI2(-3)});
    // Trailing blanks of the name do not count; text parameters are read
    // as numbers, booleans as 1 or 0.
    control->Fire(ole::DISPID_MOUSEUP, u"MouseUp  ", {ole::MakeText(" 2.5"), ole::MakeBool(true)});
    control->Fire(1, u"OnHotSpot", {ole::MakeBool(true), ole::MakeBool(false), ole::MakeText("x")});
  });
  const std::vector<ExpectedRecord> expected = {
      {"OnHotSpot", 2, -3, 0, "a tag that is longer"},
      {"MouseUp", 2, 0, 0, std::string(20, ' ')},
      {"OnHotSpot", 1, 0, 0, "a tag that is longer"},
  };
  EXPECT_EQ(Queued(), expected);
}

} // namespace

#include "ContainerFixture.h"

#include "platform/ole/ComRuntime.h"

#include <gmock/gmock.h>

#include <memory>
#include <thread>

namespace containertest {
namespace {

using container::SetValue;
using testsupport::RecordingControl;

class HandleWindow : public container::ContainerWindow {
public:
  std::int64_t ClientHandle() const override { return 4711; }
};

TEST_F(ContainerTest, ObjectNamesALiveEntryOfTheInterfaceTableNeverAnAddress) {
  const std::string object = Get("31989");
  ASSERT_GE(object.size(), 2u);
  EXPECT_EQ(object.front(), '`');
  EXPECT_EQ(container::ObjectFromReference(object), static_cast<ole::IDispatch*>(control.get()));
  EXPECT_EQ(Get("31989"), object) << "read again, the same entry";
  const auto address = std::to_string(reinterpret_cast<std::uintptr_t>(static_cast<ole::IDispatch*>(control.get())));
  EXPECT_NE(object.substr(1), address);
  EXPECT_EQ(container::ObjectFromReference("garbage"), nullptr);
  EXPECT_EQ(container::ObjectFromReference(std::int64_t{987654321}), nullptr);
}

TEST_F(ContainerTest, ReleaseLetsGoOfTheNamedReferenceOnlyOnce) {
  const std::string object = Get("31989");
  const std::uint32_t withEntry = control->ReferenceCount();

  for (const char* notLive : {"`987654321", "garbage", "", "`"}) {
    Set("31950", SetValue::CString(notLive, 64));
  }
  EXPECT_EQ(control->ReferenceCount(), withEntry) << "texts naming no live entry release nothing";

  Set("31950", SetValue::CString(object, 64));
  EXPECT_EQ(control->ReferenceCount(), withEntry - 1);
  EXPECT_EQ(container::ObjectFromReference(object), nullptr);
  Set("31950", SetValue::CString(object, 64));
  EXPECT_EQ(control->ReferenceCount(), withEntry - 1) << "a released entry is gone";
}

TEST_F(ContainerTest, DisconnectingBalancesTheRuntimeAndLetsTheControlGo) {
  // As the wrapper connects and disconnects: its own initialisation first,
  // given back before it releases the Object reference and deactivates.
  const int before = ole::CoInitializeCount();
  ole::CoInitialize(nullptr);
  const std::string object = Get("31989");
  ole::CoUninitialize();
  Set("31950", SetValue::CString(object, 64));
  Call("31951");
  EXPECT_EQ(control->ReferenceCount(), 2u) << "only the test and its factory hold the control";
  EXPECT_EQ(ole::CoInitializeCount(), before - 1) << "the slot gave back its own initialisation";
  EXPECT_FALSE(control->HasSink());
  EXPECT_EQ(Get("31989"), "");
  EXPECT_EQ(Get("BackColor"), "No ole automation interface");
}

TEST_F(ContainerTest, DeactivateForgetsTheControlsEntries) {
  const std::string object = Get("31989");
  Call("31951");
  EXPECT_EQ(container::ObjectFromReference(object), nullptr);
  EXPECT_EQ(control->ReferenceCount(), 2u);
}

TEST_F(ContainerTest, CreateWithAnUnknownProgIdLeavesTheSlotEmptyWithoutABox) {
  Set("31942", SetValue::Text("No.Such.Control"));
  EXPECT_EQ(Get("31989"), "");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(control->ReferenceCount(), 2u) << "the earlier control went";
}

TEST_F(ContainerTest, ReportExceptionSwitchesOffOnlyForZero) {
  struct SwitchCase {
    const char* value;
    bool on;
  };
  const SwitchCase cases[] = {{"0", false}, {"1", true}, {"-1", true}, {"", false}, {"00", false}, {"2", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    Set("31954", SetValue::Text(c.value));
    EXPECT_EQ(window.Slot(kSlot)->ReportsExceptions(), c.on);
  }
}

TEST_F(ContainerTest, ContainerPropertiesAreReadOnlyThroughTheirOwnAccess) {
  EXPECT_EQ(Get("31951"), "") << "Deactivate is performed, not read";
  Set("31951", SetValue::Long(1));
  EXPECT_NE(Get("31989"), "") << "setting Deactivate does nothing";
  EXPECT_EQ(Get("99999"), "") << "no container property has that number";
  EXPECT_EQ(Get("31915"), "") << "ClientHandle belongs to control number 0";
  EXPECT_TRUE(control->Calls().empty());
}

TEST(ContainerWindowTest, ClientHandleIsTheWindowsOwnOnControlNumberZero) {
  HandleWindow window;
  EXPECT_EQ(container::GetMember(&window, 0, "31915"), "4711");
  EXPECT_EQ(container::GetMember(&window, 0, "31915   "), "4711");
  EXPECT_EQ(container::GetMember(&window, 0, "31989"), "");
  EXPECT_EQ(container::GetMember(&window, 0, "BackColor"), "");
}

TEST(ContainerWindowTest, ANullWindowIsTheThreadsActiveWindowAndAGoneWindowIsNothing) {
  HandleWindow first;
  auto second = std::make_unique<HandleWindow>();
  first.Activate();
  second->Activate();
  EXPECT_EQ(container::ContainerWindow::ActiveWindow(), second.get());
  EXPECT_EQ(container::GetMember(nullptr, 0, "31915"), "4711");

  container::ContainerWindow* gone = second.get();
  second.reset();
  EXPECT_EQ(container::ContainerWindow::ActiveWindow(), &first) << "the one activated before";
  EXPECT_EQ(container::GetMember(gone, 0, "31915"), "");
  container::SetMember(gone, 3, "31942", SetValue::Text("x"));
  container::CallMember(gone, 3, "31951");

  std::thread([] { EXPECT_EQ(container::ContainerWindow::ActiveWindow(), nullptr); }).join();
}

TEST(ContainerWindowTest, NoActiveWindowMeansNothingToAddress) {
  std::thread([] {
    EXPECT_EQ(container::GetMember(nullptr, 3, "BackColor"), "");
    container::SetMember(nullptr, 3, "BackColor", container::SetValue::Long(1));
    container::CallMember(nullptr, 3, "Refresh");
  }).join();
}

TEST(ContainerWindowTest, ACreatedControlIsAnnouncedToItsWindowAndItsViewIsFoundThroughTheSlot) {
  struct AnnouncingWindow : container::ContainerWindow {
    void ControlCreated(container::ControlSlot& slot) override { created.push_back(slot.ControlNumber()); }
    void ControlDeactivating(container::ControlSlot& slot) override {
      deactivating.push_back(slot.ControlNumber());
      hadControl = slot.Control() != nullptr;
    }
    std::vector<std::int16_t> created, deactivating;
    bool hadControl = false;
  };
  const auto control = RecordingControl::Create();
  testsupport::ScopedControlFactory factory("Test.Announced", ole::ComPtr<ole::IUnknown>(control->Unknown()));
  AnnouncingWindow window;
  auto& slot = window.AddSlot(5);
  EXPECT_EQ(&window.AddSlot(5), &slot);
  EXPECT_EQ(slot.Create("Test.Announced"), ole::S_OK);
  EXPECT_FALSE(slot.View()) << "the recording control offers no view";
  slot.Deactivate();
  EXPECT_EQ(window.created, std::vector<std::int16_t>{5});
  EXPECT_EQ(window.deactivating, std::vector<std::int16_t>{5});
  EXPECT_TRUE(window.hadControl) << "the window sees the control before it goes";
}

} // namespace
} // namespace containertest

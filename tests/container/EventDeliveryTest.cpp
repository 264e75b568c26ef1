#include "ContainerFixture.h"

#include "platform/ole/ClassRegistry.h"

#include <gmock/gmock.h>

#include <memory>

namespace containertest {
namespace {

using container::EventParameterText;
using testing::ElementsAre;
using testsupport::RecordingControl;

struct Delivery {
  std::int16_t controlNumber;
  ole::DISPID event;
  std::string name;
  std::vector<std::string> parameters;
};

class EventTest : public ContainerTest {
protected:
  // Registers a callback that records each delivery, reading the event's
  // name and parameters through the container as the program does.
  void RecordDeliveries() {
    container::RegisterEventCallback(
        &window, kSlot, [this](ole::DISPPARAMS* params, std::int16_t number, ole::DISPID id) {
          Delivery delivery{number, id, container::GetMember(nullptr, number, "31965"), {}};
          for (int n = 1; n <= static_cast<int>(params->cArgs); ++n) {
            delivery.parameters.push_back(EventParameterText(params, n));
          }
          deliveries.push_back(delivery);
          return 1;
        });
  }

  void SetUp() override {
    ContainerTest::SetUp();
    window.Activate();
  }

  std::vector<Delivery> deliveries;
};

TEST_F(EventTest, TheCallbackRunsDuringTheFiringWithTheEventsNameAndParameters) {
  RecordDeliveries();
  ASSERT_TRUE(control->HasSink());
  control->Fire(7, u"OnHotSpot", {ole::MakeI4(4), ole::MakeI4(15), ole::MakeI4(0)});
  control->Fire(ole::DISPID_MOUSEUP, u"MouseUp", {ole::MakeI2(2), ole::MakeI2(0), ole::MakeR8(10.5), ole::MakeR8(20)});
  ASSERT_EQ(deliveries.size(), 2u);
  EXPECT_EQ(deliveries[0].controlNumber, kSlot);
  EXPECT_EQ(deliveries[0].event, 7);
  EXPECT_EQ(deliveries[0].name, "OnHotSpot");
  EXPECT_EQ(deliveries[0].parameters, (std::vector<std::string>{"4", "15", "0"}));
  EXPECT_EQ(deliveries[1].name, "MouseUp");
  EXPECT_EQ(deliveries[1].parameters, (std::vector<std::string>{"2", "0", "10.5", "20"}));
  EXPECT_EQ(Get("31965"), "") << "no event is being delivered";
}

TEST_F(EventTest, TheCallbackCanReadTheSameControlWhileItFires) {
  control->AddMember("ObjTags").Returns(ole::MakeText("a rounded rectangle"));
  std::string tag;
  container::RegisterEventCallback(&window, kSlot, [&](ole::DISPPARAMS*, std::int16_t number, ole::DISPID) {
    tag = container::GetMember(nullptr, number, "ObjTags(\"x\")");
    return 1;
  });
  control->Fire(7, u"OnHotSpot");
  EXPECT_EQ(tag, "a rounded rectangle");
  EXPECT_EQ(LastArguments(), "BSTR \"x\"");
}

TEST_F(EventTest, NestedDeliveriesEachSeeTheirOwnName) {
  std::vector<std::string> names;
  bool nested = false;
  container::RegisterEventCallback(&window, kSlot, [&](ole::DISPPARAMS*, std::int16_t number, ole::DISPID) {
    names.push_back(container::GetMember(nullptr, number, "31965"));
    if (!std::exchange(nested, true)) {
      control->Fire(8, u"HitObject");
      names.push_back(container::GetMember(nullptr, number, "31965"));
    }
    return 1;
  });
  control->Fire(7, u"OnHotSpot");
  EXPECT_THAT(names, ElementsAre("OnHotSpot", "HitObject", "OnHotSpot"));
}

TEST_F(EventTest, AnEventDuringAMemberCallReachesTheCallback) {
  RecordDeliveries();
  control->AddMember("Refresh").OnInvoke([this] { control->Fire(1, u"Redrawn", {ole::MakeBool(true)}); });
  Call("Refresh");
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].parameters, std::vector<std::string>{"1"});
}

TEST_F(ContainerTest, AControlDeactivatedFromInsideItsOwnEventGoesSafelyAfterTheEvent) {
  // The factory makes a new control that only the slot holds.
  bool destroyed = false;
  RecordingControl* fresh = nullptr;
  ole::ClassRegistry::Instance().RegisterFactory("Test.Fresh", [&](const ole::IID& iid, void** object) {
    auto made = RecordingControl::Create();
    made->OnDestroyed([&] { destroyed = true; });
    fresh = made.get();
    return made->QueryInterface(iid, object);
  });
  Set("31942", container::SetValue::Text("Test.Fresh"));
  ole::ClassRegistry::Instance().UnregisterFactory("Test.Fresh");
  ASSERT_NE(fresh, nullptr);

  bool replaced = false;
  container::RegisterEventCallback(&window, kSlot, [&](ole::DISPPARAMS*, std::int16_t number, ole::DISPID) {
    // Replaces itself, then lets the control go while it is firing.
    container::RegisterEventCallback(&window, number, [&](ole::DISPPARAMS*, std::int16_t, ole::DISPID) {
      replaced = true;
      return 1;
    });
    container::CallMember(&window, number, "31951");
    EXPECT_FALSE(destroyed) << "the control lives until its event is over";
    EXPECT_EQ(container::GetMember(&window, number, "31965"), "");
    return 1;
  });
  fresh->Fire(7, u"OnHotSpot");
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(replaced);
}

TEST_F(ContainerTest, AWindowEndedFromInsideAnEventLeavesNothingBehind) {
  auto doomed = std::make_unique<container::ContainerWindow>();
  doomed->AddSlot(kSlot);
  container::SetMember(doomed.get(), kSlot, "31942", container::SetValue::Text(kProgId));
  container::RegisterEventCallback(doomed.get(), kSlot, [&](ole::DISPPARAMS*, std::int16_t, ole::DISPID) {
    doomed.reset();
    return 1;
  });
  control->Fire(7, u"OnHotSpot");
  EXPECT_EQ(doomed, nullptr);
  EXPECT_FALSE(control->HasSink());
}

TEST_F(ContainerTest, EventParametersBecomeTextByTheirType) {
  std::int32_t referenced = 77;
  ole::VARIANT inner = ole::MakeI4(-12);
  ole::VARIANT middle =
      testsupport::VariantOf(ole::VT_BYREF | ole::VT_VARIANT, [&](ole::VARIANT& v) { v.pvarVal = &inner; });
  ole::VARIANT_BOOL referencedTrue = ole::VARIANT_TRUE;
  struct Parameter {
    const char* name;
    ole::VARIANT value;
    const char* text;
  };
  std::vector<Parameter> parameters = {
      {"short", ole::MakeI2(-5), "-5"},
      {"long", ole::MakeI4(70000), "70000"},
      {"single real", testsupport::VariantOf(ole::VT_R4, [](ole::VARIANT& v) { v.fltVal = 0.5f; }), "0.5"},
      {"real", ole::MakeR8(12.5), "12.5"},
      {"small real", ole::MakeR8(0.25), "0.25"},
      {"text", ole::MakeText("héllo"), "héllo"},
      {"true", ole::MakeBool(true), "1"},
      {"false", ole::MakeBool(false), ""},
      {"true only in the high byte", testsupport::VariantOf(ole::VT_BOOL, [](ole::VARIANT& v) { v.boolVal = 0x0100; }),
       ""},
      {"boolean by reference",
       testsupport::VariantOf(ole::VT_BYREF | ole::VT_BOOL, [&](ole::VARIANT& v) { v.pboolVal = &referencedTrue; }),
       "1"},
      {"long by reference",
       testsupport::VariantOf(ole::VT_BYREF | ole::VT_I4, [&](ole::VARIANT& v) { v.plVal = &referenced; }), "77"},
      {"variant by reference, twice",
       testsupport::VariantOf(ole::VT_BYREF | ole::VT_VARIANT, [&](ole::VARIANT& v) { v.pvarVal = &middle; }), "-12"},
      {"byte", testsupport::VariantOf(ole::VT_UI1, [](ole::VARIANT& v) { v.bVal = 200; }), "200"},
      {"error", ole::MakeError(ole::E_FAIL), ""},
      {"empty", testsupport::VariantOf(ole::VT_EMPTY, [](ole::VARIANT&) {}), ""},
      {"no object", testsupport::VariantOf(ole::VT_DISPATCH, [](ole::VARIANT& v) { v.pdispVal = nullptr; }), ""},
  };
  // Laid out as an event delivers them: last first.
  std::vector<ole::VARIANT> block;
  for (auto it = parameters.rbegin(); it != parameters.rend(); ++it) {
    block.push_back(it->value);
  }
  ole::DISPPARAMS params{block.data(), nullptr, static_cast<std::uint32_t>(block.size()), 0};
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    SCOPED_TRACE(parameters[i].name);
    EXPECT_EQ(EventParameterText(&params, static_cast<int>(i + 1)), parameters[i].text);
  }
  EXPECT_EQ(EventParameterText(&params, 0), "");
  EXPECT_EQ(EventParameterText(&params, -1), "");
  EXPECT_EQ(EventParameterText(&params, static_cast<int>(parameters.size() + 1)), "");
  EXPECT_EQ(EventParameterText(nullptr, 1), "");
  for (auto& value : block) {
    ole::VariantClear(&value);
  }
}

TEST_F(ContainerTest, AnObjectEventParameterIsItsReferenceText) {
  ole::VARIANT object = testsupport::VariantOf(
      ole::VT_DISPATCH, [this](ole::VARIANT& v) { v.pdispVal = static_cast<ole::IDispatch*>(control.get()); });
  ole::DISPPARAMS params{&object, nullptr, 1, 0};
  EXPECT_EQ(EventParameterText(&params, 1), Get("31989"));
}

} // namespace
} // namespace containertest

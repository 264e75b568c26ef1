#include "ContainerFixture.h"

#include "platform/container/FailureReporter.h"
#include "platform/ole/HResult.h"

#include <gmock/gmock.h>

#include <functional>

namespace containertest {
namespace {

using container::MessageIcon;
using container::SetValue;
using testing::ElementsAre;
using testsupport::RecordingControl;

struct ResultCase {
  const char* name;
  ole::VARIANT returned;
  const char* text;
};

TEST_F(ContainerTest, ResultsBecomeTextByTheAutomationConversion) {
  auto& member = control->AddMember("M");
  const ResultCase cases[] = {
      {"long", ole::MakeI4(-7), "-7"},
      {"short", ole::MakeI2(300), "300"},
      {"byte", testsupport::VariantOf(ole::VT_UI1, [](ole::VARIANT& v) { v.bVal = 200; }), "200"},
      {"ulong", testsupport::VariantOf(ole::VT_UI4, [](ole::VARIANT& v) { v.ulVal = 4000000000u; }), "4000000000"},
      {"true", ole::MakeBool(true), "-1"},
      {"false", ole::MakeBool(false), "0"},
      {"real", ole::MakeR8(12.5), "12.5"},
      {"a quarter", ole::MakeR8(0.25), "0.25"},
      {"whole real", ole::MakeR8(90), "90"},
      {"text", ole::MakeText("a rectangle"), "a rectangle"},
      {"nothing", testsupport::VariantOf(ole::VT_EMPTY, [](ole::VARIANT&) {}), ""},
      {"no object", testsupport::VariantOf(ole::VT_DISPATCH, [](ole::VARIANT& v) { v.pdispVal = nullptr; }), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    member.Returns(c.returned);
    EXPECT_EQ(Get("M"), c.text);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ContainerTest, AnObjectResultIsAReferenceTextNamingALiveEntry) {
  control->AddMember("Self").Returns(testsupport::VariantOf(
      ole::VT_DISPATCH, [this](ole::VARIANT& v) { v.pdispVal = static_cast<ole::IDispatch*>(control.get()); }));
  control->Unknown()->AddRef(); // the reference the stored variant owns
  const std::string text = Get("Self");
  ASSERT_EQ(text.front(), '`');
  EXPECT_EQ(container::ObjectFromReference(text), static_cast<ole::IDispatch*>(control.get()));
  EXPECT_EQ(Get("Self"), text) << "the same interface keeps its entry";
  EXPECT_EQ(Get("31989"), text) << "Object names the same entry";
}

struct Box {
  std::string caption;
  std::string text;
  MessageIcon icon;
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out) { *out << box.caption << " | " << box.text; }

enum class Access { Get, Set, Call };

struct FailureCase {
  const char* name;
  Access access;
  const char* expression;
  std::function<void(RecordingControl::Member&)> script;
  const char* result;
  std::vector<Box> shown;
};

std::string StatusLine(const char* lead, ole::HRESULT status) {
  return std::string(lead) + " (" + container::FailureReporter::StatusText(status) + ")\n" +
         ole::HResultMessage(status);
}

class FailureTableTest : public ContainerTest {
protected:
  void Run(const FailureCase& c, bool reporting) {
    SCOPED_TRACE(std::string(c.name) + (reporting ? " (reporting on)" : " (reporting off)"));
    Set("31954", SetValue::Long(reporting ? 1 : 0));
    auto* member = control->FindMember("M");
    if (member == nullptr) {
      member = &control->AddMember("M");
    }
    member->Returns(ole::MakeI4(5)).FailsWith(ole::S_OK).Raises("");
    if (c.script) {
      c.script(*member);
    }
    boxes.shown.clear();
    std::string result;
    switch (c.access) {
    case Access::Get:
      result = Get(c.expression);
      break;
    case Access::Set:
      Set(c.expression, SetValue::Long(9));
      EXPECT_EQ(member->Value().lVal, 5) << "a failed set leaves the value";
      break;
    case Access::Call:
      Call(c.expression);
      break;
    }
    EXPECT_EQ(result, c.result);
    std::vector<Box> shown;
    for (const auto& request : boxes.shown) {
      shown.push_back({request.caption, request.text, request.icon});
      EXPECT_EQ(request.owner, &window);
    }
    EXPECT_EQ(shown, reporting ? c.shown : std::vector<Box>{});
  }
};

TEST_F(FailureTableTest, EveryFailureShowsItsBoxWhileReportingIsOnAndNoneWhileOff) {
  const Box getIdFailed{"GetId Failed", "Unknown", MessageIcon::Error};
  const auto typeMismatch = [](RecordingControl::Member& m) { m.FailsWith(ole::DISP_E_TYPEMISMATCH, 0); };
  const auto raises = [](RecordingControl::Member& m) { m.Raises("Value out of range"); };
  const auto fails = [](RecordingControl::Member& m) { m.FailsWith(ole::E_FAIL); };
  const auto overflows = [](RecordingControl::Member& m) { m.FailsWith(ole::DISP_E_OVERFLOW); };
  const auto errorValue = [](RecordingControl::Member& m) { m.Returns(ole::MakeError(ole::E_FAIL)); };
  const auto nullValue = [](RecordingControl::Member& m) {
    m.Returns(testsupport::VariantOf(ole::VT_NULL, [](ole::VARIANT&) {}));
  };
  const FailureCase cases[] = {
      {"get of an unknown member", Access::Get, "Unknown", nullptr, "", {getIdFailed, getIdFailed, getIdFailed}},
      {"call of an unknown member", Access::Call, "Unknown(1)", nullptr, "", {getIdFailed, getIdFailed, getIdFailed}},
      {"set of an unknown member",
       Access::Set,
       "Unknown",
       nullptr,
       "",
       {getIdFailed, {"OLE Error", StatusLine("Ole Automation Error", ole::DISP_E_MEMBERNOTFOUND), MessageIcon::None}}},
      {"get: argument of the wrong type",
       Access::Get,
       "M(1,2,3)",
       typeMismatch,
       "",
       {{"Ole Automation Error", "Parameter 3 type mismatch", MessageIcon::Error}}},
      {"call: argument of the wrong type",
       Access::Call,
       "M(1,2)",
       [](RecordingControl::Member& m) { m.FailsWith(ole::DISP_E_TYPEMISMATCH, 1); },
       "",
       {{"Ole Automation Error", "Parameter 1 type mismatch", MessageIcon::Error}}},
      {"get: the control raises an exception",
       Access::Get,
       "M",
       raises,
       "",
       {{"Ole Automation Error", "Value out of range", MessageIcon::Error}}},
      {"call: the control raises an exception",
       Access::Call,
       "M",
       raises,
       "",
       {{"Ole Automation Error", "Value out of range", MessageIcon::Error}}},
      {"get: any other failure", Access::Get, "M", fails, "", {}},
      {"call: any other failure", Access::Call, "M", fails, "", {}},
      {"set: the control raises an exception",
       Access::Set,
       "M",
       raises,
       "",
       {{"Ole Automation Error", "Value out of range", MessageIcon::Error}}},
      {"set: any other failure",
       Access::Set,
       "M",
       overflows,
       "",
       {{"OLE Error", StatusLine("Ole Automation Error", ole::DISP_E_OVERFLOW), MessageIcon::None}}},
      {"get: an error value",
       Access::Get,
       "M",
       errorValue,
       "GetPropertyFailed",
       {{"OLE Error", StatusLine("Get Named Property failed", ole::E_FAIL) + "\n\"M\"", MessageIcon::None}}},
      {"get: a value without a text form",
       Access::Get,
       "M",
       nullValue,
       "GetPropertyFailed",
       {{"OLE Error", StatusLine("Get Named Property failed", ole::DISP_E_TYPEMISMATCH) + "\n\"M\"",
         MessageIcon::None}}},
      {"get: the expression breaks off",
       Access::Get,
       "M(1,2   ",
       nullptr,
       "GetPropertyFailed",
       {{"OLE Error", StatusLine("Get Named Property failed", ole::E_INVALIDARG) + "\n\"M(1,2\"", MessageIcon::None}}},
  };
  for (const bool reporting : {true, false}) {
    for (const auto& c : cases) {
      Run(c, reporting);
    }
  }
}

TEST_F(FailureTableTest, TheStatusCodeIsAZeroTheCodeInUpperCaseHexAndAnH) {
  EXPECT_EQ(container::FailureReporter::StatusText(ole::DISP_E_EXCEPTION), "080020009H");
  EXPECT_EQ(container::FailureReporter::StatusText(ole::E_INVALIDARG), "080070057H");
  EXPECT_EQ(container::FailureReporter::StatusText(0x1A), "01AH");
}

TEST_F(ContainerTest, AnUnknownMemberIsStillInvokedWithTheInvalidIdentifierForEachKind) {
  EXPECT_EQ(Get("Nothing"), "");
  EXPECT_THAT(Invocations(), ElementsAre("Invoke #-1 method|get () [result]", "Invoke #-1 get () [result]",
                                         "Invoke #-1 method () [result]"));
}

TEST_F(ContainerTest, ReadsOfMissingControlsGiveTheEmptyTextOrTheNoInterfaceText) {
  EXPECT_EQ(container::GetMember(&window, 7, "BackColor"), "") << "no such slot";
  window.AddSlot(7);
  EXPECT_EQ(container::GetMember(&window, 7, "BackColor"), "No ole automation interface") << "an empty slot";

  const auto withoutAutomation = RecordingControl::Create(false);
  testsupport::ScopedControlFactory factory("Test.NoAutomation",
                                            ole::ComPtr<ole::IUnknown>(withoutAutomation->Unknown()));
  container::SetMember(&window, 7, "31942", SetValue::Text("Test.NoAutomation"));
  EXPECT_EQ(container::GetMember(&window, 7, "BackColor"), "No ole automation interface");
  container::SetMember(&window, 7, "BackColor", SetValue::Long(1));
  container::CallMember(&window, 7, "Refresh");
  EXPECT_TRUE(withoutAutomation->Calls().empty());
  EXPECT_EQ(container::GetMember(&window, 7, "31989"), "") << "no automation interface, no object";
}

} // namespace
} // namespace containertest

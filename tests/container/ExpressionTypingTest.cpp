#include "ContainerFixture.h"

#include "platform/container/ExpressionScanner.h"

#include <gmock/gmock.h>

namespace containertest {
namespace {

using container::SetValue;
using testing::ElementsAre;

struct ArgumentCase {
  const char* expression;
  const char* arguments;
};

TEST_F(ContainerTest, ArgumentsReachTheControlTypedByTheFirstMatchingRule) {
  control->AddMember("M").Returns(ole::MakeI4(1));
  int left = 42;
  std::string name = "tag";
  container::BindVariable("left", left);
  container::BindVariable("name", name);
  const ArgumentCase cases[] = {
      {"M(90)", "I4 90"},
      {"M(-3)", "I4 -3"},
      {"M(+5)", "I4 5"},
      {"M(007)", "I4 7"},
      {"M(12 )", "I4 12"},
      {"M(  12)", "I4 12"},
      {"M(2147483647,-2147483648)", "I4 2147483647, I4 -2147483648"},
      {"M(2147483648)", "BSTR \"2147483648\""},
      {"M(45.5)", "BSTR \"45.5\""},
      {"M(1e3)", "BSTR \"1e3\""},
      {"M(\"7\")", "BSTR \"7\""},
      {"M(picture.png)", "BSTR \"picture.png\""},
      {"M(1234)", "I4 1234"},
      {"M(a b.c)", "BSTR \"a b.c\""},
      {"M(-)", "BSTR \"-\""},
      {"M(TRUE,false,True)", "BOOL -1, BOOL 0, BOOL -1"},
      {"M(TRUEX)", "BSTR \"TRUEX\""},
      {"M(1,,3)", "I4 1, missing, I4 3"},
      {"M(,)", "missing, missing"},
      {"M( ,)", "missing, missing"},
      {"M()", ""},
      {"M(\"\")", "BSTR \"\""},
      {"M(\"a\"\"b\")", "BSTR \"a\"b\""},
      {"M(\"a,b)\",2)", "BSTR \"a,b)\", I4 2"},
      {"M(&unbound)", "missing"},
      {"M(&)", "BSTR \"&\""},
      {"M(left)", "I4 42"},
      {"M(name)", "BSTR \"tag\""},
      {"M(\"left\")", "BSTR \"left\""},
      {"M(`abc)", "BSTR \"`abc\""},
      {"M(1)   ", "I4 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    control->ClearLog();
    EXPECT_EQ(Get(c.expression), "1");
    EXPECT_EQ(LastArguments(), c.arguments);
  }
  container::UnbindVariable("left");
  container::UnbindVariable("name");
}

TEST_F(ContainerTest, AGetResolvesTheNameWithTheSystemLocaleThenAsksForAResult) {
  control->AddMember("ClientToLogicX").Returns(ole::MakeI4(240));
  EXPECT_EQ(Get("ClientToLogicX(120)"), "240");
  EXPECT_THAT(control->Log(),
              ElementsAre("GetIDsOfNames ClientToLogicX 0x800", "Invoke ClientToLogicX method|get (I4 120) [result]"));
}

TEST_F(ContainerTest, ACallAsksForNoResult) {
  control->AddMember("AddObject");
  Call("AddObject(2,100,100,200,200)");
  EXPECT_THAT(control->Log(), ElementsAre("GetIDsOfNames AddObject 0x800",
                                          "Invoke AddObject method (I4 2, I4 100, I4 100, I4 200, I4 200)"));
}

struct SetCase {
  const char* name;
  SetValue value;
  const char* arrives;
};

TEST_F(ContainerTest, SetValuesAreTypedByTheSetValueRule) {
  auto& property = control->AddMember("P");
  int left = 42;
  container::BindVariable("left", left);
  const SetCase cases[] = {
      {"long", SetValue::Long(90), "I4 90"},
      {"negative long", SetValue::Long(-3), "I4 -3"},
      {"short", SetValue::Short(-7), "I4 -7"},
      {"byte", SetValue::Byte(255), "I4 255"},
      {"ulong past 32 bits signed", SetValue::ULong(4294967295u), "BSTR \"4294967295\""},
      {"lone minus", SetValue::Text("-"), "BSTR \"-\""},
      {"empty", SetValue::Text(""), "BSTR \"\""},
      {"blanks only", SetValue::Text("   "), "BSTR \"\""},
      {"ten digits that fit", SetValue::Text("1234567890"), "I4 1234567890"},
      {"ten digits that do not fit", SetValue::Text("9999999999"), "BSTR \"9999999999\""},
      {"leading zeros", SetValue::Text("007"), "I4 7"},
      {"plus sign", SetValue::Text("+5"), "BSTR \"+5\""},
      {"decimal point", SetValue::Text("1.5"), "BSTR \"1.5\""},
      {"trailing blanks dropped", SetValue::Text("12   "), "I4 12"},
      {"quoted", SetValue::Text("\"say \"\"hi\"\"\""), "BSTR \"say \"hi\"\""},
      {"quote left open", SetValue::Text("\"open"), "BSTR \"open\""},
      {"TRUE is only a text", SetValue::Text("TRUE"), "BSTR \"TRUE\""},
      {"bound names are not looked up", SetValue::Text("left"), "BSTR \"left\""},
      {"STRING padded, then trimmed", SetValue::String("Arial", 32), "BSTR \"Arial\""},
      {"STRING cut", SetValue::String("abcdef", 3), "BSTR \"abc\""},
      {"CSTRING ends at its 0", SetValue::CString(std::string_view("12\0junk", 7), 64), "I4 12"},
      {"CSTRING keeps n - 1", SetValue::CString("abcdef", 4), "BSTR \"abc\""},
      {"unreferenced grave accent", SetValue::Text("`x"), "BSTR \"`x\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    control->ClearLog();
    Set("P", c.value);
    EXPECT_THAT(control->Log(),
                ElementsAre("GetIDsOfNames P 0x800", std::string("Invoke P put (") + c.arrives + ") named(-3)"));
  }
  EXPECT_EQ(property.Value().vt, ole::VT_BSTR);
  EXPECT_TRUE(boxes.shown.empty());
  container::UnbindVariable("left");
}

TEST_F(ContainerTest, ArgumentsOfASetIndexTheProperty) {
  auto& linkWidth = control->AddMember("LinkWidth");
  Set("LinkWidth(3)", SetValue::Long(120));
  EXPECT_THAT(Invocations(), ElementsAre("Invoke LinkWidth put (I4 3, I4 120) named(-3)"));
  EXPECT_EQ(linkWidth.Value().lVal, 120);
}

TEST_F(ContainerTest, AtMostThirtyTwoArgumentsAreTakenAndTheSetValueCountsAsOne) {
  control->AddMember("M");
  std::string list;
  for (int i = 1; i <= 40; ++i) {
    list += (i == 1 ? "" : ",") + std::to_string(i);
  }
  Call("M(" + list + ")");
  ASSERT_EQ(control->Calls().back().arguments.size(), 32u);
  EXPECT_EQ(control->Calls().back().arguments.back().Text(), "I4 32");

  Set("M(" + list + ")", SetValue::Long(-1));
  const auto& put = control->Calls().back();
  ASSERT_EQ(put.arguments.size(), 32u);
  EXPECT_EQ(put.arguments[30].Text(), "I4 31");
  EXPECT_EQ(put.arguments[31].Text(), "I4 -1");
}

TEST_F(ContainerTest, AnExpressionThatBreaksOffReachesNoMember) {
  control->AddMember("M");
  const char* broken[] = {
      "M(1",     "M(1,2", "M(\"open)", "M(\"a\"b)", "M(\"a\" ,1)", "M(1)x", "M(1).Other", "M.Other",
      "M Other", "M=1",   "(1)",       "",          "M(1,\"a\"\"",
  };
  for (const char* expression : broken) {
    SCOPED_TRACE(expression);
    control->ClearLog();
    boxes.shown.clear();
    EXPECT_EQ(Get(expression), "GetPropertyFailed");
    Call(expression);
    Set(expression, SetValue::Long(1));
    EXPECT_TRUE(control->Calls().empty());
    // Only the get reports it.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "OLE Error");
  }
}

TEST_F(ContainerTest, AnObjectReferenceArgumentPassesTheLiveInterfaceAndADeadOneFails) {
  control->AddMember("M").Returns(ole::MakeI4(1));
  const std::string object = Get("31989");
  EXPECT_EQ(Get("M(" + object + ")"), "1");
  EXPECT_EQ(LastArguments(), "DISPATCH self");
  Set("M", SetValue::Text(object));
  EXPECT_EQ(LastArguments(), "DISPATCH self");

  control->ClearLog();
  EXPECT_EQ(Get("M(`987654321)"), "");
  Call("M(`987654321)");
  Set("M", SetValue::Text("`987654321"));
  EXPECT_TRUE(control->Calls().empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "OLE Error");
  EXPECT_EQ(boxes.shown[0].text.substr(0, 33), "Ole Automation Error (080070057H)");
}

// The order of the invocation kinds for each access, seen through a member
// that answers only the last kind of each order.
struct OrderCase {
  const char* access;
  const char* expression;
  std::uint16_t answers;
  std::vector<std::string> kindsTried;
};

TEST_F(ContainerTest, EachAccessTriesItsInvocationKindsInOrderResolvingTheNameEachTime) {
  using ole::DISPATCH_METHOD;
  using ole::DISPATCH_PROPERTYGET;
  const std::uint16_t either = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
  const OrderCase cases[] = {
      {"get", "A(1)", DISPATCH_PROPERTYGET, {"method|get", "method", "get"}},
      {"get", "A", DISPATCH_METHOD, {"method|get", "get", "method"}},
      {"call", "A(1)", DISPATCH_PROPERTYGET, {"method", "method|get", "get"}},
      {"call", "A", either, {"method", "get", "method|get"}},
      {"get", "A", either, {"method|get"}},
      {"call", "A", DISPATCH_METHOD, {"method"}},
  };
  auto& member = control->AddMember("A");
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.access) + " " + c.expression);
    member.AcceptsOnly({c.answers});
    control->ClearLog();
    if (std::string_view(c.access) == "get") {
      Get(c.expression);
    } else {
      Call(c.expression);
    }
    std::vector<std::string> lookups;
    std::vector<std::string> kinds;
    for (const auto& call : control->Calls()) {
      if (call.kind == testsupport::RecordedCall::Kind::GetIDsOfNames) {
        lookups.push_back(call.Text());
      } else {
        kinds.push_back(testsupport::KindText(call.flags));
      }
    }
    EXPECT_EQ(kinds, c.kindsTried);
    EXPECT_EQ(lookups, std::vector<std::string>(c.kindsTried.size(), "GetIDsOfNames A 0x800"));
  }
}

TEST_F(ContainerTest, ASetIsOnePutWithoutASecondAttempt) {
  control->AddMember("P").FailsWith(ole::DISP_E_MEMBERNOTFOUND);
  Set("P", SetValue::Long(1));
  EXPECT_THAT(control->Log(), ElementsAre("GetIDsOfNames P 0x800", "Invoke P put (I4 1) named(-3)"));
}

TEST_F(ContainerTest, TextCrossesAsWideCharactersAndComesBackAsUtf8) {
  control->AddMember("Text").Returns(ole::MakeText("Grüße 図"));
  EXPECT_EQ(Get("Text"), "Grüße 図");
  Set("Text", SetValue::Text("naïve ✓"));
  std::string stored;
  ASSERT_TRUE(ole::VariantToText(control->FindMember("Text")->Value(), stored));
  EXPECT_EQ(stored, "naïve ✓");
}

TEST_F(ContainerTest, HugeExpressionsFailCleanly) {
  control->AddMember("M").Returns(ole::MakeI4(1));
  constexpr std::size_t kMegabyte = 1 << 20;

  std::string tenThousand = "M(";
  for (int i = 0; i < 10000; ++i) {
    tenThousand += i == 0 ? "7" : ",7";
  }
  EXPECT_EQ(Get(tenThousand + ")"), "1");
  EXPECT_EQ(control->Calls().back().arguments.size(), 32u);
  EXPECT_EQ(Get(tenThousand), "GetPropertyFailed");

  EXPECT_EQ(Get("M(" + std::string(kMegabyte, 'x')), "GetPropertyFailed");
  EXPECT_EQ(Get("M(\"" + std::string(kMegabyte, 'x') + ")"), "GetPropertyFailed");
  EXPECT_EQ(Get("M(" + std::string(kMegabyte + 1, '"') + ")"), "GetPropertyFailed");
  EXPECT_EQ(Get("M(" + std::string(kMegabyte, ',') + ")"), "1");
  EXPECT_EQ(Get(std::string(kMegabyte, 'M')), "");
  EXPECT_EQ(Get(std::string(kMegabyte, '9')), "");
}

TEST(ExpressionScanner, ContainerPropertiesAreNamedByALeadingNumberOf28672OrMore) {
  using container::ExpressionScanner;
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("31989"), 31989);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("28672"), 28672);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("31989abc"), 31989);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("28671"), std::nullopt);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("BackColor"), std::nullopt);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber(" 31989"), std::nullopt);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("-31989"), std::nullopt);
  EXPECT_EQ(ExpressionScanner::ContainerPropertyNumber("99999999999999999999"), 2147483647);
}

} // namespace
} // namespace containertest

#include "ContainerFixture.h"

#include <gmock/gmock.h>

#include <thread>

namespace containertest {
namespace {

using testing::ElementsAre;

TEST_F(ContainerTest, GetBoundsWritesIntoTheBoundVariablesThroughTheirAddresses) {
  control->AddMember("GetBounds")
      .Returns(ole::MakeI4(1))
      .WritesBack(1, ole::MakeI4(100))
      .WritesBack(2, ole::MakeI4(800))
      .WritesBack(3, ole::MakeI4(900))
      .WritesBack(4, ole::MakeI4(980));
  std::int32_t left = -1, top = -2, right = -3, bottom = -4;
  container::BindVariable("left", left);
  container::BindVariable("top", top);
  container::BindVariable("right", right);
  container::BindVariable("bottom", bottom);

  EXPECT_EQ(Get("GetBounds(&left,&top,&right,&bottom,0)"), "1");
  EXPECT_THAT(Invocations(),
              ElementsAre("Invoke GetBounds method|get (&I4 -1, &I4 -2, &I4 -3, &I4 -4, I4 0) [result]"));
  const auto& arguments = control->Calls().back().arguments;
  EXPECT_EQ(arguments[0].target, &left);
  EXPECT_EQ(arguments[3].target, &bottom);
  EXPECT_EQ(std::vector<std::int32_t>({left, top, right, bottom}), std::vector<std::int32_t>({100, 800, 900, 980}));

  for (const char* name : {"left", "top", "right", "bottom"}) {
    container::UnbindVariable(name);
  }
  control->ClearLog();
  Get("GetBounds(&left,&top,&right,&bottom,0)");
  EXPECT_THAT(Invocations(),
              ElementsAre("Invoke GetBounds method|get (missing, missing, missing, missing, I4 0) [result]"));
  EXPECT_EQ(left, 100) << "an unbound variable is left alone";
}

TEST_F(ContainerTest, EachBoundTypeIsPassedByReferenceAsItsOwnType) {
  std::int32_t asLong = 1;
  std::int16_t asShort = 2;
  std::uint16_t asUShort = 3;
  std::uint32_t asULong = 4;
  std::uint8_t asByte = 5;
  float asSReal = 0.5f;
  double asReal = 2.25;
  std::string asText = "before";
  container::BindVariable("l", asLong);
  container::BindVariable("s", asShort);
  container::BindVariable("us", asUShort);
  container::BindVariable("ul", asULong);
  container::BindVariable("b", asByte);
  container::BindVariable("sr", asSReal);
  container::BindVariable("r", asReal);
  container::BindVariable("loc:text", asText);
  auto& member = control->AddMember("M");
  for (std::size_t position = 1; position <= 7; ++position) {
    member.WritesBack(position, ole::MakeI4(static_cast<std::int32_t>(10 * position)));
  }
  member.WritesBack(8, ole::MakeText("after, and longer"));

  Call("M(&l,&s,&us,&ul,&b,&sr,&r,&loc:text)");
  EXPECT_EQ(LastArguments(), "&I4 1, &I2 2, &UI2 3, &UI4 4, &UI1 5, &R4 0.5, &R8 2.25, &BSTR \"before\"");
  EXPECT_EQ(asLong, 10);
  EXPECT_EQ(asShort, 20);
  EXPECT_EQ(asUShort, 30);
  EXPECT_EQ(asULong, 40u);
  EXPECT_EQ(asByte, 50);
  EXPECT_EQ(asSReal, 60.0f);
  EXPECT_EQ(asReal, 70.0);
  EXPECT_EQ(asText, "after, and longer") << "a text variable is copied back after the call";

  control->ClearLog();
  Call("M(l,s,us,ul,b,sr,r,loc:text)");
  EXPECT_EQ(LastArguments(), "I4 10, I2 20, UI2 30, UI4 40, UI1 50, R4 60, R8 70, BSTR \"after, and longer\"")
      << "a bound name written bare passes the value";
  for (const char* name : {"l", "s", "us", "ul", "b", "sr", "r", "loc:text"}) {
    container::UnbindVariable(name);
  }
}

TEST_F(ContainerTest, MoveObjectsPassesItsOffsetsInTheBoundVariables) {
  control->AddMember("MoveObjects").Returns(ole::MakeI4(0));
  std::int32_t x = 15, y = -30;
  container::BindVariable("loc:ofsX", x);
  container::BindVariable("loc:ofsY", y);
  Get("MoveObjects(&loc:ofsX,&loc:ofsY,1)");
  EXPECT_EQ(LastArguments(), "&I4 15, &I4 -30, I4 1");
  container::UnbindVariable("loc:ofsX");
  container::UnbindVariable("loc:ofsY");
}

TEST_F(ContainerTest, BindingANameAgainReplacesItAndInvalidNamesAreNotBound) {
  control->AddMember("M");
  std::int32_t first = 1, second = 2;
  container::BindVariable("v", first);
  container::BindVariable("v", second);
  container::BindVariable("bad name", first);
  Call("M(&v,&bad name)");
  EXPECT_EQ(LastArguments(), "&I4 2, BSTR \"&bad name\"");
  container::UnbindVariable("v");
  container::UnbindVariable("v");
  Call("M(&v)");
  EXPECT_EQ(LastArguments(), "missing");
}

TEST_F(ContainerTest, ABindingBelongsToTheThreadThatMadeIt) {
  control->AddMember("M");
  std::int32_t value = 7;
  container::BindVariable("v", value);
  std::thread([this] { Call("M(&v)"); }).join();
  EXPECT_EQ(LastArguments(), "missing");
  Call("M(&v)");
  EXPECT_EQ(LastArguments(), "&I4 7");
  container::UnbindVariable("v");
}

} // namespace
} // namespace containertest

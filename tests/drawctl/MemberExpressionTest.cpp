#include "drawctl/MemberExpression.h"

#include <gtest/gtest.h>

namespace drawctl {
namespace {

TEST(MemberExpression, JoinsTheArgumentsInTheirForms) {
  struct Case {
    std::string built;
    const char* expected;
  };
  const Case cases[] = {
      {MemberExpression("SetBounds").Long(100).Long(800).Long(900).Long(980).Long(0).Text(),
       "SetBounds(100,800,900,980,0)"},
      {MemberExpression("ClientToLogicX").Long(-120).Text(), "ClientToLogicX(-120)"},
      {MemberExpression("RotateObjects").Real(45.5).Long(1).Text(), "RotateObjects(45.5,1)"},
      {MemberExpression("RotateObjects").Real(90).Long(1).Text(), "RotateObjects(90,1)"},
      {MemberExpression("ObjTags").Quoted("x   ").Text(), "ObjTags(\"x\")"},
      {MemberExpression("ObjTags").Quoted("say \"hi\"").Text(), "ObjTags(\"say \"hi\"\")"},
      {MemberExpression("SavePicture").Quoted("drawing.png ").Long(14).Text(), "SavePicture(\"drawing.png\",14)"},
      {MemberExpression("LoadPicture").Bare("drawing.png   ").Text(), "LoadPicture(drawing.png)"},
      {MemberExpression("GetBounds")
           .Reference("left")
           .Reference("top")
           .Reference("right")
           .Reference("bottom")
           .Long(0)
           .Text(),
       "GetBounds(&left,&top,&right,&bottom,0)"},
      {MemberExpression("Refresh").Text(), "Refresh()"},
      {MemberExpression("ObjTags").Quoted("").Text(), "ObjTags(\"\")"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.built, c.expected);
  }
}

} // namespace
} // namespace drawctl

#include "ControlDriver.h"

#include "platform/ole/SafeArray.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace canvas {
namespace {

using namespace canvas::driver;

TEST(DrawingControlTest, FindsMembersWhateverTheirLetterCase) {
  ControlDriver control;
  EXPECT_EQ(control.IdOf("backcolor"), control.IdOf("BackColor"));
  EXPECT_NE(control.IdOf("BACKCOLOR"), ole::DISPID_UNKNOWN);
  EXPECT_EQ(control.IdOf("NoSuchMember"), ole::DISPID_UNKNOWN);
  const std::pair<const char*, ole::DISPID> fixed[] = {{"PicXOfs", 7},     {"PicYOfs", 8},     {"PicXSize", 9},
                                                       {"PicYSize", 10},   {"OrigWidth", 15},  {"OrigHeight", 16},
                                                       {"Points", 108},    {"ZoomFactor", 179}};
  for (const auto& [name, id] : fixed) {
    EXPECT_EQ(control.IdOf(name), id) << name;
  }
  EXPECT_EQ(control.InvokeId(4242, ole::DISPATCH_METHOD, {}).status, ole::DISP_E_MEMBERNOTFOUND);
}

TEST(DrawingControlTest, StartsWithTheDefaultPicture) {
  ControlDriver control;
  const std::pair<const char*, std::int32_t> defaults[] = {
      {"PicLeft", 0},  {"PicTop", 0},   {"PicWidth", 1000}, {"PicHeight", 1000}, {"AutoScale", 1},
      {"EditFlags", 15}, {"EditMode", 0}, {"Current", 0},    {"Redraw", 1},       {"ObjNumber", 0},
      {"ZoomFactor", 1}, {"hDC", 0}};
  for (const auto& [name, value] : defaults) {
    EXPECT_EQ(control.Long(name), value) << name;
  }
}

TEST(DrawingControlTest, WritesLandOnTheObjectJustAddedAndTextOnTheLatestTextObject) {
  ControlDriver control;
  EXPECT_EQ(control.Add(10, 5, 5, 300, 55), 1);
  control.Set("FontSize", 12);
  control.Set("FontName", "Arial");
  control.Set("Text", "  Click to paint");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(control.Add(i + 1, 100 + 90 * i, 100, 170 + 90 * i, 400), i + 2);
    control.Set("FillColor", 255 * i);
  }
  EXPECT_EQ(control.Long("ObjNumber"), 3);
  EXPECT_EQ(control.Long("ObjType"), 2);
  EXPECT_EQ(control.Long("FillColor"), 255);
  EXPECT_EQ(control.Long("ObjLeft"), 190);
  EXPECT_EQ(control.Long("ObjBottom"), 400);
  control.Set("Text", "Click to paint a rectangle");
  const DrawingObject& caption = control.Control().GetDrawing().Object(1);
  EXPECT_EQ(caption.text.text, "Click to paint a rectangle") << "Text addresses the current text object";
  EXPECT_EQ(caption.text.fontSize, 12);

  control.Set("ObjNumber", 2);
  EXPECT_EQ(control.Long("FillColor"), 0) << "ObjNumber makes an object current";
  control.Set("ObjNumber", 0);
  EXPECT_EQ(control.Long("FillColor"), 0);
  control.Set("FillColor", 0xFF);
  EXPECT_EQ(control.Control().GetDrawing().Object(2).fill.colour, 0) << "without a current object nothing changes";
  EXPECT_EQ(control.Text("ObjTag"), "");
}

TEST(DrawingControlTest, CurrentChoosesWhatTheFillAndLineMembersAddress) {
  ControlDriver control;
  control.Add(2, 0, 0, 10, 10);
  control.Add(2, 20, 0, 30, 10);
  control.Set("ObjSelected", 1);
  control.Set("ObjNumber", 1);

  control.Set("Current", 1);
  control.Set("FillColor", 0x00FF00);
  control.Set("Current", 4);
  control.Set("FillColor", 0x0000FF);
  control.Set("LineWidth", 3);
  control.Set("Current", 5);
  control.Set("FillColor", 0xFF0000);
  control.Set("LineColor", 0x123456);
  control.Set("Current", 0);
  control.Set("FillColor", 0x111111);

  const Drawing& drawing = control.Control().GetDrawing();
  EXPECT_EQ(drawing.Object(1).fill.colour, 0x111111) << "0: the current object";
  EXPECT_EQ(drawing.Object(2).fill.colour, 0x00FF00) << "1: the selected objects";
  EXPECT_EQ(control.Control().NewObjectStyle().fill.colour, 0x0000FF) << "4: the objects drawn next";
  EXPECT_EQ(control.Control().NewObjectStyle().line.width, 3);
  EXPECT_EQ(drawing.Picture().picBackColor, 0xFF0000) << "5: the picture";
  EXPECT_EQ(control.Long("PicBorderColor"), 0x123456);

  EXPECT_EQ(control.Add(4, 0, 0, 5, 5), 3);
  EXPECT_EQ(control.Long("FillColor"), 0x0000FF) << "an added object takes the attributes for new objects";
  control.Set("Current", 4);
  control.Add(4, 0, 0, 5, 5);
  EXPECT_EQ(control.Long("Current"), 0) << "adding makes the new object current and Current returns to 0";
}

struct RefusedCase {
  const char* member;
  std::int32_t value;
  const char* mentions;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) { *out << refused.member << " " << refused.value; }

class RefusedValueTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedValueTest, FailsWithAnExceptionAndKeepsTheValue) {
  const RefusedCase& refused = GetParam();
  ControlDriver control;
  control.Add(10, 0, 0, 100, 50);
  const CallResult before = control.Get(refused.member);
  const CallResult result = control.Put(refused.member, I4(refused.value));
  EXPECT_EQ(result.status, ole::DISP_E_EXCEPTION);
  EXPECT_NE(result.description.find(refused.mentions), std::string::npos) << result.description;
  EXPECT_EQ(control.Get(refused.member).Long(), before.Long());
}

INSTANTIATE_TEST_SUITE_P(Members, RefusedValueTest,
                         testing::Values(RefusedCase{"EditMode", 12, "EditMode takes 0, 1"},
                                         RefusedCase{"Current", 7, "Current takes 0, 1, 4, 5"},
                                         RefusedCase{"PicWidth", -5, "PicWidth must lie between 1 and"},
                                         RefusedCase{"FontSize", 0, "FontSize"},
                                         RefusedCase{"LineStyle", 9, "LineStyle"},
                                         RefusedCase{"FillColor", 0x1000000, "FillColor"},
                                         RefusedCase{"ObjRight", -20, "opposite edge"},
                                         RefusedCase{"ObjNumber", 9, "There is no object 9"},
                                         RefusedCase{"ObjType", 2, "cannot be written"}));

TEST(DrawingControlTest, RefusesBadArgumentsNamingTheArgument) {
  ControlDriver control;
  CallResult result = control.Get("AddObject", {I4(1), Str("left"), I4(0), I4(5), I4(5)});
  EXPECT_EQ(result.status, ole::DISP_E_TYPEMISMATCH);
  EXPECT_EQ(result.argumentError, 3u) << "the second of five arguments, counted last first from 0";
  result = control.Put("BackColor", Str("red"));
  EXPECT_EQ(result.status, ole::DISP_E_TYPEMISMATCH);
  EXPECT_EQ(result.argumentError, 0u);
  result = control.Get("AddObject", {I4(11), I4(0), I4(0), I4(5), I4(5)});
  EXPECT_EQ(result.status, ole::DISP_E_EXCEPTION);
  EXPECT_NE(result.description.find("kinds 1 to 10 and 22"), std::string::npos);
  result = control.Get("AddObject", {I4(1), I4(0), Omitted(), I4(5), I4(5)});
  EXPECT_EQ(result.status, ole::DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(result.argumentError, 2u);
  EXPECT_EQ(control.Get("AddObject", {I4(1), I4(0)}).status, ole::DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(control.Get("Clear", {I4(1)}).status, ole::DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(control.Put("Clear", I4(1)).status, ole::DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(control.Control().GetDrawing().Count(), 0);
}

TEST(DrawingControlTest, TakesNumbersAsIntegersOrAsText) {
  ControlDriver control;
  control.Add(2, 0, 0, 100, 100);
  control.Add(2, 200, 0, 300, 100);
  ASSERT_EQ(control.Call("RotateObjects", {I4(1), I4(1), I4(90), I4(0)}).status, ole::S_OK);
  EXPECT_EQ(control.Control().GetDrawing().Object(1).rotation, 90);
  ASSERT_EQ(control.Call("RotateObjects", {I4(2), I4(2), Str("45.5"), I4(0)}).status, ole::S_OK);
  EXPECT_DOUBLE_EQ(control.Control().GetDrawing().Object(2).rotation, 45.5);
  EXPECT_EQ(control.Call("RotateObjects", {I4(1), I4(2), Str("a lot"), I4(0)}).status, ole::DISP_E_TYPEMISMATCH);

  ASSERT_EQ(control.Put("ClipLeft", I4(2)).status, ole::S_OK);
  EXPECT_DOUBLE_EQ(control.Get("ClipLeft").Real(), 2);
  ASSERT_EQ(control.Put("ClipLeft", Str("1.5")).status, ole::S_OK);
  EXPECT_DOUBLE_EQ(control.Get("ClipLeft").Real(), 1.5);
  ASSERT_EQ(control.Put("FillColor", Str("255")).status, ole::S_OK);
  EXPECT_EQ(control.Long("FillColor"), 255);
}

TEST(DrawingControlTest, RotatesARangeOfObjectsAboutTheirCommonCentre) {
  ControlDriver control;
  control.Add(2, 0, 0, 100, 100);
  control.Add(2, 200, 0, 300, 100);
  control.Add(2, 900, 900, 950, 950);
  // Option 3: about the common centre (150, 50), clockwise.
  ASSERT_EQ(control.Call("RotateObjects", {I4(1), I4(2), R8(90), I4(3)}).status, ole::S_OK);
  const Drawing& drawing = control.Control().GetDrawing();
  EXPECT_NEAR(drawing.Object(1).box.Centre().x, 150, 1e-9);
  EXPECT_NEAR(drawing.Object(1).box.Centre().y, -50, 1e-9) << "clockwise on screen takes the left one up";
  EXPECT_EQ(drawing.Object(1).rotation, -90);
  EXPECT_EQ(drawing.Object(3).rotation, 0) << "outside the range";
  EXPECT_EQ(control.Call("RotateObjects", {I4(2), I4(9), R8(10), I4(0)}).status, ole::DISP_E_EXCEPTION);
}

TEST(DrawingControlTest, GetBoundsAndMoveObjectsWriteThroughTheirReferences) {
  ControlDriver control;
  control.Add(2, 100, 100, 170, 400);
  control.Add(4, 300, 50, 400, 150);
  std::int32_t left = -1, top = -1, right = -1, bottom = -1;
  CallResult result = control.Get("GetBounds", {RefTo(left), RefTo(top), RefTo(right), RefTo(bottom), I4(2)});
  ASSERT_EQ(result.status, ole::S_OK);
  EXPECT_EQ(result.Long(), 2);
  EXPECT_EQ((std::vector<int>{left, top, right, bottom}), (std::vector<int>{100, 50, 400, 400}));

  std::int16_t shortTop = 0;
  ole::VARIANT shortReference = Omitted();
  shortReference.vt = ole::VT_BYREF | ole::VT_I2;
  shortReference.piVal = &shortTop;
  left = -1;
  result = control.Get("GetBounds", {Omitted(), shortReference, RefTo(right), RefTo(bottom)});
  ASSERT_EQ(result.status, ole::S_OK) << "the option defaults to the current object";
  EXPECT_EQ(left, -1) << "an omitted reference is left alone";
  EXPECT_EQ(shortTop, 50) << "written in the type of the variable behind the reference";
  EXPECT_EQ(control.Get("GetBounds", {I4(0), I4(0), I4(0), I4(0)}).status, ole::DISP_E_TYPEMISMATCH);

  std::int32_t dx = 10, dy = -20;
  result = control.Get("MoveObjects", {RefTo(dx), RefTo(dy), I4(0)});
  EXPECT_EQ(result.Long(), 1);
  EXPECT_EQ(control.Long("ObjTop"), 30);
  EXPECT_EQ((std::pair{dx, dy}), (std::pair{10, -20}));
  control.Set("ObjNumber", 0);
  result = control.Get("MoveObjects", {RefTo(dx), RefTo(dy), I4(0)});
  EXPECT_EQ(result.Long(), 0);
  EXPECT_EQ((std::pair{dx, dy}), (std::pair{0, 0})) << "nothing moved";
}

TEST(DrawingControlTest, SetBoundsStretchesTheObjectsIntoTheBox) {
  ControlDriver control;
  control.Add(10, 5, 5, 300, 55);
  EXPECT_EQ(control.Long("SetBounds", {I4(100), I4(800), I4(900), I4(980), I4(0)}), 1);
  EXPECT_EQ((std::vector<int>{control.Long("ObjLeft"), control.Long("ObjTop"), control.Long("ObjRight"),
                              control.Long("ObjBottom")}),
            (std::vector<int>{100, 800, 900, 980}));
  control.Add(2, 0, 0, 100, 100);
  control.Set("ObjSelected", 1);
  control.Add(2, 100, 100, 200, 200);
  control.Set("ObjSelected", 1);
  EXPECT_EQ(control.Long("SetBounds", {I4(0), I4(0), I4(400), I4(100), I4(1)}), 2)
      << "the selected objects stretch together";
  EXPECT_EQ(control.Control().GetDrawing().Object(3).box, (Box{200, 50, 400, 100}));
  EXPECT_EQ(control.Get("SetBounds", {I4(10), I4(0), I4(0), I4(10), I4(0)}).status, ole::DISP_E_EXCEPTION);
}

ole::VARIANT LongArray(const std::vector<std::int32_t>& numbers, std::int32_t lowerBound = 1) {
  ole::SAFEARRAYBOUND bound{static_cast<std::uint32_t>(numbers.size()), lowerBound};
  ole::SAFEARRAY* array = ole::SafeArrayCreate(ole::VT_I4, 1, &bound);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::int32_t index = lowerBound + static_cast<std::int32_t>(i);
    ole::SafeArrayPutElement(array, &index, &numbers[i]);
  }
  ole::VARIANT value;
  ole::VariantInit(&value);
  value.vt = ole::VT_ARRAY | ole::VT_I4;
  value.parray = array;
  return value;
}

TEST(DrawingControlTest, Dispatch108GivesTheCurrentObjectItsPoints) {
  ControlDriver control;
  control.Add(9, 820, 100, 890, 400);
  const std::vector<std::int32_t> star = {855, 100, 890, 400, 820, 200, 890, 200, 820, 400, 855, 100};
  CallResult result = control.InvokeId(108, ole::DISPATCH_METHOD, {I4(0), I4(6), LongArray(star), ole::MakeI2(0)});
  ASSERT_EQ(result.status, ole::S_OK) << result.description;
  const DrawingObject& polygon = control.Control().GetDrawing().Object(1);
  ASSERT_EQ(polygon.points.size(), 6u);
  EXPECT_EQ(polygon.points[3], (Point{890, 200}));

  result = control.InvokeId(108, ole::DISPATCH_METHOD | ole::DISPATCH_PROPERTYGET, {});
  ASSERT_EQ(result.value->value().vt, ole::VT_ARRAY | ole::VT_I4);
  std::int32_t lower = 0, upper = 0;
  ole::SafeArrayGetLBound(result.value->value().parray, 1, &lower);
  ole::SafeArrayGetUBound(result.value->value().parray, 1, &upper);
  EXPECT_EQ((std::pair{lower, upper}), (std::pair{1, 12}));

  // Two points of five given, keeping the first three: a polygon of five.
  result = control.InvokeId(108, ole::DISPATCH_METHOD, {I4(3), I4(2), LongArray({1, 2, 3, 4, 5, 6}, 0), I4(0)});
  ASSERT_EQ(result.status, ole::S_OK) << result.description;
  EXPECT_EQ(control.Control().GetDrawing().Object(1).points.back(), (Point{3, 4}));

  result = control.InvokeId(108, ole::DISPATCH_METHOD, {I4(0), I4(7), LongArray(star), I4(0)});
  EXPECT_EQ(result.status, ole::DISP_E_EXCEPTION) << "reading past the array is refused";
  EXPECT_NE(result.description.find("holds 12 numbers"), std::string::npos);
  control.Add(2, 0, 0, 5, 5);
  result = control.InvokeId(108, ole::DISPATCH_METHOD, {I4(0), I4(6), LongArray(star), I4(0)});
  EXPECT_EQ(result.status, ole::DISP_E_EXCEPTION) << "a rectangle has no points";
}

TEST(DrawingControlTest, TheFixedIdentifiersSetByCallAndReadByName) {
  ControlDriver control;
  const std::pair<ole::DISPID, const char*> members[] = {{7, "PicXOfs"},   {8, "PicYOfs"},    {9, "PicXSize"},
                                                         {10, "PicYSize"}, {15, "OrigWidth"}, {16, "OrigHeight"},
                                                         {179, "ZoomFactor"}};
  for (const auto& [id, name] : members) {
    ASSERT_EQ(control.InvokeId(id, ole::DISPATCH_METHOD, {R8(2.5)}).status, ole::S_OK) << name;
    EXPECT_DOUBLE_EQ(control.Get(name).Real(), 2.5) << name;
  }
  const CallResult refused = control.InvokeId(179, ole::DISPATCH_METHOD, {R8(0)});
  EXPECT_EQ(refused.status, ole::DISP_E_EXCEPTION) << "a zoom of 0 is refused";
  EXPECT_DOUBLE_EQ(control.Get("ZoomFactor").Real(), 2.5);
}

TEST(DrawingControlTest, KeepsNamedTags) {
  ControlDriver control;
  control.Add(2, 0, 0, 10, 10);
  ASSERT_EQ(control.Put("ObjTags", Str("a rectangle"), {Str("x")}).status, ole::S_OK);
  control.Put("ObjTags", Str("red"), {Str("colour")});
  control.Set("ObjTag", "the default tag");
  EXPECT_EQ(control.Text("ObjTags", {Str("x")}), "a rectangle");
  EXPECT_EQ(control.Text("ObjTags", {I4(2)}), "red") << "a tag by its position";
  EXPECT_EQ(control.Text("ObjTags", {Str("missing")}), "");
  EXPECT_EQ(control.Long("ObjTagCount"), 2);
  control.Put("ObjTags", Str(""), {Str("x")});
  EXPECT_EQ(control.Long("ObjTagCount"), 1) << "writing the empty text removes a tag";
  control.Set("ObjTagCount", 0);
  EXPECT_EQ(control.Text("ObjTags", {Str("colour")}), "");
  EXPECT_EQ(control.Text("ObjTag"), "the default tag");
  EXPECT_EQ(control.Put("ObjTagCount", I4(3)).status, ole::DISP_E_EXCEPTION);
}

TEST(DrawingControlTest, HitTestFindsTheTopmostObjectByShape) {
  ControlDriver control;
  control.Add(2, 0, 0, 200, 200);
  control.Add(4, 100, 100, 300, 300);
  EXPECT_EQ(control.Long("ObjectsHitTest", {I4(150), I4(150), I4(0)}), 2);
  EXPECT_EQ(control.Long("ObjectsHitTest", {I4(110), I4(110), I4(0)}), 1) << "outside the ellipse, on the rectangle";
  EXPECT_EQ(control.Long("ObjectsHitTest", {I4(110), I4(110), I4(1)}), 2) << "by box";
  EXPECT_EQ(control.Long("ObjectsHitTest", {I4(500), I4(500)}), 0);
  EXPECT_EQ(control.Long("ObjNumber"), 2) << "a hit test does not change the current object";
}

TEST(DrawingControlTest, ConvertsBetweenClientAndLogicalUnits) {
  ControlDriver control;
  control.Control().SetClientSize(QSize(500, 400));
  // The page fits 400 pixels high: 0.4 pixels a unit; then zoomed twice.
  EXPECT_EQ(control.Long("LogicToClientX", {I4(1000)}), 400);
  EXPECT_DOUBLE_EQ(control.Get("ClientWidth", {I4(0)}).Real(), 1250);
  EXPECT_EQ(control.Long("ClientWidth"), 500);
  EXPECT_DOUBLE_EQ(control.Get("ClientHeight", {I4(1)}).Real(), 400);
  control.InvokeId(179, ole::DISPATCH_METHOD, {R8(2)});
  control.InvokeId(7, ole::DISPATCH_METHOD, {R8(100)});
  EXPECT_EQ(control.Long("ClientToLogicX", {I4(400)}), 600);
  EXPECT_EQ(control.Long("LogicToClientY", {I4(250)}), 200);
  control.Set("AutoScale", 0);
  control.InvokeId(9, ole::DISPATCH_METHOD, {R8(3000)});
  EXPECT_EQ(control.Long("LogicToClientX", {I4(200)}), 600) << "PicXSize 3000 for 1000 units, zoomed twice";
  EXPECT_EQ(control.Long("LogicToClientY", {I4(200)}), 400) << "PicYSize 0: one pixel a unit";
}

TEST(DrawingControlTest, ActionSelectsAndDeletes) {
  ControlDriver control;
  for (int i = 0; i < 3; ++i) {
    control.Add(2, i * 10, 0, i * 10 + 5, 5);
  }
  control.Set("ObjMove", kMoveNoDelete);
  control.Set("Action", 1);
  EXPECT_TRUE(control.Control().GetDrawing().Object(2).selected);
  control.Set("ObjNumber", 1);
  control.Set("Action", 3);
  ASSERT_EQ(control.Control().GetDrawing().Count(), 1) << "the protected object stays";
  EXPECT_EQ(control.Long("ObjNumber"), 0) << "the current object was deleted";
  EXPECT_EQ(control.Put("Action", I4(9)).status, ole::DISP_E_EXCEPTION);
}

TEST(DrawingControlTest, ClearDeletesTheObjectsAndKeepsThePicture) {
  ControlDriver control;
  control.Add(10, 0, 0, 10, 10);
  control.Set("PicWidth", 500);
  ASSERT_EQ(control.Call("Clear").status, ole::S_OK);
  EXPECT_EQ(control.Control().GetDrawing().Count(), 0);
  EXPECT_EQ(control.Long("ObjNumber"), 0);
  EXPECT_EQ(control.Text("Text"), "");
  EXPECT_EQ(control.Long("PicWidth"), 500);
}

} // namespace
} // namespace canvas

// What the object, geometry and picture operations send to the control,
// and what they make of the answers.
#include "WrapperFixture.h"

#include "drawctl/NumberText.h"

#include <cstring>
#include <functional>
#include <limits>
#include <map>

namespace drawctltest {
namespace {

std::string Shown(std::int32_t value) { return drawctl::NumberText::Long(value); }
std::string Shown(double value) { return drawctl::NumberText::Real(value); }

struct OperationCase {
  const char* name;
  // Runs the operation and shows its result ("" for none).
  std::function<std::string(DrawingControlClass&)> run;
  Lines invocations;
  std::string result = "";
  // Texts the control answers with, by member.
  std::map<std::string, std::string> answers = {};
};

class OperationTrafficTest : public WrapperTest, public testing::WithParamInterface<OperationCase> {};

TEST_P(OperationTrafficTest, SendsItsExpressionAndReadsTheAnswer) {
  const OperationCase& c = GetParam();
  for (const auto& [member, text] : c.answers) {
    Answer(member.c_str(), text);
  }
  EXPECT_EQ(c.run(wrapper), c.result);
  EXPECT_EQ(Invocations(), c.invocations);
  EXPECT_TRUE(boxes.shown.empty());
}

const std::string kLongName(300, 'a');

INSTANTIATE_TEST_SUITE_P(
    Operations, OperationTrafficTest,
    testing::Values(OperationCase{"ClientWidth",
                                  [](auto& w) { return Shown(w.ClientWidth(0)); },
                                  {"Invoke ClientWidth method|get (I4 0) [result]"},
                                  "640.5",
                                  {{"ClientWidth", "640.5"}}},
                    OperationCase{"ClientHeight",
                                  [](auto& w) { return Shown(w.ClientHeight(1)); },
                                  {"Invoke ClientHeight method|get (I4 1) [result]"},
                                  "480",
                                  {{"ClientHeight", "480"}}},
                    OperationCase{"ClientToLogicX",
                                  [](auto& w) { return Shown(w.ClientToLogicX(120)); },
                                  {"Invoke ClientToLogicX method|get (I4 120) [result]"},
                                  "240",
                                  {{"ClientToLogicX", "240.9"}}},
                    OperationCase{"ClientToLogicY",
                                  [](auto& w) { return Shown(w.ClientToLogicY(-7)); },
                                  {"Invoke ClientToLogicY method|get (I4 -7) [result]"},
                                  "-14",
                                  {{"ClientToLogicY", "-14"}}},
                    OperationCase{"LogicToClientX",
                                  [](auto& w) { return Shown(w.LogicToClientX(500)); },
                                  {"Invoke LogicToClientX method|get (I4 500) [result]"},
                                  "250",
                                  {{"LogicToClientX", "250"}}},
                    OperationCase{"LogicToClientY",
                                  [](auto& w) { return Shown(w.LogicToClientY(0)); },
                                  {"Invoke LogicToClientY method|get (I4 0) [result]"},
                                  "3",
                                  {{"LogicToClientY", "3"}}},
                    OperationCase{"AddObjectDoesNotReReadThePictureState",
                                  [](auto& w) {
                                    w.AddObject(10, 5, 5, 300, 55);
                                    return std::string();
                                  },
                                  {"Invoke AddObject method (I4 10, I4 5, I4 5, I4 300, I4 55)"}},
                    OperationCase{"AddObjectWithANegativeCorner",
                                  [](auto& w) {
                                    w.AddObject(1, -5, 100, 170, 400);
                                    return std::string();
                                  },
                                  {"Invoke AddObject method (I4 1, I4 -5, I4 100, I4 170, I4 400)"}},
                    OperationCase{"SetLineAttributesWithOnlyAWidth",
                                  [](auto& w) {
                                    w.SetLineAttributes(std::nullopt, 5);
                                    return std::string();
                                  },
                                  {"Invoke LineWidth put (I4 5) named(-3)"}},
                    OperationCase{"SetLineAttributesWithAllThree",
                                  [](auto& w) {
                                    w.SetLineAttributes(255, 3, 1);
                                    return std::string();
                                  },
                                  {"Invoke LineColor put (I4 255) named(-3)", "Invoke LineWidth put (I4 3) named(-3)",
                                   "Invoke LineStyle put (I4 1) named(-3)"}},
                    OperationCase{"SetLineAttributesWithNone",
                                  [](auto& w) {
                                    w.SetLineAttributes();
                                    return std::string();
                                  },
                                  {}},
                    OperationCase{"LinkStyle",
                                  [](auto& w) {
                                    w.LinkStyle(3, -2);
                                    return std::string();
                                  },
                                  {"Invoke LinkStyle put (I4 3, I4 -2) named(-3)"}},
                    OperationCase{"LinkLengthWrite",
                                  [](auto& w) { return Shown(w.LinkLength(3, 120, 0)); },
                                  {"Invoke LinkLength put (I4 3, I4 120) named(-3)"},
                                  "0"},
                    OperationCase{"LinkLengthRead",
                                  [](auto& w) { return Shown(w.LinkLength(3, 120, 1)); },
                                  {"Invoke LinkLength method|get (I4 3) [result]"},
                                  "44",
                                  {{"LinkLength", "44"}}},
                    OperationCase{"LinkWidthWrite",
                                  [](auto& w) { return Shown(w.LinkWidth(-1, 7, 0)); },
                                  {"Invoke LinkWidth put (I4 -1, I4 7) named(-3)"},
                                  "0"},
                    OperationCase{"LinkWidthRead",
                                  [](auto& w) { return Shown(w.LinkWidth(2, 0, 9)); },
                                  {"Invoke LinkWidth method|get (I4 2) [result]"},
                                  "12",
                                  {{"LinkWidth", "12,5"}}},
                    OperationCase{"ObjectsHitTest",
                                  [](auto& w) { return Shown(w.ObjectsHitTest(500, 900, 0)); },
                                  {"Invoke ObjectsHitTest method|get (I4 500, I4 900, I4 0) [result]"},
                                  "1",
                                  {{"ObjectsHitTest", "1"}}},
                    OperationCase{"ObjTagCountWrite",
                                  [](auto& w) { return Shown(std::int32_t{w.ObjTagCount(-5, 0)}); },
                                  {"Invoke ObjTagCount put (I4 -5) named(-3)"},
                                  "0"},
                    OperationCase{"ObjTagCountReadKeepsTheLow16Bits",
                                  [](auto& w) { return Shown(std::int32_t{w.ObjTagCount(0, 1)}); },
                                  {"Invoke ObjTagCount method|get () [result]"},
                                  "-1",
                                  {{"ObjTagCount", "131071"}}},
                    OperationCase{"ObjType",
                                  [](auto& w) { return Shown(w.ObjType()); },
                                  {"Invoke ObjType method|get () [result]"},
                                  "9",
                                  {{"ObjType", "9"}}},
                    OperationCase{"MoveObjects",
                                  [](auto& w) { return Shown(w.MoveObjects(5, -5, 2)); },
                                  {"Invoke MoveObjects method|get (&I4 5, &I4 -5, I4 2) [result]"},
                                  "1",
                                  {{"MoveObjects", "1"}}},
                    OperationCase{"RotateObjectsWithAWholeAngle",
                                  [](auto& w) {
                                    w.RotateObjects(1, 2, 30.0, 3);
                                    return std::string();
                                  },
                                  {"Invoke RotateObjects method (I4 1, I4 2, I4 30, I4 3)"}},
                    OperationCase{"RotateObjectsWithAFraction",
                                  [](auto& w) {
                                    w.RotateObjects(1, 2, 30.5, 3);
                                    return std::string();
                                  },
                                  {R"(Invoke RotateObjects method (I4 1, I4 2, BSTR "30.5", I4 3))"}},
                    OperationCase{"SetBounds",
                                  [](auto& w) { return Shown(w.SetBounds(100, 800, 900, 980, 0)); },
                                  {"Invoke SetBounds method|get (I4 100, I4 800, I4 900, I4 980, I4 0) [result]"},
                                  "1",
                                  {{"SetBounds", "1"}}},
                    OperationCase{"LoadPicture",
                                  [](auto& w) { return Shown(w.LoadPicture("drawing.mdw  ", 0, 1)); },
                                  {R"(Invoke LoadPicture method|get (BSTR "drawing.mdw", I4 0, I4 1) [result])"},
                                  "1",
                                  {{"LoadPicture", "1"}}},
                    OperationCase{"LoadPictureOfANameOfDigits",
                                  [](auto& w) { return Shown(w.LoadPicture("12345", -1, 0)); },
                                  {"Invoke LoadPicture method|get (I4 12345, I4 -1, I4 0) [result]"},
                                  "0"},
                    OperationCase{"LoadPictureCutsTheNameAt254",
                                  [](auto& w) { return Shown(w.LoadPicture(kLongName + "   ", 0, 0)); },
                                  {"Invoke LoadPicture method|get (BSTR \"" + kLongName.substr(0, 254) +
                                   "\", I4 0, I4 0) [result]"},
                                  "0"},
                    OperationCase{"SavePicture",
                                  [](auto& w) {
                                    w.SavePicture("out.png   ", 0, 3);
                                    return std::string();
                                  },
                                  {R"(Invoke SavePicture method (BSTR "out.png", I4 0, I4 3))"}},
                    OperationCase{"SavePictureWritesBytesUnsigned",
                                  [](auto& w) {
                                    w.SavePicture("out.png", 255, 200);
                                    return std::string();
                                  },
                                  {R"(Invoke SavePicture method (BSTR "out.png", I4 255, I4 200))"}},
                    OperationCase{
                        "SavePictureCutsTheNameAt255",
                        [](auto& w) {
                          w.SavePicture(kLongName, 0, 3);
                          return std::string();
                        },
                        {"Invoke SavePicture method (BSTR \"" + kLongName.substr(0, 255) + "\", I4 0, I4 3)"}}),
    [](const testing::TestParamInfo<OperationCase>& info) { return std::string(info.param.name); });

TEST_F(WrapperTest, FixedKindAddsSendTheirKindThenReReadThePictureState) {
  using Add = void (DrawingControlClass::*)(std::int32_t, std::int32_t, std::int32_t, std::int32_t);
  const std::pair<Add, int> adds[] = {
      {&DrawingControlClass::AddLine, 1},
      {&DrawingControlClass::AddKind22Object, 22},
      {&DrawingControlClass::AddRectangle, 2},
      {&DrawingControlClass::AddEllipse, 4},
      {&DrawingControlClass::AddRoundedRectangle, 3},
      {&DrawingControlClass::AddArc, 5},
      {&DrawingControlClass::AddSector, 6},
      {&DrawingControlClass::AddChord, 7},
      {&DrawingControlClass::AddPolyline, 8},
      {&DrawingControlClass::AddPolygon, 9},
  };
  for (const auto& [add, kind] : adds) {
    SCOPED_TRACE(kind);
    control->ClearLog();
    (wrapper.*add)(100, 100, 170, 400);
    EXPECT_EQ(Invocations(),
              Joined({{"Invoke AddObject method (I4 " + std::to_string(kind) + ", I4 100, I4 100, I4 170, I4 400)"},
                      PictureStateReads()}));
  }
}

TEST_F(WrapperTest, GetBoundsHandsBackWhatTheControlWroteAndUnbindsWhateverHappens) {
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails ? "failing" : "succeeding");
    auto& member = control->FindMember("GetBounds")->Returns(ole::MakeI4(1));
    for (std::size_t position = 1; position <= 4; ++position) {
      member.WritesBack(position, ole::MakeI4(static_cast<std::int32_t>(100 * position)));
    }
    if (fails) {
      member.FailsWith(ole::E_FAIL);
    }
    std::int32_t left = -1, top = -1, right = -1, bottom = -1;
    control->ClearLog();
    EXPECT_EQ(wrapper.GetBounds(left, top, right, bottom, 2), fails ? 0 : 1);
    EXPECT_EQ(Invocations().front(), "Invoke GetBounds method|get (&I4 -1, &I4 -1, &I4 -1, &I4 -1, I4 2) [result]");
    EXPECT_EQ((std::vector<std::int32_t>{left, top, right, bottom}), (std::vector<std::int32_t>{100, 200, 300, 400}));

    // Names that are no longer bound reach the control as omitted arguments.
    control->ClearLog();
    container::GetMember(&window, kSlot, "GetBounds(&left,&top,&right,&bottom,0)");
    EXPECT_EQ(Invocations().front(), "Invoke GetBounds method|get (missing, missing, missing, missing, I4 0) [result]");
  }
}

TEST_F(WrapperTest, MoveObjectsKeepsWhatTheControlWritesBackToItself) {
  control->FindMember("MoveObjects")->WritesBack(1, ole::MakeI4(77)).WritesBack(2, ole::MakeI4(88));
  wrapper.MoveObjects(5, -5, 0);
  EXPECT_EQ(Invocations(), Lines{"Invoke MoveObjects method|get (&I4 5, &I4 -5, I4 0) [result]"});
  control->ClearLog();
  container::GetMember(&window, kSlot, "MoveObjects(&loc:ofsX,&loc:ofsY,0)");
  EXPECT_EQ(Invocations().front(), "Invoke MoveObjects method|get (missing, missing, I4 0) [result]");
}

TEST_F(WrapperTest, LinkStyleQueuesACommandInsteadWhileTheDrawQueueIsOn) {
  DrawCommandQueue commands;
  wrapper.USEDRAWQUEUE = 1;
  wrapper.MDBCOMMAND = &commands;
  commands.Buffer.BYTES.fill(0xEE);
  wrapper.LinkStyle(3, -2);

  ASSERT_EQ(commands.Records(), 1u);
  const auto& bytes = commands.Entry(1).BYTES;
  std::int32_t code = 0;
  std::int16_t link = 0;
  std::int16_t style = 0;
  std::memcpy(&code, bytes.data() + 0, sizeof code);
  std::memcpy(&link, bytes.data() + 901, sizeof link);
  std::memcpy(&style, bytes.data() + 903, sizeof style);
  EXPECT_EQ(code, 11);
  EXPECT_EQ(link, 3);
  EXPECT_EQ(style, -2);
  EXPECT_EQ(bytes[4], 0xEE) << "the rest of the record is left as the buffer held it";
  EXPECT_EQ(bytes[900], 0xEE);

  // Without a queue the command has nowhere to go.
  wrapper.MDBCOMMAND = nullptr;
  wrapper.LinkStyle(4, 1);
  EXPECT_EQ(commands.Records(), 1u);
  EXPECT_TRUE(Invocations().empty());
}

TEST_F(WrapperTest, SaveClippedPictureClipsToTheVisibleAreaThenSavesAndReReads) {
  Answer("PicXOfs", "12.5");
  Answer("PicYOfs", "3");
  Answer("ClientWidth", "640");
  Answer("ClientHeight", "480.25");
  wrapper.SCALEUNITS = 4;
  wrapper.SaveClippedPicture(kLongName + "  ");
  EXPECT_EQ(Invocations(),
            Joined({{Written("PictureType", 14), Written("ExportOptions", 9), Read("PicXOfs"),
                     R"(Invoke ClipLeft put (BSTR "12.5") named(-3))", Read("PicYOfs"), Written("ClipTop", 3),
                     "Invoke ClientWidth method|get (I4 0) [result]", Written("ClipWidth", 640),
                     "Invoke ClientHeight method|get (I4 0) [result]",
                     R"(Invoke ClipHeight put (BSTR "480.25") named(-3))", Written("Current", 5),
                     Written("ScaleUnits", 1), "Invoke SavePicture method (BSTR \"" + kLongName + "\", I4 0, I4 14)"},
                    PictureStateReads()}));
  EXPECT_EQ(wrapper.SCALEUNITS, 1);

  control->ClearLog();
  wrapper.SaveClippedPicture("clip.bmp", 1, 3);
  EXPECT_EQ(Invocations().front(), Written("PictureType", 3));
  EXPECT_EQ(Invocations()[12], R"(Invoke SavePicture method (BSTR "clip.bmp", I4 1, I4 3))");
}

} // namespace
} // namespace drawctltest

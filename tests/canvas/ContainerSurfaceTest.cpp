// The control driven through the control container with the very texts the
// program's wrapper sends.
#include "canvas/DrawingControl.h"

#include "platform/container/ContainerWindow.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ClassRegistry.h"
#include "platform/ole/SafeArray.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace canvas {
namespace {

using container::SetValue;

constexpr std::int16_t kSlot = 3;

class ContainerSurfaceTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(CreateDrawingControl(ole::IID_IDispatch, control_.ReceiveVoid()), ole::S_OK);
    factory_.emplace(kDrawingControlProgId, ole::ComPtr<ole::IUnknown>(control_.get()));
    window_.AddSlot(kSlot);
    Set("31942", SetValue::Text(kDrawingControlProgId));
    Set("31954", SetValue::Text("1"));
    ASSERT_FALSE(Get("31989").empty());
  }

  std::string Get(std::string_view expression) { return container::GetMember(&window_, kSlot, expression); }
  void Set(std::string_view expression, const SetValue& value) {
    container::SetMember(&window_, kSlot, expression, value);
  }
  void Call(std::string_view expression) { container::CallMember(&window_, kSlot, expression); }

  DrawingControl& Control() { return *static_cast<DrawingControl*>(control_.get()); }

  // A direct call of the control's IDispatch, as the wrapper makes it:
  // through the Object reference, as a method, without result.
  ole::HRESULT InvokeDirect(ole::DISPID id, std::vector<ole::VARIANT> lastFirst) {
    ole::IDispatch* dispatch = container::ObjectFromReference(Get("31989"));
    if (dispatch == nullptr) {
      return ole::E_POINTER;
    }
    ole::DISPPARAMS params{lastFirst.data(), nullptr, static_cast<std::uint32_t>(lastFirst.size()), 0};
    return dispatch->Invoke(id, ole::IID_NULL, ole::LOCALE_US_ENGLISH, ole::DISPATCH_METHOD, &params, nullptr,
                            nullptr, nullptr);
  }

  void AddSamples() {
    const char* names[] = {"a line", "a rectangle", "a rounded rectangle"};
    for (int i = 0; i < 3; ++i) {
      Call("AddObject(" + std::to_string(i + 1) + "," + std::to_string(100 + 90 * i) + ",100," +
           std::to_string(170 + 90 * i) + ",400)");
      Set("ObjHotSpot", SetValue::Long(15));
      Set("ObjTags(\"x\")", SetValue::Text(names[i]));
    }
  }

  container::RecordingMessagePresenter boxes_;
  container::ScopedMessagePresenter presenter_{boxes_};
  ole::ComPtr<ole::IDispatch> control_;
  std::optional<testsupport::ScopedControlFactory> factory_;
  container::ContainerWindow window_;
};

TEST_F(ContainerSurfaceTest, BuildsTheCaptionAndTheSamples) {
  Call("AddObject(10,5,5,300,55)");
  Set("FontSize", SetValue::Long(12));
  Set("FontName", SetValue::Text("Arial"));
  Set("FontBold", SetValue::Long(1));
  Set("Text", SetValue::String("  Click to paint  ", 18));
  Set("TextStyle", SetValue::Long(2));
  Set("TextHAlign", SetValue::Long(1));
  EXPECT_EQ(Get("SetBounds(100,800,900,980,0)"), "1");
  AddSamples();
  Set("FillColor", SetValue::Long(65280));

  EXPECT_EQ(Get("ObjTags(\"x\")"), "a rounded rectangle");
  EXPECT_EQ(Get("ObjNumber"), "4");
  EXPECT_EQ(Get("FillColor"), "65280");
  EXPECT_EQ(Get("Text"), "  Click to paint") << "leading blanks kept, trailing ones dropped on the way";
  EXPECT_EQ(Get("ObjectsHitTest(500,900,0)"), "1") << "the caption now lies below the samples";
  Set("ObjNumber", SetValue::Long(1));
  EXPECT_EQ(Get("ObjTop"), "800");
  Set("EditFlags", SetValue::Long(std::stoi(Get("EditFlags")) - 8));
  EXPECT_EQ(Get("EditFlags"), "7");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ContainerSurfaceTest, GetBoundsAndMoveObjectsWriteIntoBoundVariables) {
  Call("AddObject(1,100,100,170,400)");
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  container::BindVariable("left", left);
  container::BindVariable("top", top);
  container::BindVariable("right", right);
  container::BindVariable("bottom", bottom);
  EXPECT_EQ(Get("GetBounds(&left,&top,&right,&bottom,0)"), "1");
  for (const char* name : {"left", "top", "right", "bottom"}) {
    container::UnbindVariable(name);
  }
  EXPECT_EQ((std::vector<int>{left, top, right, bottom}), (std::vector<int>{100, 100, 170, 400}));

  std::int32_t dx = 5, dy = -5;
  container::BindVariable("loc:ofsX", dx);
  container::BindVariable("loc:ofsY", dy);
  EXPECT_EQ(Get("MoveObjects(&loc:ofsX,&loc:ofsY,0)"), "1");
  container::UnbindVariable("loc:ofsX");
  container::UnbindVariable("loc:ofsY");
  EXPECT_EQ(Get("ObjLeft"), "105");
  EXPECT_EQ(Get("ObjTop"), "95");
}

TEST_F(ContainerSurfaceTest, TakesThePointListAndTheRealsByDispatchIdentifier) {
  Call("AddObject(9,820,100,890,400)");
  const std::int32_t star[] = {855, 100, 890, 400, 820, 200, 890, 200, 820, 400, 855, 100};
  ole::SAFEARRAYBOUND bound{12, 1};
  ole::SAFEARRAY* array = ole::SafeArrayCreate(ole::VT_I4, 1, &bound);
  for (std::int32_t i = 1; i <= 12; ++i) {
    ole::SafeArrayPutElement(array, &i, &star[i - 1]);
  }
  ole::VARIANT arrayArgument;
  ole::VariantInit(&arrayArgument);
  arrayArgument.vt = ole::VT_ARRAY | ole::VT_I4;
  arrayArgument.parray = array;
  EXPECT_EQ(InvokeDirect(108, {ole::MakeI2(0), arrayArgument, ole::MakeI4(6), ole::MakeI4(0)}), ole::S_OK);
  ole::SafeArrayDestroy(array);
  ASSERT_EQ(Control().GetDrawing().Object(1).points.size(), 6u);
  EXPECT_EQ(Control().GetDrawing().Object(1).points[1], (Point{890, 400}));

  EXPECT_EQ(InvokeDirect(179, {ole::MakeR8(2.5)}), ole::S_OK);
  EXPECT_EQ(Get("ZoomFactor"), "2.5");
  EXPECT_EQ(InvokeDirect(9, {ole::MakeR8(640)}), ole::S_OK);
  EXPECT_EQ(Get("PicXSize"), "640");
  EXPECT_LT(InvokeDirect(179, {ole::MakeR8(-1)}), 0) << "a failing direct call returns its status";
  EXPECT_TRUE(boxes_.shown.empty()) << "direct calls report nothing";
}

TEST_F(ContainerSurfaceTest, TakesAnglesAndClipValuesAsIntegersOrText) {
  Call("AddObject(1,100,100,170,400)");
  Call("AddObject(2,190,100,260,400)");
  Call("RotateObjects(1,2,45.5,3)");
  EXPECT_DOUBLE_EQ(Control().GetDrawing().Object(2).rotation, -45.5);
  Call("RotateObjects(2,2,90,0)");
  EXPECT_DOUBLE_EQ(Control().GetDrawing().Object(2).rotation, 44.5);
  Set("ClipLeft", SetValue::Text("1.5"));
  EXPECT_EQ(Get("ClipLeft"), "1.5");
  Set("ClipLeft", SetValue::Text("2"));
  EXPECT_EQ(Get("ClipLeft"), "2");
  EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(ContainerSurfaceTest, RefusedValuesAndWrongTypesShowTheContainersBoxes) {
  Set("EditMode", SetValue::Long(12));
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].caption, "Ole Automation Error");
  EXPECT_NE(boxes_.shown[0].text.find("EditMode takes 0, 1"), std::string::npos) << boxes_.shown[0].text;
  EXPECT_EQ(Get("EditMode"), "0");
  EXPECT_EQ(Get("AddObject(1,abc,100,170,400)"), "");
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[1].text, "Parameter 2 type mismatch");
  EXPECT_EQ(Get("ObjNumber"), "0");
}

TEST_F(ContainerSurfaceTest, SavesAndLoadsByTheWrappersTexts) {
  QTemporaryDir folder;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  AddSamples();
  Call("SavePicture(\"12345\",0,0)");
  Call("SavePicture(\"samples.png\",0,14)");
  Call("Clear");
  EXPECT_EQ(Get("LoadPicture(12345,0,0)"), "1") << "a name of digits arrives as an integer";
  EXPECT_EQ(Get("LoadPicture(missing.mdd,0,0)"), "");
  QDir::setCurrent(previous);
  EXPECT_EQ(Control().GetDrawing().Count(), 3);
  EXPECT_TRUE(QFile::exists(folder.filePath("samples.png")));
  ASSERT_EQ(boxes_.shown.size(), 1u) << "the missing file";
  EXPECT_NE(boxes_.shown[0].text.find("missing.mdd"), std::string::npos);
}

TEST_F(ContainerSurfaceTest, TheEventCallbackReadsTheTagOfTheObjectConcerned) {
  AddSamples();
  Set("EventMask", SetValue::Long(35));
  Set("HotSpots", SetValue::Long(1));
  std::vector<std::string> seen;
  container::RegisterEventCallback(&window_, kSlot, [&](ole::DISPPARAMS* params, std::int16_t, ole::DISPID id) {
    if (id == ole::DISPID_MOUSEMOVE) {
      return 1;
    }
    std::string record = Get("31965");
    for (int n = 1; n <= 3; ++n) {
      record += " " + container::EventParameterText(params, n);
    }
    seen.push_back(record + " " + Get("ObjTags(\"x\")"));
    return 1;
  });
  Control().ReportHotSpot(3, HotSpotTransition::Entered);
  Control().ReportHit(2, {200, 200});
  Control().ReportMouseButton(MouseTransition::Up, 2, 0, {300, 300});
  EXPECT_EQ(seen, (std::vector<std::string>{"OnHotSpot 3 15 0 a rounded rectangle", "HitObject 2 200 200 a rectangle",
                                            "MouseUp 2 0 300 a rectangle"}));
  EXPECT_EQ(Get("ObjNumber"), "2");
}

TEST(ComponentLibraryTest, TheControlIsFoundThroughItsRegistryFile) {
  ASSERT_EQ(ole::ClassRegistry::Instance().LoadRegistryFile(METADRAW_COMPONENT_REGISTRY), ole::S_OK);
  container::ContainerWindow window;
  window.AddSlot(kSlot);
  container::SetMember(&window, kSlot, "31942", SetValue::Text("MDRAW.MDrawCtrl.3"));
  EXPECT_FALSE(container::GetMember(&window, kSlot, "31989").empty());
  container::CallMember(&window, kSlot, "AddObject(1,100,100,170,400)");
  EXPECT_EQ(container::GetMember(&window, kSlot, "ObjNumber"), "1");
  EXPECT_EQ(container::GetMember(&window, kSlot, "ObjRight"), "170");
  ole::ClassRegistry::Instance().UnregisterLibrary(kDrawingControlProgId);
}

} // namespace
} // namespace canvas

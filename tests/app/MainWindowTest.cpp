#include "MainWindowTestSupport.h"

#include "app/SamplePalette.h"
#include "automation/EventMessageQueue.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/ClassRegistry.h"
#include "platform/window/ProgramFolders.h"
#include "tests/support/Eventually.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

namespace apptest {
namespace {

struct SampleRow {
  std::int32_t kind;
  std::int32_t left;
  std::int32_t right;
  std::int32_t fillColor;
  const char* name;
};

// The palette as a person sees it, left to right.
constexpr SampleRow kSamples[] = {
    {1, 100, 170, 0x000000, "a line"},
    {2, 190, 260, 0x0000FF, "a rectangle"},
    {3, 280, 350, 0x00FF00, "a rounded rectangle"},
    {4, 370, 440, 0x00FFFF, "an ellipse"},
    {5, 460, 530, 0xFF0000, "an arc"},
    {6, 550, 620, 0xFF00FF, "a sector"},
    {7, 640, 710, 0xFFFF00, "a chord"},
    {8, 730, 800, 0xFFFFFF, "a polyline"},
    {9, 820, 890, 0xFE0000, "a polygon"},
};

TEST(MainWindow, OpensWithTheCaptionBelowTheNineSamples) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    const ObjectReading caption = s.ReadObject(1);
    EXPECT_EQ(caption.type, 10);
    EXPECT_EQ(DrawingControl.Text("", kRead), "  Click to paint");
    EXPECT_EQ((std::array{caption.left, caption.top, caption.right, caption.bottom}),
              (std::array{100, 800, 900, 980}));
    EXPECT_EQ(DrawingControl.FontName("", kRead), "Arial");
    EXPECT_EQ(DrawingControl.FontSize(0, kRead), 12);
    EXPECT_EQ(DrawingControl.FontBold(0, kRead), 1);
    EXPECT_EQ(DrawingControl.TextStyle(0, kRead), 2);
    EXPECT_EQ(DrawingControl.TextHAlign(0, kRead), 1);
    EXPECT_EQ(DrawingControl.ObjVisible(0, kRead), 0);

    for (int i = 0; i < kSampleCount; ++i) {
      const SampleRow& row = kSamples[i];
      SCOPED_TRACE(row.name);
      const ObjectReading sample = s.ReadObject(i + 2);
      EXPECT_EQ(sample.type, row.kind);
      EXPECT_EQ((std::array{sample.left, sample.top, sample.right, sample.bottom}),
                (std::array{row.left, 100, row.right, 400}));
      EXPECT_EQ(sample.fillColor, row.fillColor);
      EXPECT_EQ(sample.tag, row.name);
      EXPECT_EQ(DrawingControl.ObjHotSpot(0, kRead), 15);
    }
    EXPECT_FALSE(s.ObjectExists(11));

    DrawingControl.ObjNumber(9, kWrite);
    EXPECT_EQ(s.PointsOfCurrentObject(), (std::vector<std::int32_t>{730, 100, 730, 400, 765, 200, 800, 400, 800, 100}));
    DrawingControl.ObjNumber(10, kWrite);
    EXPECT_EQ(s.PointsOfCurrentObject(),
              (std::vector<std::int32_t>{855, 100, 890, 400, 820, 200, 890, 200, 820, 400, 855, 100}));

    EXPECT_EQ(DrawingControl.EventMask(0, kRead), 35);
    EXPECT_EQ(DrawingControl.HotSpots(0, kRead), 1);
    EXPECT_EQ(DrawingControl.EditFlags(0, kRead), 7) << "the caption cannot be edited in place";
    EXPECT_EQ(DrawingControl.EditMode(0, kRead), 0);
    EXPECT_TRUE(s.Boxes().empty());
  });
}

TEST(MainWindow, TheCheckBoxSwitchesSelectMoveAndResizeModeOnAndOff) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    auto* box = qobject_cast<QCheckBox*>(s.Window().ControlWidget(SELECTRESIZEMODEON));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_FALSE(box->isChecked());

    DrawingControl.EditMode(4, kWrite);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 11);
    EXPECT_EQ(s.Locals().checkBoxValue, 1);
    EXPECT_EQ(DrawingControl.Text("", kRead), "Use the mouse to select, move or resize objects");
    EXPECT_EQ(DrawingControl.Current(0, kRead), 1);

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 0);
    EXPECT_EQ(s.Locals().checkBoxValue, 0);
    EXPECT_EQ(DrawingControl.Text("", kRead), "Use the mouse to select, move or resize objects");
  });
}

TEST(MainWindow, EveryWayOfClosingShutsDownOnceAndReleasesTheControl) {
  const struct {
    const char* way;
    std::function<void(window::Window&)> close;
  } ways[] = {
      {"File, Exit", [](window::Window& w) { w.MenuAction(FILEEXIT)->trigger(); }},
      {"the Close button", [](window::Window& w) { QTest::mouseClick(w.ControlWidget(CANCELBUTTON), Qt::LeftButton); }},
      {"the close box", [](window::Window& w) { w.Widget()->close(); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    MainWindowSession session;
    std::string objectWhileOpen;
    session.Run([&](MainWindowSession& s) {
      objectWhileOpen = container::GetMember(&s.Window(), OLE, "31989");
      way.close(s.Window());
    });
    EXPECT_EQ(session.Controller().shutdowns, 1);
    EXPECT_FALSE(objectWhileOpen.empty());
    EXPECT_EQ(container::GetMember(&session.Window(), OLE, "31989"), "") << "the control has been released";
    EXPECT_EQ(GlobalErrors.ProcedureName(), "");
  }
}

TEST(MainWindow, WithoutItsControlTheWindowOpensWithAnEmptySlotAfterOneMessage) {
  MainWindowSession session;
  ole::ClassRegistry::Instance().UnregisterLibrary(DrawingControlClass::kProgId);
  bool opened = false;
  session.Run([&](MainWindowSession& s) {
    opened = s.Window().Widget()->isVisible();
    EXPECT_EQ(s.View(), nullptr);
    DrawingControl.EditMode(11, kWrite);
    EXPECT_EQ(DrawingControl.EditMode(0, kRead), 0);
  });
  window::LoadInstalledComponents();

  EXPECT_TRUE(opened);
  EXPECT_EQ(session.Controller().shutdowns, 1);
  ASSERT_EQ(session.Boxes().size(), 1u);
  EXPECT_EQ(session.Boxes()[0].caption, "Error");
  EXPECT_EQ(session.Boxes()[0].text, "MetaDraw control not found! Check your MetaDraw installation");
}

} // namespace
} // namespace apptest

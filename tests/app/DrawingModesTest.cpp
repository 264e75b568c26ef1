#include "MainWindowTestSupport.h"

#include "app/SamplePalette.h"
#include "automation/EventMessageQueue.h"
#include "platform/ole/FixedText.h"
#include "platform/window/Random.h"
#include "tests/support/Eventually.h"

#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace apptest {
namespace {

constexpr std::int32_t kRectangleSample = 3;
constexpr std::int32_t kEllipseSample = 5;
constexpr std::int32_t kPolygonSample = 10;
// Coordinates read back from the mouse are whole pixels: allow the width
// of a pixel or two in logical units.
constexpr std::int32_t kPixelSlack = 6;

// A point of the drawing where the object shows (its shape, not only its
// box), as the control hit-tests it.
QPoint PixelOnObject(MainWindowSession& s, std::int32_t number) {
  DrawingControl.ObjNumber(number, kWrite);
  const std::int32_t left = DrawingControl.ObjLeft(0, kRead);
  const std::int32_t top = DrawingControl.ObjTop(0, kRead);
  const std::int32_t right = DrawingControl.ObjRight(0, kRead);
  const std::int32_t bottom = DrawingControl.ObjBottom(0, kRead);
  for (std::int32_t y = top + (bottom - top) / 2; y < bottom; y += 10) {
    for (std::int32_t x = left + (right - left) / 2; x < right; x += 2) {
      const QPoint pixel = s.PixelOf(x, y);
      if (DrawingControl.ObjectsHitTest(DrawingControl.ClientToLogicX(pixel.x()),
                                        DrawingControl.ClientToLogicY(pixel.y()), 0) == number) {
        return pixel;
      }
    }
  }
  ADD_FAILURE() << "object " << number << " shows nowhere";
  return {};
}

// An empty spot of the drawing, between the samples and the caption.
QPoint EmptyPixel(MainWindowSession& s) { return s.PixelOf(50, 600); }

std::string Caption() { return DrawingControl.Text("", kRead); }

bool Near(std::int32_t a, std::int32_t b) { return std::abs(a - b) <= kPixelSlack; }

TEST(DrawingModes, HoveringASampleNamesItInTheCaption) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    for (int i = 0; i < kSampleCount; ++i) {
      const std::string name = kSampleNames[i];
      SCOPED_TRACE(name);
      const QPoint onSample = PixelOnObject(s, i + 2);
      s.MoveTo(EmptyPixel(s));
      s.MoveTo(onSample);
      EXPECT_EVENTUALLY_EQ(Caption(), "Click to paint " + name);
      s.SettleEvents();
      EXPECT_EQ(DrawingControl.ObjNumber(0, kRead), i + 2);
      EXPECT_EQ(DrawingControl.ObjVisible(0, kRead), 1) << "highlighted while the mouse is over it";

      s.MoveTo(EmptyPixel(s));
      s.SettleEvents();
      EXPECT_EQ(DrawingControl.ObjVisible(0, kRead), 0) << "no highlight once the mouse has left";
      EXPECT_EQ(Caption(), "Click to paint " + name);
    }
  });
}

TEST(DrawingModes, HotSpotsInQuickSuccessionAreHandledInFiringOrder) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    const QPoint rectangle = PixelOnObject(s, 3);
    const QPoint rounded = PixelOnObject(s, 4);
    const QPoint ellipse = PixelOnObject(s, 5);
    s.MoveTo(EmptyPixel(s));
    s.SettleEvents();
    // Straight across three samples: enter, leave and enter again before
    // the loop turns.
    s.MoveTo(rectangle);
    s.MoveTo(rounded);
    s.MoveTo(ellipse);
    EXPECT_EQ(EventMessageQueue.size(), 5u);
    std::vector<std::string> tags;
    for (const auto& record : EventMessageQueue) {
      tags.push_back(std::string(ole::TrimTrailingBlanks(record.MQ_TAG)) + (record.MQ_LPARAM3 == 0 ? " in" : " out"));
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"a rectangle in", "a rectangle out", "a rounded rectangle in",
                                              "a rounded rectangle out", "an ellipse in"}));
    s.SettleEvents();
    EXPECT_EQ(Caption(), "Click to paint an ellipse");
    EXPECT_EQ(DrawingControl.ObjNumber(0, kRead), 5);
    EXPECT_EQ(DrawingControl.ObjVisible(0, kRead), 1);
  });
}

TEST(DrawingModes, MouseMovesQueueNothing) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    // Even with mouse-move events switched on in the control.
    DrawingControl.EventMask(35 | 16, kWrite);
    s.MoveTo(EmptyPixel(s));
    s.MoveTo(EmptyPixel(s) + QPoint(5, 5));
    EXPECT_TRUE(EventMessageQueue.empty());
  });
}

TEST(DrawingModes, ClickingTheRectangleSampleArmsItsToolAndTheMouseDrawsARectangle) {
  constexpr std::uint32_t kSeed = 20261211;
  window::SeedRandom(kSeed);
  const std::int64_t r1 = window::RandomInRange(1, 1000);
  const std::int64_t r2 = window::RandomInRange(1, 1000);
  const auto lineColor = static_cast<std::int32_t>(r1 * 16777215 / 1000);
  const auto lineWidth = static_cast<std::int32_t>(r2 * 8 / 1000);

  MainWindowSession session;
  session.Run([&](MainWindowSession& s) {
    window::SeedRandom(kSeed);
    s.Click(PixelOnObject(s, kRectangleSample));
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 2);
    s.SettleEvents();
    EXPECT_EQ(DrawingControl.Current(0, kRead), 4);
    EXPECT_EQ(DrawingControl.FillColor(0, kRead), 255);
    EXPECT_EQ(DrawingControl.LineColor(0, kRead), lineColor);
    EXPECT_GE(lineColor, 16777);
    EXPECT_LE(lineColor, 16777215);
    EXPECT_EQ(DrawingControl.LineWidth(0, kRead), lineWidth);
    EXPECT_EQ(DrawingControl.ObjMove(0, kRead), 14);
    EXPECT_EQ(Caption(), "Use the mouse to draw the object or click right mouse button to change to Select mode");

    s.Drag(s.PixelOf(150, 500), s.PixelOf(300, 700));
    ASSERT_TRUE(s.ObjectExists(11));
    const ObjectReading drawn = s.ReadObject(11);
    EXPECT_EQ(drawn.type, 2);
    EXPECT_TRUE(Near(drawn.left, 150) && Near(drawn.top, 500) && Near(drawn.right, 300) && Near(drawn.bottom, 700))
        << drawn.left << "," << drawn.top << "," << drawn.right << "," << drawn.bottom;
    EXPECT_EQ(drawn.fillColor, 255);
    EXPECT_EQ(drawn.lineColor, lineColor);
    EXPECT_EQ(drawn.lineWidth, lineWidth);
    EXPECT_EQ(DrawingControl.EditMode(0, kRead), 2) << "the tool stays armed for the next one";

    // A left click changes nothing; releasing the right button returns to
    // select mode.
    s.Click(EmptyPixel(s));
    s.SettleEvents();
    EXPECT_EQ(DrawingControl.EditMode(0, kRead), 2);
    EXPECT_FALSE(s.ObjectExists(12)) << "a click without a drag draws nothing";
    s.Click(EmptyPixel(s), Qt::RightButton);
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 0);
  });
}

TEST(DrawingModes, ClickingThePolygonSampleLetsTheMouseDrawAPolygonByClicks) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    s.Click(PixelOnObject(s, kPolygonSample));
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 9);
    s.SettleEvents();
    EXPECT_EQ(DrawingControl.FillColor(0, kRead), 0xFE0000);

    const std::vector<std::pair<std::int32_t, std::int32_t>> corners = {{100, 500}, {400, 500}, {250, 750}};
    for (const auto& [x, y] : corners) {
      s.Click(s.PixelOf(x, y));
    }
    QTest::keyClick(s.View(), Qt::Key_Return);
    ASSERT_TRUE(s.ObjectExists(11));
    const ObjectReading drawn = s.ReadObject(11);
    EXPECT_EQ(drawn.type, 9);
    EXPECT_EQ(drawn.fillColor, 0xFE0000);
    const std::vector<std::int32_t> points = s.PointsOfCurrentObject();
    ASSERT_EQ(points.size(), 6u);
    for (std::size_t i = 0; i < corners.size(); ++i) {
      EXPECT_TRUE(Near(points[2 * i], corners[i].first) && Near(points[2 * i + 1], corners[i].second))
          << "corner " << i << ": " << points[2 * i] << "," << points[2 * i + 1];
    }
  });
}

TEST(DrawingModes, TheTickedCheckBoxStaysTickedWhileASampleArmsItsTool) {
  MainWindowSession session;
  session.Run([](MainWindowSession& s) {
    auto* box = qobject_cast<QCheckBox*>(s.Window().ControlWidget(SELECTRESIZEMODEON));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 11);

    s.Click(PixelOnObject(s, kEllipseSample));
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 4);
    s.SettleEvents();
    EXPECT_EQ(DrawingControl.FillColor(0, kRead), 0x00FFFF);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(s.Locals().checkBoxValue, 1);

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EVENTUALLY_EQ(DrawingControl.EditMode(0, kRead), 0);
  });
}

} // namespace
} // namespace apptest

#include "CrowdedDrawing.h"
#include "PaintCounter.h"
#include "PictureComparison.h"
#include "ViewFixture.h"

#include "tests/support/Eventually.h"

#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace canvas {
namespace {

using namespace canvas::driver;

// Moving objects with the mouse among many others, with the full-window
// drag setting on (the objects move live) or off (outlines move).
class LiveMoveTest : public ViewFixture, public testing::WithParamInterface<bool> {
protected:
  // What the view shows: the window's pixels as the paints so far have
  // left them, not a paint made for the asking.
  QImage OnScreen() {
    const QPoint at = View().mapTo(View().window(), QPoint(0, 0));
    return View()
        .screen()
        ->grabWindow(View().window()->winId(), at.x(), at.y(), View().width(), View().height())
        .toImage();
  }
  // The control's own paint of the whole view, afresh.
  QImage ControlPaint() {
    QImage image(View().size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    Control().PaintClient(painter, View().rect());
    return image;
  }
  // Runs the event loop until the view has painted.
  void AwaitPaint(const std::function<void()>& cause) {
    PaintCounter paints(&View());
    cause();
    ASSERT_EVENTUALLY_TRUE(paints.count > 0);
  }
  void ExpectFreshEverywhere(const std::string& when) {
    const QImage shown = OnScreen();
    EXPECT_TRUE(PicturesMatch(shown, View().grab().toImage())) << when;
    if (GetParam()) {
      EXPECT_TRUE(PicturesMatch(shown, ControlPaint())) << when << ": nothing shows over the objects";
    }
  }
};

TEST_P(LiveMoveTest, TheViewShowsAFreshPaintAtEveryStep) {
  SetFullWindowDrag(GetParam());
  AddCrowd(Control(), 256);
  control_.Set("EditMode", 11);
  Control().EditObjects({5, 29, 140, 200}, [](DrawingObject& object, std::size_t) { object.selected = true; });
  // The rectangle 29 lies on top where it is grabbed.
  const Point grabbed{781, 90};
  ASSERT_EQ(Control().ObjectAt(grabbed), 29);
  Press(At(grabbed.x, grabbed.y));

  const std::vector<std::pair<Point, std::function<void()>>> steps = {
      {{40, 20}, nullptr},
      {{200, 100}, nullptr},
      {{-300, 400},
       [&] {
         control_.Set("ObjNumber", 34);
         control_.Set("FillColor", 0x00FF00);
       }},
      {{-500, 600}, [&] { control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(1.5)}); }},
      {{-200, 300}, nullptr},
  };
  for (const auto& [offset, interruption] : steps) {
    const std::string at = "moved by " + std::to_string(offset.x) + ", " + std::to_string(offset.y);
    AwaitPaint([&] { Hover(At(grabbed.x + offset.x, grabbed.y + offset.y)); });
    ExpectFreshEverywhere(at);
    if (interruption) {
      AwaitPaint(interruption);
      ExpectFreshEverywhere(at + ", then changed by automation");
    }
  }
  AwaitPaint([&] { Release(At(grabbed.x - 200, grabbed.y + 300)); });
  ExpectFreshEverywhere("released");
}

INSTANTIATE_TEST_SUITE_P(FullWindowDrag, LiveMoveTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "On" : "Off"; });

} // namespace
} // namespace canvas

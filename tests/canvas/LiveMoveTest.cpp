#include "CrowdedDrawing.h"
#include "PaintCounter.h"
#include "PictureComparison.h"
#include "ViewFixture.h"

#include "tests/support/Eventually.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
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
  // A fresh paint of the whole view: the control's own, and, while the
  // objects stay in place, the dashed outlines of the moved ones where the
  // move has taken them.
  QImage FreshPaint(const std::vector<DrawingObject>& moved, Point offset) {
    QImage image(View().size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    Control().PaintClient(painter, View().rect());
    if (!GetParam()) {
      painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
      for (DrawingObject outline : moved) {
        Translate(outline, offset.x, offset.y);
        painter.drawPath(Control().Transform().Matrix().map(ShapePathOf(outline)));
      }
    }
    return image;
  }
  // Runs the event loop until the view has painted.
  void AwaitPaint(const std::function<void()>& cause) {
    PaintCounter paints(&View());
    cause();
    ASSERT_EVENTUALLY_TRUE(paints.count > 0);
  }
  // What the view shows, and what it paints when asked for all of it
  // (which its own paint device takes differently), is a fresh paint.
  void ExpectFreshEverywhere(const QImage& fresh, const std::string& when) {
    EXPECT_TRUE(PicturesMatch(OnScreen(), fresh)) << when << ", on screen";
    EXPECT_TRUE(PicturesMatch(View().grab().toImage(), fresh)) << when << ", grabbed";
  }
};

TEST_P(LiveMoveTest, TheViewShowsAFreshPaintAtEveryStep) {
  SetFullWindowDrag(GetParam());
  AddCrowd(Control(), 256);
  control_.Set("EditMode", 11);
  const std::vector<int> numbers = {5, 29, 140, 200};
  Control().EditObjects(numbers, [](DrawingObject& object, std::size_t) { object.selected = true; });
  std::vector<DrawingObject> moved;
  for (const int number : numbers) {
    moved.push_back(Drawn().Object(number));
  }
  // The rectangle 29 lies on top where it is grabbed.
  const Point grabbed{781, 90};
  ASSERT_EQ(Control().ObjectAt(grabbed), 29);
  Press(At(grabbed.x, grabbed.y));
  const Point anchor = Control().Transform().ToLogical(At(grabbed.x, grabbed.y));

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
  for (const auto& [to, interruption] : steps) {
    const std::string when = "moved by " + std::to_string(to.x) + ", " + std::to_string(to.y);
    const QPoint pixel = At(grabbed.x + to.x, grabbed.y + to.y);
    AwaitPaint([&] { Hover(pixel); });
    // Where the pixel under the mouse takes the objects.
    const Point at = Control().Transform().ToLogical(pixel);
    const Point offset{at.x - anchor.x, at.y - anchor.y};
    ExpectFreshEverywhere(FreshPaint(moved, offset), when);
    if (interruption) {
      AwaitPaint(interruption);
      ExpectFreshEverywhere(FreshPaint(moved, offset), when + ", then changed by automation");
    }
  }
  AwaitPaint([&] { Release(At(grabbed.x - 200, grabbed.y + 300)); });
  ExpectFreshEverywhere(FreshPaint({}, {}), "released");
}

INSTANTIATE_TEST_SUITE_P(FullWindowDrag, LiveMoveTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "On" : "Off"; });

} // namespace
} // namespace canvas

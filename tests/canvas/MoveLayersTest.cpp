#include "ControlDriver.h"
#include "CrowdedDrawing.h"
#include "PictureComparison.h"

#include "canvas/MoveLayers.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

namespace canvas {
namespace {

using namespace canvas::driver;

const QColor kMarker(1, 2, 3);
constexpr int kCrowd = 256;

// The moves of the tests, in logical units: whole device pixels at every
// scale and pixel ratio the tests use.
const std::vector<Point> kPath = {{0, 0}, {8, 4}, {60, -40}, {-152, 200}, {400, -300}, {-96, 124}};

// The objects of a move as the person moves them live: each step puts
// them at an offset from where they started and tells the layers.
class LiveMove {
public:
  LiveMove(DrawingControl& control, std::vector<int> numbers)
      : control_(control), numbers_(std::move(numbers)), layers_(control, numbers_) {
    for (const int number : numbers_) {
      starts_.push_back(GeometryOf(control.GetDrawing().Object(number)));
    }
  }

  void To(Point offset) {
    const std::uint64_t before = control_.GetDrawing().Revision();
    control_.EditObjects(numbers_, [&](DrawingObject& object, std::size_t i) {
      SetGeometry(object, starts_[i]);
      Translate(object, offset.x, offset.y);
    });
    layers_.Moved(offset, before, control_.GetDrawing().Revision());
  }

  MoveLayers& Layers() { return layers_; }

private:
  DrawingControl& control_;
  std::vector<int> numbers_;
  std::vector<Geometry> starts_;
  MoveLayers layers_;
};

// A control without a view, its client area 500 x 500 pixels, so that the
// default page shows at half scale.
class MoveLayersTest : public testing::Test {
public:
  DrawingControl& Control() { return control_.Control(); }

  void Select(const std::vector<int>& numbers) {
    Control().EditObjects(numbers, [](DrawingObject& object, std::size_t) { object.selected = true; });
  }

  QImage Blank(double ratio) {
    const QSize client = Control().ClientSize();
    QImage image((QSizeF(client) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(kMarker);
    return image;
  }
  QImage Fresh(double ratio = 1) {
    QImage image = Blank(ratio);
    QPainter painter(&image);
    Control().PaintClient(painter, QRect(QPoint(0, 0), Control().ClientSize()));
    return image;
  }
  // What the layers show of the whole client area; a null image when they
  // leave it to the control.
  QImage FromLayers(MoveLayers& layers, double ratio = 1) {
    QImage image = Blank(ratio);
    QPainter painter(&image);
    return layers.Paint(painter, QRect(QPoint(0, 0), Control().ClientSize())) ? image : QImage();
  }

  ControlDriver control_;

protected:
  void SetUp() override { Control().SetClientSize({500, 500}); }
};

struct PictureCase {
  const char* what;
  std::function<void(MoveLayersTest&)> arrange;
  std::vector<int> moving;
  double ratio = 1;
  std::vector<Point> path = kPath;
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.what; }

class MoveLayersPictureTest : public MoveLayersTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(MoveLayersPictureTest, EveryStepShowsWhatAFreshPaintShows) {
  const PictureCase& c = GetParam();
  AddCrowd(Control(), kCrowd);
  c.arrange(*this);
  Select(c.moving);
  LiveMove move(Control(), c.moving);
  for (const Point offset : c.path) {
    move.To(offset);
    const QImage layered = FromLayers(move.Layers(), c.ratio);
    ASSERT_FALSE(layered.isNull()) << "moved by " << offset.x << ", " << offset.y;
    EXPECT_TRUE(PicturesMatch(layered, Fresh(c.ratio))) << "moved by " << offset.x << ", " << offset.y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveLayersPictureTest,
    testing::Values(PictureCase{"objects among those that stay, below, between and above them",
                                [](MoveLayersTest&) {},
                                {60, 133, 251}},
                    PictureCase{"at twice the pixels", [](MoveLayersTest&) {}, {60, 133, 251}, 2},
                    PictureCase{"at one and a half times the pixels", [](MoveLayersTest&) {}, {60, 133, 251}, 1.5},
                    PictureCase{"hovered object that moves",
                                [](MoveLayersTest& t) { t.Control().SetHoveredObject(133); },
                                {60, 133, 251}},
                    PictureCase{"hovered and selected objects that stay",
                                [](MoveLayersTest& t) {
                                  t.Control().SetHoveredObject(134);
                                  t.Select({2, 132, 140});
                                },
                                {60, 133, 251}},
                    PictureCase{"page smaller than the view, with a gradient, a border line and the control's frame",
                                [](MoveLayersTest& t) {
                                  t.control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(0.5)});
                                  t.control_.Set("BackStyle", 0);
                                  t.control_.Set("GradientStyle", 3);
                                  t.control_.Set("PicBorderColor", 0x3060C0);
                                  t.control_.Set("BorderStyle", 1);
                                },
                                {5, 100, 256}},
                    PictureCase{"nothing that moves, as while outlines move over the drawing",
                                [](MoveLayersTest& t) {
                                  t.Control().SetHoveredObject(134);
                                  t.Select({2, 132, 140});
                                },
                                {}},
                    PictureCase{"objects that come into view from outside it",
                                [](MoveLayersTest& t) { t.control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(2)}); },
                                {120, 200, 255},
                                1,
                                {{0, 0}, {-100, -100}, {-400, -460}, {-600, -600}, {-200, 40}}}));

// Something that changes what the view shows while a move goes on.
struct Interruption {
  const char* what;
  std::function<void(MoveLayersTest&)> change;
};

void PrintTo(const Interruption& i, std::ostream* out) { *out << i.what; }

// With objects that move, and with none, as while outlines move.
class MoveLayersInterruptionTest : public MoveLayersTest,
                                   public testing::WithParamInterface<std::tuple<Interruption, bool>> {};

TEST_P(MoveLayersInterruptionTest, AnyOtherChangeIsShownAtTheNextStep) {
  const auto& [interruption, objectsMove] = GetParam();
  AddCrowd(Control(), kCrowd);
  Select({11, 49});
  LiveMove move(Control(), objectsMove ? std::vector<int>{11, 49} : std::vector<int>{});
  move.To({20, 10});
  ASSERT_FALSE(FromLayers(move.Layers()).isNull());
  interruption.change(*this);
  move.To({40, 20});
  const QImage layered = FromLayers(move.Layers());
  ASSERT_FALSE(layered.isNull());
  EXPECT_TRUE(PicturesMatch(layered, Fresh()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, MoveLayersInterruptionTest,
    testing::Combine(
        testing::Values(
            Interruption{"an automation write to an object that stays",
                         [](MoveLayersTest& t) {
                           t.control_.Set("ObjNumber", 34);
                           t.control_.Set("FillColor", 0x00FF00);
                         }},
            Interruption{"an automation write to a moved object",
                         [](MoveLayersTest& t) {
                           t.control_.Set("ObjNumber", 49);
                           t.control_.Set("FillColor", 0x0000FF);
                         }},
            Interruption{"the selection of an object that stays", [](MoveLayersTest& t) { t.Select({34}); }},
            Interruption{"the hovered object", [](MoveLayersTest& t) { t.Control().SetHoveredObject(34); }},
            Interruption{"the page's colour", [](MoveLayersTest& t) { t.control_.Set("PicBackColor", 0xC0F0F0); }},
            Interruption{"the zoom",
                         [](MoveLayersTest& t) { t.control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(1.5)}); }},
            Interruption{"the scroll offsets",
                         [](MoveLayersTest& t) { t.control_.InvokeId(7, ole::DISPATCH_METHOD, {R8(100)}); }},
            Interruption{"the view's size",
                         [](MoveLayersTest& t) {
                           t.Control().SetClientSize({400, 500});
                         }}),
        testing::Bool()));

TEST_F(MoveLayersTest, WhileNothingMovesAChangeIsShownAtOnce) {
  AddCrowd(Control(), kCrowd);
  MoveLayers layers(Control(), {});
  ASSERT_FALSE(FromLayers(layers).isNull());
  control_.Set("ObjNumber", 34);
  control_.Set("FillColor", 0x00FF00);
  EXPECT_TRUE(PicturesMatch(FromLayers(layers), Fresh()));
}

TEST_F(MoveLayersTest, AChangeAfterTheLastStepLeavesThePaintingToTheControl) {
  AddCrowd(Control(), kCrowd);
  Select({11, 49});
  LiveMove move(Control(), {11, 49});
  move.To({20, 10});
  ASSERT_FALSE(FromLayers(move.Layers()).isNull());
  control_.Set("ObjNumber", 34);
  control_.Set("FillColor", 0x00FF00);
  EXPECT_TRUE(FromLayers(move.Layers()).isNull()) << "the moved objects may not lie where the move put them";
  move.To({20, 12});
  EXPECT_TRUE(PicturesMatch(FromLayers(move.Layers()), Fresh()));
}

TEST_F(MoveLayersTest, LeaveThePaintingToTheControlWhereTheyCannotShowTheStep) {
  AddCrowd(Control(), kCrowd);
  Select({11, 49});
  LiveMove move(Control(), {11, 49});
  move.To({4, 2});
  ASSERT_FALSE(FromLayers(move.Layers()).isNull());
  move.To({5, 2});
  EXPECT_TRUE(FromLayers(move.Layers()).isNull()) << "half a pixel";
  move.To({6, 2});
  EXPECT_TRUE(PicturesMatch(FromLayers(move.Layers()), Fresh())) << "a whole pixel again";

  Control().EditObject(49, [](DrawingObject& object) { object.fill.style = 4; });
  LiveMove hatched(Control(), {11, 49});
  hatched.To({20, 10});
  EXPECT_TRUE(FromLayers(hatched.Layers()).isNull()) << "a hatching keeps to the device, not to the object";
}

TEST_F(MoveLayersTest, AreNotWorthPaintingForAFewObjects) {
  AddCrowd(Control(), static_cast<int>(MoveLayers::kWorthFrom) - 1);
  Select({11, 49});
  LiveMove move(Control(), {11, 49});
  move.To({20, 10});
  EXPECT_TRUE(FromLayers(move.Layers()).isNull());
}

} // namespace
} // namespace canvas

#include "canvas/DrawingPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace canvas {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
const QColor kMarker(1, 2, 3);

DrawingObject Filled(ObjectKind kind, Box box, Colour fill, std::int32_t lineStyle = kLineNone) {
  return MakeObject(kind, {box.left, box.top}, {box.right, box.bottom}, {0, 1, lineStyle}, {fill, 0});
}

// A picture of the drawing at one pixel a unit, without the control's
// border and background.
PaintRequest PlainRequest(int size) {
  PaintRequest request{ViewTransform(1, 1, {0, 0}), QRectF(0, 0, size, size)};
  request.controlLook = false;
  return request;
}

QImage Render(const Drawing& drawing, int size, const PaintRequest& request) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(kMarker);
  QPainter painter(&image);
  DrawingPainter(drawing).Paint(painter, request);
  return image;
}

QImage Render(const Drawing& drawing, int size = 1000) { return Render(drawing, size, PlainRequest(size)); }

// How many pixels in the area differ from colour.
int CountOtherThan(const QImage& image, QRect area, QColor colour) {
  int count = 0;
  area = area.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += image.pixelColor(x, y) != colour ? 1 : 0;
    }
  }
  return count;
}

TEST(DrawingPainterTest, FillsARectangleWhereItLies) {
  Drawing drawing;
  drawing.Add(Filled(ObjectKind::Rectangle, {100, 100, 170, 400}, kRed));
  const QImage image = Render(drawing);
  EXPECT_EQ(CountOtherThan(image, QRect(101, 101, 68, 298), Qt::red), 0);
  EXPECT_EQ(image.pixelColor(99, 250), QColor(Qt::white)) << "the page around it";
  EXPECT_EQ(image.pixelColor(171, 250), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(100, 99), QColor(Qt::white));
}

TEST(DrawingPainterTest, FillsTheWholeStarOfThePolygonSample) {
  Drawing drawing;
  DrawingObject star = Filled(ObjectKind::Polygon, {820, 100, 890, 400}, kBlue);
  star.points = {{855, 100}, {890, 400}, {820, 200}, {890, 200}, {820, 400}, {855, 100}};
  FitBoxToPoints(star);
  drawing.Add(star);
  const QImage image = Render(drawing);
  // Inside each of the five points, and the middle.
  for (const QPoint inside : {QPoint(855, 130), QPoint(885, 380), QPoint(824, 201), QPoint(886, 201),
                              QPoint(824, 380), QPoint(855, 260)}) {
    EXPECT_EQ(image.pixelColor(inside), QColor(Qt::blue)) << inside.x() << "," << inside.y();
  }
  for (const QPoint between : {QPoint(825, 120), QPoint(885, 120), QPoint(855, 390)}) {
    EXPECT_EQ(image.pixelColor(between), QColor(Qt::white)) << between.x() << "," << between.y();
  }
}

class KindPaintTest : public testing::TestWithParam<int> {};

TEST_P(KindPaintTest, PaintsInsideItsBoxOnly) {
  const auto kind = static_cast<ObjectKind>(GetParam());
  Drawing drawing;
  DrawingObject object = Filled(kind, {200, 200, 400, 300}, kRed, 0);
  object.line.width = 4;
  object.text.text = "Sample text";
  object.text.style = kTextFrame;
  drawing.Add(object);
  const QImage image = Render(drawing, 600);
  const QRect box(200, 200, 201, 101);
  EXPECT_GT(CountOtherThan(image, box, Qt::white), 200);
  EXPECT_EQ(CountOtherThan(image, QRect(0, 0, 600, 600), Qt::white),
            CountOtherThan(image, box.adjusted(-4, -4, 4, 4), Qt::white))
      << "nothing outside the box and half the line";
}

INSTANTIATE_TEST_SUITE_P(EveryKind, KindPaintTest, testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 22));

TEST(DrawingPainterTest, ArcSectorAndChordLookDifferent) {
  QImage images[3];
  for (int i = 0; i < 3; ++i) {
    Drawing drawing;
    drawing.Add(Filled(static_cast<ObjectKind>(5 + i), {100, 100, 300, 300}, kRed, 0));
    images[i] = Render(drawing, 400);
  }
  const auto differing = [](const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) {
        count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
      }
    }
    return count;
  };
  EXPECT_GT(differing(images[0], images[1]), 1000) << "arc and sector";
  EXPECT_GT(differing(images[1], images[2]), 1000) << "sector and chord";
  EXPECT_EQ(images[0].pixelColor(200, 200), QColor(Qt::white)) << "an arc is not filled";
  EXPECT_EQ(images[1].pixelColor(150, 200), QColor(Qt::red)) << "a sector is filled to its centre";
  EXPECT_EQ(images[1].pixelColor(250, 200), QColor(Qt::white)) << "the slice cut from the sector";
  EXPECT_EQ(images[2].pixelColor(250, 200), QColor(Qt::red)) << "the chord keeps it up to its straight side";
}

TEST(DrawingPainterTest, PaintsOnlyTheObjectsThatMeetTheArea) {
  Drawing drawing;
  for (int i = 0; i < 10; ++i) {
    drawing.Add(Filled(ObjectKind::Ellipse, {i * 100.0, 0, i * 100.0 + 80, 80}, kRed));
  }
  QImage image(1000, 100, QImage::Format_ARGB32);
  image.fill(kMarker);
  QPainter painter(&image);
  PaintRequest request = PlainRequest(1000);
  request.deviceArea = QRectF(300, 0, 80, 80);
  EXPECT_EQ(DrawingPainter(drawing).Paint(painter, request), 1);
  painter.end();
  EXPECT_EQ(image.pixelColor(340, 40), QColor(Qt::red));
  EXPECT_EQ(CountOtherThan(image, QRect(0, 0, 300, 100), kMarker), 0) << "nothing outside the area is touched";
}

TEST(DrawingPainterTest, FollowsTheZoomAndTheScrollOffsets) {
  Drawing drawing;
  drawing.Add(Filled(ObjectKind::Rectangle, {100, 100, 150, 150}, kRed));
  PictureSettings& picture = drawing.Picture();
  picture.autoScale = false;
  picture.zoom = 2;
  picture.picXOfs = 50;
  picture.picYOfs = 25;
  const ViewTransform transform = ViewTransform::ForView(picture, 400, 400);
  PaintRequest request = PlainRequest(400);
  request.transform = transform;
  const QImage image = Render(drawing, 400, request);
  // (100, 100) lands on ((100 - 50) * 2, (100 - 25) * 2).
  EXPECT_EQ(image.pixelColor(101, 151), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(199, 249), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(98, 151), QColor(Qt::white));
}

TEST(DrawingPainterTest, ShowsTheHoverHighlightAndSelectionHandles) {
  Drawing drawing;
  DrawingObject sample = Filled(ObjectKind::Rectangle, {100, 100, 200, 200}, kRed);
  sample.hotSpot = kHotSpotHighlight;
  drawing.Add(sample);
  const QImage plain = Render(drawing, 300);
  PaintRequest hovered = PlainRequest(300);
  hovered.hovered = 1;
  const QImage highlighted = Render(drawing, 300, hovered);
  EXPECT_EQ(plain.pixelColor(98, 150), QColor(Qt::white));
  EXPECT_NE(highlighted.pixelColor(98, 150), QColor(Qt::white)) << "a halo around the outline";

  drawing.Edit(1, [](DrawingObject& o) { o.highlight = false; });
  EXPECT_EQ(Render(drawing, 300, hovered).pixelColor(98, 150), QColor(Qt::white)) << "ObjVisible 0";

  drawing.Edit(1, [](DrawingObject& o) { o.selected = true; });
  const QImage selected = Render(drawing, 300);
  EXPECT_EQ(selected.pixelColor(97, 97), QColor(Qt::black)) << "a handle's frame at the corner";
  EXPECT_EQ(selected.pixelColor(150, 98), QColor(Qt::white)) << "a handle at the top edge's middle";
}

TEST(DrawingPainterTest, PaintsThePageGradientAndTheBackgroundAroundIt) {
  Drawing drawing;
  PictureSettings& picture = drawing.Picture();
  picture.picWidth = 500;
  picture.picBackColor = kRed;
  picture.picBorderColor = kBlue;
  picture.gradientStyle = 1;
  picture.backColor = 0x00FF00;
  picture.borderStyle = 0;
  PaintRequest asControl = PlainRequest(1000);
  asControl.controlLook = true;
  const QImage image = Render(drawing, 1000, asControl);
  EXPECT_GT(image.pixelColor(2, 500).red(), 240);
  EXPECT_GT(image.pixelColor(497, 500).blue(), 240);
  EXPECT_EQ(image.pixelColor(700, 500), QColor(Qt::green)) << "BackColor beside the page";
  picture.transparentBackground = true;
  EXPECT_EQ(Render(drawing, 1000, asControl).pixelColor(200, 500), QColor(Qt::green)) << "the page is left unfilled";
}

TEST(DrawingPainterTest, AlignsTextInItsBox) {
  Drawing drawing;
  DrawingObject caption = Filled(ObjectKind::Text, {0, 0, 600, 100}, kRed);
  caption.fill.style = kFillNone;
  caption.text.text = "Click to paint";
  caption.text.fontSize = 30;
  caption.text.horizontalAlignment = 1;
  caption.text.verticalAlignment = 1;
  drawing.Add(caption);
  const QImage image = Render(drawing, 600);
  QRect ink;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 600; ++x) {
      if (image.pixelColor(x, y).lightness() < 128) {
        ink |= QRect(x, y, 1, 1);
      }
    }
  }
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_NEAR(ink.center().x(), 300, 10) << "centred across";
  EXPECT_NEAR(ink.center().y(), 50, 12) << "centred down";
}

} // namespace
} // namespace canvas

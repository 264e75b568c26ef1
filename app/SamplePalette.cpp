#include "app/SamplePalette.h"

#include "app/MainWindowDescription.h"
#include "automation/ControlEventForwarding.h"
#include "platform/container/OleContainer.h"

#include <initializer_list>
#include <string>
#include <utility>

namespace {

constexpr std::uint8_t kWrite = 0;
constexpr std::uint8_t kRead = 1;
constexpr std::int16_t kTextKind = 10;
constexpr int kPolylineSample = 7;
constexpr int kPolygonSample = 8;
// Hot-spot events, a click fires "HitObject", the hand cursor, the hover
// highlight.
constexpr std::int32_t kSampleHotSpot = 15;
// Mouse buttons, "HitObject" and "OnHotSpot".
constexpr std::int32_t kEventMask = 35;
// Editing a text object's text in place.
constexpr std::int32_t kEditTextInPlace = 8;

using Point = std::pair<double, double>;
// A zigzag of four segments across the polyline's box.
constexpr std::initializer_list<Point> kPolylinePoints = {
    {730, 100}, {730, 400}, {765, 200}, {800, 400}, {800, 100}};
// A five-pointed star whose last point closes it.
constexpr std::initializer_list<Point> kPolygonPoints = {
    {855, 100}, {890, 400}, {820, 200}, {890, 200}, {820, 400}, {855, 100}};

void AddCaption() {
  DrawingControl.AddObject(kTextKind, 5, 5, 300, 55);
  DrawingControl.FontSize(12, kWrite);
  DrawingControl.FontName("Arial", kWrite);
  DrawingControl.FontBold(1, kWrite);
  DrawingControl.Text("  Click to paint  ", kWrite);
  DrawingControl.ObjVisible(0, kWrite);
  DrawingControl.TextColor(0, kWrite);
  DrawingControl.TextStyle(2, kWrite);
  DrawingControl.TextHAlign(1, kWrite);
  DrawingControl.SetBounds(100, 800, 900, 980, 0);
}

void HandPoints(PointQueue& queue, std::initializer_list<Point> points) {
  for (const auto& [x, y] : points) {
    queue.Buffer = {x, y};
    queue.Add();
  }
  DrawingControl.SetPoints(0, static_cast<std::int32_t>(points.size()), queue, 0);
}

void AddSample(int i, PointQueue& points, std::uint8_t& colourComponent) {
  DrawingControl.AddObject(static_cast<std::int16_t>(i + 1), SampleLeft(i), kSampleTop, SampleRight(i), kSampleBottom);
  DrawingControl.ObjHotSpot(kSampleHotSpot, kWrite);
  DrawingControl.FillColor(SampleFillColor(i, colourComponent), kWrite);
  if (i == kPolylineSample || i == kPolygonSample) {
    points.Free();
  }
  DrawingControl.ObjTags(kSampleNames[i], "x", kWrite);
  if (i == kPolylineSample) {
    HandPoints(points, kPolylinePoints);
  } else if (i == kPolygonSample) {
    HandPoints(points, kPolygonPoints);
  }
}

} // namespace

std::int32_t SampleFillColor(int i, std::uint8_t& colourComponent) {
  const std::int32_t red = (i & 1) * 255;
  const std::int32_t green = ((i / 2) & 1) * 255;
  colourComponent = static_cast<std::uint8_t>((i / 4) * 255);
  return red + green * 0x100 + colourComponent * 0x10000;
}

void SetUpDrawing(container::ContainerWindow& window, PointQueue& points, std::uint8_t& colourComponent) {
  DrawingControl.EventMask(kEventMask, kWrite);
  AddCaption();
  for (int i = 0; i < kSampleCount; ++i) {
    AddSample(i, points, colourComponent);
  }
  DrawingControl.HotSpots(1, kWrite);
  DrawingControl.EditFlags(DrawingControl.EditFlags(0, kRead) - kEditTextInPlace, kWrite);
  SetObjectTagReader([](std::string_view tagName) { return DrawingControl.ObjTags("", tagName, kRead); });
  container::RegisterEventCallback(&window, OLE, ForwardControlEvent);
}

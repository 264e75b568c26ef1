// The drawing control's painting, hit testing, drawing file and mouse
// handling, against Qt's own scene of the same shapes: each BM_Canvas_ case
// that has a BM_QtPeer_ counterpart aims at a time at or below it in the
// same run.
#include "canvas/DrawingControl.h"
#include "canvas/DrawingPainter.h"
#include "canvas/PictureFile.h"
#include "canvas/QtConversions.h"

#include "platform/ole/ComPtr.h"
#include "platform/ole/ControlView.h"
#include "platform/ole/Variant.h"
#include "platform/system/SystemParameters.h"

#include <QApplication>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using canvas::Box;
using canvas::Colour;
using canvas::DrawingObject;
using canvas::ObjectKind;
using canvas::Point;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// count mixed objects of every kind over a width x height area, the same
// for every run: the kinds the demo draws, and now and then a text.
std::vector<DrawingObject> MixedObjects(int count, double width, double height) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> x(0, width - 60);
  std::uniform_real_distribution<double> y(0, height - 60);
  std::uniform_real_distribution<double> size(8, 60);
  std::uniform_int_distribution<Colour> colour(0, 0xFFFFFF);
  std::vector<DrawingObject> objects;
  objects.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto kind = static_cast<ObjectKind>(i % 20 == 19 ? 10 : 1 + i % 9);
    const Point first{x(random), y(random)};
    const Point second{first.x + size(random), first.y + size(random)};
    DrawingObject object =
        canvas::MakeObject(kind, first, second, {colour(random), 1 + i % 3, 0}, {colour(random), 0});
    if (kind == ObjectKind::Polyline || kind == ObjectKind::Polygon) {
      const Box& b = object.box;
      object.points = {{b.left, b.top}, {b.right, b.bottom}, {b.left, b.bottom}, {b.Centre().x, b.top},
                       {b.right, b.Centre().y}};
    }
    if (kind == ObjectKind::Text) {
      object.text.text = "Text " + std::to_string(i);
    }
    objects.push_back(std::move(object));
  }
  return objects;
}

canvas::Drawing DrawingOf(const std::vector<DrawingObject>& objects, int width, int height) {
  canvas::Drawing drawing;
  drawing.Picture().picWidth = width;
  drawing.Picture().picHeight = height;
  for (const DrawingObject& object : objects) {
    drawing.Add(object);
  }
  return drawing;
}

// The same objects as items of a QGraphicsScene: Qt's own item for each
// shape it has one for, a path item with the control's outline for the rest.
void AddSceneItems(QGraphicsScene& scene, const std::vector<DrawingObject>& objects) {
  for (const DrawingObject& o : objects) {
    const QRectF box = canvas::RectOf(o.box);
    const QPen pen(canvas::ColourOf(o.line.colour), o.line.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QAbstractGraphicsShapeItem* shape = nullptr;
    switch (o.kind) {
    case ObjectKind::Line:
      scene.addLine(QLineF(canvas::PointOf(o.points[0]), canvas::PointOf(o.points[1])), pen);
      continue;
    case ObjectKind::Text:
      scene.addSimpleText(QString::fromStdString(o.text.text))->setPos(box.topLeft());
      continue;
    case ObjectKind::Rectangle:
      shape = scene.addRect(box);
      break;
    case ObjectKind::Ellipse:
      shape = scene.addEllipse(box);
      break;
    case ObjectKind::Polygon:
      shape = scene.addPolygon(canvas::PolygonOf(o.points));
      static_cast<QGraphicsPolygonItem*>(shape)->setFillRule(Qt::WindingFill);
      break;
    default:
      shape = scene.addPath(canvas::ShapePathOf(o));
      break;
    }
    shape->setPen(pen);
    shape->setBrush(canvas::IsClosedKind(o.kind) ? QBrush(canvas::ColourOf(o.fill.colour)) : QBrush());
  }
}

QPainter& Antialiased(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  return painter;
}

void BM_Canvas_Paint(benchmark::State& state) {
  const canvas::Drawing drawing =
      DrawingOf(MixedObjects(static_cast<int>(state.range(0)), kWidth, kHeight), kWidth, kHeight);
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  const canvas::PaintRequest request{canvas::ViewTransform(1, 1, {0, 0}), QRectF(0, 0, kWidth, kHeight)};
  for (auto _ : state) {
    QPainter painter(&image);
    benchmark::DoNotOptimize(canvas::DrawingPainter(drawing).Paint(painter, request));
  }
}
BENCHMARK(BM_Canvas_Paint)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_QtPeer_ScenePaint(benchmark::State& state) {
  QGraphicsScene scene(0, 0, kWidth, kHeight);
  scene.setBackgroundBrush(Qt::white);
  AddSceneItems(scene, MixedObjects(static_cast<int>(state.range(0)), kWidth, kHeight));
  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    scene.render(&Antialiased(painter), QRectF(0, 0, kWidth, kHeight), QRectF(0, 0, kWidth, kHeight));
  }
}
BENCHMARK(BM_QtPeer_ScenePaint)->Arg(10000)->Unit(benchmark::kMillisecond);

// Points to hit test, the same for both.
std::vector<QPointF> QueryPoints(double width, double height) {
  std::mt19937 random(99);
  std::uniform_real_distribution<double> x(0, width);
  std::uniform_real_distribution<double> y(0, height);
  std::vector<QPointF> points(1024);
  for (QPointF& p : points) {
    p = QPointF(x(random), y(random));
  }
  return points;
}

// Many objects over a large page, a few deep at any point.
constexpr int kHitSide = 20000;

void BM_Canvas_HitTest(benchmark::State& state) {
  const canvas::Drawing drawing =
      DrawingOf(MixedObjects(static_cast<int>(state.range(0)), kHitSide, kHitSide), kHitSide, kHitSide);
  const std::vector<QPointF> points = QueryPoints(kHitSide, kHitSide);
  drawing.TopmostAt({0, 0}, 3, true);
  std::size_t next = 0;
  for (auto _ : state) {
    const QPointF& p = points[next++ % points.size()];
    benchmark::DoNotOptimize(drawing.TopmostAt({p.x(), p.y()}, 3, true));
  }
}
BENCHMARK(BM_Canvas_HitTest)->Arg(100000);

void BM_QtPeer_SceneItemAt(benchmark::State& state) {
  QGraphicsScene scene(0, 0, kHitSide, kHitSide);
  AddSceneItems(scene, MixedObjects(static_cast<int>(state.range(0)), kHitSide, kHitSide));
  const std::vector<QPointF> points = QueryPoints(kHitSide, kHitSide);
  scene.itemAt(QPointF(0, 0), QTransform());
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(scene.itemAt(points[next++ % points.size()], QTransform()));
  }
}
BENCHMARK(BM_QtPeer_SceneItemAt)->Arg(100000);

void BM_Canvas_SaveLoad(benchmark::State& state) {
  const canvas::Drawing drawing =
      DrawingOf(MixedObjects(static_cast<int>(state.range(0)), kHitSide, kHitSide), kHitSide, kHitSide);
  QTemporaryDir folder;
  const QString path = folder.filePath("drawing.mdd");
  canvas::ExportRequest request;
  request.type = canvas::PictureType::Drawing;
  for (auto _ : state) {
    std::string error;
    if (!canvas::SavePictureFile(drawing, request, path, error) || !canvas::LoadDrawingFile(path, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}
BENCHMARK(BM_Canvas_SaveLoad)->Arg(100000)->Unit(benchmark::kMillisecond);

// Counts the events a control fires.
class CountingSink final : public ole::ComObject<CountingSink, ole::IEventSink> {
public:
  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    *object = iid == ole::IID_IUnknown || iid == ole::IID_IEventSink ? static_cast<ole::IEventSink*>(this) : nullptr;
    if (*object == nullptr) {
      return ole::E_NOINTERFACE;
    }
    AddRef();
    return ole::S_OK;
  }
  ole::HRESULT FireEvent(ole::DISPID, const ole::OLECHAR*, ole::DISPPARAMS*) override {
    ++fired;
    return ole::S_OK;
  }
  std::int64_t fired = 0;
};

// A control with the objects, shown in a window of the given size at one
// pixel a unit, firing every event into a counting sink, with the system
// settings, full-window dragging among them, in a folder of its own.
class ShownControl {
public:
  ShownControl(const std::vector<DrawingObject>& objects, int pageSide, QSize window, bool fullWindowDrag = true) {
    qputenv("XDG_CONFIG_HOME", settings_.path().toUtf8());
    sys::SystemParametersInfo(sys::SPI_SETDRAGFULLWINDOWS, fullWindowDrag ? 1 : 0, nullptr, sys::SPIF_UPDATEINIFILE);
    canvas::CreateDrawingControl(ole::IID_IDispatch, dispatch_.ReceiveVoid());
    ole::ComPtr<ole::IEventSource> source;
    dispatch_->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid());
    source->Advise(&sink_);
    for (const auto& [name, value] : {std::pair{"AutoScale", 0}, std::pair{"PicWidth", pageSide},
                                     std::pair{"PicHeight", pageSide}, std::pair{"EventMask", 51},
                                     std::pair{"HotSpots", 1}}) {
      Put(name, value);
    }
    for (const DrawingObject& object : objects) {
      Control().AddObject(object, false);
    }
    dispatch_->QueryInterface(ole::IID_IControlView, view_.ReceiveVoid());
    slot_.resize(window);
    view_->ShowView(&slot_);
    slot_.show();
    QCoreApplication::processEvents();
  }
  ~ShownControl() {
    view_->CloseView();
    ole::ComPtr<ole::IEventSource> source;
    dispatch_->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid());
    source->Advise(nullptr);
  }

  canvas::DrawingControl& Control() { return *static_cast<canvas::DrawingControl*>(dispatch_.get()); }
  QWidget& View() { return *slot_.findChild<QWidget*>(); }
  std::int64_t Fired() const { return sink_.fired; }

  void Put(const char* name, std::int32_t value) {
    const std::u16string wide = ole::Utf16FromUtf8(name);
    const ole::OLECHAR* names[] = {wide.c_str()};
    ole::DISPID id = ole::DISPID_UNKNOWN;
    dispatch_->GetIDsOfNames(ole::IID_NULL, names, 1, ole::LOCALE_SYSTEM_DEFAULT, &id);
    ole::VARIANT argument = ole::MakeI4(value);
    ole::DISPID named = ole::DISPID_PROPERTYPUT;
    ole::DISPPARAMS params{&argument, &named, 1, 1};
    dispatch_->Invoke(id, ole::IID_NULL, ole::LOCALE_SYSTEM_DEFAULT, ole::DISPATCH_PROPERTYPUT, &params, nullptr,
                      nullptr, nullptr);
  }

  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, View().mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&View(), &event);
  }

private:
  QTemporaryDir settings_;
  ole::ComPtr<ole::IDispatch> dispatch_;
  ole::ComPtr<ole::IControlView> view_;
  CountingSink sink_;
  QWidget slot_;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  std::int64_t count = 0;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

// One mouse move from one hot spot straight onto another, among 100,000
// objects that all have hot-spot events and highlights: the lookup, the
// leave and enter events, and the repaint of the two highlights, which the
// event loop then carries out.
void BM_Canvas_HoverMove(benchmark::State& state) {
  std::vector<DrawingObject> objects = MixedObjects(static_cast<int>(state.range(0)), kHitSide, kHitSide);
  for (DrawingObject& object : objects) {
    object.hotSpot = canvas::kHotSpotEvents | canvas::kHotSpotHandCursor | canvas::kHotSpotHighlight;
  }
  ShownControl shown(objects, kHitSide, QSize(1200, 800));
  std::vector<QPointF> over;
  for (int y = 20; y < 800 && over.size() < 2; y += 7) {
    for (int x = 20; x < 1200 && over.size() < 2; x += 7) {
      const int number = shown.Control().ObjectAt({double(x), double(y)});
      if (number != 0 && (over.empty() || shown.Control().ObjectAt({over[0].x(), over[0].y()}) != number)) {
        over.emplace_back(x, y);
      }
    }
  }
  PaintCounter paints(shown.View());
  std::size_t next = 0;
  for (auto _ : state) {
    shown.Mouse(QEvent::MouseMove, over[next++ % 2], Qt::NoButton);
    QCoreApplication::processEvents();
  }
  state.counters["events"] = benchmark::Counter(double(shown.Fired()), benchmark::Counter::kAvgIterations);
  state.counters["paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Canvas_HoverMove)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Steps of a drag with the left button from `from`, each as the person
// sees it: the mouse move, then the repaint it causes, which the event loop
// carries out.
void DragSteps(benchmark::State& state, ShownControl& shown, QPointF from) {
  shown.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
  QCoreApplication::processEvents();
  PaintCounter paints(shown.View());
  std::size_t next = 0;
  for (auto _ : state) {
    shown.Mouse(QEvent::MouseMove, from + QPointF(10.0 + double(next++ % 2) * 10, 5), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  state.counters["paints"] = benchmark::Counter(double(paints.count), benchmark::Counter::kAvgIterations);
  shown.Mouse(QEvent::MouseButtonRelease, from, Qt::NoButton);
}

// Dragging a selection of 1,000 objects spread over the view, which shows
// the objects themselves moving when full-window dragging is on and their
// outlines when it is off.
void DragSelection(benchmark::State& state, bool fullWindowDrag) {
  std::vector<DrawingObject> objects = MixedObjects(static_cast<int>(state.range(0)), kWidth, kHeight);
  for (DrawingObject& object : objects) {
    object.selected = true;
  }
  ShownControl shown(objects, kWidth, QSize(kWidth, kHeight), fullWindowDrag);
  shown.Put("EditMode", canvas::kEditSelectMoveResize);
  const Point centre = shown.Control().GetDrawing().Object(shown.Control().GetDrawing().Count()).box.Centre();
  DragSteps(state, shown, QPointF(centre.x, centre.y));
}

void BM_Canvas_DragMove(benchmark::State& state) { DragSelection(state, true); }
BENCHMARK(BM_Canvas_DragMove)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_Canvas_OutlineDragMove(benchmark::State& state) { DragSelection(state, false); }
BENCHMARK(BM_Canvas_OutlineDragMove)->Arg(1000)->Unit(benchmark::kMillisecond);

// Resizing the topmost of 1,000 objects by its lower right handle, shown
// live.
void BM_Canvas_ResizeDrag(benchmark::State& state) {
  std::vector<DrawingObject> objects = MixedObjects(static_cast<int>(state.range(0)), kWidth, kHeight);
  objects.back().selected = true;
  ShownControl shown(objects, kWidth, QSize(kWidth, kHeight), true);
  shown.Put("EditMode", canvas::kEditSelectMoveResize);
  const Box frame = canvas::SelectionFrameOf(objects.back());
  DragSteps(state, shown, QPointF(frame.right, frame.bottom));
}
BENCHMARK(BM_Canvas_ResizeDrag)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#include "MainWindowTestSupport.h"

#include "automation/EventMessageQueue.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/NumberText.h"
#include "platform/ole/SafeArray.h"
#include "platform/ole/Variant.h"
#include "platform/window/ProgramFolders.h"
#include "tests/window/WindowTestSupport.h"
#include "tests/support/Eventually.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

namespace apptest {

namespace {

void SendMouse(QWidget* view, QEvent::Type type, QPoint pixel, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(pixel), view->mapToGlobal(QPointF(pixel)), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &event);
}

} // namespace

MainWindowSession::MainWindowSession() {
  EventMessageQueue.clear();
  window::LoadInstalledComponents();
}

MainWindowSession::~MainWindowSession() { EventMessageQueue.clear(); }

std::uint8_t MainWindowSession::Run(const std::function<void(MainWindowSession&)>& steps) {
  QTimer::singleShot(0, [&] {
    struct CloseWhenDone {
      window::Window& window;
      ~CloseWhenDone() { window.RequestClose(); }
    } closer{window_};
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.Widget()));
    steps(*this);
  });
  window::testing::LoopWatchdog watchdog;
  return controller_.Run();
}

QWidget* MainWindowSession::View() const {
  QWidget* slot = window_.ControlWidget(OLE);
  if (slot == nullptr) {
    return nullptr;
  }
  return slot->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

QPoint MainWindowSession::PixelOf(std::int32_t x, std::int32_t y) const {
  return {DrawingControl.LogicToClientX(x), DrawingControl.LogicToClientY(y)};
}

ObjectReading MainWindowSession::ReadObject(std::int32_t n) {
  DrawingControl.ObjNumber(n, kWrite);
  DrawingControl.Current(0, kWrite);
  ObjectReading object;
  object.type = DrawingControl.ObjType();
  object.left = DrawingControl.ObjLeft(0, kRead);
  object.top = DrawingControl.ObjTop(0, kRead);
  object.right = DrawingControl.ObjRight(0, kRead);
  object.bottom = DrawingControl.ObjBottom(0, kRead);
  object.fillColor = DrawingControl.FillColor(0, kRead);
  object.lineColor = DrawingControl.LineColor(0, kRead);
  object.lineWidth = DrawingControl.LineWidth(0, kRead);
  object.tag = DrawingControl.ObjTags("", "x", kRead);
  return object;
}

bool MainWindowSession::ObjectExists(std::int32_t n) {
  const std::size_t boxesBefore = boxes_.shown.size();
  DrawingControl.ObjNumber(n, kWrite);
  const bool exists = DrawingControl.ObjNumber(0, kRead) == n;
  // Naming an object that is not there is refused with a box.
  boxes_.shown.resize(boxesBefore);
  return exists;
}

std::vector<std::int32_t> MainWindowSession::PointsOfCurrentObject() {
  const std::string reference = container::GetMember(&window_, OLE, ole::NumberText::Long(container::PROP_Object));
  ole::IDispatch* control = container::ObjectFromReference(reference);
  if (control == nullptr) {
    return {};
  }
  constexpr ole::DISPID kPoints = 108;
  ole::DISPPARAMS none{};
  ole::VariantHolder result;
  if (ole::Failed(control->Invoke(kPoints, ole::IID_NULL, ole::LOCALE_US_ENGLISH, ole::DISPATCH_PROPERTYGET, &none,
                                  result.get(), nullptr, nullptr)) ||
      result->vt != (ole::VT_ARRAY | ole::VT_I4)) {
    return {};
  }
  std::int32_t low = 0;
  std::int32_t high = -1;
  ole::SafeArrayGetLBound(result->parray, 1, &low);
  ole::SafeArrayGetUBound(result->parray, 1, &high);
  std::vector<std::int32_t> values;
  for (std::int32_t i = low; i <= high; ++i) {
    std::int32_t value = 0;
    ole::SafeArrayGetElement(result->parray, &i, &value);
    values.push_back(value);
  }
  return values;
}

void MainWindowSession::MoveTo(QPoint pixel, Qt::MouseButtons buttons) {
  SendMouse(View(), QEvent::MouseMove, pixel, Qt::NoButton, buttons);
}

void MainWindowSession::Press(QPoint pixel, Qt::MouseButton button) { QTest::mousePress(View(), button, {}, pixel); }

void MainWindowSession::Release(QPoint pixel, Qt::MouseButton button) {
  QTest::mouseRelease(View(), button, {}, pixel);
}

void MainWindowSession::Drag(QPoint from, QPoint to) {
  MoveTo(from);
  Press(from);
  const QPoint middle = (from + to) / 2;
  MoveTo(middle, Qt::LeftButton);
  MoveTo(to, Qt::LeftButton);
  Release(to);
}

void MainWindowSession::Click(QPoint pixel, Qt::MouseButton button) {
  MoveTo(pixel);
  Press(pixel, button);
  Release(pixel, button);
}

void MainWindowSession::SettleEvents() { EXPECT_EVENTUALLY_TRUE(EventMessageQueue.empty()); }

} // namespace apptest

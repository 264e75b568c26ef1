#include "ViewFixture.h"

#include "platform/system/SystemParameters.h"

#include <QMouseEvent>
#include <QTest>

namespace canvas::driver {

void ViewFixture::SetUp() {
  hadConfigHome_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
  ASSERT_TRUE(config_.isValid());
  qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
  SetFullWindowDrag(true);

  sink_ = ole::ComPtr<RecordingSink>::Adopt(new RecordingSink);
  ole::ComPtr<ole::IEventSource> source;
  ASSERT_EQ(control_.Dispatch()->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid()), ole::S_OK);
  source->Advise(sink_.get());
  control_.Set("EventMask", 35);
  control_.Set("HotSpots", 1);

  ASSERT_EQ(control_.Dispatch()->QueryInterface(ole::IID_IControlView, controlView_.ReceiveVoid()), ole::S_OK);
  slot_.resize(500, 500);
  view_ = controlView_->ShowView(&slot_);
  slot_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&slot_));
  ASSERT_EQ(view_->size(), QSize(500, 500));
}

void ViewFixture::TearDown() {
  controlView_->CloseView();
  ole::ComPtr<ole::IEventSource> source;
  control_.Dispatch()->QueryInterface(ole::IID_IEventSource, source.ReceiveVoid());
  source->Advise(nullptr);
  if (hadConfigHome_) {
    qputenv("XDG_CONFIG_HOME", savedConfigHome_);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }
}

QPoint ViewFixture::At(double x, double y) { return Control().Transform().ToDevice(Point{x, y}).toPoint(); }

void ViewFixture::Hover(QPoint at, Qt::KeyboardModifiers modifiers) {
  pointer_ = at;
  QMouseEvent move(QEvent::MouseMove, at, view_->mapToGlobal(at), Qt::NoButton, held_, modifiers);
  QApplication::sendEvent(view_, &move);
}

void ViewFixture::Press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  pointer_ = at;
  held_ |= button;
  QTest::mousePress(view_, button, modifiers, at);
}

void ViewFixture::Release(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  pointer_ = at;
  held_ &= ~Qt::MouseButtons(button);
  QTest::mouseRelease(view_, button, modifiers, at);
}

void ViewFixture::Click(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  Press(at, button, modifiers);
  Release(at, button, modifiers);
}

void ViewFixture::DragTo(QPoint to, Qt::KeyboardModifiers modifiers) {
  const QPoint from = pointer_;
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    Hover(from + (to - from) * step / kSteps, modifiers);
  }
}

void ViewFixture::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
  Press(from, Qt::LeftButton, modifiers);
  DragTo(to, modifiers);
  Release(to, Qt::LeftButton, modifiers);
}

void ViewFixture::DoubleClick(QPoint at) {
  Click(at);
  Press(at);
  QTest::mouseDClick(view_, Qt::LeftButton, {}, at);
  Release(at);
}

void ViewFixture::Key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(view_, static_cast<Qt::Key>(key), modifiers);
}

void ViewFixture::SetFullWindowDrag(bool on) {
  ASSERT_TRUE(sys::SystemParametersInfo(sys::SPI_SETDRAGFULLWINDOWS, on ? 1 : 0, nullptr, sys::SPIF_UPDATEINIFILE));
}

} // namespace canvas::driver

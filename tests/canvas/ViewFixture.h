#pragma once

#include "ControlDriver.h"
#include "RecordingSink.h"

#include "platform/ole/ControlView.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace canvas::driver {

// A control shown in a 500 x 500 slot, so that the default 1000 x 1000
// page shows at half scale, with a sink recording its events, and the
// person's mouse and keyboard on its view. The system settings live in a
// folder of the test's own, with full-window dragging on.
class ViewFixture : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  DrawingControl& Control() { return control_.Control(); }
  const Drawing& Drawn() { return Control().GetDrawing(); }
  QWidget& View() { return *view_; }

  // The pixel that shows a logical point.
  QPoint At(double x, double y);

  // Input as the person gives it: presses and releases through QTest, and
  // moves that carry the buttons held down.
  void Hover(QPoint at, Qt::KeyboardModifiers modifiers = {});
  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
  void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {});
  // Moves to `to` in a few steps with the left button held.
  void DragTo(QPoint to, Qt::KeyboardModifiers modifiers = {});
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {});
  // The events of a real double-click: press, release, press, double-click,
  // release.
  void DoubleClick(QPoint at);
  void Key(int key, Qt::KeyboardModifiers modifiers = {});

  static void SetFullWindowDrag(bool on);

  ControlDriver control_;
  ole::ComPtr<RecordingSink> sink_;

private:
  QTemporaryDir config_;
  QByteArray savedConfigHome_;
  bool hadConfigHome_ = false;
  ole::ComPtr<ole::IControlView> controlView_;
  QWidget slot_;
  QWidget* view_ = nullptr;
  QPoint pointer_;
  Qt::MouseButtons held_;
};

} // namespace canvas::driver

#include "ControlDriver.h"
#include "PaintCounter.h"

#include "platform/ole/ControlView.h"

#include <QImage>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace canvas {
namespace {

using namespace canvas::driver;

class DrawingViewTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(control_.Dispatch()->QueryInterface(ole::IID_IControlView, view_.ReceiveVoid()), ole::S_OK);
    slot_.resize(400, 300);
    slot_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&slot_));
  }

  ControlDriver control_;
  ole::ComPtr<ole::IControlView> view_;
  QWidget slot_;
};

TEST_F(DrawingViewTest, FillsItsSlotAndFollowsItsSize) {
  QWidget* widget = view_->ShowView(&slot_);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->parentWidget(), &slot_);
  EXPECT_EQ(widget->geometry(), slot_.rect());
  EXPECT_EQ(view_->ShowView(&slot_), widget) << "a second call keeps the one view";
  slot_.resize(600, 500);
  EXPECT_TRUE(QTest::qWaitFor([&] { return widget->size() == QSize(600, 500); }));
  EXPECT_EQ(control_.Long("ClientWidth"), 600);
  EXPECT_EQ(control_.Long("ClientHeight", {I4(1)}), 500);
}

TEST_F(DrawingViewTest, ShowsTheDrawingScaledToFit) {
  control_.Add(2, 0, 0, 500, 500);
  control_.Set("FillColor", 0x0000FF);
  control_.Set("LineStyle", 5);
  QWidget* widget = view_->ShowView(&slot_);
  // The page fits 300 pixels high: the rectangle covers 150 x 150 pixels.
  const QImage picture = widget->grab().toImage();
  EXPECT_EQ(picture.pixelColor(75, 75), QColor(Qt::red));
  EXPECT_EQ(picture.pixelColor(200, 75), QColor(Qt::white));
  control_.InvokeId(179, ole::DISPATCH_METHOD, {R8(2)});
  EXPECT_EQ(widget->grab().toImage().pixelColor(200, 75), QColor(Qt::red)) << "zoomed twice";
}

TEST_F(DrawingViewTest, RedrawZeroHoldsPaintingBackUntilItIsOne) {
  control_.Add(2, 0, 0, 100, 100);
  QWidget* widget = view_->ShowView(&slot_);
  PaintCounter paints(widget);
  ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count > 0; }));
  control_.Set("Redraw", 0);
  const int before = paints.count;
  control_.Set("FillColor", 0x00FF00);
  control_.Call("Refresh");
  ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count > before; })) << "Refresh paints even while held";
  const int held = paints.count;
  control_.Set("FillColor", 0x0000FF);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(paints.count, held);
  control_.Set("Redraw", 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints.count > held; }));
}

TEST_F(DrawingViewTest, CloseViewDeletesTheWidgetAndTheControlLivesOn) {
  QPointer<QWidget> widget = view_->ShowView(&slot_);
  view_->CloseView();
  EXPECT_TRUE(widget.isNull());
  EXPECT_EQ(control_.Add(2, 0, 0, 5, 5), 1);
  widget = view_->ShowView(&slot_);
  EXPECT_FALSE(widget.isNull()) << "it can be shown again";
}

TEST_F(DrawingViewTest, ASlotThatGoesTakesTheViewWithIt) {
  auto slot = std::make_unique<QWidget>();
  QPointer<QWidget> widget = view_->ShowView(slot.get());
  slot.reset();
  EXPECT_TRUE(widget.isNull());
  control_.Add(2, 0, 0, 5, 5);
  view_->CloseView();
}

} // namespace
} // namespace canvas

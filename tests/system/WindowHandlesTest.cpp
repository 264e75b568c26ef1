#include "platform/system/WindowHandles.h"

#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace sys {
namespace {

TEST(WindowHandlesTest, ADeviceContextReportsTheLogicalDpiOfTheWindowsScreen) {
  QWidget widget;
  const WindowHandle handle = RegisterWindowHandle(&widget);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(WidgetFromHandle(handle), &widget);

  const DeviceContext dc = GetDC(handle);
  ASSERT_NE(dc, 0);
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  EXPECT_EQ(dpiX, qRound(widget.screen()->logicalDotsPerInchX()));
  EXPECT_EQ(dpiY, qRound(widget.screen()->logicalDotsPerInchY()));
  EXPECT_EQ(GetDeviceCaps(dc, 8), 0) << "an index this system does not answer";

  EXPECT_EQ(ReleaseDC(handle, dc), 1);
  EXPECT_EQ(ReleaseDC(handle, dc), 0) << "released already";
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 0);
  UnregisterWindowHandle(handle);
  EXPECT_EQ(GetDC(handle), 0);
}

// The test runs once on Qt's plain offscreen screen (96 dots per inch) and
// once on a screen that its environment describes (TEST_SCREEN_DPI).
TEST(WindowHandlesTest, TheDpiGivesTheExpectedTwipsPerPixel) {
  QWidget widget;
  const WindowHandle handle = RegisterWindowHandle(&widget);
  const DeviceContext dc = GetDC(handle);
  const int expectedDpi = qEnvironmentVariableIsSet("TEST_SCREEN_DPI") ? qEnvironmentVariableIntValue("TEST_SCREEN_DPI") : 96;
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), expectedDpi);
  EXPECT_EQ(1440 / GetDeviceCaps(dc, LOGPIXELSY), 1440 / expectedDpi);
  ReleaseDC(handle, dc);
  UnregisterWindowHandle(handle);
}

TEST(WindowHandlesTest, NumbersThatNameNothingGiveZeroAndNoCrash) {
  auto widget = std::make_unique<QWidget>();
  QWidget other;
  const WindowHandle handle = RegisterWindowHandle(widget.get());
  const WindowHandle otherHandle = RegisterWindowHandle(&other);
  const DeviceContext dc = GetDC(handle);
  ASSERT_NE(dc, 0);

  EXPECT_EQ(GetDC(0), 0);
  EXPECT_EQ(GetDC(dc), 0) << "a device context is no window handle";
  EXPECT_EQ(GetDC(-5), 0);
  EXPECT_EQ(GetDeviceCaps(handle, LOGPIXELSX), 0) << "a window handle is no device context";
  EXPECT_EQ(ReleaseDC(otherHandle, dc), 0) << "taken from another window";

  widget.reset();
  EXPECT_EQ(WidgetFromHandle(handle), nullptr);
  EXPECT_EQ(GetDC(handle), 0);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 0) << "its window is gone";
  EXPECT_EQ(ReleaseDC(handle, dc), 1);

  UnregisterWindowHandle(handle);
  UnregisterWindowHandle(otherHandle);
}

} // namespace
} // namespace sys

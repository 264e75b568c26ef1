#pragma once

#include <cstdint>

class QWidget;

namespace sys {

// Window handles and device contexts are numbers from tables, never
// addresses: a number that names nothing (never handed out, released, or
// its window gone) gives 0 and no crash. Numbers are not used twice.
using WindowHandle = std::int64_t;
using DeviceContext = std::int64_t;

// The indexes of GetDeviceCaps that this system answers.
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// Hands out a handle for a widget (a window's client area). The handle
// names nothing once the widget is destroyed or the handle unregistered.
WindowHandle RegisterWindowHandle(QWidget* widget);
void UnregisterWindowHandle(WindowHandle handle);
// The widget a handle names, or null.
QWidget* WidgetFromHandle(WindowHandle handle);

// A device context for the window's screen, or 0 for a handle that names
// no window. Each one needs its ReleaseDC.
DeviceContext GetDC(WindowHandle handle);
// LOGPIXELSX and LOGPIXELSY: the logical dots per inch of the screen that
// shows the window, across and down. 0 for any other index, and for a
// device context that is released or whose window is gone.
int GetDeviceCaps(DeviceContext dc, int index);
// 1 when dc was taken from handle and is now released, 0 otherwise.
int ReleaseDC(WindowHandle handle, DeviceContext dc);

} // namespace sys

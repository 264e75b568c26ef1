#include "platform/system/WindowHandles.h"

#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <map>
#include <mutex>

namespace sys {

namespace {

struct Tables {
  std::mutex mutex;
  std::int64_t lastNumber = 0;
  std::map<WindowHandle, QPointer<QWidget>> windows;
  std::map<DeviceContext, WindowHandle> deviceContexts;

  QWidget* Widget(WindowHandle handle) const {
    const auto found = windows.find(handle);
    return found == windows.end() ? nullptr : found->second.data();
  }
};

// Handles and device contexts share one counter, so that a number never
// names both.
Tables& TheTables() {
  static Tables tables;
  return tables;
}

} // namespace

WindowHandle RegisterWindowHandle(QWidget* widget) {
  Tables& tables = TheTables();
  std::lock_guard lock(tables.mutex);
  const WindowHandle handle = ++tables.lastNumber;
  tables.windows.emplace(handle, widget);
  return handle;
}

void UnregisterWindowHandle(WindowHandle handle) {
  Tables& tables = TheTables();
  std::lock_guard lock(tables.mutex);
  tables.windows.erase(handle);
}

QWidget* WidgetFromHandle(WindowHandle handle) {
  Tables& tables = TheTables();
  std::lock_guard lock(tables.mutex);
  return tables.Widget(handle);
}

DeviceContext GetDC(WindowHandle handle) {
  Tables& tables = TheTables();
  std::lock_guard lock(tables.mutex);
  if (tables.Widget(handle) == nullptr) {
    return 0;
  }
  const DeviceContext dc = ++tables.lastNumber;
  tables.deviceContexts.emplace(dc, handle);
  return dc;
}

int GetDeviceCaps(DeviceContext dc, int index) {
  if (index != LOGPIXELSX && index != LOGPIXELSY) {
    return 0;
  }
  QWidget* widget = nullptr;
  {
    Tables& tables = TheTables();
    std::lock_guard lock(tables.mutex);
    const auto found = tables.deviceContexts.find(dc);
    widget = found == tables.deviceContexts.end() ? nullptr : tables.Widget(found->second);
  }
  QScreen* screen = widget == nullptr ? nullptr : widget->screen();
  if (screen == nullptr) {
    return 0;
  }
  return qRound(index == LOGPIXELSX ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY());
}

int ReleaseDC(WindowHandle handle, DeviceContext dc) {
  Tables& tables = TheTables();
  std::lock_guard lock(tables.mutex);
  const auto found = tables.deviceContexts.find(dc);
  if (found == tables.deviceContexts.end() || found->second != handle) {
    return 0;
  }
  tables.deviceContexts.erase(found);
  return 1;
}

} // namespace sys

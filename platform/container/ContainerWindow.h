#pragma once

#include "platform/container/ControlSlot.h"

#include <cstdint>
#include <map>
#include <memory>

namespace container {

// A window as the control container sees it: numbered OLE control slots,
// a client-area handle, and the owner of the container's message boxes.
// The window manager's windows derive from it; tests use it as it is.
class ContainerWindow {
public:
  ContainerWindow();
  ContainerWindow(const ContainerWindow&) = delete;
  ContainerWindow& operator=(const ContainerWindow&) = delete;
  // The window counts as gone from here on: the container's operations
  // that name it do nothing. A derived window that shows its controls'
  // views should deactivate its slots in its own destructor, while its
  // ControlDeactivating still runs.
  virtual ~ContainerWindow();

  // Adds an empty OLE control slot under a control number (1 or more), or
  // gives the slot that already has that number.
  ControlSlot& AddSlot(std::int16_t controlNumber);
  // The slot with that number, or null.
  ControlSlot* Slot(std::int16_t controlNumber);

  // The handle of the window's client area, as the container property
  // ClientHandle reads it; 0 when the window has none.
  virtual std::int64_t ClientHandle() const { return 0; }

  // Makes this the calling thread's active window, which a null window
  // reference stands for in the container's operations.
  void Activate();
  // The calling thread's most recently activated window that still exists.
  static ContainerWindow* ActiveWindow();
  // The window a reference names: the window itself while it exists, the
  // calling thread's active window for null, and null for a window that
  // has gone.
  static ContainerWindow* Resolve(ContainerWindow* window);

  // Called when a control has been created in one of the window's slots,
  // and just before the control of a slot goes. The window manager shows
  // the control's view here.
  virtual void ControlCreated(ControlSlot& slot) { (void)slot; }
  virtual void ControlDeactivating(ControlSlot& slot) { (void)slot; }

private:
  std::map<std::int16_t, std::unique_ptr<ControlSlot>> slots_;
};

} // namespace container

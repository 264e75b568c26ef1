#pragma once

#include "platform/container/ContainerWindow.h"
#include "platform/system/WindowHandles.h"
#include "platform/window/DialogUnits.h"
#include "platform/window/WindowDescription.h"

#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QWidget;

namespace window {

class WindowManager;

// A real Qt window made from a description: a menu bar, and a client area
// whose size and controls follow the dialog units of the window's font.
// It is created hidden; a window manager opens it. Its OLE control slots
// are the container's: a control created in one shows its view at the
// slot's place and size.
class Window : public container::ContainerWindow {
public:
  explicit Window(WindowDescription description);
  ~Window() override;

  std::int64_t ClientHandle() const override { return clientHandle_; }
  void ControlCreated(container::ControlSlot& slot) override;
  void ControlDeactivating(container::ControlSlot& slot) override;

  // Copies each control's state into its value variable (a check box's
  // tick as 1 or 0).
  void CopyStatesToValues();
  // Asks the window to close, as its close box does.
  void RequestClose();

  // Shows the window and focuses the control with that number, if any.
  void Show(std::int16_t firstControl);
  void Hide();

  // The top-level widget, the client area below the menu bar, and the
  // widget of a control placed there (null for menus and unknown numbers).
  QWidget* Widget() const;
  QWidget* ClientArea() const { return clientArea_; }
  QWidget* ControlWidget(std::int16_t number) const;
  // The action of a menu or menu item, or null.
  QAction* MenuAction(std::int16_t number) const;
  const WindowDescription& Description() const { return description_; }
  const DialogUnits& Units() const { return units_; }

private:
  friend class WindowManager;
  class Frame;

  void BuildMenus();
  void BuildControls();
  // A control was chosen: its standard action, or an accepted event.
  void Choose(std::int16_t number, StandardAction action);
  std::function<void()> Chooser(const ControlDescription& control);

  WindowDescription description_;
  std::unique_ptr<Frame> frame_;
  QWidget* clientArea_ = nullptr;
  DialogUnits units_;
  sys::WindowHandle clientHandle_ = 0;
  std::map<std::int16_t, QPointer<QWidget>> controls_;
  std::map<std::int16_t, QPointer<QAction>> actions_;
  WindowManager* manager_ = nullptr;
};

} // namespace window

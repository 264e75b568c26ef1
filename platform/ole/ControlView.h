#pragma once

#include "platform/ole/Dispatch.h"

class QWidget;

namespace ole {

inline constexpr IID IID_IControlView{0x6d3a0005, 0x51c2, 0x4e0f, {0x9a, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05}};

// Offered by a control that can show itself in a window.
class IControlView : public IUnknown {
public:
  // Shows the control inside parent: creates its widget as a child of
  // parent on the first call and moves it there on later calls. The widget
  // belongs to parent, as Qt's children do; the control never touches it
  // after parent has deleted it.
  virtual QWidget* ShowView(QWidget* parent) = 0;
  // Deletes the widget, if there is one; the control itself lives on.
  virtual void CloseView() = 0;

protected:
  ~IControlView() = default;
};

} // namespace ole

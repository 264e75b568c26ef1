#pragma once

#include "platform/ole/Dispatch.h"

namespace ole {

inline constexpr IID IID_IEventSink{0x6d3a0003, 0x51c2, 0x4e0f, {0x9a, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03}};
inline constexpr IID IID_IEventSource{0x6d3a0004, 0x51c2, 0x4e0f, {0x9a, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04}};

// The container's end of a control's events.
class IEventSink : public IUnknown {
public:
  // Delivers one event synchronously: its dispatch identifier, its name and
  // its arguments, last first as in Invoke. The sink may call back into the
  // control while the event is being delivered.
  virtual HRESULT FireEvent(DISPID event, const OLECHAR* name, DISPPARAMS* params) = 0;

protected:
  ~IEventSink() = default;
};

// Offered by a control that fires events.
class IEventSource : public IUnknown {
public:
  // Connects the one sink that the control fires to; null disconnects it.
  // The control holds no reference on the sink: whoever connects a sink
  // disconnects it before the sink goes away.
  virtual HRESULT Advise(IEventSink* sink) = 0;

protected:
  ~IEventSource() = default;
};

} // namespace ole

#pragma once

#include "platform/ole/ComPtr.h"
#include "platform/ole/ControlView.h"
#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace container {

class ContainerWindow;

// The program's callback for the events of one slot's control: the event's
// arguments as the control fired them (last first), the slot's control
// number and the event's dispatch identifier. Its result is not used.
using EventCallback =
    std::function<std::int32_t(ole::DISPPARAMS* params, std::int16_t controlNumber, ole::DISPID event)>;

// A numbered OLE control slot of a window. It holds at most one control,
// created by ProgID through the class registry, and connects itself as the
// sink of the control's events. While it holds a control it also holds an
// initialisation of the object runtime for the thread.
//
// The callback may do anything while an event is delivered, including
// reading the control again, deactivating it or registering another
// callback: the slot keeps the control and itself alive until the
// delivery is over.
class ControlSlot {
public:
  ControlSlot(ContainerWindow& window, std::int16_t controlNumber);
  ControlSlot(const ControlSlot&) = delete;
  ControlSlot& operator=(const ControlSlot&) = delete;
  ~ControlSlot();

  ContainerWindow& Window() const { return window_; }
  std::int16_t ControlNumber() const { return controlNumber_; }

  // Creates the control registered under progId, replacing any control the
  // slot held. On failure the slot stays empty.
  ole::HRESULT Create(std::string_view progId);
  // Disconnects from the control's events and lets the control go.
  void Deactivate();

  // The control, or null while the slot is empty.
  ole::IUnknown* Control() const { return control_.get(); }
  // The control's automation interface, or null when it has none.
  ole::IDispatch* Automation() const { return automation_.get(); }
  // The control's view of itself, or null when it offers none.
  ole::ComPtr<ole::IControlView> View() const;

  bool ReportsExceptions() const { return reportExceptions_; }
  void SetReportExceptions(bool on) { reportExceptions_ = on; }

  void SetEventCallback(EventCallback callback) { callback_ = std::move(callback); }
  // The name of the event being delivered, or empty outside a delivery.
  const std::string& LastEventName() const { return lastEventName_; }

private:
  class EventSink;

  ContainerWindow& window_;
  const std::int16_t controlNumber_;
  ole::ComPtr<ole::IUnknown> control_;
  ole::ComPtr<ole::IDispatch> automation_;
  ole::ComPtr<EventSink> sink_;
  EventCallback callback_;
  std::string lastEventName_;
  bool reportExceptions_ = false;
  bool deactivating_ = false;
};

} // namespace container

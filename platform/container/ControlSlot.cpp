#include "platform/container/ControlSlot.h"

#include "platform/container/ContainerWindow.h"
#include "platform/container/ReferenceTable.h"
#include "platform/ole/ClassRegistry.h"
#include "platform/ole/ComObject.h"
#include "platform/ole/ComRuntime.h"
#include "platform/ole/EventSink.h"

#include <utility>

namespace container {

// The slot's end of its control's events. The control holds no reference
// on it; the slot detaches it when the control goes, after which late
// events are dropped.
class ControlSlot::EventSink final : public ole::ComObject<EventSink, ole::IEventSink> {
public:
  explicit EventSink(ControlSlot& slot) : slot_(&slot) {}

  void Detach() { slot_ = nullptr; }

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    if (iid == ole::IID_IUnknown || iid == ole::IID_IEventSink) {
      AddRef();
      *object = static_cast<ole::IEventSink*>(this);
      return ole::S_OK;
    }
    *object = nullptr;
    return ole::E_NOINTERFACE;
  }

  ole::HRESULT FireEvent(ole::DISPID event, const ole::OLECHAR* name, ole::DISPPARAMS* params) override {
    if (slot_ == nullptr || !slot_->callback_) {
      return ole::S_OK;
    }
    // The callback may deactivate the control, replace itself or end the
    // window; everything it could free stays alive until it returns.
    const ole::ComPtr<EventSink> keepSink(this);
    const ole::ComPtr<ole::IUnknown> keepControl(slot_->control_.get());
    const EventCallback callback = slot_->callback_;
    const std::int16_t controlNumber = slot_->controlNumber_;

    // Deliveries nest when the callback makes the control fire again.
    const std::u16string_view wideName = name == nullptr ? std::u16string_view{} : std::u16string_view(name);
    std::string previous = std::exchange(slot_->lastEventName_, ole::Utf8FromUtf16(wideName));
    callback(params, controlNumber, event);
    if (slot_ != nullptr) {
      slot_->lastEventName_ = std::move(previous);
    }
    return ole::S_OK;
  }

private:
  ControlSlot* slot_;
};

ControlSlot::ControlSlot(ContainerWindow& window, std::int16_t controlNumber)
    : window_(window), controlNumber_(controlNumber) {}

ControlSlot::~ControlSlot() { Deactivate(); }

ole::HRESULT ControlSlot::Create(std::string_view progId) {
  Deactivate();
  ole::CoInitialize(nullptr);
  ole::ComPtr<ole::IUnknown> control;
  const ole::HRESULT status =
      ole::ClassRegistry::Instance().CreateInstance(progId, ole::IID_IUnknown, control.ReceiveVoid());
  if (ole::Failed(status) || !control) {
    ole::CoUninitialize();
    return ole::Failed(status) ? status : ole::E_POINTER;
  }
  control_ = std::move(control);
  control_.As(ole::IID_IDispatch, automation_);
  ole::ComPtr<ole::IEventSource> source;
  if (ole::Succeeded(control_.As(ole::IID_IEventSource, source))) {
    sink_ = ole::ComPtr<EventSink>::Adopt(new EventSink(*this));
    source->Advise(sink_.get());
  }
  window_.ControlCreated(*this);
  return ole::S_OK;
}

void ControlSlot::Deactivate() {
  if (!control_ || deactivating_) {
    return;
  }
  deactivating_ = true;
  window_.ControlDeactivating(*this);
  ole::ComPtr<ole::IEventSource> source;
  if (ole::Succeeded(control_.As(ole::IID_IEventSource, source))) {
    source->Advise(nullptr);
  }
  if (sink_) {
    sink_->Detach();
    sink_.Reset();
  }
  lastEventName_.clear();
  if (automation_) {
    ReferenceTable::Instance().Forget(automation_.get());
  }
  automation_.Reset();
  source.Reset();
  control_.Reset();
  ole::CoUninitialize();
  deactivating_ = false;
}

ole::ComPtr<ole::IControlView> ControlSlot::View() const {
  ole::ComPtr<ole::IControlView> view;
  control_.As(ole::IID_IControlView, view);
  return view;
}

} // namespace container

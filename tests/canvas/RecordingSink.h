#pragma once

#include "platform/ole/ComObject.h"
#include "platform/ole/EventSink.h"
#include "platform/ole/Variant.h"

#include <functional>
#include <string>
#include <vector>

namespace canvas::driver {

struct FiredEvent {
  ole::DISPID id;
  std::string name;
  std::vector<std::int32_t> parameters;
};

// Records the events a control fires, its parameters as numbers, and runs a
// callback inside each delivery, as the container's event callback does.
class RecordingSink final : public ole::ComObject<RecordingSink, ole::IEventSink> {
public:
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
    FiredEvent fired{event, ole::Utf8FromUtf16(name), {}};
    for (std::uint32_t i = params->cArgs; i-- > 0;) {
      ole::VariantHolder number;
      ole::VariantChangeType(number.get(), &params->rgvarg[i], ole::VT_I4);
      fired.parameters.push_back(number->lVal);
    }
    events.push_back(fired);
    if (during) {
      during(fired);
    }
    return ole::S_OK;
  }

  // The names of the recorded events, oldest first.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const FiredEvent& event : events) {
      names.push_back(event.name);
    }
    return names;
  }

  std::vector<FiredEvent> events;
  std::function<void(const FiredEvent&)> during;
};

} // namespace canvas::driver

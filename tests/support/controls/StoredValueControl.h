#pragma once

#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/Dispatch.h"

#include <cstdint>

namespace testsupport {

// The smallest control worth measuring the boundary against: a property
// "FillColor" that stores a LONG, and a method "ClientToLogicX" that takes
// one LONG and answers it doubled. It records nothing and allocates
// nothing while it answers.
class StoredValueControl final : public ole::ComObject<StoredValueControl, ole::IDispatch> {
public:
  static constexpr ole::DISPID kFillColor = 1;
  static constexpr ole::DISPID kClientToLogicX = 2;

  static ole::ComPtr<StoredValueControl> Create();

  std::int32_t FillColor() const { return fillColor_; }

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override;
  ole::HRESULT GetIDsOfNames(const ole::IID& iid, const ole::OLECHAR* const* names, std::uint32_t nameCount,
                             ole::LCID locale, ole::DISPID* ids) override;
  ole::HRESULT Invoke(ole::DISPID member, const ole::IID& iid, ole::LCID locale, std::uint16_t flags,
                      ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                      std::uint32_t* argumentError) override;

private:
  friend class ole::ComObject<StoredValueControl, ole::IDispatch>;
  StoredValueControl() = default;
  ~StoredValueControl() override = default;

  std::int32_t fillColor_ = 0;
};

} // namespace testsupport

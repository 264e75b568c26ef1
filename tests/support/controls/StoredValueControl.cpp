#include "tests/support/controls/StoredValueControl.h"

#include "platform/ole/Variant.h"

#include <string_view>

namespace testsupport {

namespace {

bool LongArgument(const ole::VARIANT& argument, std::int32_t& value) {
  const ole::VARIANT& deref = *ole::VariantDeref(&argument);
  if (deref.vt == ole::VT_I4) {
    value = deref.lVal;
    return true;
  }
  if (deref.vt == (ole::VT_BYREF | ole::VT_I4) && deref.plVal != nullptr) {
    value = *deref.plVal;
    return true;
  }
  return false;
}

} // namespace

ole::ComPtr<StoredValueControl> StoredValueControl::Create() {
  return ole::ComPtr<StoredValueControl>::Adopt(new StoredValueControl);
}

ole::HRESULT StoredValueControl::QueryInterface(const ole::IID& iid, void** object) {
  if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
    AddRef();
    *object = static_cast<ole::IDispatch*>(this);
    return ole::S_OK;
  }
  *object = nullptr;
  return ole::E_NOINTERFACE;
}

ole::HRESULT StoredValueControl::GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const* names,
                                               std::uint32_t nameCount, ole::LCID, ole::DISPID* ids) {
  if (nameCount != 1) {
    return ole::DISP_E_UNKNOWNNAME;
  }
  const std::u16string_view name(names[0]);
  ids[0] = name == u"FillColor" ? kFillColor : name == u"ClientToLogicX" ? kClientToLogicX : ole::DISPID_UNKNOWN;
  return ids[0] == ole::DISPID_UNKNOWN ? ole::DISP_E_UNKNOWNNAME : ole::S_OK;
}

ole::HRESULT StoredValueControl::Invoke(ole::DISPID member, const ole::IID&, ole::LCID, std::uint16_t flags,
                                        ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO*,
                                        std::uint32_t* argumentError) {
  std::int32_t argument = 0;
  switch (member) {
  case kFillColor:
    if ((flags & ole::DISPATCH_PROPERTYPUT) != 0) {
      if (params->cArgs != 1 || !LongArgument(params->rgvarg[0], argument)) {
        return ole::DISP_E_TYPEMISMATCH;
      }
      fillColor_ = argument;
      return ole::S_OK;
    }
    if (result != nullptr) {
      result->vt = ole::VT_I4;
      result->lVal = fillColor_;
    }
    return ole::S_OK;
  case kClientToLogicX:
    if (params->cArgs != 1 || !LongArgument(params->rgvarg[0], argument)) {
      if (argumentError != nullptr) {
        *argumentError = 0;
      }
      return ole::DISP_E_TYPEMISMATCH;
    }
    if (result != nullptr) {
      result->vt = ole::VT_I4;
      result->lVal = static_cast<std::int32_t>(static_cast<std::uint32_t>(argument) * 2u);
    }
    return ole::S_OK;
  default:
    return ole::DISP_E_MEMBERNOTFOUND;
  }
}

} // namespace testsupport

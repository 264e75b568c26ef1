#include "canvas/Invocation.h"

#include <cmath>
#include <cstring>

namespace canvas {

namespace {

bool IsOmitted(const ole::VARIANT& value) {
  const ole::VARIANT& actual = *ole::VariantDeref(&value);
  return actual.vt == ole::VT_ERROR && actual.scode == ole::DISP_E_PARAMNOTFOUND;
}

[[noreturn]] void FailAt(ole::HRESULT status, std::uint32_t index) {
  AutomationError error;
  error.status = status;
  error.hasArgument = true;
  error.argumentIndex = index;
  throw error;
}

} // namespace

void Refuse(std::string description, ole::HRESULT scode) {
  AutomationError error;
  error.description = std::move(description);
  error.scode = scode;
  throw error;
}

void RefuseIf(const std::string& problem) {
  if (!problem.empty()) {
    Refuse(problem);
  }
}

Invocation::Invocation(std::string_view member, std::uint16_t flags, ole::DISPPARAMS* params, ole::VARIANT* result)
    : member_(member), params_(params), result_(result),
      put_((flags & (ole::DISPATCH_PROPERTYPUT | ole::DISPATCH_PROPERTYPUTREF)) != 0) {
  if (put_ && params_->cArgs == 0) {
    AutomationError error;
    error.status = ole::DISP_E_PARAMNOTOPTIONAL;
    throw error;
  }
  count_ = put_ ? params_->cArgs - 1 : params_->cArgs;
}

void Invocation::RefusePut() const {
  if (put_) {
    Refuse(member_ + " cannot be written.");
  }
}

void Invocation::AllowAtMost(std::uint32_t most) const {
  if (count_ > most) {
    AutomationError error;
    error.status = ole::DISP_E_BADPARAMCOUNT;
    throw error;
  }
}

const ole::VARIANT& Invocation::Argument(std::uint32_t position) const { return params_->rgvarg[IndexOf(position)]; }

bool Invocation::Has(std::uint32_t position) const { return position < count_ && !IsOmitted(Argument(position)); }

ole::VARIANT Invocation::Converted(const ole::VARIANT& value, ole::VARTYPE type, std::uint32_t index) const {
  ole::VARIANT converted;
  ole::VariantInit(&converted);
  const ole::HRESULT status = ole::VariantChangeType(&converted, &value, type);
  if (status == ole::DISP_E_OVERFLOW) {
    const std::string which = put_ && index == 0
                                  ? "The value of " + member_
                                  : "Argument " + std::to_string(params_->cArgs - index) + " of " + member_;
    Refuse(which + " is out of range.");
  }
  if (ole::Failed(status)) {
    FailAt(ole::DISP_E_TYPEMISMATCH, index);
  }
  return converted;
}

void Invocation::Require(std::uint32_t position) const {
  if (Has(position)) {
    return;
  }
  if (position < count_) {
    FailAt(ole::DISP_E_PARAMNOTOPTIONAL, IndexOf(position));
  }
  AutomationError error;
  error.status = ole::DISP_E_PARAMNOTOPTIONAL;
  throw error;
}

std::int32_t Invocation::Long(std::uint32_t position) const {
  Require(position);
  return Converted(Argument(position), ole::VT_I4, IndexOf(position)).lVal;
}

std::int32_t Invocation::Long(std::uint32_t position, std::int32_t fallback) const {
  return Has(position) ? Long(position) : fallback;
}

double Invocation::Real(std::uint32_t position) const {
  Require(position);
  const double value = Converted(Argument(position), ole::VT_R8, IndexOf(position)).dblVal;
  if (!std::isfinite(value)) {
    Refuse("Argument " + std::to_string(position + 1) + " of " + member_ + " must be a finite number.");
  }
  return value;
}

std::string Invocation::Text(std::uint32_t position) const {
  Require(position);
  ole::VariantHolder text(Converted(Argument(position), ole::VT_BSTR, IndexOf(position)));
  return ole::Utf8FromBstr(text->bstrVal);
}

bool Invocation::IsText(std::uint32_t position) const {
  return Has(position) && (ole::VariantDeref(&Argument(position))->vt & ole::VT_TYPEMASK) == ole::VT_BSTR;
}

ole::SAFEARRAY* Invocation::Array(std::uint32_t position) const {
  Require(position);
  const ole::VARIANT& value = *ole::VariantDeref(&Argument(position));
  if ((value.vt & ole::VT_ARRAY) == 0) {
    FailAt(ole::DISP_E_TYPEMISMATCH, IndexOf(position));
  }
  ole::SAFEARRAY* array = (value.vt & ole::VT_BYREF) != 0 ? (value.pparray != nullptr ? *value.pparray : nullptr)
                                                           : value.parray;
  if (array == nullptr) {
    Refuse("Argument " + std::to_string(position + 1) + " of " + member_ + " holds no array.");
  }
  return array;
}

void Invocation::WriteBack(std::uint32_t position, std::int32_t value) const {
  if (!Has(position)) {
    return;
  }
  const std::uint32_t index = IndexOf(position);
  const ole::VARIANT& target = *ole::VariantDeref(&Argument(position));
  if ((target.vt & ole::VT_BYREF) == 0 || target.byref == nullptr) {
    FailAt(ole::DISP_E_TYPEMISMATCH, index);
  }
  const ole::VARTYPE type = target.vt & ole::VT_TYPEMASK;
  ole::VariantHolder number(ole::MakeI4(value));
  ole::VARIANT converted = Converted(number.value(), type, index);
  switch (type) {
  case ole::VT_BSTR:
    ole::SysFreeString(*target.pbstrVal);
    *target.pbstrVal = converted.bstrVal;
    return;
  case ole::VT_I2:
    *target.piVal = converted.iVal;
    return;
  case ole::VT_I4:
    *target.plVal = converted.lVal;
    return;
  case ole::VT_R4:
    *target.pfltVal = converted.fltVal;
    return;
  case ole::VT_R8:
    *target.pdblVal = converted.dblVal;
    return;
  case ole::VT_UI1:
    *target.pbVal = converted.bVal;
    return;
  case ole::VT_UI2:
    *target.puiVal = converted.uiVal;
    return;
  case ole::VT_UI4:
    *target.pulVal = converted.ulVal;
    return;
  default:
    ole::VariantClear(&converted);
    FailAt(ole::DISP_E_TYPEMISMATCH, index);
  }
}

std::int32_t Invocation::ValueLong() const { return Converted(params_->rgvarg[0], ole::VT_I4, 0).lVal; }

double Invocation::ValueReal() const {
  const double value = Converted(params_->rgvarg[0], ole::VT_R8, 0).dblVal;
  if (!std::isfinite(value)) {
    Refuse("The value of " + member_ + " must be a finite number.");
  }
  return value;
}

std::string Invocation::ValueText() const {
  ole::VariantHolder text(Converted(params_->rgvarg[0], ole::VT_BSTR, 0));
  return ole::Utf8FromBstr(text->bstrVal);
}

void Invocation::Return(std::int32_t value) { ReturnVariant(ole::MakeI4(value)); }
void Invocation::Return(double value) { ReturnVariant(ole::MakeR8(value)); }
void Invocation::Return(std::string_view text) { ReturnVariant(ole::MakeText(text)); }

void Invocation::ReturnVariant(const ole::VARIANT& value) {
  if (result_ == nullptr) {
    ole::VARIANT discarded = value;
    ole::VariantClear(&discarded);
    return;
  }
  ole::VariantClear(result_);
  *result_ = value;
}

} // namespace canvas

#pragma once

#include "platform/ole/Dispatch.h"
#include "platform/ole/HResult.h"
#include "platform/ole/SafeArray.h"
#include "platform/ole/Variant.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace canvas {

// Why a member call failed, raised inside a member and answered by the
// control's Invoke: DISP_E_EXCEPTION with the description for a refused
// value, or a status with the index of the argument at fault (counted in
// the DISPPARAMS array, last argument first, as IDispatch counts it).
struct AutomationError {
  ole::HRESULT status = ole::DISP_E_EXCEPTION;
  std::string description;
  ole::HRESULT scode = ole::E_INVALIDARG;
  bool hasArgument = false;
  std::uint32_t argumentIndex = 0;
};

// Refuses the call with a description for the client.
[[noreturn]] void Refuse(std::string description, ole::HRESULT scode = ole::E_INVALIDARG);
// Refuses the call when problem is not empty.
void RefuseIf(const std::string& problem);

// One call of a member: its arguments, coerced as the client would expect,
// and its result.
//
// Arguments are counted from 0 at the left. A number may come as any
// numeric type or as its text ("90", "45.5"); a text as a text or a number
// (a file name made of digits); by reference or by value. An argument that
// is omitted (DISP_E_PARAMNOTFOUND) or missing takes the caller's default,
// or fails with DISP_E_PARAMNOTOPTIONAL where there is none. A value that
// has the wrong type fails with DISP_E_TYPEMISMATCH, one that does not fit
// the member's type with an exception saying so.
class Invocation {
public:
  Invocation(std::string_view member, std::uint16_t flags, ole::DISPPARAMS* params, ole::VARIANT* result);

  const std::string& Member() const { return member_; }
  bool IsPut() const { return put_; }
  // Refuses a put of a member that can only be read.
  void RefusePut() const;
  // The number of arguments, the value of a put not counted.
  std::uint32_t Count() const { return count_; }
  // Fails with DISP_E_BADPARAMCOUNT unless there are at most most arguments.
  void AllowAtMost(std::uint32_t most) const;

  bool Has(std::uint32_t position) const;
  std::int32_t Long(std::uint32_t position) const;
  std::int32_t Long(std::uint32_t position, std::int32_t fallback) const;
  double Real(std::uint32_t position) const;
  std::string Text(std::uint32_t position) const;
  // Whether the argument is a text (as opposed to a number).
  bool IsText(std::uint32_t position) const;
  // The array an argument holds, by value or by reference.
  ole::SAFEARRAY* Array(std::uint32_t position) const;
  // Writes a number through an argument passed by reference, in the type
  // of the variable behind it. An omitted argument is left alone.
  void WriteBack(std::uint32_t position, std::int32_t value) const;

  // The value of a property put.
  std::int32_t ValueLong() const;
  bool ValueBool() const { return ValueLong() != 0; }
  double ValueReal() const;
  std::string ValueText() const;

  void Return(std::int32_t value);
  void Return(double value);
  void Return(std::string_view text);
  // Hands over a variant that the result then owns.
  void ReturnVariant(const ole::VARIANT& value);

private:
  const ole::VARIANT& Argument(std::uint32_t position) const;
  // Fails with DISP_E_PARAMNOTOPTIONAL when the argument is omitted.
  void Require(std::uint32_t position) const;
  std::uint32_t IndexOf(std::uint32_t position) const { return params_->cArgs - 1 - position; }
  ole::VARIANT Converted(const ole::VARIANT& value, ole::VARTYPE type, std::uint32_t index) const;

  std::string member_;
  ole::DISPPARAMS* params_;
  ole::VARIANT* result_;
  bool put_;
  std::uint32_t count_;
};

} // namespace canvas

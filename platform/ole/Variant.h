#pragma once

#include "platform/ole/Bstr.h"
#include "platform/ole/HResult.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ole {

class IDispatch;
class IUnknown;
struct SAFEARRAY;

using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_UI2 = 18;
inline constexpr VARTYPE VT_UI4 = 19;
inline constexpr VARTYPE VT_ARRAY = 0x2000;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// A tagged value of 16 bytes: the type, three reserved words and 8 bytes of
// value, wide enough for a double or a pointer.
struct VARIANT {
  VARTYPE vt;
  std::uint16_t wReserved1;
  std::uint16_t wReserved2;
  std::uint16_t wReserved3;
  union {
    std::int32_t lVal;
    std::int16_t iVal;
    std::uint8_t bVal;
    std::uint16_t uiVal;
    std::uint32_t ulVal;
    float fltVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    HRESULT scode;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    std::int32_t* plVal;
    std::int16_t* piVal;
    std::uint8_t* pbVal;
    std::uint16_t* puiVal;
    std::uint32_t* pulVal;
    float* pfltVal;
    double* pdblVal;
    VARIANT_BOOL* pboolVal;
    HRESULT* pscode;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    VARIANT* pvarVal;
    void* byref;
  };
};
static_assert(sizeof(VARIANT) == 16, "VARIANT must keep its 16-byte layout");

void VariantInit(VARIANT* value);
// Frees what the variant owns (a BSTR, an interface reference, an array)
// and leaves it empty. By-reference variants own nothing.
HRESULT VariantClear(VARIANT* value);
// Deep copy: strings and arrays are duplicated, interfaces AddRef'd.
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);

// Converts source to the type wanted and stores the result in destination
// (which may be source itself). By-reference sources are followed first.
//
//   integers to text: decimal; booleans: "-1" (true) and "0";
//   reals to text: plain decimal, at most 15 significant digits, "."
//   text to a number: DISP_E_TYPEMISMATCH unless the text is a number;
//   any value out of the target's range: DISP_E_OVERFLOW;
//   reals to integers round half to even.
HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, VARTYPE wanted);

// Follows a chain of VT_BYREF | VT_VARIANT to the variant that holds a value.
const VARIANT* VariantDeref(const VARIANT* value);

// A real as text: at most 15 significant digits, "." as separator, no
// trailing zeros and no bare trailing point; exponent notation only below
// 1e-5 or from 1e15 up.
std::string RealToText(double value);

// Convenience constructors for variants that own their contents.
VARIANT MakeI4(std::int32_t value);
VARIANT MakeI2(std::int16_t value);
VARIANT MakeR8(double value);
VARIANT MakeBool(bool value);
VARIANT MakeText(std::string_view utf8);
VARIANT MakeError(HRESULT code);

// The value as UTF-8 text by VariantChangeType's rules; false when it has
// no text form.
bool VariantToText(const VARIANT& value, std::string& text);

// Owns one VARIANT and clears it when it goes out of scope.
class VariantHolder {
public:
  VariantHolder() { VariantInit(&value_); }
  explicit VariantHolder(const VARIANT& adopted) : value_(adopted) {}
  VariantHolder(const VariantHolder&) = delete;
  VariantHolder& operator=(const VariantHolder&) = delete;
  ~VariantHolder() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }
  VARIANT* operator->() { return &value_; }
  const VARIANT* operator->() const { return &value_; }

private:
  VARIANT value_;
};

} // namespace ole

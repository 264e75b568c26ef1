#include "platform/ole/Variant.h"

#include "platform/ole/Dispatch.h"
#include "platform/ole/FixedText.h"
#include "platform/ole/SafeArray.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

namespace ole {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number in text: optional sign, then digits and nothing else.
bool IsWholeNumberText(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return false;
  }
  for (char c : text) {
    if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

// A number in text: optional sign, digits with an optional "." fraction
// (at least one digit in all), optional exponent.
bool IsNumberText(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    ++at;
  }
  std::size_t digits = 0;
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
    ++digits;
  }
  if (at < text.size() && text[at] == '.') {
    ++at;
    while (at < text.size() && IsDigit(text[at])) {
      ++at;
      ++digits;
    }
  }
  if (digits == 0) {
    return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
      ++at;
    }
    std::size_t exponentDigits = 0;
    while (at < text.size() && IsDigit(text[at])) {
      ++at;
      ++exponentDigits;
    }
    if (exponentDigits == 0) {
      return false;
    }
  }
  return at == text.size();
}

// A source value reduced to what the conversions need.
struct Scalar {
  enum class Kind { Empty, Integer, Real, Text, Unconvertible } kind = Kind::Unconvertible;
  std::int64_t integer = 0;
  double real = 0;
  std::string text;
  bool isBoolean = false;
  bool isSingle = false;
};

Scalar ScalarOf(const VARIANT& value) {
  Scalar scalar;
  const bool byRef = (value.vt & VT_BYREF) != 0;
  const VARTYPE type = value.vt & static_cast<VARTYPE>(~VT_BYREF);
  if (byRef && value.byref == nullptr) {
    return scalar;
  }
  auto integer = [&](std::int64_t number) {
    scalar.kind = Scalar::Kind::Integer;
    scalar.integer = number;
  };
  switch (type) {
  case VT_EMPTY:
    scalar.kind = Scalar::Kind::Empty;
    break;
  case VT_I2:
    integer(byRef ? *value.piVal : value.iVal);
    break;
  case VT_I4:
    integer(byRef ? *value.plVal : value.lVal);
    break;
  case VT_UI1:
    integer(byRef ? *value.pbVal : value.bVal);
    break;
  case VT_UI2:
    integer(byRef ? *value.puiVal : value.uiVal);
    break;
  case VT_UI4:
    integer(byRef ? *value.pulVal : value.ulVal);
    break;
  case VT_BOOL:
    integer((byRef ? *value.pboolVal : value.boolVal) != 0 ? -1 : 0);
    scalar.isBoolean = true;
    break;
  case VT_R4:
    scalar.kind = Scalar::Kind::Real;
    scalar.real = byRef ? *value.pfltVal : value.fltVal;
    scalar.isSingle = true;
    break;
  case VT_R8:
    scalar.kind = Scalar::Kind::Real;
    scalar.real = byRef ? *value.pdblVal : value.dblVal;
    break;
  case VT_BSTR:
    scalar.kind = Scalar::Kind::Text;
    scalar.text = Utf8FromBstr(byRef ? *value.pbstrVal : value.bstrVal);
    break;
  default:
    break;
  }
  return scalar;
}

std::string IntegerText(std::int64_t number) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
  return std::string(buffer, end);
}

// Rounds half to even, as the automation conversions do.
double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  if (fraction > 0.5) {
    return floor + 1;
  }
  if (fraction < 0.5) {
    return floor;
  }
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

// The number a scalar stands for, or the failure to convert it.
struct Number {
  HRESULT status = S_OK;
  bool isInteger = true;
  std::int64_t integer = 0;
  double real = 0;
};

Number ParseNumberText(std::string_view text) {
  Number number;
  text = TrimBlanks(text);
  if (IsWholeNumberText(text)) {
    std::string_view digits = text;
    bool negative = false;
    if (digits.front() == '-' || digits.front() == '+') {
      negative = digits.front() == '-';
      digits.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    (void)end;
    if (error != std::errc{} || magnitude > std::uint64_t{1} << 62) {
      number.status = DISP_E_OVERFLOW;
      return number;
    }
    number.integer = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return number;
  }
  if (!IsNumberText(text)) {
    number.status = DISP_E_TYPEMISMATCH;
    return number;
  }
  if (text.front() == '+') {
    text.remove_prefix(1);
  }
  number.isInteger = false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number.real);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    number.status = DISP_E_OVERFLOW;
  } else if (error != std::errc{}) {
    number.status = DISP_E_TYPEMISMATCH;
  }
  return number;
}

Number NumberOf(const Scalar& scalar) {
  Number number;
  switch (scalar.kind) {
  case Scalar::Kind::Empty:
    return number;
  case Scalar::Kind::Integer:
    number.integer = scalar.integer;
    return number;
  case Scalar::Kind::Real:
    number.isInteger = false;
    number.real = scalar.real;
    return number;
  case Scalar::Kind::Text:
    return ParseNumberText(scalar.text);
  case Scalar::Kind::Unconvertible:
    break;
  }
  number.status = DISP_E_TYPEMISMATCH;
  return number;
}

// The number as a whole number within [low, high], or DISP_E_OVERFLOW.
HRESULT WholeNumberIn(const Number& number, std::int64_t low, std::int64_t high, std::int64_t& out) {
  if (Failed(number.status)) {
    return number.status;
  }
  if (number.isInteger) {
    out = number.integer;
  } else {
    const double rounded = RoundHalfEven(number.real);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(low) || rounded > static_cast<double>(high)) {
      return DISP_E_OVERFLOW;
    }
    out = static_cast<std::int64_t>(rounded);
  }
  return out < low || out > high ? DISP_E_OVERFLOW : S_OK;
}

std::optional<bool> BooleanWord(std::string_view text) {
  text = TrimBlanks(text);
  if (EqualsIgnoringCase(text, "true")) {
    return true;
  }
  if (EqualsIgnoringCase(text, "false")) {
    return false;
  }
  return std::nullopt;
}

std::string RealText(double value, int significantDigits);

HRESULT ToText(const Scalar& scalar, std::string& text) {
  switch (scalar.kind) {
  case Scalar::Kind::Empty:
    text.clear();
    return S_OK;
  case Scalar::Kind::Integer:
    text = IntegerText(scalar.integer);
    return S_OK;
  case Scalar::Kind::Real:
    text = RealText(scalar.real, scalar.isSingle ? 7 : 15);
    return S_OK;
  case Scalar::Kind::Text:
    text = scalar.text;
    return S_OK;
  case Scalar::Kind::Unconvertible:
    break;
  }
  return DISP_E_TYPEMISMATCH;
}

HRESULT ToNumberVariant(const Scalar& scalar, VARTYPE wanted, VARIANT& out) {
  if (wanted == VT_BOOL && scalar.kind == Scalar::Kind::Text) {
    if (const auto word = BooleanWord(scalar.text)) {
      out.vt = VT_BOOL;
      out.boolVal = *word ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
  }
  const Number number = NumberOf(scalar);
  if (Failed(number.status)) {
    return number.status;
  }
  std::int64_t whole = 0;
  HRESULT status = S_OK;
  switch (wanted) {
  case VT_I2:
    status = WholeNumberIn(number, INT16_MIN, INT16_MAX, whole);
    out.iVal = static_cast<std::int16_t>(whole);
    break;
  case VT_I4:
    status = WholeNumberIn(number, INT32_MIN, INT32_MAX, whole);
    out.lVal = static_cast<std::int32_t>(whole);
    break;
  case VT_UI1:
    status = WholeNumberIn(number, 0, UINT8_MAX, whole);
    out.bVal = static_cast<std::uint8_t>(whole);
    break;
  case VT_UI2:
    status = WholeNumberIn(number, 0, UINT16_MAX, whole);
    out.uiVal = static_cast<std::uint16_t>(whole);
    break;
  case VT_UI4:
    status = WholeNumberIn(number, 0, UINT32_MAX, whole);
    out.ulVal = static_cast<std::uint32_t>(whole);
    break;
  case VT_BOOL:
    out.boolVal = (number.isInteger ? number.integer != 0 : number.real != 0) ? VARIANT_TRUE : VARIANT_FALSE;
    break;
  case VT_R8:
    out.dblVal = number.isInteger ? static_cast<double>(number.integer) : number.real;
    break;
  case VT_R4: {
    const double real = number.isInteger ? static_cast<double>(number.integer) : number.real;
    if (std::isfinite(real) && std::fabs(real) > std::numeric_limits<float>::max()) {
      return DISP_E_OVERFLOW;
    }
    out.fltVal = static_cast<float>(real);
    break;
  }
  default:
    return DISP_E_TYPEMISMATCH;
  }
  if (Succeeded(status)) {
    out.vt = wanted;
  }
  return status;
}

// The decimal digits of a real rounded to its significant digits, and the
// power of ten of the first digit.
struct Digits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Digits DecimalDigits(double value, int significantDigits) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
  Digits result;
  const char* at = buffer;
  if (*at == '-') {
    result.negative = true;
    ++at;
  }
  for (; *at != 'e'; ++at) {
    if (IsDigit(*at)) {
      result.digits.push_back(*at);
    }
  }
  result.exponent = std::atoi(at + 1);
  while (result.digits.size() > 1 && result.digits.back() == '0') {
    result.digits.pop_back();
  }
  return result;
}

std::string PlainDecimal(const Digits& number) {
  std::string text = number.negative ? "-" : "";
  const int digitCount = static_cast<int>(number.digits.size());
  if (number.exponent < 0) {
    text += "0.";
    text.append(static_cast<std::size_t>(-number.exponent - 1), '0');
    text += number.digits;
    return text;
  }
  const int wholeDigits = number.exponent + 1;
  if (digitCount <= wholeDigits) {
    text += number.digits;
    text.append(static_cast<std::size_t>(wholeDigits - digitCount), '0');
    return text;
  }
  text.append(number.digits, 0, static_cast<std::size_t>(wholeDigits));
  text += '.';
  text.append(number.digits, static_cast<std::size_t>(wholeDigits));
  return text;
}

std::string ExponentNotation(const Digits& number) {
  std::string text = number.negative ? "-" : "";
  text += number.digits.front();
  if (number.digits.size() > 1) {
    text += '.';
    text.append(number.digits, 1);
  }
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "E%c%02d", number.exponent < 0 ? '-' : '+', std::abs(number.exponent));
  return text + exponent;
}

std::string RealText(double value, int significantDigits) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Infinity" : "Infinity";
  }
  if (value == 0) {
    return "0";
  }
  const Digits number = DecimalDigits(value, significantDigits);
  if (number.exponent >= -5 && number.exponent < 15) {
    return PlainDecimal(number);
  }
  return ExponentNotation(number);
}

HRESULT ToInterfaceVariant(const VARIANT& source, VARTYPE wanted, VARIANT& out) {
  const VARIANT& value = *VariantDeref(&source);
  const bool byRef = (value.vt & VT_BYREF) != 0;
  const VARTYPE type = value.vt & static_cast<VARTYPE>(~VT_BYREF);
  if (type != VT_DISPATCH && type != VT_UNKNOWN) {
    return DISP_E_TYPEMISMATCH;
  }
  IUnknown* object = byRef ? (value.ppunkVal != nullptr ? *value.ppunkVal : nullptr) : value.punkVal;
  if (object == nullptr) {
    out.vt = wanted;
    out.punkVal = nullptr;
    return S_OK;
  }
  if (wanted == VT_UNKNOWN) {
    object->AddRef();
    out.vt = VT_UNKNOWN;
    out.punkVal = object;
    return S_OK;
  }
  void* dispatch = nullptr;
  const HRESULT status = object->QueryInterface(IID_IDispatch, &dispatch);
  if (Failed(status)) {
    return DISP_E_TYPEMISMATCH;
  }
  out.vt = VT_DISPATCH;
  out.pdispVal = static_cast<IDispatch*>(dispatch);
  return S_OK;
}

} // namespace

void VariantInit(VARIANT* value) { std::memset(value, 0, sizeof *value); }

HRESULT VariantClear(VARIANT* value) {
  if (value == nullptr) {
    return E_INVALIDARG;
  }
  if ((value->vt & VT_BYREF) == 0) {
    if ((value->vt & VT_ARRAY) != 0) {
      const HRESULT status = value->parray != nullptr ? SafeArrayDestroy(value->parray) : S_OK;
      if (Failed(status)) {
        return status;
      }
    } else if (value->vt == VT_BSTR) {
      SysFreeString(value->bstrVal);
    } else if ((value->vt == VT_DISPATCH || value->vt == VT_UNKNOWN) && value->punkVal != nullptr) {
      value->punkVal->Release();
    }
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
  if (destination == nullptr || source == nullptr) {
    return E_INVALIDARG;
  }
  if (destination == source) {
    return S_OK;
  }
  VARIANT copy = *source;
  if ((source->vt & VT_BYREF) == 0) {
    if ((source->vt & VT_ARRAY) != 0) {
      if (source->parray != nullptr) {
        const HRESULT status = SafeArrayCopy(source->parray, &copy.parray);
        if (Failed(status)) {
          return status;
        }
      }
    } else if (source->vt == VT_BSTR) {
      if (source->bstrVal != nullptr) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (copy.bstrVal == nullptr) {
          return E_OUTOFMEMORY;
        }
      }
    } else if ((source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) && source->punkVal != nullptr) {
      source->punkVal->AddRef();
    }
  }
  VariantClear(destination);
  *destination = copy;
  return S_OK;
}

const VARIANT* VariantDeref(const VARIANT* value) {
  while (value != nullptr && value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal != nullptr) {
    value = value->pvarVal;
  }
  return value;
}

HRESULT VariantChangeType(VARIANT* destination, const VARIANT* source, VARTYPE wanted) {
  if (destination == nullptr || source == nullptr) {
    return E_INVALIDARG;
  }
  const VARIANT* value = VariantDeref(source);
  if (value->vt == wanted) {
    if (destination == value) {
      return S_OK;
    }
    VARIANT copy;
    VariantInit(&copy);
    const HRESULT status = VariantCopy(&copy, value);
    if (Succeeded(status)) {
      VariantClear(destination);
      *destination = copy;
    }
    return status;
  }

  VARIANT result;
  VariantInit(&result);
  HRESULT status = S_OK;
  if (wanted == VT_EMPTY) {
    status = S_OK;
  } else if (wanted == VT_DISPATCH || wanted == VT_UNKNOWN) {
    status = ToInterfaceVariant(*value, wanted, result);
  } else if (wanted == VT_BSTR) {
    std::string text;
    status = ToText(ScalarOf(*value), text);
    if (Succeeded(status)) {
      result.vt = VT_BSTR;
      result.bstrVal = BstrFromUtf8(text);
    }
  } else {
    status = ToNumberVariant(ScalarOf(*value), wanted, result);
  }
  if (Failed(status)) {
    return status;
  }
  VariantClear(destination);
  *destination = result;
  return S_OK;
}

std::string RealToText(double value) { return RealText(value, 15); }

VARIANT MakeI4(std::int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT MakeI2(std::int16_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I2;
  v.iVal = value;
  return v;
}

VARIANT MakeR8(double value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_R8;
  v.dblVal = value;
  return v;
}

VARIANT MakeBool(bool value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

VARIANT MakeText(std::string_view utf8) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = BstrFromUtf8(utf8);
  return v;
}

VARIANT MakeError(HRESULT code) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ERROR;
  v.scode = code;
  return v;
}

bool VariantToText(const VARIANT& value, std::string& text) {
  return Succeeded(ToText(ScalarOf(*VariantDeref(&value)), text));
}

} // namespace ole

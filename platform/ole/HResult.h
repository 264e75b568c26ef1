#pragma once

#include <cstdint>
#include <string>

namespace ole {

// A status code: negative values are failures, 0 and positive values success.
using HRESULT = std::int32_t;

constexpr HRESULT MakeFailure(std::uint32_t code) { return static_cast<HRESULT>(code); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

inline constexpr HRESULT E_NOTIMPL = MakeFailure(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = MakeFailure(0x80004002u);
inline constexpr HRESULT E_POINTER = MakeFailure(0x80004003u);
inline constexpr HRESULT E_FAIL = MakeFailure(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = MakeFailure(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = MakeFailure(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = MakeFailure(0x80070057u);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeFailure(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeFailure(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeFailure(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeFailure(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeFailure(0x80020006u);
inline constexpr HRESULT DISP_E_NONAMEDARGS = MakeFailure(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = MakeFailure(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = MakeFailure(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = MakeFailure(0x8002000Au);
inline constexpr HRESULT DISP_E_BADINDEX = MakeFailure(0x8002000Bu);
inline constexpr HRESULT DISP_E_ARRAYISLOCKED = MakeFailure(0x8002000Du);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeFailure(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = MakeFailure(0x8002000Fu);

// The class registry's codes: no component is registered under a ProgID, or
// its library cannot be loaded or has no entry point.
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeFailure(0x80040154u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = MakeFailure(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = MakeFailure(0x800401F9u);

constexpr bool Succeeded(HRESULT status) { return status >= 0; }
constexpr bool Failed(HRESULT status) { return status < 0; }

// The message text for a status code, as the container shows it in its
// failure boxes. Unknown codes get a generic text naming the code.
std::string HResultMessage(HRESULT status);

} // namespace ole

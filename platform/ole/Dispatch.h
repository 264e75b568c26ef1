#pragma once

#include "platform/ole/Bstr.h"
#include "platform/ole/HResult.h"

#include <cstdint>

namespace ole {

struct VARIANT;

// A 128-bit interface identifier.
struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;

inline constexpr IID IID_NULL{0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown{0x6d3a0001, 0x51c2, 0x4e0f, {0x9a, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};
inline constexpr IID IID_IDispatch{0x6d3a0002, 0x51c2, 0x4e0f, {0x9a, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02}};

using DISPID = std::int32_t;
using LCID = std::uint32_t;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
// The standard mouse event identifiers.
inline constexpr DISPID DISPID_MOUSEDOWN = -605;
inline constexpr DISPID DISPID_MOUSEMOVE = -606;
inline constexpr DISPID DISPID_MOUSEUP = -607;

inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x800;
inline constexpr LCID LOCALE_US_ENGLISH = 0x409;

// Invocation kinds of IDispatch::Invoke; a caller may combine them.
inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

// The arguments of one Invoke: positional arguments last first, then the
// named ones, whose identifiers stand in rgdispidNamedArgs.
struct DISPPARAMS {
  VARIANT* rgvarg;
  DISPID* rgdispidNamedArgs;
  std::uint32_t cArgs;
  std::uint32_t cNamedArgs;
};

// What a member that raised an exception tells its caller. The strings
// belong to the receiver, who frees them (ClearExcepInfo).
struct EXCEPINFO {
  std::uint16_t wCode;
  std::uint16_t wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  std::uint32_t dwHelpContext;
  HRESULT scode;
};

void ClearExcepInfo(EXCEPINFO& info);

// Reference-counted objects. An object deletes itself when its last
// reference is released, so the destructor is not part of the interface.
class IUnknown {
public:
  virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

protected:
  ~IUnknown() = default;
};

// Late-bound access to an object's members by name and dispatch identifier.
class IDispatch : public IUnknown {
public:
  virtual HRESULT GetIDsOfNames(const IID& iid, const OLECHAR* const* names, std::uint32_t nameCount, LCID locale,
                                DISPID* ids) = 0;
  // result, exception and argumentError may each be null.
  virtual HRESULT Invoke(DISPID member, const IID& iid, LCID locale, std::uint16_t flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* exception, std::uint32_t* argumentError) = 0;

protected:
  ~IDispatch() = default;
};

} // namespace ole

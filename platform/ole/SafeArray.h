#pragma once

#include "platform/ole/HResult.h"
#include "platform/ole/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ole {

// One dimension of an array: its element count, then its lower bound.
struct SAFEARRAYBOUND {
  std::uint32_t cElements;
  std::int32_t lLbound;
};
static_assert(sizeof(SAFEARRAYBOUND) == 8);

// A typed array of one or more dimensions with real lower bounds. The
// first dimension varies fastest in memory. Its data can be locked
// (SafeArrayAccessData); a locked array cannot be destroyed.
struct SAFEARRAY {
  VARTYPE vt = VT_EMPTY;
  std::uint32_t cbElements = 0;
  std::uint32_t cLocks = 0;
  std::vector<SAFEARRAYBOUND> bounds;
  std::unique_ptr<std::byte[]> data;
};

// Element types: VT_I2, VT_I4, VT_R4, VT_R8, VT_BOOL, VT_ERROR, VT_UI1,
// VT_UI2, VT_UI4, VT_BSTR, VT_VARIANT, VT_DISPATCH, VT_UNKNOWN. Elements
// start zeroed (empty strings and variants, null interfaces). Returns null
// for another type, no dimensions, or a size that does not fit in memory.
SAFEARRAY* SafeArrayCreate(VARTYPE vt, std::uint32_t dimensionCount, const SAFEARRAYBOUND* bounds);
// Frees the elements and the array; DISP_E_ARRAYISLOCKED while locked.
HRESULT SafeArrayDestroy(SAFEARRAY* array);
HRESULT SafeArrayCopy(const SAFEARRAY* source, SAFEARRAY** copy);

// Locks the data and hands out its address; every access needs its unaccess.
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
// E_UNEXPECTED when the data is not locked.
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayLock(SAFEARRAY* array);
HRESULT SafeArrayUnlock(SAFEARRAY* array);

// indices holds one index per dimension, in the order of the bounds given
// to SafeArrayCreate; DISP_E_BADINDEX when one lies outside its bounds.
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, const std::int32_t* indices, void** element);
// Copies one element out: strings are duplicated, variants deep-copied and
// interfaces AddRef'd, so the copy belongs to the caller.
HRESULT SafeArrayGetElement(SAFEARRAY* array, const std::int32_t* indices, void* value);
HRESULT SafeArrayPutElement(SAFEARRAY* array, const std::int32_t* indices, const void* value);

std::uint32_t SafeArrayGetDim(const SAFEARRAY* array);
std::uint32_t SafeArrayGetElemsize(const SAFEARRAY* array);
HRESULT SafeArrayGetVartype(const SAFEARRAY* array, VARTYPE* vt);
// dimension counts from 1; DISP_E_BADINDEX outside 1 to the dimension count.
HRESULT SafeArrayGetLBound(const SAFEARRAY* array, std::uint32_t dimension, std::int32_t* lowerBound);
HRESULT SafeArrayGetUBound(const SAFEARRAY* array, std::uint32_t dimension, std::int32_t* upperBound);

} // namespace ole

#include "platform/ole/SafeArray.h"

#include "platform/ole/Dispatch.h"

#include <cstring>
#include <limits>
#include <new>

namespace ole {

namespace {

std::uint32_t ElementSizeOf(VARTYPE vt) {
  switch (vt) {
  case VT_UI1:
    return 1;
  case VT_I2:
  case VT_UI2:
  case VT_BOOL:
    return 2;
  case VT_I4:
  case VT_UI4:
  case VT_R4:
  case VT_ERROR:
    return 4;
  case VT_R8:
    return 8;
  case VT_BSTR:
    return sizeof(BSTR);
  case VT_DISPATCH:
  case VT_UNKNOWN:
    return sizeof(IUnknown*);
  case VT_VARIANT:
    return sizeof(VARIANT);
  default:
    return 0;
  }
}

std::size_t ElementCount(const SAFEARRAY& array) {
  std::size_t count = 1;
  for (const auto& bound : array.bounds) {
    count *= bound.cElements;
  }
  return count;
}

std::byte* ElementAt(SAFEARRAY& array, std::size_t offset) { return array.data.get() + offset * array.cbElements; }

bool OwnsContents(VARTYPE vt) { return vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN || vt == VT_VARIANT; }

// Gives back what one element owns: a string, an interface reference, a variant.
void ReleaseElement(VARTYPE vt, std::byte* element) {
  switch (vt) {
  case VT_BSTR:
    SysFreeString(*reinterpret_cast<BSTR*>(element));
    break;
  case VT_DISPATCH:
  case VT_UNKNOWN:
    if (auto* object = *reinterpret_cast<IUnknown**>(element)) {
      object->Release();
    }
    break;
  case VT_VARIANT:
    VariantClear(reinterpret_cast<VARIANT*>(element));
    break;
  default:
    break;
  }
}

void ReleaseElements(SAFEARRAY& array) {
  if (!OwnsContents(array.vt)) {
    return;
  }
  const std::size_t count = ElementCount(array);
  for (std::size_t i = 0; i < count; ++i) {
    ReleaseElement(array.vt, ElementAt(array, i));
  }
}

// Copies one element from source to destination so that the copy owns its
// contents. destination holds no value yet.
HRESULT CopyElement(VARTYPE vt, const void* source, void* destination, std::uint32_t size) {
  switch (vt) {
  case VT_BSTR: {
    const BSTR text = *static_cast<const BSTR*>(source);
    BSTR copy = text == nullptr ? nullptr : SysAllocStringLen(text, SysStringLen(text));
    if (text != nullptr && copy == nullptr) {
      return E_OUTOFMEMORY;
    }
    *static_cast<BSTR*>(destination) = copy;
    return S_OK;
  }
  case VT_DISPATCH:
  case VT_UNKNOWN: {
    IUnknown* object = *static_cast<IUnknown* const*>(source);
    if (object != nullptr) {
      object->AddRef();
    }
    *static_cast<IUnknown**>(destination) = object;
    return S_OK;
  }
  case VT_VARIANT:
    VariantInit(static_cast<VARIANT*>(destination));
    return VariantCopy(static_cast<VARIANT*>(destination), static_cast<const VARIANT*>(source));
  default:
    std::memcpy(destination, source, size);
    return S_OK;
  }
}

// The element offset of indices, or DISP_E_BADINDEX.
HRESULT OffsetOf(const SAFEARRAY& array, const std::int32_t* indices, std::size_t& offset) {
  offset = 0;
  std::size_t stride = 1;
  for (std::size_t d = 0; d < array.bounds.size(); ++d) {
    const auto& bound = array.bounds[d];
    const std::int64_t position = std::int64_t{indices[d]} - bound.lLbound;
    if (position < 0 || position >= std::int64_t{bound.cElements}) {
      return DISP_E_BADINDEX;
    }
    offset += static_cast<std::size_t>(position) * stride;
    stride *= bound.cElements;
  }
  return S_OK;
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, std::uint32_t dimensionCount, const SAFEARRAYBOUND* bounds) {
  const std::uint32_t elementSize = ElementSizeOf(vt);
  if (elementSize == 0 || dimensionCount == 0 || bounds == nullptr) {
    return nullptr;
  }
  constexpr std::size_t kLargestArray = std::size_t{1} << 32;
  std::size_t count = 1;
  for (std::uint32_t d = 0; d < dimensionCount; ++d) {
    if (bounds[d].cElements != 0 && count > kLargestArray / bounds[d].cElements) {
      return nullptr;
    }
    count *= bounds[d].cElements;
  }
  if (count > kLargestArray / elementSize) {
    return nullptr;
  }
  auto* array = new (std::nothrow) SAFEARRAY;
  if (array == nullptr) {
    return nullptr;
  }
  array->vt = vt;
  array->cbElements = elementSize;
  array->bounds.assign(bounds, bounds + dimensionCount);
  array->data.reset(new (std::nothrow) std::byte[count * elementSize]());
  if (array->data == nullptr && count != 0) {
    delete array;
    return nullptr;
  }
  return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (array == nullptr) {
    return S_OK;
  }
  if (array->cLocks > 0) {
    return DISP_E_ARRAYISLOCKED;
  }
  ReleaseElements(*array);
  delete array;
  return S_OK;
}

HRESULT SafeArrayCopy(const SAFEARRAY* source, SAFEARRAY** copy) {
  if (source == nullptr || copy == nullptr) {
    return E_INVALIDARG;
  }
  *copy = nullptr;
  SAFEARRAY* result =
      SafeArrayCreate(source->vt, static_cast<std::uint32_t>(source->bounds.size()), source->bounds.data());
  if (result == nullptr) {
    return E_OUTOFMEMORY;
  }
  const std::size_t count = ElementCount(*source);
  auto& from = const_cast<SAFEARRAY&>(*source);
  for (std::size_t i = 0; i < count; ++i) {
    const HRESULT status = CopyElement(source->vt, ElementAt(from, i), ElementAt(*result, i), source->cbElements);
    if (Failed(status)) {
      SafeArrayDestroy(result);
      return status;
    }
  }
  *copy = result;
  return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array) {
  if (array == nullptr) {
    return E_INVALIDARG;
  }
  if (array->cLocks == std::numeric_limits<std::uint32_t>::max()) {
    return E_UNEXPECTED;
  }
  ++array->cLocks;
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
  if (array == nullptr) {
    return E_INVALIDARG;
  }
  if (array->cLocks == 0) {
    return E_UNEXPECTED;
  }
  --array->cLocks;
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (data == nullptr) {
    return E_INVALIDARG;
  }
  const HRESULT status = SafeArrayLock(array);
  *data = Succeeded(status) ? array->data.get() : nullptr;
  return status;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, const std::int32_t* indices, void** element) {
  if (array == nullptr || indices == nullptr || element == nullptr) {
    return E_INVALIDARG;
  }
  std::size_t offset = 0;
  const HRESULT status = OffsetOf(*array, indices, offset);
  *element = Succeeded(status) ? ElementAt(*array, offset) : nullptr;
  return status;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const std::int32_t* indices, void* value) {
  void* element = nullptr;
  if (value == nullptr) {
    return E_INVALIDARG;
  }
  const HRESULT status = SafeArrayPtrOfIndex(array, indices, &element);
  if (Failed(status)) {
    return status;
  }
  return CopyElement(array->vt, element, value, array->cbElements);
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const std::int32_t* indices, const void* value) {
  void* element = nullptr;
  if (value == nullptr) {
    return E_INVALIDARG;
  }
  HRESULT status = SafeArrayPtrOfIndex(array, indices, &element);
  if (Failed(status)) {
    return status;
  }
  alignas(VARIANT) std::byte copy[sizeof(VARIANT)];
  status = CopyElement(array->vt, value, copy, array->cbElements);
  if (Failed(status)) {
    return status;
  }
  ReleaseElement(array->vt, static_cast<std::byte*>(element));
  std::memcpy(element, copy, array->cbElements);
  return S_OK;
}

std::uint32_t SafeArrayGetDim(const SAFEARRAY* array) {
  return array == nullptr ? 0 : static_cast<std::uint32_t>(array->bounds.size());
}

std::uint32_t SafeArrayGetElemsize(const SAFEARRAY* array) { return array == nullptr ? 0 : array->cbElements; }

HRESULT SafeArrayGetVartype(const SAFEARRAY* array, VARTYPE* vt) {
  if (array == nullptr || vt == nullptr) {
    return E_INVALIDARG;
  }
  *vt = array->vt;
  return S_OK;
}

HRESULT SafeArrayGetLBound(const SAFEARRAY* array, std::uint32_t dimension, std::int32_t* lowerBound) {
  if (array == nullptr || lowerBound == nullptr) {
    return E_INVALIDARG;
  }
  if (dimension < 1 || dimension > array->bounds.size()) {
    return DISP_E_BADINDEX;
  }
  *lowerBound = array->bounds[dimension - 1].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(const SAFEARRAY* array, std::uint32_t dimension, std::int32_t* upperBound) {
  std::int32_t lowerBound = 0;
  const HRESULT status = SafeArrayGetLBound(array, dimension, &lowerBound);
  if (Failed(status)) {
    return status;
  }
  *upperBound = static_cast<std::int32_t>(std::int64_t{lowerBound} + array->bounds[dimension - 1].cElements - 1);
  return S_OK;
}

} // namespace ole

#include "automation/SafeArrayClass.h"

#include "platform/ole/FixedText.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

std::int32_t SafeArrayClass::Fail(const char* message) {
  ERRORSTR = ole::FixedText(message, kErrorTextWidth);
  return kFailure;
}

std::int32_t SafeArrayClass::CreateArray(std::uint16_t varType, std::int32_t elementSize, std::int32_t dimensionCount,
                                         const std::int32_t* elementCounts, std::int32_t dimensionOverride) {
  ERRORSTR.assign(kErrorTextWidth, ' ');
  PSA = nullptr;
  CDIMS = 0;
  DATASIZE = 0;
  VARIANTTYPE = 0;
  DATALOCKED = 0;

  if (elementSize < 1) {
    return Fail("Data size less than one. Can not create a safearray.");
  }
  DATASIZE = elementSize;
  CDIMS = dimensionOverride != 0 ? dimensionOverride : dimensionCount;
  if (CDIMS < 1) {
    return Fail("Bounds less than one. Can not create a Safearray!");
  }
  std::unique_ptr<ole::SAFEARRAYBOUND[]> bounds(new (std::nothrow) ole::SAFEARRAYBOUND[CDIMS]);
  if (bounds == nullptr) {
    return Fail("Out of Memory");
  }
  for (std::int32_t d = 0; d < CDIMS; ++d) {
    bounds[d].cElements = static_cast<std::uint32_t>(elementCounts[d]);
    bounds[d].lLbound = 1;
  }
  VARIANTTYPE = varType;
  PSA = ole::SafeArrayCreate(varType, static_cast<std::uint32_t>(CDIMS), bounds.get());
  return PSA == nullptr ? Fail("Error creating array.") : kSuccess;
}

std::int32_t SafeArrayClass::AccessData() {
  if (DATALOCKED == 1) {
    return kSuccess;
  }
  if (PSA == nullptr) {
    return Fail("No Safearray defined.");
  }
  void* data = nullptr;
  if (ole::Failed(ole::SafeArrayAccessData(PSA, &data))) {
    return Fail("Can not access data.");
  }
  DATALOCKED = 1;
  return kSuccess;
}

std::int32_t SafeArrayClass::UnaccessData() {
  if (DATALOCKED == 0) {
    return kSuccess;
  }
  if (PSA == nullptr) {
    return Fail("No Safearray defined.");
  }
  if (ole::Failed(ole::SafeArrayUnaccessData(PSA))) {
    return Fail("Can not unaccess data.");
  }
  DATALOCKED = 0;
  return kSuccess;
}

std::int32_t SafeArrayClass::PutData(const std::int32_t* indices, const void* source, std::uint8_t keepLocked) {
  if (AccessData() != kSuccess) {
    return kFailure;
  }
  void* element = nullptr;
  std::int32_t status = kSuccess;
  if (ole::Failed(ole::SafeArrayPtrOfIndex(PSA, indices, &element))) {
    status = Fail("Can not put data.");
  } else {
    const auto bytes = std::min<std::size_t>(static_cast<std::size_t>(DATASIZE), ole::SafeArrayGetElemsize(PSA));
    std::memcpy(element, source, bytes);
  }
  if (keepLocked != 0) {
    return status;
  }
  const std::int32_t unlocked = UnaccessData();
  return status == kSuccess && unlocked != kSuccess ? unlocked : status;
}

std::int32_t SafeArrayClass::Dispose() {
  if (PSA == nullptr) {
    return kSuccess;
  }
  UnaccessData();
  std::int32_t status = kSuccess;
  if (ole::Failed(ole::SafeArrayDestroy(PSA))) {
    ERRORSTR = ole::FixedText("Error disposing of SafeArray", kErrorTextWidth);
    status = kDisposeFailed;
  }
  PSA = nullptr;
  return status;
}

std::int32_t SafeArrayClass::CreateLongVector(ole::SAFEARRAY** arrayOut, const std::int32_t* values,
                                              std::int32_t count) {
  *arrayOut = nullptr;
  const std::int32_t elementCounts[1] = {count};
  if (CreateArray(ole::VT_I4, sizeof(std::int32_t), 1, elementCounts, 1) != kSuccess) {
    Dispose();
    return kFailure;
  }
  // The data stays locked for the whole fill and is unlocked once at the end.
  std::int32_t status = kSuccess;
  std::int32_t k = 0;
  do {
    const std::int32_t index[1] = {k + 1};
    if (PutData(index, values + k, 1) != kSuccess) {
      status = kFailure;
      break;
    }
    ++k;
  } while (k != count);
  if (UnaccessData() != kSuccess) {
    status = kFailure;
  }
  if (status != kSuccess) {
    Dispose();
    *arrayOut = nullptr;
  } else {
    *arrayOut = PSA;
  }
  return status;
}

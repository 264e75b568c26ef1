#pragma once

#include "platform/ole/SafeArray.h"

#include <cstdint>
#include <string>

// Owns one OLE SAFEARRAY at a time. Failures are never shown or thrown:
// every operation returns a status code and leaves the text of the last
// failure in ERRORSTR.
class SafeArrayClass {
public:
  static constexpr std::int32_t kSuccess = 0;
  static constexpr std::int32_t kFailure = 3;
  static constexpr std::int32_t kDisposeFailed = 5;
  static constexpr std::size_t kErrorTextWidth = 80;

  // Creates an array with lower bound 1 in every dimension; elementCounts
  // holds one count per dimension (dimensionOverride dimensions when that
  // is not 0). An array held before is forgotten, not destroyed.
  std::int32_t CreateArray(std::uint16_t varType, std::int32_t elementSize, std::int32_t dimensionCount,
                           const std::int32_t* elementCounts, std::int32_t dimensionOverride);
  std::int32_t AccessData();
  std::int32_t UnaccessData();
  // Copies DATASIZE bytes from source into the element at indices (one
  // index per dimension), never more than the element holds.
  std::int32_t PutData(const std::int32_t* indices, const void* source, std::uint8_t keepLocked);
  std::int32_t Dispose();
  // A one-dimensional VT_I4 array of count values with lower bound 1. The
  // array stays owned by this instance; arrayOut receives it, or null.
  std::int32_t CreateLongVector(ole::SAFEARRAY** arrayOut, const std::int32_t* values, std::int32_t count);

  // Fields. PSA holds the array reference, so it is pointer-sized.
  std::string ERRORSTR = std::string(kErrorTextWidth, ' ');
  ole::SAFEARRAY* PSA = nullptr;
  std::int32_t CDIMS = 0;
  std::int32_t DATASIZE = 0;
  std::uint16_t VARIANTTYPE = 0;
  std::uint8_t DATALOCKED = 0;

private:
  std::int32_t Fail(const char* message);
};

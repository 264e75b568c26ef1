#include "platform/ole/SafeArray.h"

#include <gtest/gtest.h>

namespace ole {
namespace {

struct ArrayDeleter {
  void operator()(SAFEARRAY* array) const {
    while (array->cLocks > 0) {
      SafeArrayUnlock(array);
    }
    SafeArrayDestroy(array);
  }
};
using Array = std::unique_ptr<SAFEARRAY, ArrayDeleter>;

Array Vector(VARTYPE vt, std::uint32_t count, std::int32_t lowerBound) {
  const SAFEARRAYBOUND bound{count, lowerBound};
  return Array(SafeArrayCreate(vt, 1, &bound));
}

TEST(SafeArray, KeepsRealLowerBoundsAndChecksEveryIndex) {
  Array array = Vector(VT_I4, 10, -5);
  ASSERT_NE(array, nullptr);
  std::int32_t low = 0;
  std::int32_t high = 0;
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 1, &low), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 1, &high), S_OK);
  EXPECT_EQ(low, -5);
  EXPECT_EQ(high, 4);
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 0, &low), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 2, &high), DISP_E_BADINDEX);

  for (const std::int32_t index : {-6, 5, INT32_MIN, INT32_MAX}) {
    void* element = nullptr;
    EXPECT_EQ(SafeArrayPtrOfIndex(array.get(), &index, &element), DISP_E_BADINDEX) << index;
  }
  for (std::int32_t index = -5; index <= 4; ++index) {
    const std::int32_t value = index * 100;
    ASSERT_EQ(SafeArrayPutElement(array.get(), &index, &value), S_OK);
  }
  const std::int32_t index = 4;
  std::int32_t value = 0;
  EXPECT_EQ(SafeArrayGetElement(array.get(), &index, &value), S_OK);
  EXPECT_EQ(value, 400);
}

TEST(SafeArray, TheFirstDimensionVariesFastest) {
  const SAFEARRAYBOUND bounds[2] = {{3, 1}, {2, 1}};
  Array array(SafeArrayCreate(VT_I2, 2, bounds));
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(SafeArrayGetDim(array.get()), 2u);
  for (std::int16_t column = 1; column <= 2; ++column) {
    for (std::int16_t row = 1; row <= 3; ++row) {
      const std::int32_t indices[2] = {row, column};
      const std::int16_t value = static_cast<std::int16_t>(row * 10 + column);
      ASSERT_EQ(SafeArrayPutElement(array.get(), indices, &value), S_OK);
    }
  }
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array.get(), &data), S_OK);
  const auto* values = static_cast<const std::int16_t*>(data);
  EXPECT_EQ(values[0], 11);
  EXPECT_EQ(values[1], 21);
  EXPECT_EQ(values[3], 12);
  EXPECT_EQ(SafeArrayUnaccessData(array.get()), S_OK);
}

TEST(SafeArray, LockingCountsAndGuardsDestruction) {
  SAFEARRAY* array = Vector(VT_R8, 2, 1).release();
  void* first = nullptr;
  void* second = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array, &first), S_OK);
  ASSERT_EQ(SafeArrayAccessData(array, &second), S_OK);
  EXPECT_EQ(first, second);
  EXPECT_EQ(array->cLocks, 2u);
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED) << "one lock is still held";
  EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(array), E_UNEXPECTED) << "unaccessing an unlocked array fails";
  EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, RefusesShapesItCannotHold) {
  const SAFEARRAYBOUND bound{4, 1};
  EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, &bound), nullptr) << "no element type";
  EXPECT_EQ(SafeArrayCreate(VT_I4 | VT_BYREF, 1, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr) << "no dimensions";
  const SAFEARRAYBOUND huge[2] = {{0xFFFFFFFFu, 1}, {0xFFFFFFFFu, 1}};
  EXPECT_EQ(SafeArrayCreate(VT_VARIANT, 2, huge), nullptr) << "too large to allocate";
  Array empty = Vector(VT_I4, 0, 1);
  ASSERT_NE(empty, nullptr) << "an array of no elements exists";
  const std::int32_t index = 1;
  void* element = nullptr;
  EXPECT_EQ(SafeArrayPtrOfIndex(empty.get(), &index, &element), DISP_E_BADINDEX);
}

TEST(SafeArray, StringElementsAreOwnedCopiedAndFreed) {
  Array array = Vector(VT_BSTR, 2, 0);
  const std::int32_t index = 1;
  BstrHolder text("arrow");
  ASSERT_EQ(SafeArrayPutElement(array.get(), &index, &text), S_OK);
  BstrHolder replacement("arc");
  ASSERT_EQ(SafeArrayPutElement(array.get(), &index, &replacement), S_OK) << "the old string is freed";

  SAFEARRAY* copy = nullptr;
  ASSERT_EQ(SafeArrayCopy(array.get(), &copy), S_OK);
  Array copyHolder(copy);
  BSTR fromCopy = nullptr;
  ASSERT_EQ(SafeArrayGetElement(copy, &index, &fromCopy), S_OK);
  BstrHolder fromCopyHolder(fromCopy);
  EXPECT_EQ(fromCopyHolder.Utf8(), "arc");
  VARTYPE vt = VT_EMPTY;
  EXPECT_EQ(SafeArrayGetVartype(copy, &vt), S_OK);
  EXPECT_EQ(vt, VT_BSTR);
}

} // namespace
} // namespace ole

#include "automation/SafeArrayClass.h"

#include "platform/ole/FixedText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string Message(const SafeArrayClass& array) { return std::string(ole::TrimTrailingBlanks(array.ERRORSTR)); }

std::vector<std::int32_t> ElementsOf(ole::SAFEARRAY* array) {
  std::int32_t low = 0;
  std::int32_t high = 0;
  EXPECT_EQ(ole::SafeArrayGetLBound(array, 1, &low), ole::S_OK);
  EXPECT_EQ(ole::SafeArrayGetUBound(array, 1, &high), ole::S_OK);
  std::vector<std::int32_t> values;
  for (std::int32_t i = low; i <= high; ++i) {
    std::int32_t value = 0;
    EXPECT_EQ(ole::SafeArrayGetElement(array, &i, &value), ole::S_OK);
    values.push_back(value);
  }
  return values;
}

TEST(SafeArrayClass, CreateLongVectorBuildsAnUnlockedVectorFromOne) {
  const std::vector<std::int32_t> points = {730, 100, 730, 400, 765, 200, 800, 400, 800, 100};
  SafeArrayClass array;
  ole::SAFEARRAY* out = nullptr;
  ASSERT_EQ(array.CreateLongVector(&out, points.data(), 10), SafeArrayClass::kSuccess);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out, array.PSA) << "the instance keeps owning the array";
  EXPECT_EQ(ole::SafeArrayGetDim(out), 1u);
  ole::VARTYPE vt = 0;
  ole::SafeArrayGetVartype(out, &vt);
  EXPECT_EQ(vt, ole::VT_I4);
  std::int32_t low = 0;
  ole::SafeArrayGetLBound(out, 1, &low);
  EXPECT_EQ(low, 1);
  EXPECT_EQ(ElementsOf(out), points);
  EXPECT_EQ(array.DATALOCKED, 0);
  EXPECT_EQ(out->cLocks, 0u);
  EXPECT_EQ(array.Dispose(), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.PSA, nullptr);
}

TEST(SafeArrayClass, CreateLongVectorOfNothingFailsAndKeepsNoArray) {
  SafeArrayClass array;
  ole::SAFEARRAY* out = reinterpret_cast<ole::SAFEARRAY*>(1);
  EXPECT_EQ(array.CreateLongVector(&out, nullptr, 0), SafeArrayClass::kFailure);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(array.PSA, nullptr);
  EXPECT_EQ(Message(array), "Can not put data.");

  EXPECT_EQ(array.CreateLongVector(&out, nullptr, -1), SafeArrayClass::kFailure);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(Message(array), "Error creating array.");
}

TEST(SafeArrayClass, CreateArrayRefusesBadShapesWithItsMessages) {
  struct Case {
    const char* name;
    std::int32_t elementSize;
    std::int32_t dimensionCount;
    std::int32_t dimensionOverride;
    std::int32_t status;
    const char* message;
    std::int32_t dimensions;
  };
  const Case cases[] = {
      {"element size 0", 0, 1, 0, SafeArrayClass::kFailure, "Data size less than one. Can not create a safearray.", 0},
      {"no dimensions", 4, 0, 0, SafeArrayClass::kFailure, "Bounds less than one. Can not create a Safearray!", 0},
      {"negative override", 4, 1, -1, SafeArrayClass::kFailure, "Bounds less than one. Can not create a Safearray!", 0},
      {"two dimensions", 4, 2, 0, SafeArrayClass::kSuccess, "", 2},
      {"two dimensions by override", 4, 1, 2, SafeArrayClass::kSuccess, "", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SafeArrayClass array;
    const std::int32_t counts[2] = {3, 4};
    EXPECT_EQ(array.CreateArray(ole::VT_I4, c.elementSize, c.dimensionCount, counts, c.dimensionOverride), c.status);
    EXPECT_EQ(Message(array), c.message);
    EXPECT_EQ(array.ERRORSTR.size(), 80u) << "blank padded to its width";
    EXPECT_EQ(ole::SafeArrayGetDim(array.PSA), static_cast<std::uint32_t>(c.dimensions));
    if (c.elementSize < 1) {
      EXPECT_EQ(array.DATASIZE, 0);
    }
    array.Dispose();
  }

  SafeArrayClass array;
  const std::int32_t counts[1] = {2};
  EXPECT_EQ(array.CreateArray(ole::VT_EMPTY, 4, 1, counts, 0), SafeArrayClass::kFailure);
  EXPECT_EQ(Message(array), "Error creating array.");
}

TEST(SafeArrayClass, LocksOnceAndUnlocksOnlyWhatItLocked) {
  SafeArrayClass array;
  EXPECT_EQ(array.AccessData(), SafeArrayClass::kFailure);
  EXPECT_EQ(Message(array), "No Safearray defined.");

  const std::int32_t counts[1] = {3};
  ASSERT_EQ(array.CreateArray(ole::VT_I4, 4, 1, counts, 0), SafeArrayClass::kSuccess);
  EXPECT_EQ(Message(array), "") << "creating blanks the last message";
  EXPECT_EQ(array.UnaccessData(), SafeArrayClass::kSuccess) << "nothing to unlock, and no call that would fail";
  EXPECT_EQ(array.AccessData(), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.AccessData(), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.PSA->cLocks, 1u) << "the lock is not taken twice";
  EXPECT_EQ(array.DATALOCKED, 1);
  EXPECT_EQ(array.UnaccessData(), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.PSA->cLocks, 0u);

  const std::int32_t index[1] = {2};
  const std::int32_t value = -9;
  EXPECT_EQ(array.PutData(index, &value, 0), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.DATALOCKED, 0) << "keepLocked 0 locks, copies and unlocks";
  EXPECT_EQ(ElementsOf(array.PSA), (std::vector<std::int32_t>{0, -9, 0}));

  const std::int32_t outside[1] = {4};
  EXPECT_EQ(array.PutData(outside, &value, 1), SafeArrayClass::kFailure);
  EXPECT_EQ(Message(array), "Can not put data.");
  EXPECT_EQ(array.DATALOCKED, 1) << "keepLocked leaves the data locked, even after a failure";
  EXPECT_EQ(array.Dispose(), SafeArrayClass::kSuccess) << "dispose unlocks before it destroys";
  EXPECT_EQ(array.PSA, nullptr);
}

TEST(SafeArrayClass, PutDataNeverCopiesMoreThanTheElementHolds) {
  SafeArrayClass array;
  const std::int32_t counts[1] = {2};
  ASSERT_EQ(array.CreateArray(ole::VT_I2, 8, 1, counts, 0), SafeArrayClass::kSuccess);
  const std::int64_t wide = 0x0102030405060708;
  const std::int32_t index[1] = {2};
  EXPECT_EQ(array.PutData(index, &wide, 0), SafeArrayClass::kSuccess);
  std::int16_t element = 0;
  ole::SafeArrayGetElement(array.PSA, index, &element);
  EXPECT_EQ(element, 0x0708);
  array.Dispose();
}

TEST(SafeArrayClass, DisposeOfAnEmptyInstanceChangesNothing) {
  SafeArrayClass array;
  EXPECT_EQ(array.Dispose(), SafeArrayClass::kSuccess);
  EXPECT_EQ(array.ERRORSTR, std::string(80, ' '));
  EXPECT_EQ(array.PSA, nullptr);
}

TEST(SafeArrayClass, AFailedDestructionIsReportedAndTheArrayForgotten) {
  SafeArrayClass array;
  const std::int32_t counts[1] = {1};
  ASSERT_EQ(array.CreateArray(ole::VT_I4, 4, 1, counts, 0), SafeArrayClass::kSuccess);
  ole::SAFEARRAY* held = array.PSA;
  ASSERT_EQ(ole::SafeArrayLock(held), ole::S_OK);
  EXPECT_EQ(array.Dispose(), SafeArrayClass::kDisposeFailed);
  EXPECT_EQ(Message(array), "Error disposing of SafeArray");
  EXPECT_EQ(array.PSA, nullptr);
  ole::SafeArrayUnlock(held);
  ole::SafeArrayDestroy(held);
}

} // namespace

#include "platform/ole/ComRuntime.h"

#include <gtest/gtest.h>

#include <thread>

namespace ole {
namespace {

TEST(ComRuntime, CountsInitialisationPerThread) {
  const int before = CoInitializeCount();
  EXPECT_EQ(CoInitialize(nullptr), before == 0 ? S_OK : S_FALSE);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  EXPECT_EQ(CoInitializeCount(), before + 2);

  int otherThreadCount = -1;
  HRESULT otherThreadFirst = E_FAIL;
  std::thread other([&] {
    otherThreadFirst = CoInitialize(nullptr);
    otherThreadCount = CoInitializeCount();
    CoUninitialize();
  });
  other.join();
  EXPECT_EQ(otherThreadFirst, S_OK) << "another thread starts uninitialised";
  EXPECT_EQ(otherThreadCount, 1);

  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitializeCount(), before);
  CoUninitialize();
  EXPECT_GE(CoInitializeCount(), 0) << "an unbalanced uninitialise does nothing";
  int reserved = 0;
  EXPECT_EQ(CoInitialize(&reserved), E_INVALIDARG);
}

} // namespace
} // namespace ole

#pragma once

#include <QTest>

#include <gtest/gtest.h>

namespace testsupport {

inline constexpr int kEventuallyTimeoutMs = 10000;

// Lets the event loop run until read() gives expected or the time is up,
// and returns the last value read, so that an assertion on it shows what
// was there. QtTest's own QTRY_ macros report to QtTest, which a GoogleTest
// suite never hears from.
template <typename Read, typename Expected>
auto Eventually(Read read, const Expected& expected, int timeoutMs = kEventuallyTimeoutMs) {
  auto value = read();
  static_cast<void>(QTest::qWaitFor(
      [&] {
        value = read();
        return value == expected;
      },
      timeoutMs));
  return value;
}

} // namespace testsupport

#define EXPECT_EVENTUALLY_EQ(expression, expected) \
  EXPECT_EQ(::testsupport::Eventually([&] { return (expression); }, (expected)), (expected))
#define ASSERT_EVENTUALLY_EQ(expression, expected) \
  ASSERT_EQ(::testsupport::Eventually([&] { return (expression); }, (expected)), (expected))
#define EXPECT_EVENTUALLY_TRUE(condition) \
  EXPECT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ::testsupport::kEventuallyTimeoutMs)) \
      << #condition
#define ASSERT_EVENTUALLY_TRUE(condition) \
  ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, ::testsupport::kEventuallyTimeoutMs)) \
      << #condition

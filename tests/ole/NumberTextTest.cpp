#include "platform/ole/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ole {
namespace {

constexpr std::int32_t kLongMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kLongMin = std::numeric_limits<std::int32_t>::min();

struct LongCase {
  const char* text;
  std::int32_t value;
};

TEST(NumberText, ReadsALongLeniently) {
  const LongCase cases[] = {
      {"-1", -1},
      {"0", 0},
      {"255", 255},
      {"  42", 42},
      {"42abc", 42},
      {"12,5", 12},
      {"12.5", 12},
      {"-12.9", -12},
      {"-0.5", 0},
      {"1e3", 1000},
      {"1E3", 1000},
      {"1.5e1", 15},
      {"1,25e2", 125},
      {"25e-1", 2},
      {"0.05e2", 5},
      {"1e", 1},
      {"1e+2", 100},
      {"007", 7},
      {".9", 0},
      {"9.", 9},
      {"", 0},
      {"   ", 0},
      {"-", 0},
      {"+5", 0},
      {"abc", 0},
      {"GetPropertyFailed", 0},
      {"No ole automation interface", 0},
      {"2147483647", kLongMax},
      {"2147483648", kLongMax},
      {"-2147483648", kLongMin},
      {"-2147483649", kLongMin},
      {"99999999999999999999", kLongMax},
      {"1e999999999999", kLongMax},
      {"-1e10", kLongMin},
      {"0e999999999", 0},
      {"1e-999999999", 0},
      {"4294967295", kLongMax},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberText::ReadLong(c.text), c.value);
  }
}

struct RealCase {
  const char* text;
  double value;
};

TEST(NumberText, ReadsARealLeniently) {
  const RealCase cases[] = {
      {"12.5", 12.5},  {"12,5", 12.0},  {"+2.5", 2.5},     {"-0.25", -0.25},
      {"  7", 7.0},    {"1e3", 1000.0}, {"1.5E-2", 0.015}, {"1e", 1.0},
      {".5", 0.5},     {"", 0.0},       {"-", 0.0},        {"+", 0.0},
      {"+-5", 0.0},    {"inf", 0.0},    {"nan", 0.0},      {"GetPropertyFailed", 0.0},
      {"1e-400", 0.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DOUBLE_EQ(NumberText::ReadReal(c.text), c.value);
  }
  EXPECT_EQ(NumberText::ReadReal("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumberText::ReadReal("-1e400"), -std::numeric_limits<double>::infinity());
}

TEST(NumberText, WritesNumbersPlainly) {
  EXPECT_EQ(NumberText::Long(0), "0");
  EXPECT_EQ(NumberText::Long(-3), "-3");
  EXPECT_EQ(NumberText::Long(kLongMin), "-2147483648");
  EXPECT_EQ(NumberText::Real(90), "90");
  EXPECT_EQ(NumberText::Real(12.5), "12.5");
  EXPECT_EQ(NumberText::Real(0.25), "0.25");
  EXPECT_EQ(NumberText::Real(45.5), "45.5");
  EXPECT_EQ(NumberText::Real(1.0 / 3.0), "0.333333333333333");
}

TEST(NumberText, WhatItWritesReadsBack) {
  for (const std::int32_t value : {0, 1, -1, 4711, kLongMax, kLongMin}) {
    EXPECT_EQ(NumberText::ReadLong(NumberText::Long(value)), value);
  }
  for (const double value : {0.0, 12.5, -0.25, 1e20, 1.5e-7, 123456.789}) {
    EXPECT_DOUBLE_EQ(NumberText::ReadReal(NumberText::Real(value)), value);
  }
}

} // namespace
} // namespace ole

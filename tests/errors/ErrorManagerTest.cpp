#include "platform/errors/ErrorManager.h"

#include <gtest/gtest.h>

#include <thread>

namespace errors {
namespace {

TEST(ErrorManagerTest, ProcedureNamesNestAndAreRemovedByName) {
  ErrorManager manager;
  manager.SetProcedureName("Main");
  manager.SetProcedureName("Draw");
  manager.SetProcedureName("Main");
  EXPECT_EQ(manager.ProcedureName(), "Main");

  manager.RemoveProcedureName("Main");
  EXPECT_EQ(manager.ProcedureName(), "Draw") << "only the most recent registration goes";
  manager.RemoveProcedureName("Unknown");
  EXPECT_EQ(manager.ProcedureName(), "Draw");
  manager.RemoveProcedureName("Draw");
  EXPECT_EQ(manager.ProcedureName(), "Main");
  manager.RemoveProcedureName("Main");
  EXPECT_EQ(manager.ProcedureName(), "");
}

TEST(ErrorManagerTest, RecordsFailuresInTheStatusItWasGivenWithTheRunningProcedure) {
  ErrorManager manager;
  manager.Record(5, "before Init");

  ErrorStatus status;
  manager.Init(status);
  manager.SetProcedureName("Main");
  manager.Record(3, "window already open");
  EXPECT_EQ(status.code, 3);
  EXPECT_EQ(status.message, "window already open");
  EXPECT_EQ(status.procedure, "Main");
}

TEST(ErrorManagerTest, EachThreadHasItsOwnStatusRecord) {
  ThreadErrorStatus().code = 7;
  ErrorStatus* other = nullptr;
  std::int32_t otherCode = -1;
  std::thread([&] {
    other = &ThreadErrorStatus();
    otherCode = other->code;
  }).join();
  EXPECT_NE(other, &ThreadErrorStatus());
  EXPECT_EQ(otherCode, 0);
  EXPECT_EQ(ThreadErrorStatus().code, 7);
  ThreadErrorStatus() = {};
}

} // namespace
} // namespace errors

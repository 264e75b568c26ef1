// The boundary's short paths, a property set and a get with or without an
// argument, must not touch the heap: every property write of the program
// crosses them. This executable counts every allocation made through the
// global allocation functions.
#include "platform/ole/NumberText.h"
#include "platform/container/ContainerWindow.h"
#include "platform/container/OleContainer.h"
#include "tests/support/controls/ScopedControlFactory.h"
#include "tests/support/controls/StoredValueControl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) {
    allocations.fetch_add(1, std::memory_order_relaxed);
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) {
    return memory;
  }
  throw std::bad_alloc();
}
} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

using container::SetValue;

class AllocationCount {
public:
  AllocationCount() {
    allocations = 0;
    counting = true;
  }
  ~AllocationCount() { counting = false; }
  long Made() const { return allocations.load(); }
};

TEST(BoundaryAllocation, ShortSetsAndGetsMakeNoHeapAllocation) {
  const auto control = testsupport::StoredValueControl::Create();
  testsupport::ScopedControlFactory factory("Test.StoredValue", ole::ComPtr<ole::IUnknown>(control.get()));
  container::ContainerWindow window;
  window.AddSlot(3);
  container::SetMember(&window, 3, "31942", SetValue::Text("Test.StoredValue"));
  container::SetMember(&window, 3, "31954", SetValue::Text("1"));

  std::int32_t fillColor = 0;
  std::int32_t logicX = 0;
  long made = 0;
  {
    const AllocationCount count;
    container::SetMember(&window, 3, "FillColor", SetValue::Long(0x00FF8000));
    fillColor = ole::NumberText::ReadLong(container::GetMember(&window, 3, "FillColor"));
    logicX = ole::NumberText::ReadLong(container::GetMember(&window, 3, "ClientToLogicX(120)"));
    made = count.Made();
  }
  EXPECT_EQ(made, 0);
  EXPECT_EQ(fillColor, 0x00FF8000);
  EXPECT_EQ(logicX, 240);
}

TEST(BoundaryAllocation, TheCounterSeesAllocations) {
  long made = 0;
  {
    const AllocationCount count;
    const auto longText = container::GetMember(nullptr, 3, "a name long enough to leave the small-string buffer");
    std::string copy(64, 'x');
    made = count.Made();
  }
  EXPECT_GE(made, 1);
}

} // namespace

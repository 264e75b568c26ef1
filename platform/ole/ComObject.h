#pragma once

#include "platform/ole/Dispatch.h"

#include <atomic>
#include <cstdint>

namespace ole {

// Reference counting shared by our objects: derive from it with the
// interfaces the object offers and implement QueryInterface. A new object
// starts with one reference, which belongs to whoever created it
// (ComPtr::Adopt takes it over).
template <typename Derived, typename... Interfaces>
class ComObject : public Interfaces... {
public:
  std::uint32_t AddRef() override { return references_.fetch_add(1, std::memory_order_relaxed) + 1; }

  std::uint32_t Release() override {
    const std::uint32_t left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) {
      delete static_cast<Derived*>(this);
    }
    return left;
  }

  std::uint32_t ReferenceCount() const { return references_.load(std::memory_order_relaxed); }

protected:
  ComObject() = default;
  virtual ~ComObject() = default;

private:
  std::atomic<std::uint32_t> references_{1};
};

} // namespace ole

#pragma once

#include "platform/ole/Dispatch.h"

#include <utility>

namespace ole {

// Holds one reference on an interface and gives it back when it goes.
template <typename Interface>
class ComPtr {
public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference on the object.
  explicit ComPtr(Interface* object) : object_(object) {
    if (object_ != nullptr) {
      object_->AddRef();
    }
  }
  ComPtr(const ComPtr& other) : ComPtr(other.object_) {}
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  // Adopts a reference that the caller already holds (a factory's result).
  static ComPtr Adopt(Interface* object) {
    ComPtr holder;
    holder.object_ = object;
    return holder;
  }

  void Reset() {
    if (object_ != nullptr) {
      std::exchange(object_, nullptr)->Release();
    }
  }
  // Gives the reference up to the caller without releasing it.
  Interface* Detach() { return std::exchange(object_, nullptr); }

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // For out parameters: releases what is held and hands out the slot.
  Interface** Receive() {
    Reset();
    return &object_;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  template <typename Other>
  HRESULT As(const IID& iid, ComPtr<Other>& out) const {
    if (object_ == nullptr) {
      return E_POINTER;
    }
    return object_->QueryInterface(iid, out.ReceiveVoid());
  }

private:
  Interface* object_ = nullptr;
};

} // namespace ole

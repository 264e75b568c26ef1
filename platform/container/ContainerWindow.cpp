#include "platform/container/ContainerWindow.h"

#include <algorithm>
#include <cassert>
#include <mutex>
#include <thread>
#include <vector>

namespace container {

namespace {

// The windows that exist, and which thread activated which of them, in the
// order of activation. A window reference is checked here before use, so
// that a window that has gone is never touched.
class WindowRegistry {
public:
  static WindowRegistry& Instance() {
    static WindowRegistry registry;
    return registry;
  }

  void Add(ContainerWindow* window) {
    std::lock_guard lock(mutex_);
    live_.push_back(window);
  }

  void Remove(ContainerWindow* window) {
    std::lock_guard lock(mutex_);
    std::erase(live_, window);
    std::erase_if(activations_, [window](const Activation& a) { return a.window == window; });
  }

  void Activate(ContainerWindow* window) {
    std::lock_guard lock(mutex_);
    const auto thread = std::this_thread::get_id();
    std::erase_if(activations_, [&](const Activation& a) { return a.window == window && a.thread == thread; });
    activations_.push_back({thread, window});
  }

  ContainerWindow* Active() {
    std::lock_guard lock(mutex_);
    return ActiveLocked();
  }

  ContainerWindow* Resolve(ContainerWindow* window) {
    std::lock_guard lock(mutex_);
    if (window == nullptr) {
      return ActiveLocked();
    }
    return std::find(live_.begin(), live_.end(), window) != live_.end() ? window : nullptr;
  }

private:
  struct Activation {
    std::thread::id thread;
    ContainerWindow* window;
  };

  ContainerWindow* ActiveLocked() const {
    const auto thread = std::this_thread::get_id();
    const auto found = std::find_if(activations_.rbegin(), activations_.rend(),
                                    [thread](const Activation& a) { return a.thread == thread; });
    return found == activations_.rend() ? nullptr : found->window;
  }

  std::mutex mutex_;
  std::vector<ContainerWindow*> live_;
  std::vector<Activation> activations_;
};

} // namespace

ContainerWindow::ContainerWindow() { WindowRegistry::Instance().Add(this); }

ContainerWindow::~ContainerWindow() { WindowRegistry::Instance().Remove(this); }

ControlSlot& ContainerWindow::AddSlot(std::int16_t controlNumber) {
  assert(controlNumber >= 1 && "control number 0 addresses the window itself");
  auto& slot = slots_[controlNumber];
  if (!slot) {
    slot = std::make_unique<ControlSlot>(*this, controlNumber);
  }
  return *slot;
}

ControlSlot* ContainerWindow::Slot(std::int16_t controlNumber) {
  const auto found = slots_.find(controlNumber);
  return found == slots_.end() ? nullptr : found->second.get();
}

void ContainerWindow::Activate() { WindowRegistry::Instance().Activate(this); }

ContainerWindow* ContainerWindow::ActiveWindow() { return WindowRegistry::Instance().Active(); }

ContainerWindow* ContainerWindow::Resolve(ContainerWindow* window) {
  return WindowRegistry::Instance().Resolve(window);
}

} // namespace container

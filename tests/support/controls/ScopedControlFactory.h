#pragma once

#include "platform/ole/ComPtr.h"
#include "platform/ole/Dispatch.h"

#include <string>

namespace testsupport {

// Hands out one control under a ProgID through the class registry for as
// long as it lives, so that a slot's Create finds it.
class ScopedControlFactory {
public:
  ScopedControlFactory(std::string progId, ole::ComPtr<ole::IUnknown> control);
  ScopedControlFactory(const ScopedControlFactory&) = delete;
  ScopedControlFactory& operator=(const ScopedControlFactory&) = delete;
  ~ScopedControlFactory();

private:
  std::string progId_;
};

} // namespace testsupport

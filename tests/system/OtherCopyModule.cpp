// A separately loaded library with its own copy of the system stand-ins,
// as the drawing control has: what it reads and sets must agree with the
// copy in the program.
#include "platform/system/SystemParameters.h"

#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::int32_t OtherCopyDragFullWindows() {
  std::int32_t value = -1;
  sys::SystemParametersInfo(sys::SPI_GETDRAGFULLWINDOWS, 0, &value, 0);
  return value;
}

extern "C" __attribute__((visibility("default"))) bool OtherCopySetDragFullWindows(std::uint32_t value,
                                                                                   std::uint32_t flags) {
  return sys::SystemParametersInfo(sys::SPI_SETDRAGFULLWINDOWS, value, nullptr, flags);
}

#include "platform/ole/ComRuntime.h"

namespace ole {

namespace {
thread_local int initialiseCount = 0;
}

HRESULT CoInitialize(void* reserved) {
  if (reserved != nullptr) {
    return E_INVALIDARG;
  }
  return initialiseCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (initialiseCount > 0) {
    --initialiseCount;
  }
}

int CoInitializeCount() { return initialiseCount; }

} // namespace ole

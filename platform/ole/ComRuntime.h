#pragma once

#include "platform/ole/HResult.h"

namespace ole {

// Per-thread initialisation count of the object runtime. The first
// CoInitialize of a thread returns S_OK, every further one S_FALSE; each
// needs its CoUninitialize. The reserved argument must be null.
HRESULT CoInitialize(void* reserved);
void CoUninitialize();
// How many CoInitialize calls of this thread are not yet balanced.
int CoInitializeCount();

} // namespace ole

#include "platform/ole/Dispatch.h"

namespace ole {

void ClearExcepInfo(EXCEPINFO& info) {
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
}

} // namespace ole

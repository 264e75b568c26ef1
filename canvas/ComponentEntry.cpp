// The entry point of the control's component library, through which the
// class registry creates the control by its ProgID.
#include "canvas/DrawingControl.h"

#include "platform/ole/ClassRegistry.h"

#include <strings.h>

extern "C" __attribute__((visibility("default"))) ole::HRESULT OleComponentCreate(const char* progId,
                                                                                   const ole::IID* iid,
                                                                                   void** object) {
  if (object == nullptr || iid == nullptr || progId == nullptr) {
    return ole::E_POINTER;
  }
  *object = nullptr;
  if (strcasecmp(progId, canvas::kDrawingControlProgId) != 0) {
    return ole::REGDB_E_CLASSNOTREG;
  }
  return canvas::CreateDrawingControl(*iid, object);
}

static_assert(std::is_same_v<decltype(&OleComponentCreate), ole::ComponentCreateFunction>);

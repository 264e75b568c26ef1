#include "tests/support/controls/ScopedControlFactory.h"

#include "platform/ole/ClassRegistry.h"

namespace testsupport {

ScopedControlFactory::ScopedControlFactory(std::string progId, ole::ComPtr<ole::IUnknown> control)
    : progId_(std::move(progId)) {
  ole::ClassRegistry::Instance().RegisterFactory(
      progId_, [control](const ole::IID& iid, void** object) { return control->QueryInterface(iid, object); });
}

ScopedControlFactory::~ScopedControlFactory() { ole::ClassRegistry::Instance().UnregisterFactory(progId_); }

} // namespace testsupport

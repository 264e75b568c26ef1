// A component library with one object, "Test.Answer.1", whose member
// "Answer" reads 42: what the class registry loads in its tests.
#include "platform/ole/ClassRegistry.h"
#include "platform/ole/ComObject.h"
#include "platform/ole/Variant.h"

#include <cstring>
#include <string_view>

namespace {

class Answer final : public ole::ComObject<Answer, ole::IDispatch> {
public:
  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override {
    if (iid == ole::IID_IUnknown || iid == ole::IID_IDispatch) {
      AddRef();
      *object = static_cast<ole::IDispatch*>(this);
      return ole::S_OK;
    }
    *object = nullptr;
    return ole::E_NOINTERFACE;
  }

  ole::HRESULT GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const* names, std::uint32_t count, ole::LCID,
                             ole::DISPID* ids) override {
    if (count == 1 && std::u16string_view(names[0]) == u"Answer") {
      ids[0] = 1;
      return ole::S_OK;
    }
    ids[0] = ole::DISPID_UNKNOWN;
    return ole::DISP_E_UNKNOWNNAME;
  }

  ole::HRESULT Invoke(ole::DISPID member, const ole::IID&, ole::LCID, std::uint16_t, ole::DISPPARAMS*,
                      ole::VARIANT* result, ole::EXCEPINFO*, std::uint32_t*) override {
    if (member != 1) {
      return ole::DISP_E_MEMBERNOTFOUND;
    }
    if (result != nullptr) {
      *result = ole::MakeI4(42);
    }
    return ole::S_OK;
  }
};

} // namespace

extern "C" __attribute__((visibility("default"))) ole::HRESULT OleComponentCreate(const char* progId,
                                                                                   const ole::IID* iid,
                                                                                   void** object) {
  if (std::strcmp(progId, "Test.Answer.1") != 0) {
    *object = nullptr;
    return ole::REGDB_E_CLASSNOTREG;
  }
  auto* answer = new Answer;
  const ole::HRESULT status = answer->QueryInterface(*iid, object);
  answer->Release();
  return status;
}

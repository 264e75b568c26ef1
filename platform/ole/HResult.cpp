#include "platform/ole/HResult.h"

#include <cstdio>

namespace ole {

namespace {

struct CodeMessage {
  HRESULT code;
  const char* message;
};

constexpr CodeMessage kMessages[] = {
    {S_OK, "The operation completed successfully."},
    {S_FALSE, "The operation completed, but with nothing to do."},
    {E_NOTIMPL, "The operation is not implemented."},
    {E_NOINTERFACE, "The object does not offer the requested interface."},
    {E_POINTER, "A required pointer argument was missing."},
    {E_FAIL, "The operation failed for an unspecified reason."},
    {E_UNEXPECTED, "The operation was called at an unexpected moment."},
    {E_OUTOFMEMORY, "There is not enough memory to complete the operation."},
    {E_INVALIDARG, "One or more arguments are not valid."},
    {DISP_E_UNKNOWNINTERFACE, "The interface identifier passed to the call is unknown."},
    {DISP_E_MEMBERNOTFOUND, "The object has no such member, or it cannot be used this way."},
    {DISP_E_PARAMNOTFOUND, "A parameter was not found."},
    {DISP_E_TYPEMISMATCH, "An argument has the wrong type."},
    {DISP_E_UNKNOWNNAME, "The name is not known to the object."},
    {DISP_E_NONAMEDARGS, "The member does not accept named arguments."},
    {DISP_E_BADVARTYPE, "A value has a variant type that is not valid."},
    {DISP_E_EXCEPTION, "The object raised an exception."},
    {DISP_E_OVERFLOW, "A value does not fit into the type it must take."},
    {DISP_E_BADINDEX, "An array index is out of range."},
    {DISP_E_ARRAYISLOCKED, "The array is locked and cannot be changed or destroyed."},
    {DISP_E_BADPARAMCOUNT, "The member was called with the wrong number of arguments."},
    {DISP_E_PARAMNOTOPTIONAL, "A required argument was left out."},
    {REGDB_E_CLASSNOTREG, "No component is registered under that name."},
    {CO_E_DLLNOTFOUND, "The component's library could not be loaded."},
    {CO_E_ERRORINDLL, "The component's library has no usable entry point."},
};

} // namespace

std::string HResultMessage(HRESULT status) {
  for (const auto& entry : kMessages) {
    if (entry.code == status) {
      return entry.message;
    }
  }
  char text[64];
  std::snprintf(text, sizeof text, "Unknown status code 0x%08X.", static_cast<unsigned>(status));
  return text;
}

} // namespace ole

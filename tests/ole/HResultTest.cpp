#include "platform/ole/HResult.h"

#include <gtest/gtest.h>

#include <set>

namespace ole {
namespace {

TEST(HResult, EveryKnownCodeHasItsOwnMessage) {
  const HRESULT codes[] = {S_OK,
                           S_FALSE,
                           E_FAIL,
                           E_INVALIDARG,
                           E_OUTOFMEMORY,
                           E_POINTER,
                           E_NOINTERFACE,
                           E_NOTIMPL,
                           E_UNEXPECTED,
                           DISP_E_UNKNOWNINTERFACE,
                           DISP_E_MEMBERNOTFOUND,
                           DISP_E_PARAMNOTFOUND,
                           DISP_E_TYPEMISMATCH,
                           DISP_E_UNKNOWNNAME,
                           DISP_E_NONAMEDARGS,
                           DISP_E_BADVARTYPE,
                           DISP_E_EXCEPTION,
                           DISP_E_OVERFLOW,
                           DISP_E_BADINDEX,
                           DISP_E_ARRAYISLOCKED,
                           DISP_E_BADPARAMCOUNT,
                           DISP_E_PARAMNOTOPTIONAL,
                           REGDB_E_CLASSNOTREG,
                           CO_E_DLLNOTFOUND,
                           CO_E_ERRORINDLL};
  std::set<std::string> messages;
  for (const HRESULT code : codes) {
    const std::string message = HResultMessage(code);
    EXPECT_EQ(message.find("Unknown status code"), std::string::npos) << std::hex << code;
    messages.insert(message);
  }
  EXPECT_EQ(messages.size(), std::size(codes));
  EXPECT_EQ(HResultMessage(MakeFailure(0x80001234u)), "Unknown status code 0x80001234.");
  EXPECT_TRUE(Failed(DISP_E_EXCEPTION));
  EXPECT_TRUE(Succeeded(S_FALSE));
}

} // namespace
} // namespace ole

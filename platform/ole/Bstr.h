#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ole {

using OLECHAR = char16_t;

// A length-prefixed UTF-16 string. The pointer addresses the first
// character; the byte length sits just before it and a terminating 0 just
// after the last character. A null BSTR is the empty string.
using BSTR = OLECHAR*;

BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, std::uint32_t length);
void SysFreeString(BSTR text);
std::uint32_t SysStringLen(BSTR text);
std::uint32_t SysStringByteLen(BSTR text);

// The program's text is UTF-8; the control's is UTF-16. Malformed UTF-8
// becomes U+FFFD, as do unpaired surrogates on the way back.
BSTR BstrFromUtf8(std::string_view text);
std::string Utf8FromBstr(BSTR text);
std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

// Owns one BSTR and frees it when it goes out of scope.
class BstrHolder {
public:
  BstrHolder() = default;
  explicit BstrHolder(BSTR text) : text_(text) {}
  explicit BstrHolder(std::string_view utf8) : text_(BstrFromUtf8(utf8)) {}
  BstrHolder(const BstrHolder&) = delete;
  BstrHolder& operator=(const BstrHolder&) = delete;
  ~BstrHolder() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  std::string Utf8() const { return Utf8FromBstr(text_); }

private:
  BSTR text_ = nullptr;
};

} // namespace ole

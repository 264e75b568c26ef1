// Arbitrary text through every conversion the container relies on, and
// every result back to text.
#include "platform/ole/Variant.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  constexpr ole::VARTYPE kTargets[] = {ole::VT_I2,  ole::VT_I4,  ole::VT_R4,  ole::VT_R8,  ole::VT_BOOL,
                                       ole::VT_UI1, ole::VT_UI2, ole::VT_UI4, ole::VT_BSTR, ole::VT_EMPTY};
  for (const ole::VARTYPE target : kTargets) {
    ole::VariantHolder source(ole::MakeText(text));
    ole::VariantHolder converted;
    if (ole::Succeeded(ole::VariantChangeType(converted.get(), source.get(), target))) {
      std::string back;
      ole::VariantToText(converted.value(), back);
    }
  }
  return 0;
}

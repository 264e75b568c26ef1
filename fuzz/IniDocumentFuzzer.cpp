// Arbitrary file contents through the INI reader: reading never fails,
// writing back keeps every line, and what was written reads back the same.
#include "platform/ini/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ini::IniDocument document = ini::IniDocument::Parse(text);
  document.SetValue("__Dont_Touch_Me__", "Sectors", "0");
  const std::string written = document.Serialize();
  const ini::IniDocument reread = ini::IniDocument::Parse(written);
  if (reread.Serialize() != written || reread.Value("__Dont_Touch_Me__", "Sectors") != "0") {
    std::abort();
  }
  return 0;
}

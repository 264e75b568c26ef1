#include "platform/ole/Bstr.h"

#include <QString>

#include <cstdlib>
#include <cstring>
#include <limits>

namespace ole {

namespace {

// The byte length is stored in the four bytes in front of the characters.
std::uint32_t* PrefixOf(BSTR text) { return reinterpret_cast<std::uint32_t*>(text) - 1; }

} // namespace

BSTR SysAllocStringLen(const OLECHAR* text, std::uint32_t length) {
  constexpr std::uint32_t kMaxLength =
      (std::numeric_limits<std::uint32_t>::max() - sizeof(std::uint32_t)) / sizeof(OLECHAR) - 1;
  if (length > kMaxLength) {
    return nullptr;
  }
  const std::size_t bytes = std::size_t{length} * sizeof(OLECHAR);
  auto* block = static_cast<std::uint32_t*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
  if (block == nullptr) {
    return nullptr;
  }
  block[0] = static_cast<std::uint32_t>(bytes);
  auto* characters = reinterpret_cast<OLECHAR*>(block + 1);
  if (text != nullptr) {
    std::memcpy(characters, text, bytes);
  } else {
    std::memset(characters, 0, bytes);
  }
  characters[length] = u'\0';
  return characters;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) {
    return nullptr;
  }
  return SysAllocStringLen(text, static_cast<std::uint32_t>(std::char_traits<char16_t>::length(text)));
}

void SysFreeString(BSTR text) {
  if (text != nullptr) {
    std::free(PrefixOf(text));
  }
}

std::uint32_t SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

std::uint32_t SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

std::u16string Utf16FromUtf8(std::string_view text) {
  const QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return converted.toStdU16String();
}

std::string Utf8FromUtf16(std::u16string_view text) {
  // Qt would turn an unpaired surrogate into '?'; the replacement character
  // says more plainly that something was lost.
  QString wide(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
  for (qsizetype i = 0; i < wide.size(); ++i) {
    const QChar c = wide.at(i);
    const bool pairedHigh = c.isHighSurrogate() && i + 1 < wide.size() && wide.at(i + 1).isLowSurrogate();
    if (pairedHigh) {
      ++i;
    } else if (c.isSurrogate()) {
      wide[i] = QChar::ReplacementCharacter;
    }
  }
  const QByteArray converted = wide.toUtf8();
  return std::string(converted.constData(), static_cast<std::size_t>(converted.size()));
}

BSTR BstrFromUtf8(std::string_view text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return SysAllocStringLen(wide.data(), static_cast<std::uint32_t>(wide.size()));
}

std::string Utf8FromBstr(BSTR text) { return Utf8FromUtf16(std::u16string_view(text, SysStringLen(text))); }

} // namespace ole

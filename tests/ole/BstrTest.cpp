#include "platform/ole/Bstr.h"

#include <gtest/gtest.h>

namespace ole {
namespace {

TEST(Bstr, CarriesItsLengthAndAnyCharacters) {
  const char16_t withNul[] = {u'a', u'\0', u'b'};
  BstrHolder text(SysAllocStringLen(withNul, 3));
  EXPECT_EQ(SysStringLen(text.get()), 3u);
  EXPECT_EQ(SysStringByteLen(text.get()), 6u);
  EXPECT_EQ(text.get()[1], u'\0');
  EXPECT_EQ(text.get()[3], u'\0') << "terminated after the last character";

  EXPECT_EQ(SysStringLen(nullptr), 0u) << "a null BSTR is the empty string";
  EXPECT_EQ(Utf8FromBstr(nullptr), "");
  BstrHolder blank(SysAllocStringLen(nullptr, 2));
  EXPECT_EQ(SysStringLen(blank.get()), 2u);
  EXPECT_EQ(blank.get()[0], u'\0');
}

TEST(Bstr, ConvertsBetweenUtf8AndUtf16) {
  const std::string text = "Grüße € 𝄞";
  BstrHolder wide(text);
  EXPECT_EQ(SysStringLen(wide.get()), 10u) << "the clef is a surrogate pair";
  EXPECT_EQ(wide.get()[2], u'ü');
  EXPECT_EQ(wide.Utf8(), text);
  EXPECT_EQ(Utf8FromUtf16(u"\xD800x"), "\xEF\xBF\xBDx") << "an unpaired surrogate becomes U+FFFD";
  EXPECT_EQ(Utf16FromUtf8("a\xFF"), u"a\uFFFD") << "malformed UTF-8 becomes U+FFFD";
}

} // namespace
} // namespace ole

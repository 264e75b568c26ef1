#include "platform/ole/FixedText.h"

#include <gtest/gtest.h>

namespace ole {
namespace {

TEST(FixedText, CutsOnCharacterBoundariesAndPads) {
  EXPECT_EQ(TrimTrailingBlanks("  Click to paint  "), "  Click to paint");
  EXPECT_EQ(TrimTrailingBlanks("   "), "");
  EXPECT_EQ(TrimTrailingBlanks("tab\t"), "tab\t") << "only blanks are trailing blanks";

  EXPECT_EQ(CutText("a rounded rectangle", 20), "a rounded rectangle");
  EXPECT_EQ(CutText("abcdef", 3), "abc");
  EXPECT_EQ(CutText("ab\xC3\xA9", 3), "ab") << "the two bytes of é stay together";
  EXPECT_EQ(CutText("\xE2\x82\xAC", 2), "");

  EXPECT_EQ(FixedText("a rounded rectangle", 20), "a rounded rectangle ");
  EXPECT_EQ(FixedText("ab\xC3\xA9", 3), "ab ");
  EXPECT_EQ(FixedText("", 4), "    ");
}

} // namespace
} // namespace ole

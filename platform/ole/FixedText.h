#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ole {

// The program's texts are UTF-8. Fixed-width text fields count bytes, as in
// a single-byte code page, and a cut never splits a character.

std::string_view TrimTrailingBlanks(std::string_view text);
// Without white space (blanks, tabs, line ends) at either end.
std::string_view TrimWhiteSpace(std::string_view text);
// Equal but for the letter case of ASCII letters.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// At most maxBytes bytes of text, ending on a character boundary.
std::string_view CutText(std::string_view text, std::size_t maxBytes);
// The text cut to width bytes, then padded with blanks to exactly width bytes.
std::string FixedText(std::string_view text, std::size_t width);

} // namespace ole

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ole {

// Numbers as the program's run time turns them into text and reads them
// back: the wrapper writes them into member expressions and set values and
// reads them out of the container's result texts, and the event forwarding
// reads event parameters with them.
class NumberText {
public:
  // Decimal digits, "-" in front of negative values, no blanks or leading
  // zeros.
  static std::string Long(std::int32_t value);
  // At most 15 significant digits, "." as separator, no trailing zeros and
  // no bare point; exponent notation only for very large or small values.
  static std::string Real(double value);

  // Leading blanks, an optional "-", digits, an optional fraction after "."
  // or ",", an optional exponent "e" or "E" with an optional sign; the first
  // other character ends the number. The value is cut toward zero and held
  // within the range of a LONG. A text that does not start with a number
  // reads as 0.
  static std::int32_t ReadLong(std::string_view text);
  // The same, except that only "." starts a fraction and a leading "+" is
  // also taken. Values beyond the range of a REAL read as infinity.
  static double ReadReal(std::string_view text);
};

} // namespace ole

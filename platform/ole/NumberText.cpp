#include "platform/ole/NumberText.h"

#include "platform/ole/Variant.h"

#include <charconv>
#include <limits>
#include <optional>

namespace ole {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The parts of a number at the start of a text.
struct ScannedNumber {
  bool found = false;
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  // Held far beyond any meaningful power of ten, never overflowing.
  std::int64_t exponent = 0;
  // The number after its sign, up to the first character that is not part
  // of it.
  std::string_view body;
};

std::size_t DigitsFrom(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) {
    ++at;
  }
  return at;
}

ScannedNumber ScanNumber(std::string_view text, bool commaStartsFraction, bool plusAllowed) {
  ScannedNumber number;
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) {
    return number;
  }
  if (text[at] == '-' || (plusAllowed && text[at] == '+')) {
    number.negative = text[at] == '-';
    ++at;
  }
  const std::size_t start = at;
  at = DigitsFrom(text, at);
  number.integerDigits = text.substr(start, at - start);
  if (at < text.size() && (text[at] == '.' || (commaStartsFraction && text[at] == ','))) {
    const std::size_t fractionStart = at + 1;
    const std::size_t fractionEnd = DigitsFrom(text, fractionStart);
    number.fractionDigits = text.substr(fractionStart, fractionEnd - fractionStart);
    if (!number.integerDigits.empty() || !number.fractionDigits.empty()) {
      at = fractionEnd;
    }
  }
  if (number.integerDigits.empty() && number.fractionDigits.empty()) {
    return number;
  }
  number.found = true;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponentAt = at + 1;
    bool negativeExponent = false;
    if (exponentAt < text.size() && (text[exponentAt] == '-' || text[exponentAt] == '+')) {
      negativeExponent = text[exponentAt] == '-';
      ++exponentAt;
    }
    const std::size_t exponentEnd = DigitsFrom(text, exponentAt);
    if (exponentEnd > exponentAt) {
      constexpr std::int64_t kFarBeyondAnyRange = 1'000'000'000;
      for (std::size_t i = exponentAt; i < exponentEnd && number.exponent < kFarBeyondAnyRange; ++i) {
        number.exponent = number.exponent * 10 + (text[i] - '0');
      }
      if (negativeExponent) {
        number.exponent = -number.exponent;
      }
      at = exponentEnd;
    }
  }
  number.body = text.substr(start, at - start);
  return number;
}

// The power of ten of the number's first non-zero digit, counting the
// first digit before the point as 1; nothing when all digits are zero.
std::optional<std::int64_t> Magnitude(const ScannedNumber& number) {
  const std::size_t inInteger = number.integerDigits.find_first_not_of('0');
  if (inInteger != std::string_view::npos) {
    return static_cast<std::int64_t>(number.integerDigits.size() - inInteger) + number.exponent;
  }
  const std::size_t inFraction = number.fractionDigits.find_first_not_of('0');
  if (inFraction != std::string_view::npos) {
    return -static_cast<std::int64_t>(inFraction) + number.exponent;
  }
  return std::nullopt;
}

// The digit at a position of the number's digits, the fraction's following
// the integer's, and 0 past the last.
int DigitAt(const ScannedNumber& number, std::int64_t position) {
  const auto integerCount = static_cast<std::int64_t>(number.integerDigits.size());
  if (position < integerCount) {
    return number.integerDigits[static_cast<std::size_t>(position)] - '0';
  }
  const std::int64_t inFraction = position - integerCount;
  if (inFraction < static_cast<std::int64_t>(number.fractionDigits.size())) {
    return number.fractionDigits[static_cast<std::size_t>(inFraction)] - '0';
  }
  return 0;
}

} // namespace

std::string NumberText::Long(std::int32_t value) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

std::string NumberText::Real(double value) { return ole::RealToText(value); }

std::int32_t NumberText::ReadLong(std::string_view text) {
  const ScannedNumber number = ScanNumber(text, true, false);
  const auto magnitude = number.found ? Magnitude(number) : std::nullopt;
  if (!magnitude || *magnitude <= 0) {
    return 0;
  }
  // The whole part is the digits up to the point, moved by the exponent;
  // more than ten of them after the leading zeros can only saturate.
  constexpr std::int64_t kLargestMagnitude = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  const std::int64_t integerCount = static_cast<std::int64_t>(number.integerDigits.size()) + number.exponent;
  std::int64_t whole = 0;
  for (std::int64_t position = integerCount - *magnitude; position < integerCount && whole <= kLargestMagnitude;
       ++position) {
    whole = whole * 10 + DigitAt(number, position);
  }
  if (number.negative) {
    return whole >= kLargestMagnitude ? std::numeric_limits<std::int32_t>::min() : static_cast<std::int32_t>(-whole);
  }
  return whole > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                          : static_cast<std::int32_t>(whole);
}

double NumberText::ReadReal(std::string_view text) {
  const ScannedNumber number = ScanNumber(text, false, true);
  if (!number.found) {
    return 0;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(number.body.data(), number.body.data() + number.body.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    const auto magnitude = Magnitude(number);
    value = magnitude && *magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return number.negative ? -value : value;
}

} // namespace ole

#include "platform/container/ExpressionScanner.h"

#include <array>
#include <charconv>
#include <limits>

namespace container {

namespace {

constexpr std::int32_t kFirstContainerProperty = 28672;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The characters that end a member name, looked up by their byte value:
// names are scanned on every access.
constexpr std::array<bool, 256> kEndsMemberName = [] {
  std::array<bool, 256> ends{};
  for (const unsigned char c : {' ', '(', ')', ',', '.', '='}) {
    ends[c] = true;
  }
  return ends;
}();

bool EndsMemberName(char c) { return kEndsMemberName[static_cast<unsigned char>(c)]; }

// The position of the quote that closes the quoted text opening at
// text[open], or npos when it stays open.
std::size_t ClosingQuote(std::string_view text, std::size_t open) {
  for (std::size_t at = open + 1; at < text.size(); ++at) {
    if (text[at] != '"') {
      continue;
    }
    if (at + 1 < text.size() && text[at + 1] == '"') {
      ++at;
      continue;
    }
    return at;
  }
  return std::string_view::npos;
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && text[at] == ' ') {
    ++at;
  }
  return at;
}

// Cuts the argument that starts at text[at] (blanks already skipped) and
// leaves at on the character after it; false when the list breaks off.
bool CutArgument(std::string_view text, std::size_t& at, ArgumentText& argument) {
  if (at < text.size() && text[at] == '"') {
    const std::size_t close = ClosingQuote(text, at);
    if (close == std::string_view::npos) {
      return false;
    }
    argument = {text.data() + at + 1, close - at - 1, true};
    at = close + 1;
    return true;
  }
  std::size_t end = at;
  while (end < text.size() && text[end] != ',' && text[end] != ')') {
    ++end;
  }
  if (end == text.size()) {
    return false;
  }
  argument = {text.data() + at, end - at, false};
  at = end;
  return true;
}

bool ScanArgumentList(std::string_view text, std::size_t at, std::size_t argumentLimit, ScannedExpression& scanned) {
  at = SkipBlanks(text, at);
  if (at < text.size() && text[at] == ')') {
    return at + 1 == text.size();
  }
  const std::size_t limit = std::min(argumentLimit, ScannedExpression::kMaxArguments);
  for (;;) {
    ArgumentText argument;
    at = SkipBlanks(text, at);
    if (!CutArgument(text, at, argument)) {
      return false;
    }
    if (scanned.argumentCount < limit) {
      scanned.arguments[scanned.argumentCount++] = argument;
    }
    if (at >= text.size()) {
      return false;
    }
    if (text[at] == ')') {
      return at + 1 == text.size();
    }
    if (text[at] != ',') {
      return false;
    }
    ++at;
  }
}

} // namespace

std::optional<std::int32_t> ExpressionScanner::LeadingPropertyNumber(std::string_view text) {
  std::size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) {
    ++digits;
  }
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + digits, number);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    number = std::numeric_limits<std::int32_t>::max();
  }
  return number >= kFirstContainerProperty ? std::optional(number) : std::nullopt;
}

bool ExpressionScanner::Scan(std::string_view expression, std::size_t argumentLimit, ScannedExpression& scanned) {
  std::size_t at = 0;
  while (at < expression.size() && !EndsMemberName(expression[at])) {
    ++at;
  }
  scanned.name = expression.substr(0, at);
  scanned.hasArgumentList = false;
  scanned.argumentCount = 0;
  if (scanned.name.empty()) {
    return false;
  }
  if (at == expression.size()) {
    return true;
  }
  if (expression[at] != '(') {
    return false;
  }
  scanned.hasArgumentList = true;
  return ScanArgumentList(expression, at + 1, argumentLimit, scanned);
}

std::string ExpressionScanner::QuotedContent(std::string_view text) {
  const std::size_t close = ClosingQuote(text, 0);
  return UndoubleQuotes(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

std::string ExpressionScanner::UndoubleQuotes(std::string_view content) {
  std::string undoubled;
  undoubled.reserve(content.size());
  for (std::size_t at = 0; at < content.size(); ++at) {
    undoubled.push_back(content[at]);
    if (content[at] == '"' && at + 1 < content.size() && content[at + 1] == '"') {
      ++at;
    }
  }
  return undoubled;
}

std::optional<std::int32_t> ExpressionScanner::WholeNumber(std::string_view text, bool allowPlus) {
  const bool negative = !text.empty() && text.front() == '-';
  const bool hasSign = negative || (allowPlus && !text.empty() && text.front() == '+');
  const std::string_view digits = text.substr(hasSign ? 1 : 0);
  if (digits.empty()) {
    return std::nullopt;
  }
  constexpr std::int64_t kLargestMagnitude = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) {
      return std::nullopt;
    }
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLargestMagnitude) {
      return std::nullopt;
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

} // namespace container

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace container {

// One argument as cut out of an argument list. Plain data, so that a scan
// sets up only the arguments it finds.
struct ArgumentText {
  // A quoted argument's characters between its quotes, doubled quotes
  // still doubled; any other argument as written, blanks inside included.
  const char* start;
  std::size_t length;
  bool quoted;

  std::string_view Text() const { return {start, length}; }
  // Two commas in a row, or nothing but blanks: an omitted argument.
  bool Omitted() const { return !quoted && length == 0; }
};

// A member expression taken apart: the member name and, when it has one,
// its argument list. Every view points into the scanned text.
struct ScannedExpression {
  static constexpr std::size_t kMaxArguments = 32;

  std::string_view name;
  bool hasArgumentList = false;
  // The arguments kept; arguments past the limit are checked but dropped.
  std::array<ArgumentText, kMaxArguments> arguments;
  std::size_t argumentCount = 0;
};

// Reads the texts that name members and container properties. Each scan is
// one pass over the text, so its cost grows with the text's length alone.
class ExpressionScanner {
public:
  // The container property that the text names by the decimal number it
  // starts with, or nothing when the text is a member expression.
  static std::optional<std::int32_t> ContainerPropertyNumber(std::string_view text) {
    // Member expressions, the usual case, are told apart here, inline.
    if (text.empty() || text.front() < '0' || text.front() > '9') {
      return std::nullopt;
    }
    return LeadingPropertyNumber(text);
  }

  // Takes a member expression apart, keeping at most argumentLimit
  // arguments. False when it breaks off: no member name, an argument list
  // without its ")", a quote left open, something other than "," or ")"
  // after an argument, or anything after the name other than an argument
  // list (member chains and named arguments are not supported).
  static bool Scan(std::string_view expression, std::size_t argumentLimit, ScannedExpression& scanned);

  // The characters of a quoted text that starts at text[0] == '"', up to its
  // closing quote (or the end, when it has none), doubled quotes undoubled.
  static std::string QuotedContent(std::string_view text);
  // A quoted argument's characters with each doubled quote made one.
  static std::string UndoubleQuotes(std::string_view content);

  // An optional sign (a "+" only when allowPlus) and at least one decimal
  // digit, nothing else, within the range of a 32-bit integer.
  static std::optional<std::int32_t> WholeNumber(std::string_view text, bool allowPlus);

private:
  static std::optional<std::int32_t> LeadingPropertyNumber(std::string_view text);
};

} // namespace container

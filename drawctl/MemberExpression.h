#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace drawctl {

// Builds the text of a member call with arguments, as the container reads
// it: the member name and "(", the arguments separated by ",", then ")".
//
//   MemberExpression("SetBounds").Long(100).Long(800).Long(900).Long(980).Long(0).Text()
//     == "SetBounds(100,800,900,980,0)"
class MemberExpression {
public:
  explicit MemberExpression(std::string_view memberName);

  // A whole number (LONG, SHORT or BYTE) in plain decimal.
  MemberExpression& Long(std::int32_t value);
  // A REAL by the real rendering.
  MemberExpression& Real(double value);
  // A text in double quotes, its trailing blanks dropped. Quotes inside are
  // not doubled: the container ends the argument at the first of them.
  MemberExpression& Quoted(std::string_view text);
  // A text as it is, its trailing blanks dropped. A "," or ")" inside ends
  // the argument early.
  MemberExpression& Bare(std::string_view text);
  // "&" and the name of a variable bound with BindVariable.
  MemberExpression& Reference(std::string_view boundName);

  // The expression, closed with ")".
  std::string Text() const;

private:
  std::string& NextArgument();

  std::string text_;
  bool hasArguments_ = false;
};

} // namespace drawctl

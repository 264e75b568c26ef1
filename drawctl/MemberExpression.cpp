#include "drawctl/MemberExpression.h"

#include "platform/ole/NumberText.h"
#include "platform/ole/FixedText.h"

namespace drawctl {

MemberExpression::MemberExpression(std::string_view memberName) : text_(memberName) { text_ += '('; }

std::string& MemberExpression::NextArgument() {
  if (hasArguments_) {
    text_ += ',';
  }
  hasArguments_ = true;
  return text_;
}

MemberExpression& MemberExpression::Long(std::int32_t value) {
  NextArgument() += ole::NumberText::Long(value);
  return *this;
}

MemberExpression& MemberExpression::Real(double value) {
  NextArgument() += ole::NumberText::Real(value);
  return *this;
}

MemberExpression& MemberExpression::Quoted(std::string_view text) {
  NextArgument().append(1, '"').append(ole::TrimTrailingBlanks(text)).append(1, '"');
  return *this;
}

MemberExpression& MemberExpression::Bare(std::string_view text) {
  NextArgument() += ole::TrimTrailingBlanks(text);
  return *this;
}

MemberExpression& MemberExpression::Reference(std::string_view boundName) {
  NextArgument().append(1, '&').append(boundName);
  return *this;
}

std::string MemberExpression::Text() const { return text_ + ')'; }

} // namespace drawctl

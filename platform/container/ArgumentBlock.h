#pragma once

#include "platform/container/BindTable.h"
#include "platform/container/ExpressionScanner.h"
#include "platform/container/OleContainer.h"
#include "platform/ole/Dispatch.h"
#include "platform/ole/Variant.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace container {

// The typed arguments of one invocation, laid out as Invoke takes them
// (last first), and owning what they hold: texts, object references and
// the wide copies of bound text variables, which go back into their
// variables once the call is over.
class ArgumentBlock {
public:
  ArgumentBlock() = default;
  ArgumentBlock(const ArgumentBlock&) = delete;
  ArgumentBlock& operator=(const ArgumentBlock&) = delete;
  ~ArgumentBlock();

  // Types the scanned arguments by the argument rules, and the set value
  // after them, when there is one, by the set-value rules; a set value that
  // is known to read as a whole number need not be read again. Fails with
  // E_INVALIDARG when an object reference names no live entry.
  ole::HRESULT TypeArguments(const ScannedExpression& scanned);
  ole::HRESULT TypeArgumentsAndSetValue(const ScannedExpression& scanned, const SetValue& setValue);

  ole::DISPPARAMS* Params() { return &params_; }

  // Copies what the control left in the bound text variables passed by
  // reference back into them.
  void CopyBackTextVariables() {
    if (textVariableCount_ != 0) {
      CopyBack();
    }
  }

private:
  static constexpr std::size_t kCapacity = ScannedExpression::kMaxArguments;

  ole::HRESULT TypeArgument(const ArgumentText& argument, ole::VARIANT& value);
  ole::HRESULT TypeSetValue(const SetValue& setValue, ole::VARIANT& value);
  void PassByReference(const BoundVariable& variable, ole::VARIANT& value);
  void CopyBack();
  // The slot, last first, of argument position (from 0 at the left).
  ole::VARIANT& SlotOf(std::size_t position) { return values_[params_.cArgs - 1 - position]; }
  // Makes room for count values, all empty.
  void Reserve(std::size_t count);

  struct TextVariable {
    std::string* variable;
    ole::BSTR wide;
  };

  // Only the first params_.cArgs values and textVariableCount_ text
  // variables are ever set up: the block sits on the hot path.
  std::array<ole::VARIANT, kCapacity> values_;
  std::array<TextVariable, kCapacity> textVariables_;
  std::size_t textVariableCount_ = 0;
  ole::DISPID putId_ = ole::DISPID_PROPERTYPUT;
  ole::DISPPARAMS params_{values_.data(), nullptr, 0, 0};
};

} // namespace container

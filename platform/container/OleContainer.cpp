#include "platform/container/OleContainer.h"

#include "platform/container/ArgumentBlock.h"
#include "platform/container/BindTable.h"
#include "platform/container/ExpressionScanner.h"
#include "platform/container/FailureReporter.h"
#include "platform/container/ReferenceTable.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/FixedText.h"
#include "platform/ole/Variant.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <span>
#include <string>

namespace container {

namespace {

constexpr const char* kNoAutomationInterface = "No ole automation interface";
constexpr const char* kGetPropertyFailed = "GetPropertyFailed";

using ole::DISPATCH_METHOD;
using ole::DISPATCH_PROPERTYGET;
constexpr std::uint16_t kMethodOrGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

// The invocation kinds an access tries, in order, until one succeeds.
constexpr std::array<std::uint16_t, 3> kGetWithArguments{kMethodOrGet, DISPATCH_METHOD, DISPATCH_PROPERTYGET};
constexpr std::array<std::uint16_t, 3> kGetBare{kMethodOrGet, DISPATCH_PROPERTYGET, DISPATCH_METHOD};
constexpr std::array<std::uint16_t, 3> kCallWithArguments{DISPATCH_METHOD, kMethodOrGet, DISPATCH_PROPERTYGET};
constexpr std::array<std::uint16_t, 3> kCallBare{DISPATCH_METHOD, DISPATCH_PROPERTYGET, kMethodOrGet};
constexpr std::array<std::uint16_t, 1> kPut{ole::DISPATCH_PROPERTYPUT};

// What a control address names: a window that exists and, for a control
// number other than 0, its slot (null when the window has none).
struct Target {
  ContainerWindow* window = nullptr;
  ControlSlot* slot = nullptr;
};

Target Resolve(ContainerWindow* window, std::int16_t controlNumber) {
  Target target;
  target.window = ContainerWindow::Resolve(window);
  if (target.window != nullptr && controlNumber != 0) {
    target.slot = target.window->Slot(controlNumber);
  }
  return target;
}

// A member name as the control's wide characters. Short plain names, the
// usual case, are widened in place without touching the heap.
class WideName {
public:
  explicit WideName(std::string_view name) {
    const bool plain = name.size() < kInPlace && std::all_of(name.begin(), name.end(), [](char c) {
                         return static_cast<unsigned char>(c) < 0x80;
                       });
    if (plain) {
      std::copy(name.begin(), name.end(), inPlace_.begin());
      inPlace_[name.size()] = u'\0';
      text_ = inPlace_.data();
    } else {
      converted_ = ole::Utf16FromUtf8(name);
      text_ = converted_.c_str();
    }
  }
  WideName(const WideName&) = delete;
  WideName& operator=(const WideName&) = delete;

  const ole::OLECHAR* get() const { return text_; }

private:
  static constexpr std::size_t kInPlace = 64;
  std::array<ole::OLECHAR, kInPlace> inPlace_;
  std::u16string converted_;
  const ole::OLECHAR* text_;
};

// Resolves the member name afresh for each invocation kind and invokes it
// with that kind, until one kind succeeds. The outcome is the last
// attempt's.
void InvokeMember(ole::IDispatch& automation, std::string_view name, std::span<const std::uint16_t> kinds,
                  ArgumentBlock& arguments, ole::VARIANT* result, const FailureReporter& reporter,
                  InvokeOutcome& outcome) {
  const WideName wideName(name);
  const ole::OLECHAR* names[] = {wideName.get()};
  ole::DISPPARAMS* params = arguments.Params();
  outcome.argumentCount = params->cArgs;
  for (const std::uint16_t kind : kinds) {
    ole::DISPID member = ole::DISPID_UNKNOWN;
    if (ole::Failed(automation.GetIDsOfNames(ole::IID_NULL, names, 1, ole::LOCALE_SYSTEM_DEFAULT, &member))) {
      reporter.GetIdFailed(name);
      member = ole::DISPID_UNKNOWN;
    }
    outcome.ClearException();
    outcome.argumentError = 0;
    if (result != nullptr) {
      ole::VariantClear(result);
    }
    outcome.status = automation.Invoke(member, ole::IID_NULL, ole::LOCALE_SYSTEM_DEFAULT, kind, params, result,
                                       &outcome.exception, &outcome.argumentError);
    if (ole::Succeeded(outcome.status)) {
      return;
    }
  }
}

// The object reference text of an interface, entered in the container's
// table; empty for no object, null for an object without automation.
std::optional<std::string> ObjectText(ole::IUnknown* object) {
  if (object == nullptr) {
    return std::string();
  }
  ole::ComPtr<ole::IDispatch> automation;
  if (ole::Failed(object->QueryInterface(ole::IID_IDispatch, automation.ReceiveVoid()))) {
    return std::nullopt;
  }
  return ReferenceTable::ReferenceText(ReferenceTable::Instance().Enter(automation.get()));
}

ole::IUnknown* ObjectOf(const ole::VARIANT& value) {
  if ((value.vt & ole::VT_BYREF) == 0) {
    return value.punkVal;
  }
  return value.ppunkVal == nullptr ? nullptr : *value.ppunkVal;
}

bool IsObject(const ole::VARIANT& value) {
  const ole::VARTYPE type = value.vt & ole::VT_TYPEMASK;
  return (value.vt & ole::VT_ARRAY) == 0 && (type == ole::VT_DISPATCH || type == ole::VT_UNKNOWN);
}

std::string ResultText(const ole::VARIANT& returned, std::string_view expression, const FailureReporter& reporter) {
  const ole::VARIANT& result = *ole::VariantDeref(&returned);
  ole::HRESULT failure = ole::DISP_E_TYPEMISMATCH;
  if (IsObject(result)) {
    if (auto text = ObjectText(ObjectOf(result))) {
      return std::move(*text);
    }
  } else if (result.vt == ole::VT_ERROR) {
    failure = result.scode;
  } else if (std::string text; ole::VariantToText(result, text)) {
    return text;
  }
  reporter.GetFailed(failure, expression);
  return kGetPropertyFailed;
}

// Container properties are read, set and performed by number.
std::string GetContainerProperty(const Target& target, std::int32_t property, std::int16_t controlNumber) {
  switch (property) {
  case PROP_ClientHandle:
    return controlNumber == 0 ? std::to_string(target.window->ClientHandle()) : std::string();
  case PROP_Object:
    if (target.slot != nullptr && target.slot->Automation() != nullptr) {
      return ReferenceTable::ReferenceText(ReferenceTable::Instance().Enter(target.slot->Automation()));
    }
    return {};
  case PROP_LastEventName:
    return target.slot != nullptr ? target.slot->LastEventName() : std::string();
  default:
    return {};
  }
}

// "0" and every text that does not start with a non-zero number read as
// off; "1" and any other number as on.
bool SwitchValue(std::string_view value) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  (void)end;
  return error == std::errc::result_out_of_range || number != 0;
}

void SetContainerProperty(const Target& target, std::int32_t property, std::string_view value) {
  if (target.slot == nullptr) {
    return;
  }
  switch (property) {
  case PROP_Create:
    target.slot->Create(value);
    break;
  case PROP_ReportException:
    target.slot->SetReportExceptions(SwitchValue(value));
    break;
  case PROP_Release:
    if (const auto entry = ReferenceTable::ParseReferenceText(value)) {
      ReferenceTable::Instance().Release(*entry);
    }
    break;
  default:
    break;
  }
}

void CallContainerProperty(const Target& target, std::int32_t property) {
  if (target.slot != nullptr && property == PROP_Deactivate) {
    target.slot->Deactivate();
  }
}

enum class Access { Done, BrokeOff, Failed };

// Performs a get (result not null) or a call of a member expression.
// Reference arguments and the control's interface are held for the whole
// access, so the control may deactivate itself meanwhile.
Access GetOrCall(ControlSlot& slot, std::string_view expression, std::span<const std::uint16_t> withArguments,
                 std::span<const std::uint16_t> bare, ole::VARIANT* result, const FailureReporter& reporter) {
  const ole::ComPtr<ole::IDispatch> automation(slot.Automation());
  ScannedExpression scanned;
  if (!ExpressionScanner::Scan(expression, ScannedExpression::kMaxArguments, scanned)) {
    return Access::BrokeOff;
  }
  ArgumentBlock arguments;
  InvokeOutcome outcome;
  outcome.status = arguments.TypeArguments(scanned);
  if (ole::Succeeded(outcome.status)) {
    InvokeMember(*automation.get(), scanned.name, scanned.hasArgumentList ? withArguments : bare, arguments, result,
                 reporter, outcome);
    arguments.CopyBackTextVariables();
  }
  if (ole::Failed(outcome.status)) {
    reporter.InvokeFailed(outcome);
    return Access::Failed;
  }
  return Access::Done;
}

} // namespace

SetValue::SetValue(std::int64_t number) : number_(number) {
  if (number >= std::numeric_limits<std::int32_t>::min() && number <= std::numeric_limits<std::int32_t>::max()) {
    wholeNumber_ = static_cast<std::int32_t>(number);
  }
}

SetValue SetValue::Long(std::int32_t value) { return SetValue(std::int64_t{value}); }
SetValue SetValue::Short(std::int16_t value) { return SetValue(std::int64_t{value}); }
SetValue SetValue::Byte(std::uint8_t value) { return SetValue(std::int64_t{value}); }
SetValue SetValue::UShort(std::uint16_t value) { return SetValue(std::int64_t{value}); }
SetValue SetValue::ULong(std::uint32_t value) { return SetValue(std::int64_t{value}); }

SetValue SetValue::String(std::string_view text, std::size_t length) { return SetValue(ole::FixedText(text, length)); }

SetValue SetValue::CString(std::string_view text, std::size_t length) {
  const std::string_view terminated = text.substr(0, text.find('\0'));
  return SetValue(std::string(ole::CutText(terminated, length == 0 ? 0 : length - 1)));
}

SetValue SetValue::Text(std::string_view text) { return SetValue(std::string(text)); }

std::string_view SetValue::Rendered() const {
  if (number_ && rendered_.empty()) {
    char digits[24];
    rendered_.assign(digits, std::to_chars(digits, digits + sizeof digits, *number_).ptr);
  }
  return ole::TrimTrailingBlanks(rendered_);
}

std::string GetMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression) {
  const Target target = Resolve(window, controlNumber);
  if (target.window == nullptr) {
    return {};
  }
  expression = ole::TrimTrailingBlanks(expression);
  if (const auto property = ExpressionScanner::ContainerPropertyNumber(expression)) {
    return GetContainerProperty(target, *property, controlNumber);
  }
  if (target.slot == nullptr) {
    return {};
  }
  if (target.slot->Automation() == nullptr) {
    return kNoAutomationInterface;
  }
  const FailureReporter reporter(*target.slot);
  ole::VariantHolder result;
  switch (GetOrCall(*target.slot, expression, kGetWithArguments, kGetBare, result.get(), reporter)) {
  case Access::BrokeOff:
    reporter.GetFailed(ole::E_INVALIDARG, expression);
    return kGetPropertyFailed;
  case Access::Failed:
    return {};
  case Access::Done:
    break;
  }
  return ResultText(result.value(), expression, reporter);
}

void CallMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression) {
  const Target target = Resolve(window, controlNumber);
  if (target.window == nullptr) {
    return;
  }
  expression = ole::TrimTrailingBlanks(expression);
  if (const auto property = ExpressionScanner::ContainerPropertyNumber(expression)) {
    CallContainerProperty(target, *property);
    return;
  }
  if (target.slot == nullptr || target.slot->Automation() == nullptr) {
    return;
  }
  GetOrCall(*target.slot, expression, kCallWithArguments, kCallBare, nullptr, FailureReporter(*target.slot));
}

void SetMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression,
               const SetValue& value) {
  const Target target = Resolve(window, controlNumber);
  if (target.window == nullptr) {
    return;
  }
  expression = ole::TrimTrailingBlanks(expression);
  if (const auto property = ExpressionScanner::ContainerPropertyNumber(expression)) {
    SetContainerProperty(target, *property, value.Rendered());
    return;
  }
  if (target.slot == nullptr || target.slot->Automation() == nullptr) {
    return;
  }
  ScannedExpression scanned;
  if (!ExpressionScanner::Scan(expression, ScannedExpression::kMaxArguments - 1, scanned)) {
    return;
  }
  const ole::ComPtr<ole::IDispatch> automation(target.slot->Automation());
  const FailureReporter reporter(*target.slot);
  ArgumentBlock arguments;
  InvokeOutcome outcome;
  outcome.status = arguments.TypeArgumentsAndSetValue(scanned, value);
  if (ole::Succeeded(outcome.status)) {
    InvokeMember(*automation.get(), scanned.name, kPut, arguments, nullptr, reporter, outcome);
    arguments.CopyBackTextVariables();
  }
  if (ole::Failed(outcome.status)) {
    reporter.SetFailed(outcome);
  }
}

void BindVariable(std::string_view name, std::int32_t& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::Long, &variable});
}
void BindVariable(std::string_view name, std::int16_t& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::Short, &variable});
}
void BindVariable(std::string_view name, std::uint16_t& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::UShort, &variable});
}
void BindVariable(std::string_view name, std::uint32_t& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::ULong, &variable});
}
void BindVariable(std::string_view name, std::uint8_t& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::Byte, &variable});
}
void BindVariable(std::string_view name, float& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::SReal, &variable});
}
void BindVariable(std::string_view name, double& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::Real, &variable});
}
void BindVariable(std::string_view name, std::string& variable) {
  BindTable::ForThisThread().Bind(name, {VariableType::Text, &variable});
}
void UnbindVariable(std::string_view name) { BindTable::ForThisThread().Unbind(name); }

void RegisterEventCallback(ContainerWindow* window, std::int16_t controlNumber, EventCallback callback) {
  if (ControlSlot* slot = Resolve(window, controlNumber).slot) {
    slot->SetEventCallback(std::move(callback));
  }
}

std::string EventParameterText(const ole::DISPPARAMS* params, int n) {
  if (params == nullptr || params->rgvarg == nullptr || n < 1 || static_cast<std::uint32_t>(n) > params->cArgs) {
    return {};
  }
  const ole::VARIANT& parameter = *ole::VariantDeref(&params->rgvarg[params->cArgs - static_cast<std::uint32_t>(n)]);
  const bool byReference = (parameter.vt & ole::VT_BYREF) != 0;
  if ((parameter.vt & ole::VT_TYPEMASK) == ole::VT_BOOL && (parameter.vt & ole::VT_ARRAY) == 0) {
    if (byReference && parameter.pboolVal == nullptr) {
      return {};
    }
    const ole::VARIANT_BOOL value = byReference ? *parameter.pboolVal : parameter.boolVal;
    return (value & 0xFF) != 0 ? "1" : "";
  }
  if (IsObject(parameter)) {
    return ObjectText(ObjectOf(parameter)).value_or(std::string());
  }
  std::string text;
  return ole::VariantToText(parameter, text) ? text : std::string();
}

ole::IDispatch* ObjectFromReference(std::int64_t entry) { return ReferenceTable::Instance().Find(entry); }

ole::IDispatch* ObjectFromReference(std::string_view referenceText) {
  const auto entry = ReferenceTable::ParseReferenceText(referenceText);
  return entry ? ObjectFromReference(*entry) : nullptr;
}

} // namespace container

#include "platform/container/ArgumentBlock.h"

#include "platform/container/ReferenceTable.h"
#include "platform/ole/FixedText.h"


namespace container {

namespace {

void SetText(ole::VARIANT& value, std::string_view text) {
  value.vt = ole::VT_BSTR;
  value.bstrVal = ole::BstrFromUtf8(text);
}

void SetOmitted(ole::VARIANT& value) {
  value.vt = ole::VT_ERROR;
  value.scode = ole::DISP_E_PARAMNOTFOUND;
}

void SetLong(ole::VARIANT& value, std::int32_t number) {
  value.vt = ole::VT_I4;
  value.lVal = number;
}

// An object reference text gives the interface of its entry; one that names
// no live entry is an error, never a call through a stale pointer.
ole::HRESULT SetObject(std::int64_t entry, ole::VARIANT& value) {
  ole::IDispatch* object = ReferenceTable::Instance().Find(entry);
  if (object == nullptr) {
    return ole::E_INVALIDARG;
  }
  object->AddRef();
  value.vt = ole::VT_DISPATCH;
  value.pdispVal = object;
  return ole::S_OK;
}

void PassByValue(const BoundVariable& variable, ole::VARIANT& value) {
  switch (variable.type) {
  case VariableType::Long:
    value.vt = ole::VT_I4;
    value.lVal = *static_cast<std::int32_t*>(variable.address);
    break;
  case VariableType::Short:
    value.vt = ole::VT_I2;
    value.iVal = *static_cast<std::int16_t*>(variable.address);
    break;
  case VariableType::UShort:
    value.vt = ole::VT_UI2;
    value.uiVal = *static_cast<std::uint16_t*>(variable.address);
    break;
  case VariableType::ULong:
    value.vt = ole::VT_UI4;
    value.ulVal = *static_cast<std::uint32_t*>(variable.address);
    break;
  case VariableType::Byte:
    value.vt = ole::VT_UI1;
    value.bVal = *static_cast<std::uint8_t*>(variable.address);
    break;
  case VariableType::SReal:
    value.vt = ole::VT_R4;
    value.fltVal = *static_cast<float*>(variable.address);
    break;
  case VariableType::Real:
    value.vt = ole::VT_R8;
    value.dblVal = *static_cast<double*>(variable.address);
    break;
  case VariableType::Text:
    SetText(value, *static_cast<std::string*>(variable.address));
    break;
  }
}

ole::VARTYPE ReferenceTypeOf(VariableType type) {
  switch (type) {
  case VariableType::Long:
    return ole::VT_I4;
  case VariableType::Short:
    return ole::VT_I2;
  case VariableType::UShort:
    return ole::VT_UI2;
  case VariableType::ULong:
    return ole::VT_UI4;
  case VariableType::Byte:
    return ole::VT_UI1;
  case VariableType::SReal:
    return ole::VT_R4;
  case VariableType::Real:
    return ole::VT_R8;
  case VariableType::Text:
    break;
  }
  return ole::VT_BSTR;
}

} // namespace

ArgumentBlock::~ArgumentBlock() {
  for (std::size_t i = 0; i < params_.cArgs; ++i) {
    ole::VariantClear(&values_[i]);
  }
  for (std::size_t i = 0; i < textVariableCount_; ++i) {
    ole::SysFreeString(textVariables_[i].wide);
  }
}

void ArgumentBlock::Reserve(std::size_t count) {
  params_.cArgs = static_cast<std::uint32_t>(count);
  for (std::size_t i = 0; i < count; ++i) {
    ole::VariantInit(&values_[i]);
  }
}

ole::HRESULT ArgumentBlock::TypeArguments(const ScannedExpression& scanned) {
  Reserve(scanned.argumentCount);
  for (std::size_t i = 0; i < scanned.argumentCount; ++i) {
    const ole::HRESULT status = TypeArgument(scanned.arguments[i], SlotOf(i));
    if (ole::Failed(status)) {
      return status;
    }
  }
  return ole::S_OK;
}

ole::HRESULT ArgumentBlock::TypeArgumentsAndSetValue(const ScannedExpression& scanned, const SetValue& setValue) {
  Reserve(scanned.argumentCount + 1);
  params_.cNamedArgs = 1;
  params_.rgdispidNamedArgs = &putId_;
  for (std::size_t i = 0; i < scanned.argumentCount; ++i) {
    const ole::HRESULT status = TypeArgument(scanned.arguments[i], SlotOf(i));
    if (ole::Failed(status)) {
      return status;
    }
  }
  // The put value is the named argument, first in the block.
  return TypeSetValue(setValue, values_[0]);
}

ole::HRESULT ArgumentBlock::TypeArgument(const ArgumentText& argument, ole::VARIANT& value) {
  const std::string_view text = argument.Text();
  if (argument.quoted) {
    SetText(value, ExpressionScanner::UndoubleQuotes(text));
    return ole::S_OK;
  }
  if (argument.Omitted()) {
    SetOmitted(value);
    return ole::S_OK;
  }
  BindTable& bindings = BindTable::ForThisThread();
  if (text.front() == '&' && BindTable::IsName(text.substr(1))) {
    if (const BoundVariable* variable = bindings.Find(text.substr(1))) {
      PassByReference(*variable, value);
    } else {
      SetOmitted(value);
    }
    return ole::S_OK;
  }
  if (const auto entry = ReferenceTable::ParseReferenceText(text)) {
    return SetObject(*entry, value);
  }
  const bool isTrue = ole::EqualsIgnoringCase(text, "TRUE");
  if (isTrue || ole::EqualsIgnoringCase(text, "FALSE")) {
    value = ole::MakeBool(isTrue);
    return ole::S_OK;
  }
  if (const BoundVariable* variable = bindings.Find(text)) {
    PassByValue(*variable, value);
    return ole::S_OK;
  }
  // Conversion ignores the blanks after a number.
  if (const auto number = ExpressionScanner::WholeNumber(text.substr(0, text.find_last_not_of(' ') + 1), true)) {
    SetLong(value, *number);
    return ole::S_OK;
  }
  SetText(value, text);
  return ole::S_OK;
}

ole::HRESULT ArgumentBlock::TypeSetValue(const SetValue& setValue, ole::VARIANT& value) {
  if (const auto number = setValue.WholeNumber()) {
    SetLong(value, *number);
    return ole::S_OK;
  }
  const std::string_view text = setValue.Rendered();
  if (const auto entry = ReferenceTable::ParseReferenceText(text)) {
    return SetObject(*entry, value);
  }
  if (!text.empty() && text.front() == '"') {
    SetText(value, ExpressionScanner::QuotedContent(text));
    return ole::S_OK;
  }
  if (const auto number = ExpressionScanner::WholeNumber(text, false)) {
    SetLong(value, *number);
    return ole::S_OK;
  }
  SetText(value, text);
  return ole::S_OK;
}

void ArgumentBlock::PassByReference(const BoundVariable& variable, ole::VARIANT& value) {
  const ole::VARTYPE type = ReferenceTypeOf(variable.type);
  value.vt = ole::VT_BYREF | type;
  if (type != ole::VT_BSTR) {
    value.byref = variable.address;
    return;
  }
  TextVariable& text = textVariables_[textVariableCount_++];
  text.variable = static_cast<std::string*>(variable.address);
  text.wide = ole::BstrFromUtf8(*text.variable);
  value.pbstrVal = &text.wide;
}

void ArgumentBlock::CopyBack() {
  for (std::size_t i = 0; i < textVariableCount_; ++i) {
    *textVariables_[i].variable = ole::Utf8FromBstr(textVariables_[i].wide);
  }
}

} // namespace container

#include "ControlDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace canvas::driver {

std::int32_t CallResult::Long() const {
  ole::VariantHolder converted;
  EXPECT_EQ(ole::VariantChangeType(converted.get(), value->get(), ole::VT_I4), ole::S_OK);
  return converted->lVal;
}

double CallResult::Real() const {
  ole::VariantHolder converted;
  EXPECT_EQ(ole::VariantChangeType(converted.get(), value->get(), ole::VT_R8), ole::S_OK);
  return converted->dblVal;
}

std::string CallResult::Text() const {
  std::string text;
  EXPECT_TRUE(ole::VariantToText(value->value(), text));
  return text;
}

ole::VARIANT I4(std::int32_t value) { return ole::MakeI4(value); }
ole::VARIANT R8(double value) { return ole::MakeR8(value); }
ole::VARIANT Str(std::string_view text) { return ole::MakeText(text); }
ole::VARIANT Omitted() { return ole::MakeError(ole::DISP_E_PARAMNOTFOUND); }

ole::VARIANT RefTo(std::int32_t& variable) {
  ole::VARIANT reference;
  ole::VariantInit(&reference);
  reference.vt = ole::VT_BYREF | ole::VT_I4;
  reference.plVal = &variable;
  return reference;
}

ControlDriver::ControlDriver() {
  EXPECT_EQ(CreateDrawingControl(ole::IID_IDispatch, dispatch_.ReceiveVoid()), ole::S_OK);
}

ControlDriver::ControlDriver(ole::IDispatch* dispatch) : dispatch_(dispatch) {}

DrawingControl& ControlDriver::Control() const { return *static_cast<DrawingControl*>(dispatch_.get()); }

ole::DISPID ControlDriver::IdOf(std::string_view name) const {
  const std::u16string wide = ole::Utf16FromUtf8(name);
  const ole::OLECHAR* names[] = {wide.c_str()};
  ole::DISPID id = ole::DISPID_UNKNOWN;
  dispatch_->GetIDsOfNames(ole::IID_NULL, names, 1, ole::LOCALE_SYSTEM_DEFAULT, &id);
  return id;
}

CallResult ControlDriver::InvokeId(ole::DISPID id, std::uint16_t flags, std::vector<ole::VARIANT> arguments) {
  std::reverse(arguments.begin(), arguments.end());
  ole::DISPID putId = ole::DISPID_PROPERTYPUT;
  const bool put = (flags & ole::DISPATCH_PROPERTYPUT) != 0;
  ole::DISPPARAMS params{arguments.data(), put ? &putId : nullptr, static_cast<std::uint32_t>(arguments.size()),
                         put ? 1u : 0u};
  CallResult result;
  ole::EXCEPINFO exception{};
  result.status = dispatch_->Invoke(id, ole::IID_NULL, ole::LOCALE_SYSTEM_DEFAULT, flags, &params,
                                    result.value->get(), &exception, &result.argumentError);
  result.description = ole::Utf8FromBstr(exception.bstrDescription);
  ole::ClearExcepInfo(exception);
  for (ole::VARIANT& argument : arguments) {
    ole::VariantClear(&argument);
  }
  return result;
}

CallResult ControlDriver::Get(std::string_view name, std::vector<ole::VARIANT> arguments) {
  return InvokeId(IdOf(name), ole::DISPATCH_METHOD | ole::DISPATCH_PROPERTYGET, std::move(arguments));
}

CallResult ControlDriver::Put(std::string_view name, ole::VARIANT value, std::vector<ole::VARIANT> arguments) {
  // The value travels as the named argument, after the index arguments.
  arguments.push_back(value);
  return InvokeId(IdOf(name), ole::DISPATCH_PROPERTYPUT, std::move(arguments));
}

CallResult ControlDriver::Call(std::string_view name, std::vector<ole::VARIANT> arguments) {
  return InvokeId(IdOf(name), ole::DISPATCH_METHOD, std::move(arguments));
}

std::int32_t ControlDriver::Long(std::string_view name, std::vector<ole::VARIANT> arguments) {
  const CallResult result = Get(name, std::move(arguments));
  EXPECT_EQ(result.status, ole::S_OK) << name << ": " << result.description;
  return result.Long();
}

std::string ControlDriver::Text(std::string_view name, std::vector<ole::VARIANT> arguments) {
  const CallResult result = Get(name, std::move(arguments));
  EXPECT_EQ(result.status, ole::S_OK) << name << ": " << result.description;
  return result.Text();
}

void ControlDriver::Set(std::string_view name, std::int32_t value) {
  const CallResult result = Put(name, I4(value));
  EXPECT_EQ(result.status, ole::S_OK) << name << " = " << value << ": " << result.description;
}

void ControlDriver::Set(std::string_view name, std::string_view value) {
  const CallResult result = Put(name, Str(value));
  EXPECT_EQ(result.status, ole::S_OK) << name << " = " << value << ": " << result.description;
}

int ControlDriver::Add(int kind, int x1, int y1, int x2, int y2) {
  const CallResult result = Get("AddObject", {I4(kind), I4(x1), I4(y1), I4(x2), I4(y2)});
  EXPECT_EQ(result.status, ole::S_OK) << result.description;
  return result.Long();
}

} // namespace canvas::driver

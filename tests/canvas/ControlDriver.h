#pragma once

#include "canvas/DrawingControl.h"

#include "platform/ole/ComPtr.h"
#include "platform/ole/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace canvas::driver {

// What one Invoke gave back.
struct CallResult {
  ole::HRESULT status = ole::S_OK;
  std::shared_ptr<ole::VariantHolder> value = std::make_shared<ole::VariantHolder>();
  std::string description;
  std::uint32_t argumentError = UINT32_MAX;

  std::int32_t Long() const;
  double Real() const;
  std::string Text() const;
};

// Arguments for a call, given left to right.
ole::VARIANT I4(std::int32_t value);
ole::VARIANT R8(double value);
ole::VARIANT Str(std::string_view text);
ole::VARIANT Omitted();
ole::VARIANT RefTo(std::int32_t& variable);

// Drives a drawing control through its IDispatch, as an automation client
// does: members by name (looked up afresh each time) or by identifier.
class ControlDriver {
public:
  ControlDriver();
  explicit ControlDriver(ole::IDispatch* dispatch);

  ole::IDispatch* Dispatch() const { return dispatch_.get(); }
  DrawingControl& Control() const;

  // A read: method or property get, with index arguments.
  CallResult Get(std::string_view name, std::vector<ole::VARIANT> arguments = {});
  // A property put of value, with index arguments.
  CallResult Put(std::string_view name, ole::VARIANT value, std::vector<ole::VARIANT> arguments = {});
  // A method call.
  CallResult Call(std::string_view name, std::vector<ole::VARIANT> arguments = {});
  CallResult InvokeId(ole::DISPID id, std::uint16_t flags, std::vector<ole::VARIANT> arguments);

  // Shorthands that expect success.
  std::int32_t Long(std::string_view name, std::vector<ole::VARIANT> arguments = {});
  std::string Text(std::string_view name, std::vector<ole::VARIANT> arguments = {});
  void Set(std::string_view name, std::int32_t value);
  void Set(std::string_view name, std::string_view value);
  int Add(int kind, int x1, int y1, int x2, int y2);

  ole::DISPID IdOf(std::string_view name) const;

private:
  ole::ComPtr<ole::IDispatch> dispatch_;
};

} // namespace canvas::driver

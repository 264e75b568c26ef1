#pragma once

#include "platform/container/ContainerWindow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace container {

// The container properties, addressed by their number written as text in
// place of a member expression.
inline constexpr std::int32_t PROP_ClientHandle = 31915;
inline constexpr std::int32_t PROP_Create = 31942;
inline constexpr std::int32_t PROP_Release = 31950;
inline constexpr std::int32_t PROP_Deactivate = 31951;
inline constexpr std::int32_t PROP_ReportException = 31954;
inline constexpr std::int32_t PROP_LastEventName = 31965;
inline constexpr std::int32_t PROP_Object = 31989;
// Numbers from here up name container properties.
inline constexpr std::int32_t kFirstContainerProperty = 28672;

// A value written with SetMember. Typed values are rendered as text first:
// numbers in plain decimal, STRING(n) as its n characters (cut or padded
// with blanks), CSTRING(n) as its characters up to the terminating 0 (at
// most n - 1 of them).
class SetValue {
public:
  static SetValue Long(std::int32_t value);
  static SetValue Short(std::int16_t value);
  static SetValue Byte(std::uint8_t value);
  static SetValue UShort(std::uint16_t value);
  static SetValue ULong(std::uint32_t value);
  static SetValue String(std::string_view text, std::size_t length);
  static SetValue CString(std::string_view text, std::size_t length);
  static SetValue Text(std::string_view text);

  // The value as the container types it: rendered, then trailing blanks
  // dropped. A number is rendered on first use only, since a number set on
  // a member goes to the control as the integer itself.
  std::string_view Rendered() const;
  // The 32-bit integer that a typed number's rendering reads as, so that
  // the set-value rule need not read it back; nothing for texts and for
  // numbers beyond 32 bits.
  std::optional<std::int32_t> WholeNumber() const { return wholeNumber_; }

private:
  explicit SetValue(std::string rendered) : rendered_(std::move(rendered)) {}
  explicit SetValue(std::int64_t number);

  mutable std::string rendered_;
  std::optional<std::int64_t> number_;
  std::optional<std::int32_t> wholeNumber_;
};

// The five boundary operations. A null window stands for the calling
// thread's active window. When the window or the slot does not exist,
// GetMember yields the empty text and the others do nothing.
std::string GetMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression);
void SetMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression, const SetValue& value);
void CallMember(ContainerWindow* window, std::int16_t controlNumber, std::string_view expression);

// Binds a variable of the calling thread under a name (letters, digits,
// "_" and ":"), so that "&name" in an argument list passes it by
// reference. Binding a name again replaces the binding.
void BindVariable(std::string_view name, std::int32_t& variable);
void BindVariable(std::string_view name, std::int16_t& variable);
void BindVariable(std::string_view name, std::uint16_t& variable);
void BindVariable(std::string_view name, std::uint32_t& variable);
void BindVariable(std::string_view name, std::uint8_t& variable);
void BindVariable(std::string_view name, float& variable);
void BindVariable(std::string_view name, double& variable);
void BindVariable(std::string_view name, std::string& variable);
void UnbindVariable(std::string_view name);

// Registers the program's callback for the events of a slot's control.
void RegisterEventCallback(ContainerWindow* window, std::int16_t controlNumber, EventCallback callback);

// Event parameter n (from 1, in declared order) of an event's arguments as
// text: integers in decimal, reals by the real rendering, texts as they are,
// object references as their reference text, booleans "1" or empty;
// references followed; a number outside 1 to the count gives the empty text.
std::string EventParameterText(const ole::DISPPARAMS* params, int n);

// An object reference text is "`" and the number of a live entry in the
// container's table of interface references (never an address). This is
// the interface that entry holds, or null when the number names no live
// entry. No reference is added: the caller takes its own.
ole::IDispatch* ObjectFromReference(std::int64_t entry);
// The same for an object reference text as GetMember gives it ("`" and the
// entry number); null for any other text.
ole::IDispatch* ObjectFromReference(std::string_view referenceText);

} // namespace container

#pragma once

#include "platform/ole/ComObject.h"
#include "platform/ole/ComPtr.h"
#include "platform/ole/Dispatch.h"
#include "platform/ole/EventSink.h"
#include "platform/ole/Variant.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// One argument as it reached the control.
struct RecordedArgument {
  // The variant type as passed, VT_BYREF included.
  ole::VARTYPE type = ole::VT_EMPTY;
  // The value as text: numbers in decimal, texts in double quotes, an
  // omitted argument as "missing", objects as "self" (this control) or
  // "object".
  std::string value;
  // For a by-reference argument, the address the control received.
  void* target = nullptr;

  // Type and value, e.g. "I4 90", "BSTR \"45.5\"", "&I4 0", "missing".
  std::string Text() const;
};

// One call the control received.
struct RecordedCall {
  enum class Kind { GetIDsOfNames, Invoke };

  Kind kind = Kind::Invoke;
  // The name asked for, or the name of the member invoked ("#" and the
  // number for an identifier the control does not know).
  std::string name;
  ole::DISPID member = ole::DISPID_UNKNOWN;
  ole::LCID locale = 0;
  std::uint16_t flags = 0;
  // Left to right as written, the put value last.
  std::vector<RecordedArgument> arguments;
  std::vector<ole::DISPID> namedArguments;
  bool wantsResult = false;

  // A line to compare with expected tables:
  //   "GetIDsOfNames FillColor 0x800"
  //   "Invoke ClientToLogicX method|get (I4 120) [result]"
  //   "Invoke LinkWidth put (I4 3, I4 120) named(-3)"
  std::string Text() const;
};

// A variant of a type, its value set by set(value): for the types that
// have no Make... helper.
template <typename Set> ole::VARIANT VariantOf(ole::VARTYPE type, Set set) {
  ole::VARIANT value;
  ole::VariantInit(&value);
  value.vt = type;
  set(value);
  return value;
}

// The invocation kinds as the log writes them: "method", "get",
// "method|get", "put".
std::string KindText(std::uint16_t flags);

// An automation test double: it records every GetIDsOfNames and Invoke and
// answers as each member is scripted. A member stores what is put into it
// and answers gets and methods with that value; it can instead fail with a
// status code, raise an exception, accept only some invocation kinds, write
// through by-reference arguments, or run a hook during the call (to fire
// events or call back into the container). Names are case-sensitive.
class RecordingControl final : public ole::ComObject<RecordingControl, ole::IDispatch, ole::IEventSource> {
public:
  class Member {
  public:
    // The value gets and methods answer, and that puts replace. Adopts the
    // variant (MakeI4, MakeText, ...).
    Member& Returns(ole::VARIANT value);
    // Answers only invocations whose kinds equal one of these exactly; any
    // other gets DISP_E_MEMBERNOTFOUND.
    Member& AcceptsOnly(std::initializer_list<std::uint16_t> kinds);
    // Every invocation fails with the status; argumentError is the index in
    // the argument block (last first) reported with DISP_E_TYPEMISMATCH.
    Member& FailsWith(ole::HRESULT status, std::uint32_t argumentError = 0);
    // Every invocation raises an exception with that description.
    Member& Raises(std::string description);
    // Writes the value through the by-reference argument at position (from
    // 1 at the left), converted to the argument's type. Adopts the variant.
    Member& WritesBack(std::size_t position, ole::VARIANT value);
    // Runs during every invocation, before the control answers.
    Member& OnInvoke(std::function<void()> hook);

    const std::string& Name() const { return name_; }
    ole::DISPID Id() const { return id_; }
    const ole::VARIANT& Value() const { return value_.value(); }

  private:
    friend class RecordingControl;
    Member(std::string name, ole::DISPID id) : name_(std::move(name)), id_(id) {}

    ole::HRESULT Answer(std::uint16_t flags, ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                        std::uint32_t* argumentError);

    std::string name_;
    ole::DISPID id_;
    ole::VariantHolder value_;
    std::vector<std::uint16_t> acceptedKinds_;
    ole::HRESULT failure_ = ole::S_OK;
    std::uint32_t argumentError_ = 0;
    std::string exception_;
    struct WriteBack {
      std::size_t position;
      std::unique_ptr<ole::VariantHolder> value;
    };
    std::vector<WriteBack> writeBacks_;
    std::function<void()> hook_;
  };

  // Creates a control with one reference, which the holder adopts. Without
  // automation, it offers no IDispatch to QueryInterface.
  static ole::ComPtr<RecordingControl> Create(bool offersAutomation = true);

  // Makes a member known. Identifiers count from 1 unless given.
  Member& AddMember(std::string_view name);
  Member& AddMember(std::string_view name, ole::DISPID id);
  Member* FindMember(std::string_view name);

  // The control as one IUnknown (it has two bases that derive from it).
  ole::IUnknown* Unknown() { return static_cast<ole::IDispatch*>(this); }

  const std::vector<RecordedCall>& Calls() const { return calls_; }
  // Calls()[i].Text() for every call, in order.
  std::vector<std::string> Log() const;
  void ClearLog() { calls_.clear(); }

  // Fires an event to the connected sink, with its arguments given left to
  // right (the control adopts them). S_FALSE when no sink is connected.
  ole::HRESULT Fire(ole::DISPID event, std::u16string_view name, std::vector<ole::VARIANT> arguments = {});
  bool HasSink() const { return sink_ != nullptr; }
  int EventsFired() const { return eventsFired_; }

  // Runs when the control is destroyed.
  void OnDestroyed(std::function<void()> hook) { onDestroyed_ = std::move(hook); }

  ole::HRESULT QueryInterface(const ole::IID& iid, void** object) override;
  ole::HRESULT GetIDsOfNames(const ole::IID& iid, const ole::OLECHAR* const* names, std::uint32_t nameCount,
                             ole::LCID locale, ole::DISPID* ids) override;
  ole::HRESULT Invoke(ole::DISPID member, const ole::IID& iid, ole::LCID locale, std::uint16_t flags,
                      ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                      std::uint32_t* argumentError) override;
  ole::HRESULT Advise(ole::IEventSink* sink) override;

private:
  friend class ole::ComObject<RecordingControl, ole::IDispatch, ole::IEventSource>;
  explicit RecordingControl(bool offersAutomation) : offersAutomation_(offersAutomation) {}
  ~RecordingControl() override;

  Member* FindMember(ole::DISPID id);
  RecordedArgument Record(const ole::VARIANT& argument) const;

  const bool offersAutomation_;
  std::vector<std::unique_ptr<Member>> members_;
  ole::DISPID nextId_ = 1;
  std::vector<RecordedCall> calls_;
  ole::IEventSink* sink_ = nullptr;
  int eventsFired_ = 0;
  std::function<void()> onDestroyed_;
};

} // namespace testsupport

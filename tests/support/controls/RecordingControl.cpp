#include "tests/support/controls/RecordingControl.h"

#include <algorithm>
#include <cstdio>

namespace testsupport {

namespace {

std::string TypeName(ole::VARTYPE type) {
  switch (type & ole::VT_TYPEMASK) {
  case ole::VT_EMPTY:
    return "EMPTY";
  case ole::VT_NULL:
    return "NULL";
  case ole::VT_I2:
    return "I2";
  case ole::VT_I4:
    return "I4";
  case ole::VT_R4:
    return "R4";
  case ole::VT_R8:
    return "R8";
  case ole::VT_BSTR:
    return "BSTR";
  case ole::VT_DISPATCH:
    return "DISPATCH";
  case ole::VT_ERROR:
    return "ERROR";
  case ole::VT_BOOL:
    return "BOOL";
  case ole::VT_VARIANT:
    return "VARIANT";
  case ole::VT_UNKNOWN:
    return "UNKNOWN";
  case ole::VT_UI1:
    return "UI1";
  case ole::VT_UI2:
    return "UI2";
  case ole::VT_UI4:
    return "UI4";
  default:
    return std::string("VT").append(std::to_string(type & ole::VT_TYPEMASK));
  }
}

bool IsOmitted(const ole::VARIANT& value) {
  return value.vt == ole::VT_ERROR && value.scode == ole::DISP_E_PARAMNOTFOUND;
}

// Stores value, converted to the type of the by-reference argument, where
// the argument points.
void WriteThrough(const ole::VARIANT& argument, const ole::VARIANT& value) {
  if ((argument.vt & ole::VT_BYREF) == 0 || argument.byref == nullptr) {
    return;
  }
  const ole::VARTYPE type = argument.vt & ole::VT_TYPEMASK;
  ole::VariantHolder converted;
  if (ole::Failed(ole::VariantChangeType(converted.get(), &value, type))) {
    return;
  }
  switch (type) {
  case ole::VT_I2:
    *argument.piVal = converted->iVal;
    break;
  case ole::VT_I4:
    *argument.plVal = converted->lVal;
    break;
  case ole::VT_UI1:
    *argument.pbVal = converted->bVal;
    break;
  case ole::VT_UI2:
    *argument.puiVal = converted->uiVal;
    break;
  case ole::VT_UI4:
    *argument.pulVal = converted->ulVal;
    break;
  case ole::VT_R4:
    *argument.pfltVal = converted->fltVal;
    break;
  case ole::VT_R8:
    *argument.pdblVal = converted->dblVal;
    break;
  case ole::VT_BOOL:
    *argument.pboolVal = converted->boolVal;
    break;
  case ole::VT_BSTR:
    ole::SysFreeString(*argument.pbstrVal);
    *argument.pbstrVal = std::exchange(converted->bstrVal, nullptr);
    converted->vt = ole::VT_EMPTY;
    break;
  default:
    break;
  }
}

} // namespace

std::string RecordedArgument::Text() const {
  if (type == ole::VT_ERROR && value == "missing") {
    return value;
  }
  std::string text = (type & ole::VT_BYREF) != 0 ? "&" : "";
  return text.append(TypeName(type)).append(" ").append(value);
}

std::string KindText(std::uint16_t flags) {
  std::string text;
  const auto add = [&](std::uint16_t kind, const char* name) {
    if ((flags & kind) != 0) {
      text += text.empty() ? "" : "|";
      text += name;
    }
  };
  add(ole::DISPATCH_METHOD, "method");
  add(ole::DISPATCH_PROPERTYGET, "get");
  add(ole::DISPATCH_PROPERTYPUT, "put");
  add(ole::DISPATCH_PROPERTYPUTREF, "putref");
  return text;
}

std::string RecordedCall::Text() const {
  if (kind == Kind::GetIDsOfNames) {
    char locale[16];
    std::snprintf(locale, sizeof locale, "0x%X", static_cast<unsigned>(this->locale));
    return "GetIDsOfNames " + name + " " + locale;
  }
  std::string text = "Invoke " + name + " " + KindText(flags) + " (";
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    text += (i == 0 ? "" : ", ") + arguments[i].Text();
  }
  text += ")";
  if (!namedArguments.empty()) {
    text += " named(";
    for (std::size_t i = 0; i < namedArguments.size(); ++i) {
      text += (i == 0 ? "" : ", ") + std::to_string(namedArguments[i]);
    }
    text += ")";
  }
  if (wantsResult) {
    text += " [result]";
  }
  return text;
}

RecordingControl::Member& RecordingControl::Member::Returns(ole::VARIANT value) {
  ole::VariantClear(value_.get());
  *value_.get() = value;
  return *this;
}

RecordingControl::Member& RecordingControl::Member::AcceptsOnly(std::initializer_list<std::uint16_t> kinds) {
  acceptedKinds_.assign(kinds);
  return *this;
}

RecordingControl::Member& RecordingControl::Member::FailsWith(ole::HRESULT status, std::uint32_t argumentError) {
  failure_ = status;
  argumentError_ = argumentError;
  return *this;
}

RecordingControl::Member& RecordingControl::Member::Raises(std::string description) {
  exception_ = std::move(description);
  return *this;
}

RecordingControl::Member& RecordingControl::Member::WritesBack(std::size_t position, ole::VARIANT value) {
  writeBacks_.push_back({position, std::make_unique<ole::VariantHolder>(value)});
  return *this;
}

RecordingControl::Member& RecordingControl::Member::OnInvoke(std::function<void()> hook) {
  hook_ = std::move(hook);
  return *this;
}

ole::HRESULT RecordingControl::Member::Answer(std::uint16_t flags, ole::DISPPARAMS* params, ole::VARIANT* result,
                                              ole::EXCEPINFO* exception, std::uint32_t* argumentError) {
  if (!acceptedKinds_.empty() &&
      std::find(acceptedKinds_.begin(), acceptedKinds_.end(), flags) == acceptedKinds_.end()) {
    return ole::DISP_E_MEMBERNOTFOUND;
  }
  if (hook_) {
    // A copy: the hook may script this member again.
    const std::function<void()> hook = hook_;
    hook();
  }
  for (const auto& writeBack : writeBacks_) {
    if (writeBack.position >= 1 && writeBack.position <= params->cArgs) {
      WriteThrough(params->rgvarg[params->cArgs - writeBack.position], writeBack.value->value());
    }
  }
  if (!exception_.empty()) {
    if (exception != nullptr) {
      *exception = ole::EXCEPINFO{};
      exception->bstrDescription = ole::BstrFromUtf8(exception_);
      exception->scode = ole::E_FAIL;
    }
    return ole::DISP_E_EXCEPTION;
  }
  if (ole::Failed(failure_)) {
    if (argumentError != nullptr) {
      *argumentError = argumentError_;
    }
    return failure_;
  }
  if ((flags & ole::DISPATCH_PROPERTYPUT) != 0) {
    if (params->cArgs == 0 || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != ole::DISPID_PROPERTYPUT) {
      return ole::DISP_E_PARAMNOTOPTIONAL;
    }
    return ole::VariantCopy(value_.get(), ole::VariantDeref(&params->rgvarg[0]));
  }
  if (result != nullptr) {
    return ole::VariantCopy(result, value_.get());
  }
  return ole::S_OK;
}

ole::ComPtr<RecordingControl> RecordingControl::Create(bool offersAutomation) {
  return ole::ComPtr<RecordingControl>::Adopt(new RecordingControl(offersAutomation));
}

RecordingControl::~RecordingControl() {
  if (onDestroyed_) {
    onDestroyed_();
  }
}

RecordingControl::Member& RecordingControl::AddMember(std::string_view name) { return AddMember(name, nextId_); }

RecordingControl::Member& RecordingControl::AddMember(std::string_view name, ole::DISPID id) {
  nextId_ = std::max(nextId_, id + 1);
  members_.push_back(std::unique_ptr<Member>(new Member(std::string(name), id)));
  return *members_.back();
}

RecordingControl::Member* RecordingControl::FindMember(std::string_view name) {
  for (const auto& member : members_) {
    if (member->name_ == name) {
      return member.get();
    }
  }
  return nullptr;
}

RecordingControl::Member* RecordingControl::FindMember(ole::DISPID id) {
  for (const auto& member : members_) {
    if (member->id_ == id) {
      return member.get();
    }
  }
  return nullptr;
}

std::vector<std::string> RecordingControl::Log() const {
  std::vector<std::string> lines;
  lines.reserve(calls_.size());
  for (const auto& call : calls_) {
    lines.push_back(call.Text());
  }
  return lines;
}

ole::HRESULT RecordingControl::Fire(ole::DISPID event, std::u16string_view name, std::vector<ole::VARIANT> arguments) {
  if (sink_ == nullptr) {
    for (auto& argument : arguments) {
      ole::VariantClear(&argument);
    }
    return ole::S_FALSE;
  }
  // A control keeps itself alive while it fires: the receiver may let go
  // of it meanwhile.
  const ole::ComPtr<RecordingControl> keepAlive(this);
  std::reverse(arguments.begin(), arguments.end());
  ole::DISPPARAMS params{arguments.data(), nullptr, static_cast<std::uint32_t>(arguments.size()), 0};
  const std::u16string wideName(name);
  const ole::HRESULT status = sink_->FireEvent(event, wideName.c_str(), &params);
  ++eventsFired_;
  for (auto& argument : arguments) {
    ole::VariantClear(&argument);
  }
  return status;
}

ole::HRESULT RecordingControl::QueryInterface(const ole::IID& iid, void** object) {
  if (iid == ole::IID_IUnknown || (iid == ole::IID_IDispatch && offersAutomation_)) {
    *object = static_cast<ole::IDispatch*>(this);
  } else if (iid == ole::IID_IEventSource) {
    *object = static_cast<ole::IEventSource*>(this);
  } else {
    *object = nullptr;
    return ole::E_NOINTERFACE;
  }
  AddRef();
  return ole::S_OK;
}

ole::HRESULT RecordingControl::GetIDsOfNames(const ole::IID&, const ole::OLECHAR* const* names, std::uint32_t nameCount,
                                             ole::LCID locale, ole::DISPID* ids) {
  ole::HRESULT status = ole::S_OK;
  for (std::uint32_t i = 0; i < nameCount; ++i) {
    RecordedCall call;
    call.kind = RecordedCall::Kind::GetIDsOfNames;
    call.name = ole::Utf8FromUtf16(names[i]);
    call.locale = locale;
    const Member* member = FindMember(std::string_view(call.name));
    ids[i] = member != nullptr ? member->id_ : ole::DISPID_UNKNOWN;
    call.member = ids[i];
    if (member == nullptr) {
      status = ole::DISP_E_UNKNOWNNAME;
    }
    calls_.push_back(std::move(call));
  }
  return status;
}

RecordedArgument RecordingControl::Record(const ole::VARIANT& argument) const {
  RecordedArgument recorded;
  recorded.type = argument.vt;
  if ((argument.vt & ole::VT_BYREF) != 0) {
    recorded.target = argument.byref;
  }
  const ole::VARIANT& value = *ole::VariantDeref(&argument);
  const ole::VARTYPE type = value.vt & ole::VT_TYPEMASK;
  if (IsOmitted(value)) {
    recorded.value = "missing";
  } else if (type == ole::VT_DISPATCH || type == ole::VT_UNKNOWN) {
    const bool byRef = (value.vt & ole::VT_BYREF) != 0;
    ole::IUnknown* object = byRef ? (value.ppunkVal != nullptr ? *value.ppunkVal : nullptr) : value.punkVal;
    recorded.value = object == static_cast<const ole::IDispatch*>(this) ? "self" : "object";
  } else if (type == ole::VT_BSTR) {
    std::string text;
    ole::VariantToText(value, text);
    recorded.value.assign(1, '"').append(text).append(1, '"');
  } else if (std::string text; ole::VariantToText(value, text)) {
    recorded.value = std::move(text);
  } else {
    recorded.value.assign(1, '?');
  }
  return recorded;
}

ole::HRESULT RecordingControl::Invoke(ole::DISPID memberId, const ole::IID&, ole::LCID locale, std::uint16_t flags,
                                      ole::DISPPARAMS* params, ole::VARIANT* result, ole::EXCEPINFO* exception,
                                      std::uint32_t* argumentError) {
  // Hold the control for the call: a hook may make its container let go.
  const ole::ComPtr<RecordingControl> keepAlive(this);
  Member* member = FindMember(memberId);
  RecordedCall call;
  call.name = member != nullptr ? member->name_ : std::string("#").append(std::to_string(memberId));
  call.member = memberId;
  call.locale = locale;
  call.flags = flags;
  call.wantsResult = result != nullptr;
  // The block holds the arguments last first, and the named ones before
  // all others; read backwards, the put value comes last.
  for (std::uint32_t i = params->cArgs; i > 0; --i) {
    call.arguments.push_back(Record(params->rgvarg[i - 1]));
  }
  call.namedArguments.assign(params->rgdispidNamedArgs, params->rgdispidNamedArgs + params->cNamedArgs);
  calls_.push_back(std::move(call));
  if (member == nullptr) {
    return ole::DISP_E_MEMBERNOTFOUND;
  }
  return member->Answer(flags, params, result, exception, argumentError);
}

ole::HRESULT RecordingControl::Advise(ole::IEventSink* sink) {
  sink_ = sink;
  return ole::S_OK;
}

} // namespace testsupport

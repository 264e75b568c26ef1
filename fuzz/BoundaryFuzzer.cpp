// Arbitrary expressions, set values and event parameters through the
// container's text boundary, against a recording control whose members
// answer with every kind of result, failure and by-reference write.
#include "platform/ole/NumberText.h"
#include "platform/container/ContainerWindow.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "tests/support/controls/RecordingControl.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr std::int16_t kSlot = 3;
constexpr std::size_t kMaxText = 4096;

ole::VARIANT Typed(ole::VARTYPE type) {
  return testsupport::VariantOf(type, [](ole::VARIANT&) {});
}

// A value of a type the data chooses; by-reference values point into
// storage that outlives their use.
ole::VARIANT ArbitraryValue(FuzzedDataProvider& input, std::int32_t& referenced, ole::VARIANT& inner) {
  switch (input.ConsumeIntegralInRange(0, 11)) {
  case 0:
    return ole::MakeI2(input.ConsumeIntegral<std::int16_t>());
  case 1:
    return ole::MakeI4(input.ConsumeIntegral<std::int32_t>());
  case 2: {
    ole::VARIANT value = Typed(ole::VT_R4);
    value.fltVal = input.ConsumeFloatingPoint<float>();
    return value;
  }
  case 3:
    return ole::MakeR8(input.ConsumeFloatingPoint<double>());
  case 4:
    return ole::MakeText(input.ConsumeRandomLengthString(kMaxText));
  case 5: {
    ole::VARIANT value = Typed(ole::VT_BOOL);
    value.boolVal = input.ConsumeIntegral<std::int16_t>();
    return value;
  }
  case 6: {
    ole::VARIANT value = Typed(ole::VT_UI1);
    value.bVal = input.ConsumeIntegral<std::uint8_t>();
    return value;
  }
  case 7:
    return ole::MakeError(input.ConsumeIntegral<std::int32_t>());
  case 8: {
    referenced = input.ConsumeIntegral<std::int32_t>();
    ole::VARIANT value = Typed(ole::VT_BYREF | ole::VT_I4);
    value.plVal = &referenced;
    return value;
  }
  case 9: {
    inner = ole::MakeI4(input.ConsumeIntegral<std::int32_t>());
    ole::VARIANT value = Typed(ole::VT_BYREF | ole::VT_VARIANT);
    value.pvarVal = &inner;
    return value;
  }
  case 10:
    return Typed(ole::VT_NULL);
  default:
    return Typed(ole::VT_EMPTY);
  }
}

class Boundary {
public:
  Boundary()
      : control_(testsupport::RecordingControl::Create()),
        factory_("Fuzz.Recording", ole::ComPtr<ole::IUnknown>(control_->Unknown())), presenter_(boxes_) {
    window_.AddSlot(kSlot);
    window_.Activate();
    container::SetMember(&window_, kSlot, "31942", container::SetValue::Text("Fuzz.Recording"));
    container::SetMember(&window_, kSlot, "31954", container::SetValue::Text("1"));
    control_->AddMember("M");
    ole::VARIANT self = Typed(ole::VT_DISPATCH);
    self.pdispVal = static_cast<ole::IDispatch*>(control_.get());
    self.pdispVal->AddRef();
    control_->AddMember("Self").Returns(self);
    control_->AddMember("Fail").FailsWith(ole::DISP_E_TYPEMISMATCH, 1);
    control_->AddMember("Raise").Raises("raised");
    control_->AddMember("Fire").OnInvoke([this] { control_->Fire(1, u"Nested", {ole::MakeI4(1)}); });
    auto& writes = control_->AddMember("Writes");
    for (std::size_t position = 1; position <= 4; ++position) {
      writes.WritesBack(position, ole::MakeText("written " + std::to_string(position)));
    }
    container::BindVariable("l", long_);
    container::BindVariable("s", short_);
    container::BindVariable("b", byte_);
    container::BindVariable("r", real_);
    container::BindVariable("t", text_);
    container::RegisterEventCallback(&window_, kSlot, [](ole::DISPPARAMS* params, std::int16_t number, ole::DISPID) {
      container::GetMember(nullptr, number, "31965");
      for (int n = 0; n <= static_cast<int>(params->cArgs) + 1; ++n) {
        ole::NumberText::ReadLong(container::EventParameterText(params, n));
      }
      container::GetMember(nullptr, number, "M(\"x\")");
      return 1;
    });
  }

  // "Self" holds the control it belongs to; the cycle is broken here.
  ~Boundary() { control_->FindMember("Self")->Returns(Typed(ole::VT_EMPTY)); }

  void Run(FuzzedDataProvider& input) {
    control_->ClearLog();
    boxes_.shown.clear();
    std::int32_t referenced = 0;
    ole::VARIANT inner;
    ole::VariantInit(&inner);
    while (input.remaining_bytes() > 0) {
      switch (input.ConsumeIntegralInRange(0, 6)) {
      case 0:
        Read(container::GetMember(&window_, kSlot, input.ConsumeRandomLengthString(kMaxText)));
        break;
      case 1: {
        const std::string expression = input.ConsumeRandomLengthString(kMaxText);
        container::SetMember(&window_, kSlot, expression, ArbitrarySetValue(input));
        break;
      }
      case 2:
        container::CallMember(&window_, kSlot, input.ConsumeRandomLengthString(kMaxText));
        break;
      case 3: {
        // The member keeps its answer past this input: a plain value only.
        ole::VARIANT answer = ArbitraryValue(input, referenced, inner);
        const ole::VARIANT* value = ole::VariantDeref(&answer);
        ole::VARIANT plain;
        ole::VariantInit(&plain);
        ole::VariantChangeType(&plain, value, value->vt & ole::VT_TYPEMASK);
        ole::VariantClear(&answer);
        control_->FindMember("M")->Returns(plain);
        break;
      }
      case 4: {
        std::vector<ole::VARIANT> parameters;
        const int count = input.ConsumeIntegralInRange(0, 5);
        std::vector<std::int32_t> referencedParameters(static_cast<std::size_t>(count));
        std::vector<ole::VARIANT> innerParameters(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
          parameters.push_back(ArbitraryValue(input, referencedParameters[static_cast<std::size_t>(i)],
                                              innerParameters[static_cast<std::size_t>(i)]));
        }
        control_->Fire(input.ConsumeIntegral<std::int32_t>(), u"Event", std::move(parameters));
        break;
      }
      case 5:
        Read(container::GetMember(&window_, kSlot,
                                  "Writes(&l,&t,&s," + input.ConsumeRandomLengthString(kMaxText) + ")"));
        break;
      default: {
        // Object references come from results and from the Object
        // property, go back in as arguments, and are released.
        const std::string object = container::GetMember(&window_, kSlot, input.ConsumeBool() ? "Self" : "31989");
        Read(container::GetMember(&window_, kSlot,
                                  "M(" + object + "," + input.ConsumeRandomLengthString(kMaxText) + ")"));
        if (input.ConsumeBool()) {
          container::SetMember(&window_, kSlot, "31950", container::SetValue::CString(object, 64));
        }
        break;
      }
      }
    }
  }

private:
  static void Read(const std::string& text) {
    ole::NumberText::ReadLong(text);
    ole::NumberText::ReadReal(text);
  }

  static container::SetValue ArbitrarySetValue(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 4)) {
    case 0:
      return container::SetValue::Long(input.ConsumeIntegral<std::int32_t>());
    case 1:
      return container::SetValue::ULong(input.ConsumeIntegral<std::uint32_t>());
    case 2: {
      const std::string text = input.ConsumeRandomLengthString(kMaxText);
      return container::SetValue::String(text, input.ConsumeIntegralInRange<std::size_t>(0, 256));
    }
    case 3: {
      const std::string text = input.ConsumeRandomLengthString(kMaxText);
      return container::SetValue::CString(text, input.ConsumeIntegralInRange<std::size_t>(0, 256));
    }
    default:
      return container::SetValue::Text(input.ConsumeRandomLengthString(kMaxText));
    }
  }

  container::RecordingMessagePresenter boxes_;
  ole::ComPtr<testsupport::RecordingControl> control_;
  testsupport::ScopedControlFactory factory_;
  container::ScopedMessagePresenter presenter_;
  container::ContainerWindow window_;
  std::int32_t long_ = 0;
  std::int16_t short_ = 0;
  std::uint8_t byte_ = 0;
  double real_ = 0;
  std::string text_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Boundary boundary;
  FuzzedDataProvider input(data, size);
  boundary.Run(input);
  return 0;
}

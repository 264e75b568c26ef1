#pragma once

#include "platform/container/ContainerWindow.h"
#include "platform/container/MessagePresenter.h"
#include "platform/container/OleContainer.h"
#include "tests/support/controls/RecordingControl.h"
#include "tests/support/controls/ScopedControlFactory.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace containertest {

inline constexpr std::int16_t kSlot = 3;
inline constexpr const char* kProgId = "Test.Recording.1";

// A window with a recording control in slot 3, created through the
// container's Create with reporting switched on, and every box recorded.
class ContainerTest : public testing::Test {
protected:
  void SetUp() override {
    control = testsupport::RecordingControl::Create();
    factory.emplace(kProgId, ole::ComPtr<ole::IUnknown>(control->Unknown()));
    window.AddSlot(kSlot);
    container::SetMember(&window, kSlot, "31942", container::SetValue::Text(kProgId));
    container::SetMember(&window, kSlot, "31954", container::SetValue::Text("1"));
  }

  std::string Get(std::string_view expression) { return container::GetMember(&window, kSlot, expression); }
  void Set(std::string_view expression, const container::SetValue& value) {
    container::SetMember(&window, kSlot, expression, value);
  }
  void Call(std::string_view expression) { container::CallMember(&window, kSlot, expression); }

  // The invocations only, without the name look-ups.
  std::vector<std::string> Invocations() const {
    std::vector<std::string> lines;
    for (const auto& call : control->Calls()) {
      if (call.kind == testsupport::RecordedCall::Kind::Invoke) {
        lines.push_back(call.Text());
      }
    }
    return lines;
  }

  // The arguments of the last invocation, as the log writes them.
  std::string LastArguments() const {
    for (auto call = control->Calls().rbegin(); call != control->Calls().rend(); ++call) {
      if (call->kind == testsupport::RecordedCall::Kind::Invoke) {
        std::string text;
        for (const auto& argument : call->arguments) {
          text += (text.empty() ? "" : ", ") + argument.Text();
        }
        return text;
      }
    }
    return "<no call>";
  }

  container::RecordingMessagePresenter boxes;
  container::ScopedMessagePresenter presenter{boxes};
  ole::ComPtr<testsupport::RecordingControl> control;
  std::optional<testsupport::ScopedControlFactory> factory;
  container::ContainerWindow window;
};

} // namespace containertest

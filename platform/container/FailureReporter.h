#pragma once

#include "platform/container/MessagePresenter.h"
#include "platform/ole/Dispatch.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace container {

class ContainerWindow;
class ControlSlot;

// How one invocation of a control member went.
struct InvokeOutcome {
  InvokeOutcome() = default;
  InvokeOutcome(const InvokeOutcome&) = delete;
  InvokeOutcome& operator=(const InvokeOutcome&) = delete;
  ~InvokeOutcome() { ClearException(); }

  // Frees what a failed attempt left; most attempts leave nothing.
  void ClearException() {
    if (exception.bstrSource != nullptr || exception.bstrDescription != nullptr || exception.bstrHelpFile != nullptr) {
      ole::ClearExcepInfo(exception);
    }
  }

  ole::HRESULT status = ole::S_OK;
  ole::EXCEPINFO exception{};
  // The failing argument's index in the argument block (last first).
  std::uint32_t argumentError = 0;
  std::uint32_t argumentCount = 0;
};

// Shows the container's failure boxes for the accesses of one slot, while
// the slot's ReportException setting is on. The setting and the owning
// window are taken when the access starts, since the control may end
// either before the failure is known.
class FailureReporter {
public:
  explicit FailureReporter(const ControlSlot& slot);

  // The control knows no member of that name.
  void GetIdFailed(std::string_view memberName) const;
  // A get or a call failed after all its invocation kinds.
  void InvokeFailed(const InvokeOutcome& outcome) const;
  // A set failed.
  void SetFailed(const InvokeOutcome& outcome) const;
  // A get whose expression broke off or whose result has no text form.
  void GetFailed(ole::HRESULT status, std::string_view expression) const;

  // "0", the code in upper-case hexadecimal, "H".
  static std::string StatusText(ole::HRESULT status);

private:
  void Present(std::string caption, std::string text, MessageIcon icon) const;

  bool enabled_;
  ContainerWindow* owner_;
};

} // namespace container

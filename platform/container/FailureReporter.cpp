#include "platform/container/FailureReporter.h"

#include "platform/container/ContainerWindow.h"
#include "platform/container/ControlSlot.h"
#include "platform/ole/HResult.h"

#include <cstdio>

namespace container {

namespace {
constexpr const char* kAutomationErrorCaption = "Ole Automation Error";
constexpr const char* kOleErrorCaption = "OLE Error";
} // namespace

FailureReporter::FailureReporter(const ControlSlot& slot)
    : enabled_(slot.ReportsExceptions()), owner_(&slot.Window()) {}

std::string FailureReporter::StatusText(ole::HRESULT status) {
  char text[16];
  std::snprintf(text, sizeof text, "0%lXH", static_cast<unsigned long>(static_cast<std::uint32_t>(status)));
  return text;
}

void FailureReporter::GetIdFailed(std::string_view memberName) const {
  Present("GetId Failed", std::string(memberName), MessageIcon::Error);
}

void FailureReporter::InvokeFailed(const InvokeOutcome& outcome) const {
  if (outcome.status == ole::DISP_E_TYPEMISMATCH) {
    const std::uint32_t position =
        outcome.argumentError < outcome.argumentCount ? outcome.argumentCount - outcome.argumentError : 0;
    Present(kAutomationErrorCaption, "Parameter " + std::to_string(position) + " type mismatch", MessageIcon::Error);
  } else if (outcome.status == ole::DISP_E_EXCEPTION) {
    Present(kAutomationErrorCaption, ole::Utf8FromBstr(outcome.exception.bstrDescription), MessageIcon::Error);
  }
}

void FailureReporter::SetFailed(const InvokeOutcome& outcome) const {
  if (outcome.status == ole::DISP_E_EXCEPTION) {
    Present(kAutomationErrorCaption, ole::Utf8FromBstr(outcome.exception.bstrDescription), MessageIcon::Error);
    return;
  }
  Present(kOleErrorCaption,
          "Ole Automation Error (" + StatusText(outcome.status) + ")\n" + ole::HResultMessage(outcome.status),
          MessageIcon::None);
}

void FailureReporter::GetFailed(ole::HRESULT status, std::string_view expression) const {
  Present(kOleErrorCaption,
          "Get Named Property failed (" + StatusText(status) + ")\n" + ole::HResultMessage(status) + "\n\"" +
              std::string(expression) + "\"",
          MessageIcon::None);
}

void FailureReporter::Present(std::string caption, std::string text, MessageIcon icon) const {
  if (!enabled_) {
    return;
  }
  MessageRequest request{std::move(caption), std::move(text), icon, ContainerWindow::Resolve(owner_)};
  CurrentMessagePresenter().Present(request);
}

} // namespace container

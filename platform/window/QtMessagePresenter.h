#pragma once

#include "platform/container/MessagePresenter.h"

#include <string_view>

namespace window {

// The platform's message box: a box with the text and caption, owned by
// the calling thread's active window, shown through the process's message
// presenter (so that tests can record it instead). Returns when the person
// has closed it.
void ShowMessage(std::string_view text, std::string_view caption,
                 container::MessageIcon icon = container::MessageIcon::None);

// Shows the container's and the platform's boxes as Qt message boxes with
// an OK button, modal to their owner window. The real program installs one
// at start-up (container::SetMessagePresenter).
class QtMessagePresenter : public container::MessagePresenter {
public:
  void Present(const container::MessageRequest& request) override;
};

} // namespace window
